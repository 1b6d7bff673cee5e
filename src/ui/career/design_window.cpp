#include "ui/career/design_window.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "battle/fight.h"
#include "career/workshop_actions.h"
#include "model/numbers.h"
#include "ports/prompts.h"
#include "ui/picture_density_qt.h"
#include "ui/qt_text.h"
#include "ui/widgets/enter_row_widget.h"

namespace vargo {
namespace {

QString plain(double x) {
    std::string s = Str(x);
    return q(s.substr(s[0] == ' ' ? 1 : 0));
}

QLabel* caption(const QString& text) {
    auto* l = new QLabel(text);
    l->setObjectName("caption");
    return l;
}

const char* const kParamNames[] = {"POW", "OF",     "DF", "Move",   "Jump", "Spin",
                                   "AC",  "Weight", "AP", "Memory", "Value"};

}  // namespace

DesignWindow::DesignWindow(Game& g, Prompts& p, Sound& sound, WorkshopActions& a, QWidget* parent)
    : QMainWindow(parent), game(g), actions(a), workshop(g, p, sound), assembly(g, p) {
    setObjectName("Design");
    setWindowTitle("DollDesign");
    buildMenus();
    workshop.setAutosaver(actions.autosaver());
    // The estimate beside the tournament's entry question, unless the player plays blind.
    workshop.setTournamentEstimate([this](DollClass c) {
        return actions.estimatesShown() ? actions.tournamentEstimate(c) : std::string();
    });

    auto* central = new QWidget;
    auto* outer = new QVBoxLayout(central);

    auto* header = new QFrame;
    header->setObjectName("header");
    auto* headerRow = new QHBoxLayout(header);
    auto* title = new QLabel("VARGO  工房");
    title->setObjectName("title");
    dspDate = new QLabel;
    dspDate->setObjectName("dspDate");
    dspMoney = new QLabel;
    dspMoney->setObjectName("dspMoney");
    dspClass = new QLabel;
    dspClass->setObjectName("dspClass");
    headerRow->addWidget(title);
    headerRow->addStretch();
    headerRow->addWidget(caption("日付"));
    headerRow->addWidget(dspDate);
    headerRow->addSpacing(18);
    headerRow->addWidget(caption("所持金"));
    headerRow->addWidget(dspMoney);
    headerRow->addSpacing(18);
    headerRow->addWidget(caption("クラス"));
    headerRow->addWidget(dspClass);
    outer->addWidget(header);

    auto* columns = new QHBoxLayout;
    columns->addWidget(buildAssembly(), 3);
    columns->addWidget(buildDollPanel(), 4);
    columns->addWidget(buildCommands(), 2);
    outer->addLayout(columns, 1);

    paneGuide = new QFrame;
    paneGuide->setObjectName("paneGuide");
    auto* guideRow = new QHBoxLayout(paneGuide);
    dspGuide = new QLabel;
    dspGuide->setObjectName("dspGuide");
    dspGuide->setWordWrap(true);
    guideRow->addWidget(dspGuide);
    paneGuide->installEventFilter(this);
    dspGuide->installEventFilter(this);
    paneGuide->setCursor(Qt::PointingHandCursor);
    paneGuide->setToolTip("クリックで閉じる");
    outer->addWidget(paneGuide);

    // The workshop is a main window, not a dialog, so its buttons would answer only Space; a
    // keyboard player presses Enter on the focused command as everywhere else in the game.
    for (auto* b : central->findChildren<QPushButton*>()) {
        b->setAutoDefault(true);
    }
    setCentralWidget(central);
    resize(1180, 760);
}

DesignWindow::~DesignWindow() = default;

void DesignWindow::buildMenus() {
    auto add = [this](QMenu* menu, const char* name, const QString& text, const QKeySequence& key,
                      void (DesignWindow::*slot)()) {
        QAction* act = menu->addAction(text);
        act->setObjectName(name);
        if (!key.isEmpty()) {
            act->setShortcut(key);
        }
        connect(act, &QAction::triggered, this, slot);
        return act;
    };
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("mnFile");
    add(file, "mnSave", "&Save", QKeySequence::Save, &DesignWindow::onSave);
    add(file, "mnLoad", "&Load", QKeySequence::Open, &DesignWindow::onLoad);
    add(file, "mnStart", "S&tart", QKeySequence(), &DesignWindow::onStart);
    file->addSeparator();
    // Ctrl+Q by name: the desktop's standard Quit key is empty on some platforms (Windows' scheme).
    add(file, "mnEnd", "&Quit", QKeySequence(Qt::CTRL | Qt::Key_Q), &DesignWindow::onQuit);

    QMenu* info = menuBar()->addMenu("&Infomation");
    info->setObjectName("mnInfo");
    QAction* chr = info->addAction("&Character");
    chr->setObjectName("mnChar");
    connect(chr, &QAction::triggered, this, [this] { workshop.mnChar(); });
    QAction* rec = info->addAction("&Record");
    rec->setObjectName("mnRec");
    connect(rec, &QAction::triggered, this, [this] { workshop.mnRec(); });
    QAction* career = info->addAction("C&areer");
    career->setObjectName("mnCareer");
    career->setShortcut(QKeySequence("Ctrl+K"));
    connect(career, &QAction::triggered, this, [this] { actions.openCareerChart(false); });
    QAction* report = info->addAction("&FightReport");
    report->setObjectName("mnFightReport");
    report->setShortcut(QKeySequence("Ctrl+R"));
    connect(report, &QAction::triggered, this, [this] { actions.openFightReport(); });
    QAction* replays = info->addAction("Re&play");
    replays->setObjectName("mnReplay");
    replays->setShortcut(QKeySequence("Ctrl+L"));
    connect(replays, &QAction::triggered, this, [this] { actions.openReplays(); });

    QMenu* edit = menuBar()->addMenu("&Edit");
    edit->setObjectName("mnEdit");
    add(edit, "mnLdDuel", "Load&AsDuelist", QKeySequence(), &DesignWindow::onLoadDuelist);
    QAction* entry = edit->addAction("&EntryAsEnemy");
    entry->setObjectName("mnEntry");
    connect(entry, &QAction::triggered, this, [this] { workshop.mnEntry(actions); });
    QAction* del = edit->addAction("&DelEnemy");
    del->setObjectName("mnDel");
    connect(del, &QAction::triggered, this, [this] { actions.openEnemyList(); });

    QMenu* system = menuBar()->addMenu("S&ystem");
    system->setObjectName("mnSystem");
    mnBGM = system->addAction("&BGM");
    mnBGM->setObjectName("mnBGM");
    mnBGM->setCheckable(true);
    connect(mnBGM, &QAction::triggered, this, [this] {
        workshop.mnBGM();
        mnBGM->setChecked(game.playMusic);
    });
    mnGuide = system->addAction("&Guide");
    mnGuide->setObjectName("mnGuide");
    mnGuide->setCheckable(true);
    connect(mnGuide, &QAction::triggered, this, [this] {
        workshop.mnGuide();
        mnGuide->setChecked(game.guideOn);
        showGuide();
    });
    mnEstimates = system->addAction("&Estimates");
    mnEstimates->setObjectName("mnEstimates");
    mnEstimates->setCheckable(true);
    mnEstimates->setToolTip("トーナメント参加前に推定勝率を表示する");
    mnEstimates->setChecked(actions.estimatesShown());
    connect(mnEstimates, &QAction::triggered, this, [this](bool on) { actions.setEstimatesShown(on); });
    QMenu* volume = system->addMenu("&Volume");
    volume->setObjectName("mnVolume");
    volume->setToolTip("ＢＧＭと効果音の音量");
    auto* levels = new QActionGroup(volume);
    for (int percent : {100, 75, 50, 25}) {
        QAction* level = volume->addAction(QString("%1%").arg(percent));
        level->setObjectName(QString("mnVolume%1").arg(percent));
        level->setCheckable(true);
        level->setChecked(actions.volume() == percent);
        levels->addAction(level);
        connect(level, &QAction::triggered, this, [this, percent] { actions.setVolume(percent); });
    }
    QAction* ver = system->addAction("&Version");
    ver->setObjectName("mnVer");
    connect(ver, &QAction::triggered, this, [this] { workshop.mnVer(); });
}

QWidget* DesignWindow::buildAssembly() {
    auto* box = new QGroupBox("パーツ");
    auto* col = new QVBoxLayout(box);
    cmbParts = new QComboBox;
    cmbParts->setObjectName("cmbParts");
    for (const auto& name : Assembly::kindNames()) {
        cmbParts->addItem(q(name));
    }
    col->addWidget(cmbParts);
    ListPart = new QListWidget;
    ListPart->setObjectName("ListPart");
    col->addWidget(ListPart, 1);

    auto* detail = new QFrame;
    detail->setObjectName("detail");
    auto* dcol = new QVBoxLayout(detail);
    detailTitle = new QLabel;
    detailTitle->setObjectName("detailTitle");
    detailBody = new QLabel;
    detailBody->setObjectName("detailBody");
    detailBody->setTextFormat(Qt::RichText);
    dcol->addWidget(detailTitle);
    dcol->addWidget(detailBody);
    dcol->addStretch();
    detail->setMinimumHeight(190);
    col->addWidget(detail);

    connect(cmbParts, &QComboBox::currentIndexChanged, this, [this] { dspParts(); });
    auto pick = [this](int row) {
        assembly.pick(cmbParts->currentIndex(), row);
        QString rows;
        for (const auto& line : assembly.detail()) {
            rows += QString("<tr><td>%1</td><td align=right>&nbsp;&nbsp;%2</td></tr>")
                        .arg(q(line.label).toHtmlEscaped(), q(line.value).toHtmlEscaped());
        }
        detailTitle->setText(q(assembly.detailName()));
        detailBody->setText("<table>" + rows + "</table>");
        dspDoll();
        refreshEditable();
    };
    connect(ListPart, &QListWidget::itemClicked, this,
            [this, pick](QListWidgetItem* item) { pick(ListPart->row(item)); });
    EnterRow::attach(ListPart, pick);
    return box;
}

QWidget* DesignWindow::buildDollPanel() {
    auto* box = new QGroupBox("ドール");
    auto* grid = new QGridLayout(box);
    picture = new QLabel;
    picture->setObjectName("dspDollImg");
    picture->setFixedSize(240, 240);
    picture->setAlignment(Qt::AlignCenter);
    grid->addWidget(picture, 0, 0, 4, 1);

    dollName = new QLabel;
    dollName->setObjectName("dspDollName");
    grid->addWidget(dollName, 0, 1, 1, 2);
    const char* partCaptions[] = {"", "モーター", "フレーム", "コンピュータ"};
    for (int i = 1; i <= 3; ++i) {
        grid->addWidget(caption(partCaptions[i]), i, 1);
        dspPart[i] = new QLabel;
        dspPart[i]->setObjectName(QString("dspPart%1").arg(i));
        dspPart[i]->setMinimumWidth(150);
        grid->addWidget(dspPart[i], i, 2);
    }

    auto list = [](const char* name, int rows) {
        auto* l = new QListWidget;
        l->setObjectName(name);
        l->setFocusPolicy(Qt::NoFocus);
        l->setSelectionMode(QAbstractItemView::NoSelection);
        l->setMinimumHeight(rows * 22 + 6);
        return l;
    };
    ListBoost = list("ListBoost", 4);
    ListP = list("ListP", 4);
    ListSoft = list("ListSoft", 3);
    grid->addWidget(caption("ブースター"), 4, 0);
    grid->addWidget(ListBoost, 5, 0);
    grid->addWidget(caption("プロテクタ"), 4, 1, 1, 2);
    grid->addWidget(ListP, 5, 1, 1, 2);
    grid->addWidget(caption("ソフトウェア"), 6, 0, 1, 3);
    grid->addWidget(ListSoft, 7, 0, 1, 3);

    auto* nameRow = new QHBoxLayout;
    impDollName = new QLineEdit;
    impDollName->setObjectName("impDollName");
    impDollName->setPlaceholderText("ドールの名前");
    impDollName->setMaxLength(30);
    auto* regist = new QPushButton("&Regist");
    regist->setObjectName("Command1");
    regist->setToolTip("名前の登録");
    nameRow->addWidget(impDollName, 1);
    nameRow->addWidget(regist);
    grid->addLayout(nameRow, 8, 0, 1, 3);
    connect(regist, &QPushButton::clicked, this, [this] {
        if (assembly.regist(impDollName->text().toStdString())) {
            dspDoll();
        }
    });
    connect(impDollName, &QLineEdit::returnPressed, regist, &QPushButton::click);
    return box;
}

QWidget* DesignWindow::buildCommands() {
    auto* col = new QVBoxLayout;
    auto* paramsBox = new QGroupBox("性能");
    params = new QGridLayout(paramsBox);
    int row = 0;
    for (const char* name : kParamNames) {
        params->addWidget(caption(name), row, 0);
        auto* v = new QLabel;
        v->setObjectName(QString("param") + name);
        v->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        params->addWidget(v, row, 1);
        paramValues.push_back(v);
        ++row;
    }
    col->addWidget(paramsBox);

    auto button = [this, col](const char* name, const QString& text, const QString& tip,
                              void (DesignWindow::*slot)()) {
        auto* b = new QPushButton(text);
        b->setObjectName(name);
        if (!tip.isEmpty()) {
            b->setToolTip(tip);
        }
        b->setMinimumHeight(34);
        connect(b, &QPushButton::clicked, this, slot);
        col->addWidget(b);
        return b;
    };
    cmdWork = button("cmdWork", "&Work", "時間を進める", &DesignWindow::onWork);
    cmdDuel = button("cmdDuel", "&Duel", "対戦", &DesignWindow::onDuel);
    cmdStreet = button("cmdStreet", "Si&mulate", "シミュレーション", &DesignWindow::onStreet);
    cmdLab = button("cmdLab", "&Lab", "Dollラボ：登録された敵との相性を調べる", &DesignWindow::onLab);
    cmdTornament = button("cmdTornament", "&Tornament", "トーナメント参加", &DesignWindow::onTornament);
    cmdShop = button("cmdShop", "S&hop", "", &DesignWindow::onShop);
    cmdProgram = button("cmdProgram", "&Program", "プログラム", &DesignWindow::onProgram);
    cmdReplay = button("cmdReplay", "Repl&ay", "記録した試合を再生", &DesignWindow::onReplay);
    auto* clear = new QPushButton("All&Clear");
    clear->setObjectName("cmdClear");
    connect(clear, &QPushButton::clicked, this, [this] {
        assembly.cmdClear();
        dspDoll();
        refreshEditable();
    });
    col->addSpacing(8);
    col->addWidget(clear);
    col->addStretch();
    auto* w = new QWidget;
    w->setLayout(col);
    return w;
}

void DesignWindow::openGame(std::optional<int> loadSvNum) {
    if (!loadSvNum) {
        workshop.openNewGame();
        mnBGM->setChecked(true);
        init();
        actions.openShop();
        workshop.workshopMusic();
    } else {
        actions.loadGame(*loadSvNum);
        workshop.openLoadedGame();
        mnBGM->setChecked(game.playMusic);
    }
    mnGuide->setChecked(game.guideOn);
    init();
}

void DesignWindow::init() {
    cmbParts->blockSignals(true);
    cmbParts->setCurrentIndex(0);
    cmbParts->blockSignals(false);
    dspParts();
    dspDate->setText(q(game.gameDate.format()));
    detailTitle->clear();
    detailBody->clear();
    impDollName->setText(q(game.theDoll(0).name));
    dspDoll();
    refreshEditable();
    showGuide();
    cmdDuel->setToolTip("対戦");
    mnBGM->setChecked(game.playMusic);
    mnGuide->setChecked(game.guideOn);
}

void DesignWindow::dspParts() {
    ListPart->clear();
    int widest = 0;
    for (const auto& row : assembly.dspParts(cmbParts->currentIndex())) {
        ListPart->addItem(q(row));
        widest = std::max(widest, ListPart->fontMetrics().horizontalAdvance(q(row)));
    }
    // A part's name is never cut, even at the window's smallest: the list is at least as wide as
    // the longest name it has shown, with its padding, frame and scroll bar.
    const int needed =
        widest + 2 * ListPart->frameWidth() + 12 + ListPart->verticalScrollBar()->sizeHint().width();
    if (needed > ListPart->minimumWidth()) {
        ListPart->setMinimumWidth(needed);
    }
}

void DesignWindow::dspDoll() {
    const DollPanel& p = assembly.dspDoll();
    dollName->setText(q(p.name));
    for (int i = 1; i <= 3; ++i) {
        const std::string& n = i == 1 ? p.motorName : i == 2 ? p.frameName : p.hardName;
        dspPart[i]->setText(n.empty() ? "--" : q(n));
    }
    ListBoost->clear();
    for (const auto& b : p.boosters) {
        ListBoost->addItem(q(b));
    }
    ListP->clear();
    for (const auto& pr : p.protectors) {
        ListP->addItem(q(pr));
    }
    ListSoft->clear();
    const char* kindTags[] = {"移動", "攻撃", "防御"};
    for (const auto& s : p.software) {
        auto* item = new QListWidgetItem(QString("[%1] %2").arg(kindTags[s.kind], q(s.name)));
        item->setData(Qt::UserRole, s.kind);
        ListSoft->addItem(item);
    }
    const QString values[] = {QString::number(p.pow),
                              QString::number(p.offence),
                              QString::number(p.defence),
                              QString::number(p.move),
                              QString::number(p.jump),
                              QString::number(p.spin),
                              plain(p.AC),
                              plain(p.weight),
                              QString::number(p.AP),
                              QString::number(p.Memory),
                              QString::number(p.value)};
    for (size_t i = 0; i < paramValues.size(); ++i) {
        paramValues[i]->setText(values[i]);
    }
    dspClass->setText(q(p.dollClass));
    dspMoney->setText(QString("%1 Rl").arg(game.owner(0).Rl));
    if (!p.picture.empty()) {
        const QPixmap pix = loadPixmap(game.folder, p.picture, picture->devicePixelRatioF());
        if (!pix.isNull()) {
            picture->setPixmap(fitPicture(pix, picture->size()));
        }
    }
}

void DesignWindow::refreshEditable() {
    cmdProgram->setEnabled(assembly.programEnabled());
    bool fight = assembly.fightEnabled();
    cmdDuel->setEnabled(fight);
    cmdTornament->setEnabled(fight);
    cmdStreet->setEnabled(fight);
    cmdLab->setEnabled(fight);
}

void DesignWindow::showGuide() {
    std::string text = workshop.guideText();
    dspGuide->setText(guideLabelText(text));
    paneGuide->setVisible(!text.empty());
}

bool DesignWindow::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == paneGuide || watched == dspGuide) && event->type() == QEvent::MouseButtonRelease) {
        workshop.clickGuide();
        paneGuide->hide();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void DesignWindow::restartMusic() {
    workshop.workshopMusic();
}

// The battle window and the report that follows it take the keyboard; without taking it back,
// Ctrl+Q and the menus' Alt keys would say nothing until the player clicked the workshop.
void DesignWindow::takeFocusBack(QWidget* control) {
    if (closingForGood || !isVisible()) {
        return;
    }
    raise();
    activateWindow();
    (control->isEnabled() ? control : ListPart)->setFocus(Qt::OtherFocusReason);
}

void DesignWindow::afterCalendarStep() {
    dspDate->setText(q(game.gameDate.format()));
    if (workshop.careerOver()) {
        workshop.Ending();
        actions.openCareerChart(true);
        closingForGood = true;
        workshop.stopMusic();
        // The start window shows before this one closes, so the application never sees a moment
        // without a window and quits.
        actions.backToStart();
        close();
    }
}

void DesignWindow::onWork() {
    if (workshop.cmdWork()) {
        init();
        afterCalendarStep();
    }
}

void DesignWindow::onDuel() {
    if (workshop.cmdDuel()) {
        actions.runFight(FightMode::Duel);
        restartMusic();
        init();
        takeFocusBack(cmdDuel);
    }
}

void DesignWindow::onStreet() {
    if (workshop.cmdStreet()) {
        actions.runFight(FightMode::Street);
        restartMusic();
        init();
        takeFocusBack(cmdStreet);
    }
}

void DesignWindow::onLab() {
    actions.openLab();
}

void DesignWindow::onTornament() {
    std::optional<DollClass> entered =
        workshop.cmdTornament([this](int limit) { return actions.countTekiDoll(limit); });
    if (!entered) {
        return;
    }
    actions.runFight(FightMode::Tornament, entered);
    workshop.afterTournament();
    restartMusic();
    init();
    afterCalendarStep();
    takeFocusBack(cmdTornament);
}

void DesignWindow::onShop() {
    workshop.cmdShop(actions);
    restartMusic();
    init();
}

void DesignWindow::onProgram() {
    workshop.cmdProgram(actions);
    init();
}

void DesignWindow::onReplay() {
    actions.openReplays();
}

void DesignWindow::onSave() {
    workshop.mnSave(actions);
}

void DesignWindow::onLoad() {
    workshop.mnLoad(actions);
    init();
}

void DesignWindow::onLoadDuelist() {
    workshop.mnLdDuel(actions);
}

void DesignWindow::onStart() {
    if (!workshop.mnStart(actions)) {
        return;
    }
    closingForGood = true;
    close();
}

void DesignWindow::onQuit() {
    close();
}

void DesignWindow::closeEvent(QCloseEvent* event) {
    if (closingForGood || workshop.mnEnd()) {
        event->accept();
        return;
    }
    event->ignore();
}

}  // namespace vargo
