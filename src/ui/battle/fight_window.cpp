#include "ui/battle/fight_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "battle/fight_view.h"
#include "battle/replay_player.h"
#include "model/game.h"
#include "persistence/replay_store.h"
#include "ports/prompts.h"
#include "ui/battle/bracket_window.h"
#include "ui/qt_text.h"

namespace vargo {

namespace {
constexpr int kBandWidth = SceneWidget::kWidth;
constexpr int kBarRight = 9500;  ///< twips: the opponent's bars end here
constexpr int kMotorTop = 8, kMotorHeight = 18;
constexpr int kFrameTop = 32, kFrameHeight = 12;
constexpr int kLogHeight = 132;

// Player's side cool, opponent's warm (the scene's floor rings match); the motor bright, the frame
// deeper, so the two rows read apart even without their captions.
const char* const kBarStyle[4] = {
    "background:qlineargradient(x1:0,y1:0,x2:0,y2:1,stop:0 #9fe0ff,stop:0.5 #3aa2f0,stop:1 #1f6fc0);"
    "border:1px solid #0d3050;",
    "background:qlineargradient(x1:0,y1:0,x2:0,y2:1,stop:0 #ffc0a0,stop:0.5 #f05a3a,stop:1 #b02a18);"
    "border:1px solid #501810;",
    "background:qlineargradient(x1:0,y1:0,x2:0,y2:1,stop:0 #6fb0e8,stop:1 #1d4f96);border:1px solid #0d2a50;",
    "background:qlineargradient(x1:0,y1:0,x2:0,y2:1,stop:0 #e87f6f,stop:1 #8e2418);border:1px solid #40100a;",
};
const char* const kSideColour[2] = {"#6cc0ff", "#ff7a68"};
const char* const kNextStyle =
    "QPushButton{font-size:18px;font-weight:bold;background:qlineargradient(x1:0,y1:0,x2:0,y2:1,"
    "stop:0 #f0a840,stop:1 #c87418);color:#1a1a1a;border:1px solid #ffd08a;}"
    "QPushButton:hover{border-color:#ffffff;}QPushButton:pressed{background:#ffd08a;}";
}  // namespace

FightWindow::FightWindow(Fight& f, const GameFolder& folder, QWidget* parent)
    : FightWindow(&f, nullptr, folder, parent) {}

FightWindow::FightWindow(ReplayPlayer& p, const GameFolder& folder, QWidget* parent)
    : FightWindow(nullptr, &p, folder, parent) {}

FightWindow::FightWindow(Fight* f, ReplayPlayer* p, const GameFolder& folder, QWidget* parent)
    : QDialog(parent), live(f), replay(p) {
    setObjectName("Fight");
    setWindowTitle(replay ? "Replay" : "Fight");

    sceneView = new SceneWidget(folder, this);
    sceneView->setObjectName("dspDollImg");

    dspSpan = new QLabel(sceneView);
    dspSpan->setObjectName("dspSpan");
    dspSpan->setAlignment(Qt::AlignCenter);
    dspSpan->setStyleSheet(
        "background:rgba(12,16,24,190); color:#ffe3a8; font-size:17px; font-weight:bold;"
        "border:1px solid rgba(240,178,96,160); border-radius:6px;");
    dspSpan->setGeometry(SceneWidget::kWidth / 2 - 70, 6, 140, 30);

    auto* centre = new QVBoxLayout;
    centre->setSpacing(4);
    centre->addWidget(buildHpBand(), 0, Qt::AlignHCenter);
    centre->addWidget(sceneView, 0, Qt::AlignHCenter);

    auto* middle = new QHBoxLayout;
    middle->addWidget(buildSidePanel(0));
    middle->addLayout(centre);
    middle->addWidget(buildSidePanel(1));

    paneGuide = new QFrame;
    paneGuide->setObjectName("paneGuide");
    auto* guideLayout = new QHBoxLayout(paneGuide);
    dspGuide = new QLabel;
    dspGuide->setObjectName("dspGuide");
    dspGuide->setWordWrap(true);
    guideLayout->addWidget(dspGuide);
    paneGuide->installEventFilter(this);
    dspGuide->installEventFilter(this);
    paneGuide->hide();

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(buildLog(), 1);
    bottom->addLayout(replay ? buildReplayControls() : buildFightButtons());

    auto* root = new QVBoxLayout(this);
    // The scene, the bars and the panels have fixed sizes: a larger window would only float them
    // in empty space with the log in a band between, so the window keeps its contents' size.
    root->setSizeConstraint(QLayout::SetFixedSize);
    root->addLayout(middle);
    root->addWidget(paneGuide);
    root->addLayout(bottom);

    if (replay) {
        showReplayStep(false);
        return;
    }
    // The bracket shows over the battle window while the tournament goes on behind it.
    if (!live->hasBracketViewer()) {
        live->setBracketViewer([this](const Bracket& b) {
            BracketWindow w(b, this);
            w.exec();
        });
    }
}

const Fight& FightWindow::shownFight() const {
    return replay ? replay->fight() : *live;
}

QLayout* FightWindow::buildFightButtons() {
    cmdNext = new QPushButton("Next");
    cmdNext->setObjectName("cmdNext");
    cmdNext->setToolTip("試合を進める");
    cmdNext->setDefault(true);
    cmdNext->setMinimumSize(150, 48);
    cmdNext->setStyleSheet(kNextStyle);
    cmdTap = new QPushButton("GiveUp");
    cmdTap->setObjectName("cmdTap");
    cmdTap->setMinimumSize(150, 32);
    connect(cmdNext, &QPushButton::clicked, this, &FightWindow::cmdNext_Click);
    connect(cmdTap, &QPushButton::clicked, this, &FightWindow::cmdTap_Click);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdNext);
    buttons->addWidget(cmdTap);
    buttons->addStretch();
    return buttons;
}

