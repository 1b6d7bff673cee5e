#include "ui/screens/dialog_action_window.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "model/doll.h"
#include "ui/qt_text.h"
#include "ui/widgets/click_label_widget.h"

namespace vargo {
namespace {
// The two backgrounds say which patterns can be chosen; the text stays dark on both.
const char* const kWhite = "background:#ffffff; color:#1a1a1a;";
const char* const kGrey = "background:#c0c0c0; color:#505050;";
}  // namespace

void placeOver(QWidget* dialog, QWidget* battleWindow) {
    if (!battleWindow) {
        return;
    }
    QRect a = battleWindow->frameGeometry();
    dialog->move(a.left() + a.width() / 3, a.top() + a.height() / 3);
}

DialogActionWindow::DialogActionWindow(TechniqueChoice& c, QWidget* battleWindow)
    : QDialog(battleWindow), choice(c) {
    setObjectName("DialogAction");
    setWindowTitle("SelectAction");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* top = new QVBoxLayout(this);
    dspDollName = new QLabel(q(choice.dollName()), this);
    dspDollName->setObjectName("dspDollName");
    QFont bold = dspDollName->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    dspDollName->setFont(bold);
    top->addWidget(dspDollName);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->addWidget(new QLabel("技名", this), 0, 0);
    grid->addWidget(new QLabel("行動力", this), 0, 1);
    grid->addWidget(new QLabel("行動パターン", this), 0, 2);
    for (int i = 0; i < TechniqueChoice::kShown; ++i) {
        auto* name = new QLineEdit(this);
        name->setObjectName(QString("Text1_%1").arg(i));
        name->setReadOnly(true);
        name->setFocusPolicy(Qt::NoFocus);
        name->setMinimumWidth(fontMetrics().horizontalAdvance(QString(10, QChar(0x3042))));
        auto* cost = new QLabel(this);
        cost->setObjectName(QString("lblAP_%1").arg(i));
        cost->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        cost->setMinimumWidth(fontMetrics().horizontalAdvance("0000"));
        auto* pattern = new ClickLabel(this);
        pattern->setObjectName(QString("dspPattern_%1").arg(i));
        pattern->setFrameShape(QFrame::Panel);
        pattern->setFrameShadow(QFrame::Sunken);
        pattern->setMinimumWidth(fontMetrics().horizontalAdvance(QString(28, QChar(0x3042))));
        pattern->setMinimumHeight(name->sizeHint().height());
        pattern->setCursor(Qt::PointingHandCursor);
        pattern->setToolTip(QString("クリック、%1キー、または↑↓とEnterで選びます").arg(i + 1));
        connect(pattern, &ClickLabel::clicked, this, [this, i] { tryChoose(i); });
        grid->addWidget(name, i + 1, 0);
        grid->addWidget(cost, i + 1, 1);
        grid->addWidget(pattern, i + 1, 2);
        names[static_cast<size_t>(i)] = name;
        costs[static_cast<size_t>(i)] = cost;
        patterns[static_cast<size_t>(i)] = pattern;
    }
    grid->setColumnStretch(2, 1);
    top->addLayout(grid);

    auto guide = makeGuidePane(this, TechniqueChoice::guideText());
    paneGuide = guide.pane;
    connect(guide.label, &ClickLabel::clicked, this, [this] {
        choice.guideClicked();
        paneGuide->setVisible(choice.guideVisible());
    });
    top->addWidget(paneGuide);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* cmdCancel = new QPushButton("Cancel", this);
    cmdCancel->setObjectName("cmdCancel");
    cmdCancel->setAutoDefault(false);
    // The keys belong to the rows: Escape is Cancel, and Space or the arrows must not reach the
    // button instead.
    cmdCancel->setFocusPolicy(Qt::NoFocus);
    setFocusPolicy(Qt::StrongFocus);
    connect(cmdCancel, &QPushButton::clicked, this, &DialogActionWindow::reject);
    buttons->addWidget(cmdCancel);
    top->addLayout(buttons);

    choice.open();
    // The mark starts on the first pattern the turn's points can pay for.
    for (int i = 0; i < TechniqueChoice::kShown && cursor < 0; ++i) {
        const auto r = choice.row(i);
        if (r.white && !r.pattern.empty()) {
            cursor = i;
        }
    }
    refresh();
    placeOver(this, battleWindow);
}

void DialogActionWindow::tryChoose(int row) {
    if (choice.choose(row)) {
        accept();
    }
}

void DialogActionWindow::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key >= Qt::Key_1 && key < Qt::Key_1 + TechniqueChoice::kShown) {
        cursor = key - Qt::Key_1;
        refresh();
        tryChoose(cursor);
    } else if (key == Qt::Key_Up || key == Qt::Key_Down) {
        const int step = key == Qt::Key_Down ? 1 : TechniqueChoice::kShown - 1;
        cursor = (std::max(cursor, 0) + step) % TechniqueChoice::kShown;
        refresh();
    } else if ((key == Qt::Key_Return || key == Qt::Key_Enter) && cursor >= 0) {
        tryChoose(cursor);
    } else {
        QDialog::keyPressEvent(event);
        return;
    }
    event->accept();
}

