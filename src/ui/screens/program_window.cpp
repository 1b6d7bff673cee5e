#include "ui/screens/program_window.h"

#include <QApplication>
#include <QComboBox>
#include <QDrag>
#include <QDragEnterEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>
#include <functional>

#include "model/game.h"
#include "ui/picture_density_qt.h"
#include "ui/qt_text.h"
#include "ui/widgets/click_label_widget.h"

namespace vargo {

namespace {
constexpr int kTile = 28;
constexpr int kShown = 36;
// Lines the guide pane keeps room for, whichever page it shows or whether it shows at all, so the
// grid below the palette never moves under the pointer.
constexpr int kGuideLines = 6;

// The keyboard's marks and the warnings, on top of the game's theme: the cursor amber like every
// focus in the game, the held chip blue, a warned figure red.
const char* const kEditorStyle = R"(
QGroupBox:focus { border: 1px solid #f0b260; }
QGroupBox::title { border: none; }
QFrame[palHeld="true"] { border: 2px solid #5cb8e6; border-radius: 4px; }
QFrame[palCursor="true"] { border: 2px solid #f0b260; border-radius: 4px; }
QLabel[warning="true"], QLineEdit[warning="true"] { background: #6e2424; color: #ffe0e0;
                                                    border: 1px solid #e06060; }
QLabel#dspGuide:focus { border: 1px dashed #f0b260; }
)";

// Sets a property the style sheet selects on, and has the style look again when it changed.
void mark(QWidget* w, const char* name, bool on) {
    if (w->property(name).toBool() == on) {
        return;
    }
    w->setProperty(name, on);
    w->style()->unpolish(w);
    w->style()->polish(w);
    w->update();
}

bool isEnter(const QKeyEvent& k) {
    return k.key() == Qt::Key_Return || k.key() == Qt::Key_Enter || k.key() == Qt::Key_Space;
}

// Colours of the fallback tiles by software: movement, attack, defence.
QColor kindColour(int id) {
    if (id <= kSpin) {
        return QColor(70, 130, 200);
    }
    if (id <= kHold) {
        return QColor(200, 80, 60);
    }
    return QColor(70, 150, 90);
}
}  // namespace

/// A chip picture: hovering reports, pressing and moving starts a drag, drops are forwarded. A
/// grid cell also frames itself when it is the keyboard's cursor or its chip is in the hand.
class ChipLabel : public QLabel {
public:
    explicit ChipLabel(QWidget* parent) : QLabel(parent) {
        setMouseTracking(true);
        setFixedSize(kShown, kShown);
        setScaledContents(true);
    }
    std::function<void()> onHover;
    std::function<void()> onPress;
    std::function<QString()> payload;
    std::function<void(const QString&)> onDrop;

    /// The cursor frame: 0 none, 1 the grid does not have the keyboard, 2 it has.
    void setMarks(int cursorLevel, bool held) {
        if (cursorLevel == cursor && held == holding) {
            return;
        }
        cursor = cursorLevel;
        holding = held;
        setProperty("keyCursor", cursor);
        setProperty("inHand", holding);
        update();
    }

protected:
    void mousePressEvent(QMouseEvent* e) override {
        pressPos = e->position().toPoint();
        if (onPress) {
            onPress();
        }
        if (onHover) {
            onHover();
        }
    }
    void paintEvent(QPaintEvent* e) override {
        QLabel::paintEvent(e);
        if (cursor == 0 && !holding) {
            return;
        }
        // The held chip's blue frame sits inside the cursor's amber one when both are on a cell.
        QPainter p(this);
        p.setBrush(Qt::NoBrush);
        const QRectF outer = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
        if (holding) {
            p.setPen(QPen(QColor(92, 184, 230), 3));
            p.drawRect(cursor == 0 ? outer : outer.adjusted(3, 3, -3, -3));
        }
        if (cursor == 2) {
            p.setPen(QPen(QColor(240, 178, 96), 3));
            p.drawRect(outer);
        } else if (cursor == 1) {
            p.setPen(QPen(QColor(240, 178, 96, 160), 1, Qt::DashLine));
            p.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
        }
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (!(e->buttons() & Qt::LeftButton)) {
            if (onHover) {
                onHover();
            }
            return;
        }
        if (!payload ||
            (e->position().toPoint() - pressPos).manhattanLength() < QApplication::startDragDistance()) {
            return;
        }
        QString text = payload();
        if (text.isEmpty()) {
            return;
        }
        auto* mime = new QMimeData;
        mime->setData(ProgramWindow::kChipMime, text.toUtf8());
        auto* drag = new QDrag(this);
        drag->setMimeData(mime);
        drag->setPixmap(pixmap());
        drag->setHotSpot(QPoint(kShown / 2, kShown / 2));
        drag->exec(Qt::MoveAction | Qt::CopyAction);
    }
    void dragEnterEvent(QDragEnterEvent* e) override {
        if (onDrop && e->mimeData()->hasFormat(ProgramWindow::kChipMime)) {
            e->acceptProposedAction();
        }
    }
    void dragMoveEvent(QDragMoveEvent* e) override {
        if (onDrop && e->mimeData()->hasFormat(ProgramWindow::kChipMime)) {
            e->acceptProposedAction();
        }
    }
    void dropEvent(QDropEvent* e) override {
        if (onDrop && e->mimeData()->hasFormat(ProgramWindow::kChipMime)) {
            e->acceptProposedAction();
            onDrop(QString::fromUtf8(e->mimeData()->data(ProgramWindow::kChipMime)));
        }
    }

private:
    QPoint pressPos;
    int cursor = 0;
    bool holding = false;
};

void ProgramWindow::loadTiles(const Game& game) {
    const qreal ratio = devicePixelRatioF();
    const QPixmap strip = loadPixmap(game.folder, "img/icon0.bmp", ratio);
    // The strip's own pixels: a 2x strip has 56 x 56 tiles, shown at the same 36 x 36 as the 1x ones.
    const qreal density = strip.devicePixelRatio();
    const int tile = qRound(kTile * density);
    for (int k = 0; k < 13; ++k) {
        if (!strip.isNull() && strip.width() >= tile * (k + 1)) {
            QPixmap t = strip.copy(tile * k, 0, tile, tile);
            t.setDevicePixelRatio(density);
            tiles[static_cast<size_t>(k)] = t;
            continue;
        }
        // Without the strip the chips still say what they are, drawn at the screen's density.
        QPixmap pm(QSize(kShown, kShown) * ratio);
        pm.setDevicePixelRatio(ratio);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        QRectF r(1, 1, kShown - 2, kShown - 2);
        if (k < ProgramEditor::kActions) {
            p.setBrush(kindColour(k + 1));
            p.setPen(Qt::black);
            p.drawRoundedRect(r, 5, 5);
            p.setPen(Qt::white);
            QFont f = p.font();
            f.setPixelSize(11);
            f.setBold(true);
            p.setFont(f);
            p.drawText(r, Qt::AlignCenter | Qt::TextWordWrap, q(ProgramEditor::actionName(k + 1)));
        } else if (k == ProgramEditor::kTrashTile) {
            p.setBrush(QColor(150, 150, 150));
            p.setPen(Qt::black);
            p.drawRect(QRectF(9, 10, 18, 22));
            p.drawRect(QRectF(6, 6, 24, 4));
        } else {
            p.setBrush(QColor(235, 235, 235));
            p.setPen(QColor(170, 170, 170));
            p.drawRect(r);
        }
        tiles[static_cast<size_t>(k)] = pm;
    }
}

QPixmap ProgramWindow::tile(int k) const {
    return tiles.at(static_cast<size_t>(k));
}

ProgramWindow::ProgramWindow(Game& game, Prompts& prompts, QWidget* parent)
    : QDialog(parent), logic(game, prompts) {
    setObjectName("Program");
    setWindowTitle("Program");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setMouseTracking(true);
    setStyleSheet(kEditorStyle);
    loadTiles(game);
    auto* top = new QVBoxLayout(this);
    // The palette and the grid are drawn at their own size: a larger window would only stretch
    // chips and name boxes apart, so the editor keeps the size its contents ask for.
    top->setSizeConstraint(QLayout::SetFixedSize);

    // Palette, trash, software and the Doll's figures. The palette and the grid each take the
    // keyboard as one control; the window's filter turns their keys into cursor moves and drops.
    auto* upper = new QHBoxLayout;
    palette = new QGroupBox("基本行動（数字は使用行動力：使用メモリ）", this);
    palette->setObjectName("palette");
    palette->setFocusPolicy(Qt::StrongFocus);
    palette->installEventFilter(this);
    auto* paletteGrid = new QGridLayout(palette);
    paletteGrid->setSpacing(4);
    for (int id = 1; id <= ProgramEditor::kActions; ++id) {
        auto* frame = new QFrame(palette);
        frame->setObjectName(ProgramEditor::frameName(id));
        frame->setFrameShape(QFrame::StyledPanel);
        frame->setToolTip("ドラッグして行動パターンのところでドロップして下さい");
        frame->setMouseTracking(true);
        frame->setProperty("actionId", id);
        frame->installEventFilter(this);
        auto* v = new QVBoxLayout(frame);
        v->setContentsMargins(4, 4, 4, 4);
        v->setSpacing(2);
        auto* name = new QLabel(q(ProgramEditor::actionName(id)), frame);
        name->setAlignment(Qt::AlignCenter);
        auto* chip = new ChipLabel(frame);
        chip->setObjectName(QString("dspAchip_%1").arg(id - 1));
        chip->setPixmap(tile(id - 1));
        chip->setCursor(Qt::OpenHandCursor);
        chip->onHover = [this, id] {
            logic.hoverPalette(id);
            showHelp();
        };
        chip->onPress = [this, id] {
            logic.setPaletteCursor(id);
            refresh();
        };
        chip->payload = [id] { return QString("p:%1").arg(id); };
        auto* cost = new ClickLabel(q(logic.chipCost(id)), frame);
        cost->setObjectName(QString("dspAbl_%1").arg(id - 1));
        cost->setAlignment(Qt::AlignCenter);
        connect(cost, &ClickLabel::hovered, this, [this, id] {
            logic.hoverFrame(id);
            showHelp();
        });
        v->addWidget(name);
        v->addWidget(chip, 0, Qt::AlignHCenter);
        v->addWidget(cost);
        paletteGrid->addWidget(frame, 0, id - 1);
        frames[static_cast<size_t>(id - 1)] = frame;
        chips[static_cast<size_t>(id - 1)] = chip;
    }
    upper->addWidget(palette);

    auto* side = new QGridLayout;
    auto* trash = new ChipLabel(this);
    trash->setObjectName("dspTrash");
    trash->setPixmap(tile(ProgramEditor::kTrashTile));
    trash->setToolTip("ゴミ箱");
    trash->setAcceptDrops(true);
    trash->onHover = [this] {
        logic.hoverTrash();
        showHelp();
    };
    trash->onDrop = [this](const QString& payload) { dropChip(payload, -1); };
    side->addWidget(new QLabel("ゴミ箱", this), 0, 0);
    side->addWidget(trash, 0, 1);
    side->addWidget(new QLabel("Dollの行動力", this), 1, 0);
    auto* dspDollAP = new QLabel(q(logic.dollAPText()), this);
    dspDollAP->setObjectName("dspDollAP");
    side->addWidget(dspDollAP, 1, 1);
    side->addWidget(new QLabel("コンピュータの総メモリ", this), 2, 0);
    auto* dspDollMem = new QLabel(q(logic.dollMemText()), this);
    dspDollMem->setObjectName("dspDollMem");
    side->addWidget(dspDollMem, 2, 1);
    upper->addLayout(side);
    top->addLayout(upper);

    auto* softs = new QHBoxLayout;
    softs->addWidget(new QLabel("使用ソフト", this));
    for (int i = 0; i < 3; ++i) {
        auto* cmb = new QComboBox(this);
        cmb->setObjectName(QString("cmbSoft_%1").arg(i));
        cmb->addItem(q(logic.softName(i)));
        cmb->setToolTip("ソフトの切替はできません");
        cmb->setFocusPolicy(Qt::NoFocus);
        cmb->setMinimumWidth(fontMetrics().horizontalAdvance(QString(12, QChar(0x3042))));
        softs->addWidget(cmb);
    }
    softs->addStretch();
    top->addLayout(softs);

    // The grid of patterns.
    gridBox = new QGroupBox("行動パターン", this);
    gridBox->setObjectName("grid");
    gridBox->setFocusPolicy(Qt::StrongFocus);
    gridBox->installEventFilter(this);
    auto* grid = new QGridLayout(gridBox);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(4);
    grid->addWidget(new QLabel("技名", gridBox), 0, 0);
    grid->addWidget(new QLabel("必要行動力", gridBox), 0, 12);
    grid->addWidget(new QLabel("使用メモリ", gridBox), 0, 13);
    for (int p = 0; p < ProgramEditor::kPatterns; ++p) {
        auto* name = new QLineEdit(gridBox);
        name->setObjectName(QString("Text1_%1").arg(p));
        name->setMinimumWidth(fontMetrics().horizontalAdvance(QString(8, QChar(0x3042))));
        connect(name, &QLineEdit::textChanged, this, [this, p, name](const QString& t) {
            if (!logic.setPatternName(p, t.toStdString())) {
                // The refused character is not taken: the box goes back to the name the editor holds.
                const QSignalBlocker quiet(name);
                name->setText(q(logic.patternName(p)));
            }
        });
        grid->addWidget(name, p + 1, 0);
        nameBoxes[static_cast<size_t>(p)] = name;
        for (int i = 0; i < Logic::kSteps; ++i) {
            const int cell = p * Logic::kSteps + i;
            auto* c = new ChipLabel(gridBox);
            c->setObjectName(QString("dspAction_%1").arg(cell));
            c->setAcceptDrops(true);
            c->onHover = [this, cell] {
                logic.hoverCell(cell);
                showHelp();
            };
            c->onPress = [this, cell] {
                logic.setGridCursor(cell);
                refresh();
            };
            c->payload = [this, cell] {
                return logic.cellName(cell).empty() ? QString() : QString("c:%1").arg(cell);
            };
            c->onDrop = [this, cell](const QString& payload) { dropChip(payload, cell); };
            grid->addWidget(c, p + 1, i + 1);
            cells[static_cast<size_t>(cell)] = c;
        }
        auto* clear = new QPushButton("クリア", gridBox);
        clear->setObjectName(QString("cmdClear_%1").arg(p));
        clear->setAutoDefault(false);
        connect(clear, &QPushButton::clicked, this, [this, p] {
            logic.clear(p);
            refresh();
        });
        grid->addWidget(clear, p + 1, 11);
        clearButtons[static_cast<size_t>(p)] = clear;
        auto* ap = new QLabel(gridBox);
        ap->setObjectName(QString("dspAP_%1").arg(p));
        auto* mem = new QLabel(gridBox);
        mem->setObjectName(QString("dspMem_%1").arg(p));
        for (QLabel* l : {ap, mem}) {
            l->setFrameShape(QFrame::Panel);
            l->setFrameShadow(QFrame::Sunken);
            l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            l->setMinimumWidth(fontMetrics().horizontalAdvance("000000"));
            l->setFixedHeight(name->sizeHint().height());
        }
        grid->addWidget(ap, p + 1, 12);
        grid->addWidget(mem, p + 1, 13);
        apLabels[static_cast<size_t>(p)] = ap;
        memLabels[static_cast<size_t>(p)] = mem;
    }
    auto* total = new QLabel(gridBox);
    total->setObjectName("dspMem_6");
    total->setFrameShape(QFrame::Panel);
    total->setFrameShadow(QFrame::Sunken);
    total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    total->setFixedHeight(nameBoxes[0]->sizeHint().height());
    memLabels[ProgramEditor::kTotalLabel] = total;
    grid->addWidget(new QLabel("総使用メモリ", gridBox), ProgramEditor::kPatterns + 1, 11, 1, 2,
                    Qt::AlignRight);
    grid->addWidget(total, ProgramEditor::kPatterns + 1, 13);
    top->addWidget(gridBox);

    auto guide = makeGuidePane(this);
    paneGuide = guide.pane;
    dspGuide = guide.label;
    connect(guide.label, &ClickLabel::clicked, this, [this] {
        logic.guideClicked();
        refresh();
    });
    dspGuide->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    dspGuide->setFocusPolicy(Qt::TabFocus);
    dspGuide->installEventFilter(this);
    top->addWidget(paneGuide);

    auto* bottom = new QHBoxLayout;
    dspDoll = new QLabel(this);
    dspDoll->setObjectName("dspDoll");
    dspDoll->setFrameShape(QFrame::Panel);
    dspDoll->setFrameShadow(QFrame::Sunken);
    dspDoll->setMinimumHeight(fontMetrics().height() + 8);
    // A long help text is cut rather than widening the window.
    dspDoll->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    bottom->addWidget(dspDoll, 1);
    auto* registButton = new QPushButton("&Regist", this);
    registButton->setObjectName("cmdRegist");
    registButton->setAutoDefault(false);
    regist = registButton;
    connect(registButton, &QPushButton::clicked, this, [this] {
        if (logic.regist()) {
            accept();
        }
    });
    auto* cancelButton = new QPushButton("&Cancel", this);
    cancelButton->setObjectName("cmdCancel");
    cancelButton->setAutoDefault(false);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    cancel = cancelButton;
    bottom->addWidget(registButton);
    bottom->addWidget(cancelButton);
    top->addLayout(bottom);

    reserveGuideSpace();
    chainFocus();
    palette->setFocus();
    refresh();
}

void ProgramWindow::reserveGuideSpace() {
    if (!logic.guideVisible()) {
        return;  // a guide that is off never appears while the window is open
    }
    const QMargins m = paneGuide->layout()->contentsMargins();
    paneGuide->setFixedHeight(dspGuide->fontMetrics().lineSpacing() * kGuideLines + m.top() + m.bottom() +
                              2 * paneGuide->frameWidth());
    QSizePolicy keep = paneGuide->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    paneGuide->setSizePolicy(keep);
}

// Tab goes palette, grid, the names, the clear buttons, the guide, Regist and Cancel.
void ProgramWindow::chainFocus() {
    std::vector<QWidget*> order{palette, gridBox};
    order.insert(order.end(), nameBoxes.begin(), nameBoxes.end());
    order.insert(order.end(), clearButtons.begin(), clearButtons.end());
    order.push_back(dspGuide);
    order.push_back(regist);
    order.push_back(cancel);
    for (size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void ProgramWindow::dropChip(const QString& payload, int target) {
    const int n = payload.mid(2).toInt();
    if (payload.startsWith("p:")) {
        logic.hoverPalette(n);
    } else if (payload.startsWith("c:")) {
        logic.hoverCell(n);
    } else {
        return;
    }
    if (target < 0) {
        logic.dropOnTrash();
    } else {
        logic.dropOnCell(target);
    }
    refresh();
}

void ProgramWindow::refresh() {
    for (int c = 0; c < ProgramEditor::kCells; ++c) {
        const int t = logic.cellTile(c);
        cells[static_cast<size_t>(c)]->setPixmap(tile(t));
        cells[static_cast<size_t>(c)]->setProperty("tile", t);
        cells[static_cast<size_t>(c)]->setToolTip(q(logic.cellName(c)));
    }
    for (int p = 0; p < ProgramEditor::kPatterns; ++p) {
        QLineEdit* box = nameBoxes[static_cast<size_t>(p)];
        if (box->text() != q(logic.patternName(p))) {
            box->setText(q(logic.patternName(p)));
        }
        apLabels[static_cast<size_t>(p)]->setText(q(logic.apLabel(p)));
    }
    for (int p = 0; p <= ProgramEditor::kTotalLabel; ++p) {
        memLabels[static_cast<size_t>(p)]->setText(q(logic.memLabel(p)));
    }
    for (int p = 0; p < ProgramEditor::kPatterns; ++p) {
        const QString why = q(logic.apWarning(p));
        for (QWidget* w : {static_cast<QWidget*>(apLabels[static_cast<size_t>(p)]),
                           static_cast<QWidget*>(nameBoxes[static_cast<size_t>(p)])}) {
            mark(w, "warning", logic.overAP(p));
            w->setToolTip(why);
        }
    }
    QLabel* total = memLabels[ProgramEditor::kTotalLabel];
    mark(total, "warning", logic.overMemory());
    total->setToolTip(q(logic.memoryWarning()));

    // The keyboard's marks: the palette cursor while the palette has the keyboard, the held chip
    // always, the grid cursor bright while the grid has the keyboard and faint otherwise.
    const bool paletteKeys = palette->hasFocus();
    const bool gridKeys = gridBox->hasFocus();
    for (int id = 1; id <= ProgramEditor::kActions; ++id) {
        QFrame* f = frames[static_cast<size_t>(id - 1)];
        mark(f, "palCursor", paletteKeys && logic.paletteCursor() == id);
        mark(f, "palHeld", logic.heldAction() == id);
        chips[static_cast<size_t>(id - 1)]->setMarks(0, logic.heldAction() == id);
    }
    for (int c = 0; c < ProgramEditor::kCells; ++c) {
        const int level = logic.gridCursor() != c ? 0 : (gridKeys ? 2 : 1);
        cells[static_cast<size_t>(c)]->setMarks(level, logic.heldCell() == c);
    }

    paneGuide->setVisible(logic.guideVisible());
    dspGuide->setText(guideLabelText(logic.guideText()));
    if (!logic.guideVisible() && dspGuide->hasFocus()) {
        regist->setFocus();
    }
    showHelp();
}

void ProgramWindow::showHelp() {
    dspDoll->setText(q(logic.helpLine()));
}

bool ProgramWindow::paletteKey(const QKeyEvent& k) {
    switch (k.key()) {
        case Qt::Key_Left:
            logic.movePaletteCursor(-1);
            break;
        case Qt::Key_Right:
            logic.movePaletteCursor(1);
            break;
        case Qt::Key_Home:
            logic.setPaletteCursor(1);
            break;
        case Qt::Key_End:
            logic.setPaletteCursor(ProgramEditor::kActions);
            break;
        case Qt::Key_Down:
            gridBox->setFocus(Qt::TabFocusReason);
            break;
        default:
            if (!isEnter(k)) {
                return false;
            }
            logic.pickAtPaletteCursor();
            break;
    }
    refresh();
    return true;
}

bool ProgramWindow::gridKey(const QKeyEvent& k) {
    switch (k.key()) {
        case Qt::Key_Left:
            logic.moveGridCursor(0, -1);
            break;
        case Qt::Key_Right:
            logic.moveGridCursor(0, 1);
            break;
        case Qt::Key_Up:
            // Above the first pattern lies the palette.
            if (!logic.moveGridCursor(-1, 0)) {
                palette->setFocus(Qt::BacktabFocusReason);
            }
            break;
        case Qt::Key_Down:
            logic.moveGridCursor(1, 0);
            break;
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
            logic.removeAtGridCursor();
            break;
        default:
            if (!isEnter(k)) {
                return false;
            }
            logic.enterAtGridCursor();
            break;
    }
    refresh();
    return true;
}

bool ProgramWindow::eventFilter(QObject* watched, QEvent* event) {
    // The palette frames (and the action names inside them) explain their action.
    if (event->type() == QEvent::MouseMove && watched->property("actionId").isValid()) {
        logic.hoverFrame(watched->property("actionId").toInt());
        showHelp();
        return true;
    }
    const bool keyed = watched == palette || watched == gridBox;
    if (keyed && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        refresh();
    }
    if (event->type() == QEvent::KeyPress) {
        const auto& k = static_cast<const QKeyEvent&>(*event);
        if (k.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
            return QDialog::eventFilter(watched, event);
        }
        // Only keys pressed on the palette or the grid themselves: Enter left over by a name box
        // inside the grid's frame comes up to it too, and must not take or lay a chip.
        if (watched == palette && palette->hasFocus()) {
            return paletteKey(k);
        }
        if (watched == gridBox && gridBox->hasFocus()) {
            return gridKey(k);
        }
        if (watched == dspGuide && isEnter(k)) {
            logic.guideClicked();
            refresh();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Escape first lays down a chip held in the hand; with an empty hand it leaves like Cancel. Enter
// presses the button that has the keyboard.
void ProgramWindow::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier && logic.releaseHand()) {
        refresh();
        e->accept();
        return;
    }
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        if (auto* b = qobject_cast<QPushButton*>(focusWidget()); b && b->isEnabled()) {
            b->click();
            e->accept();
            return;
        }
    }
    QDialog::keyPressEvent(e);
}

void ProgramWindow::mouseMoveEvent(QMouseEvent* e) {
    logic.hoverForm();
    showHelp();
    QDialog::mouseMoveEvent(e);
}

}  // namespace vargo