// The replay's controls take no focus, so that the arrow keys, Home, End and Space always reach
// the window instead of moving between buttons or pressing one.
QLayout* FightWindow::buildReplayControls() {
    dspStep = new QLabel;
    dspStep->setObjectName("dspStep");
    dspStep->setAlignment(Qt::AlignCenter);
    dspStep->setStyleSheet("font-size:15px; font-weight:bold; color:#ffe3a8;");
    dspResult = new QLabel;
    dspResult->setObjectName("dspResult");
    dspResult->setAlignment(Qt::AlignCenter);
    dspResult->setStyleSheet("font-weight:bold; color:#ff9a60;");

    auto button = [this](const char* name, const QString& text, const QString& tip,
                         void (FightWindow::*slot)()) {
        auto* b = new QPushButton(text);
        b->setObjectName(name);
        b->setToolTip(tip);
        b->setFocusPolicy(Qt::NoFocus);
        b->setMinimumSize(44, 34);
        b->setStyleSheet("font-size:15px;");
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    moves = {button("cmdStart", "|◀", "最初へ (Home)", &FightWindow::cmdStart_Click),
             button("cmdBack", "◀", "1ステップ戻る (←)", &FightWindow::cmdBack_Click),
             button("cmdForward", "▶", "1ステップ進む (→)", &FightWindow::cmdForward_Click),
             button("cmdEnd", "▶|", "最後へ (End)", &FightWindow::cmdEnd_Click)};
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    for (QPushButton* b : moves) {
        row->addWidget(b);
    }

    cmdPlay = button("cmdPlay", "再生", "自動で再生する／止める (Space)", &FightWindow::cmdPlay_Click);
    cmdPlay->setMinimumSize(96, 40);
    cmdPlay->setStyleSheet(QString(kNextStyle) +
                           "QPushButton:disabled{background:#3b4556;color:#8ea2bd;border-color:#4a5568;}");
    cmbSpeed = new QComboBox;
    cmbSpeed->setObjectName("cmbSpeed");
    cmbSpeed->setFocusPolicy(Qt::NoFocus);
    for (const char* speed : {"1歩/秒", "2歩/秒", "4歩/秒", "高速"}) {
        cmbSpeed->addItem(speed);
    }
    cmbSpeed->setCurrentIndex(1);
    connect(cmbSpeed, &QComboBox::currentIndexChanged, this, &FightWindow::setSpeed);
    auto* playRow = new QHBoxLayout;
    playRow->addWidget(cmdPlay);
    playRow->addWidget(cmbSpeed);

    auto* close = button("cmdClose", "閉じる", "リプレイを閉じる (Esc)", &FightWindow::reject);

    playTimer = new QTimer(this);
    playTimer->setInterval(kStepIntervalsMs[1]);
    connect(playTimer, &QTimer::timeout, this, [this] { cmdForward_Click(); });

    auto* column = new QVBoxLayout;
    column->addWidget(dspStep);
    column->addLayout(row);
    column->addLayout(playRow);
    column->addWidget(dspResult);
    column->addStretch();
    column->addWidget(close);
    return column;
}

QWidget* FightWindow::buildHpBand() {
    auto* band = new QWidget;
    band->setObjectName("hpBand");
    band->setFixedSize(kBandWidth, kFrameTop + kFrameHeight + 6);
    const int origin = (kBandWidth - px(kBarRight)) / 2;
    for (int row = 0; row < 2; ++row) {
        const int top = row == 0 ? kMotorTop : kFrameTop;
        const int height = row == 0 ? kMotorHeight : kFrameHeight;
        auto* track = new QFrame(band);
        track->setStyleSheet("background:#10141b; border:1px solid #3b4556; border-radius:2px;");
        track->setGeometry(origin - 2, top - 2, px(kBarRight) + 4, height + 4);
        for (int side = 0; side < 2; ++side) {
            auto* caption = new QLabel(row == 0 ? "MOTOR" : "FRAME", band);
            caption->setAlignment((side == 0 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
            caption->setStyleSheet(
                QString("background:transparent; font-size:10px; font-weight:bold; color:%1;")
                    .arg(kSideColour[side]));
            caption->setGeometry(side == 0 ? 0 : origin + px(kBarRight) + 6, top - 3, origin - 6, height + 6);
        }
    }
    for (int i = 0; i < 4; ++i) {
        auto* bar = new QLabel(band);
        bar->setObjectName(QString("barHP%1").arg(i));
        bar->setStyleSheet(kBarStyle[i]);
        barHP[static_cast<size_t>(i)] = bar;
    }
    return band;
}

QWidget* FightWindow::buildSidePanel(int i) {
    auto* panel = new QFrame;
    panel->setObjectName(QString("panel%1").arg(i));
    panel->setFixedWidth(196);
    panel->setStyleSheet(QString("QFrame#panel%1{background:#232a35; border:1px solid #3b4556;"
                                 "border-top:4px solid %2; border-radius:6px;}"
                                 "QFrame#panel%1 QLabel{background:transparent;}")
                             .arg(i)
                             .arg(kSideColour[i]));
    auto* v = new QVBoxLayout(panel);
    const size_t k = static_cast<size_t>(i);

    dspName[k] = new QLabel;
    dspName[k]->setObjectName(QString("dspName%1").arg(i));
    dspName[k]->setWordWrap(true);
    dspName[k]->setStyleSheet(QString("font-size:17px; font-weight:bold; color:%1;").arg(kSideColour[i]));
    v->addWidget(dspName[k]);

    auto* turn = new QHBoxLayout;
    dspInitiative[k] = new QLabel;
    dspInitiative[k]->setObjectName(QString("dspInitiative%1").arg(i));
    dspInitiative[k]->setStyleSheet("font-weight:bold; color:#ffe3a8;");
    dspInitiative[k]->setMinimumWidth(34);
    dspAP[k] = new QLabel;
    dspAP[k]->setObjectName(QString("dspAP%1").arg(i));
    dspAP[k]->setStyleSheet("color:#f0b260;");
    turn->addWidget(dspInitiative[k]);
    turn->addWidget(dspAP[k], 1);
    v->addLayout(turn);

    dspHP[k] = new QLabel;
    dspHP[k]->setObjectName(QString("dspHP%1").arg(i));
    dspHP[k]->setStyleSheet("font-size:13px; color:#ffffff;");
    v->addWidget(dspHP[k]);

    dspJoutai[k] = new QLabel;
    dspJoutai[k]->setObjectName(QString("dspJoutai%1").arg(i));
    dspJoutai[k]->setStyleSheet("font-weight:bold; color:#ff9a60;");
    dspJoutai[k]->setMinimumHeight(36);
    dspJoutai[k]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    v->addWidget(dspJoutai[k]);

    auto* abilities = new QFrame;
    abilities->setObjectName("detail");
    auto* grid = new QHBoxLayout(abilities);
    auto* titles = new QLabel(q(ablTitles()));
    titles->setObjectName(QString("lblAbl%1").arg(i));
    titles->setStyleSheet("color:#8ea2bd;");
    dspAbl[k] = new QLabel;
    dspAbl[k]->setObjectName(QString("dspAbl%1").arg(i));
    dspAbl[k]->setAlignment(Qt::AlignRight | Qt::AlignTop);
    titles->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(titles);
    grid->addWidget(dspAbl[k], 1);
    v->addWidget(abilities);
    v->addStretch();
    return panel;
}

QWidget* FightWindow::buildLog() {
    auto* box = new QFrame;
    box->setObjectName("detail");
    auto* h = new QHBoxLayout(box);
    h->setContentsMargins(4, 4, 4, 4);
    logView = new QFrame;
    logView->setFixedHeight(kLogHeight);
    logView->setStyleSheet("background:#151a22;");
    dspMsg = new QLabel(logView);
    dspMsg->setObjectName("dspMsg");
    dspMsg->setWordWrap(true);
    dspMsg->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    dspMsg->setStyleSheet("background:transparent; font-size:13px; color:#e4e8ef; padding:4px 8px;");
    h->addWidget(logView, 1);

    auto* arrows = new QVBoxLayout;
    const char* const labels[2] = {"▼", "▲"};
    for (int i = 0; i < 2; ++i) {
        auto* b = new QPushButton(labels[i]);
        b->setObjectName(QString("Command1%1").arg(i));
        b->setFixedSize(36, 36);
        Command1[static_cast<size_t>(i)] = b;
        if (replay) {
            b->setFocusPolicy(Qt::NoFocus);
        }
        // "▼" brings later lines into view by moving the log up; "▲" moves it back down.
        connect(b, &QPushButton::clicked, this, [this, i] { scrollLog(i == 0 ? -600 : 600); });
    }
    arrows->addWidget(Command1[1]);
    arrows->addStretch();
    arrows->addWidget(Command1[0]);
    h->addLayout(arrows);
    return box;
}

void FightWindow::scrollLog(int twips) {
    dspMsg->resize(logView->width(), dspMsg->heightForWidth(logView->width()));
    // The log never leaves its box entirely: its top stays between the box's top and the point
    // where its last line sits at the bottom.
    const int lowest = std::min(0, logView->height() - dspMsg->height());
    const int y = std::clamp(dspMsg->y() + px(twips), lowest, 0);
    dspMsg->move(0, y);
}

SceneFighter FightWindow::fighterSprite(int i, const FightPicture* shown) const {
    const Fight& fight = shownFight();
    const auto sprites = vargo::scene(fight, shown);
    const FighterSprite& s = sprites[static_cast<size_t>(i)];
    const SpriteFiles files = spriteFiles(fight.fighter(i).image);
    return {files.sheet, files.mask, s.x, s.y, s.column, s.row};
}

void FightWindow::refresh() {
    const Fight& fight = shownFight();
    const FightScreen& shown = fight.screen();
    // A replay shows the HP a bout was decided with, not the HP the outcome put back.
    const FightScreen screen = replay ? replay->screen() : shown;
    if (!replay) {
        setWindowTitle(q(shown.caption.empty() ? "Fight" : shown.caption));
    }
    for (int i = 0; i < 2; ++i) {
        const size_t k = static_cast<size_t>(i);
        dspName[k]->setText(q(vargo::dspName(fight, i)));
        dspHP[k]->setText(q(vargo::dspHP(screen, i)));
        dspAbl[k]->setText(q(vargo::dspAbl(fight, i)));
        dspJoutai[k]->setText(q(vargo::dspJoutai(fight, i)));
        dspAP[k]->setText(q(shown.dspAP[k]));
        dspInitiative[k]->setText(q(shown.dspInitiative[k]));
    }
    const int origin = (kBandWidth - px(kBarRight)) / 2;
    for (int bar = 0; bar < 4; ++bar) {
        const HpBar b = vargo::barHP(screen, bar);
        const int width = px(b.width);
        // The opponent's bars keep their right end at 9500 twips exactly, whatever the rounding.
        const int left = b.rightAligned ? origin + px(kBarRight) - width : origin;
        const int top = bar < 2 ? kMotorTop : kFrameTop;
        const int height = bar < 2 ? kMotorHeight : kFrameHeight;
        QLabel* l = barHP[static_cast<size_t>(bar)];
        l->setGeometry(left, top, width, height);
        l->setVisible(width > 0);
    }
    dspSpan->setText(q(vargo::dspSpan(fight)));

    if (fight.battleLog() != shownLog) {
        shownLog = fight.battleLog();
        dspMsg->setText(q(shownLog));
        dspMsg->move(0, 0);
    }
    dspMsg->resize(logView->width(), dspMsg->heightForWidth(logView->width()));

    const bool guide = !shown.guideText.empty() && !paneGuide->property("dismissed").toBool();
    dspGuide->setText(q(shown.guideText));
    paneGuide->setVisible(guide);

    // The poses of the step one after another, then the step's end with its sparks.
    std::vector<SceneFrame> frames;
    for (size_t n = 0; n + 1 < shown.pictures.size(); ++n) {
        frames.push_back({{fighterSprite(0, &shown.pictures[n]), fighterSprite(1, &shown.pictures[n])}, {}});
    }
    const FightPicture* last = shown.pictures.empty() ? nullptr : &shown.pictures.back();
    frames.push_back({{fighterSprite(0, last), fighterSprite(1, last)}, shown.sparks});
    sceneView->play(std::move(frames));
}

void FightWindow::drawBeforePrompts(ScreenFirstPrompts& prompts) {
    prompts.setBeforePrompt([this] {
        refresh();
        sceneView->finish();
    });
}

bool FightWindow::start() {
    if (replay) {
        return true;
    }
    live->load();
    if (stepListener) {
        stepListener(*live, false);
    }
    refresh();
    return !live->closed();
}

void FightWindow::run() {
    if (start()) {
        exec();
    }
}

void FightWindow::closeIfOver() {
    if (live->closed()) {
        sceneView->finish();
        done(QDialog::Accepted);
    }
}

void FightWindow::cmdNext_Click() {
    if (replay) {
        return;
    }
    sceneView->finish();
    live->cmdNext_Click();
    if (stepListener) {
        stepListener(*live, true);
    }
    refresh();
    closeIfOver();
}

void FightWindow::cmdTap_Click() {
    if (replay) {
        return;
    }
    live->cmdTap_Click();
    refresh();
    closeIfOver();
}

// Closing the window by its frame or Escape is giving up, with the same question. A replay simply
// closes.
void FightWindow::reject() {
    if (replay) {
        playTimer->stop();
        QDialog::reject();
        return;
    }
    if (!live->closed()) {
        cmdTap_Click();
        return;
    }
    QDialog::reject();
}

void FightWindow::showReplayStep(bool animate) {
    refresh();
    if (!animate) {
        // A jump shows where the step ended at once; only a step forward plays its poses.
        sceneView->finish();
    }
    dspStep->setText(QString("ステップ %1 / %2").arg(replay->position()).arg(replay->stepCount()));
    moves[0]->setEnabled(!replay->atStart());
    moves[1]->setEnabled(!replay->atStart());
    moves[2]->setEnabled(!replay->atEnd());
    moves[3]->setEnabled(!replay->atEnd());
    cmdPlay->setEnabled(!replay->atEnd() || playing());
    cmdPlay->setText(playing() ? "一時停止" : "再生");
    QString result;
    if (replay->atEnd()) {
        const Replay& r = replay->replay();
        switch (r.end) {
            case ReplayEnd::Decided:
                result = q(r.dolls[static_cast<size_t>(r.winner)].name) + " の勝ち";
                break;
            case ReplayEnd::GaveUp:
                result = "ギブアップ";
                break;
            case ReplayEnd::Unfinished:
                result = "中断";
                break;
        }
    }
    dspResult->setText(result);
}

void FightWindow::cmdStart_Click() {
    replay->seek(0);
    showReplayStep(false);
}

void FightWindow::cmdBack_Click() {
    replay->seek(replay->position() - 1);
    showReplayStep(false);
}

void FightWindow::cmdForward_Click() {
    sceneView->finish();
    if (!replay->step()) {
        return;
    }
    if (replay->atEnd()) {
        playTimer->stop();
    }
    showReplayStep(true);
}

void FightWindow::cmdEnd_Click() {
    replay->seek(replay->stepCount());
    showReplayStep(false);
}

bool FightWindow::playing() const {
    return playTimer && playTimer->isActive();
}

void FightWindow::cmdPlay_Click() {
    if (playing()) {
        playTimer->stop();
    } else if (!replay->atEnd()) {
        playTimer->start();
    }
    showReplayStep(false);
}

void FightWindow::setSpeed(int index) {
    if (index >= 0 && index < static_cast<int>(kStepIntervalsMs.size())) {
        playTimer->setInterval(kStepIntervalsMs[static_cast<size_t>(index)]);
        cmbSpeed->setCurrentIndex(index);
    }
}

void FightWindow::keyPressEvent(QKeyEvent* event) {
    if (!replay) {
        QDialog::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
        case Qt::Key_Left:
            cmdBack_Click();
            break;
        case Qt::Key_Right:
            cmdForward_Click();
            break;
        case Qt::Key_Home:
            cmdStart_Click();
            break;
        case Qt::Key_End:
            cmdEnd_Click();
            break;
        case Qt::Key_Space:
            cmdPlay_Click();
            break;
        default:
            QDialog::keyPressEvent(event);
            return;
    }
    event->accept();
}

bool FightWindow::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == paneGuide || watched == dspGuide) && event->type() == QEvent::MouseButtonPress) {
        paneGuide->setProperty("dismissed", true);
        paneGuide->hide();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

std::vector<BoutRecord> runFightWindow(Game& game, Random& rng, Prompts& prompts, Commander& commander,
                                       EnemySource& enemies, Sound& sound, FightMode mode,
                                       std::optional<DollClass> tournamentClass, QWidget* parent) {
    // Every bout the player watches is kept as a replay in the game folder.
    ReplayStore replays(game.folder);
    ReplayRecorder recorder(rng, commander, storeSink(replays, prompts, game.gameDate));
    // The step that decided a bout is drawn before its result is told over it.
    ScreenFirstPrompts told(prompts);
    Fight fight(game, recorder.random(), told, recorder.commander(), enemies, &sound);
    fight.setRecorder(&recorder);
    fight.setMode(mode);
    if (tournamentClass) {
        fight.setClass(*tournamentClass);
    }
    FightWindow window(fight, game.folder, parent);
    window.drawBeforePrompts(told);
    BoutReports reports;
    window.setStepListener([&reports](const Fight& f, bool step) { reports.take(f, step); });
    window.run();
    recorder.finish(fight);
    return reports.bouts();
}

}  // namespace vargo