void DialogActionWindow::refresh() {
    for (int i = 0; i < TechniqueChoice::kShown; ++i) {
        auto r = choice.row(i);
        names[static_cast<size_t>(i)]->setText(q(r.name));
        costs[static_cast<size_t>(i)]->setText(q(r.cost));
        patterns[static_cast<size_t>(i)]->setText(q(r.pattern));
        const QString mark = i == cursor ? "border:2px solid #e0902c;" : "";
        patterns[static_cast<size_t>(i)]->setStyleSheet(
            QString("QLabel{%1 padding:2px;%2}").arg(r.white ? kWhite : kGrey, mark));
        patterns[static_cast<size_t>(i)]->setProperty("selectable", r.white);
    }
    paneGuide->setVisible(choice.guideVisible());
}

// Escape and the close button reach here as well as Cancel: a slip of the key must not lose the turn.
void DialogActionWindow::reject() {
    if (choice.withdraw()) {
        QDialog::reject();
    }
}

DialogMoveWindow::DialogMoveWindow(MoveChoice& c, QWidget* battleWindow) : QDialog(battleWindow), choice(c) {
    setObjectName("dialogMove");
    setWindowTitle("移動指示");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* top = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const char* labels[] = {"距離", "状態"};
    for (int i = 0; i < 2; ++i) {
        grid->addWidget(new QLabel(labels[i], this), i, 0);
        auto* dsp = new QLabel(i == 0 ? q(choice.distanceText()) : QString(), this);
        dsp->setObjectName(QString("dsp_%1").arg(i));
        dsp->setFrameShape(QFrame::Panel);
        dsp->setFrameShadow(QFrame::Sunken);
        dsp->setMinimumWidth(fontMetrics().horizontalAdvance("00000000"));
        dsp->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(dsp, i, 1);
    }
    top->addLayout(grid);
    auto* buttons = new QHBoxLayout;
    const char* captions[] = {"接近", "離脱"};
    for (int i = 0; i < 2; ++i) {
        auto* b = new QPushButton(captions[i], this);
        b->setObjectName(QString("Command1_%1").arg(i));
        connect(b, &QPushButton::clicked, this, [this, i] {
            choice.press(i);
            done(i);
        });
        buttons->addWidget(b);
    }
    top->addLayout(buttons);
    placeOver(this, battleWindow);
}

void DialogMoveWindow::reject() {
    choice.closedByWindow();
    QDialog::reject();
}

QtCommander::QtCommander(Game& g, Prompts& p, QWidget* w) : game(g), prompts(p), battleWindow(w) {}

int QtCommander::selectTechnique(const doll& d, int playAP) {
    TechniqueChoice choice(game, prompts);
    for (int i = 0; i < TechniqueChoice::kShown; ++i) {
        choice.setLogics(d.getLogic(i), i);
    }
    choice.setDialog(d.name);
    choice.setPlayAP(playAP);
    DialogActionWindow w(choice, battleWindow);
    w.exec();
    return choice.value();
}

int QtCommander::selectMove(int span) {
    MoveChoice choice(span);
    DialogMoveWindow w(choice, battleWindow);
    w.exec();
    return choice.value();
}

}  // namespace vargo
