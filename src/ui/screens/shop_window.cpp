#include "ui/screens/shop_window.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/qt_text.h"
#include "ui/widgets/click_label_widget.h"
#include "ui/widgets/enter_row_widget.h"

namespace vargo {
ShopWindow::ShopWindow(Game& game, CatalogueReader& catalogue, Prompts& prompts, Sound* sound,
                       QWidget* parent)
    : QDialog(parent), logic(game, catalogue, prompts, sound) {
    setObjectName("Shop");
    setWindowTitle("Shop");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setMouseTracking(true);
    auto* top = new QVBoxLayout(this);

    auto* bar = new QHBoxLayout;
    bar->addWidget(new QLabel("パーツの種類", this));
    ComboShop = new QComboBox(this);
    ComboShop->setObjectName("ComboShop");
    for (const char* label : Shop::kindLabels()) {
        ComboShop->addItem(label);
    }
    ComboShop->setCurrentIndex(0);
    // Wide enough for the longest kind ("ソフト（移動）") whatever the font and scale, with room
    // for the arrow; the style sheet's padding keeps Qt's own content sizing from seeing it.
    int widestKind = 0;
    for (int i = 0; i < ComboShop->count(); ++i) {
        widestKind = std::max(widestKind, ComboShop->fontMetrics().horizontalAdvance(ComboShop->itemText(i)));
    }
    ComboShop->setMinimumWidth(widestKind + 2 * ComboShop->fontMetrics().height() + 12);
    ComboShop->view()->setMinimumWidth(widestKind + ComboShop->fontMetrics().height() + 12);
    connect(ComboShop, &QComboBox::currentIndexChanged, this, [this](int pos) {
        logic.dsp_Parts(pos);
        showKind();
        showGuideAndHelp();
    });
    bar->addWidget(ComboShop);
    bar->addStretch();
    bar->addWidget(new QLabel("所持金", this));
    lblPlayerRl = new QLabel(this);
    lblPlayerRl->setObjectName("lblPlayerRl");
    lblPlayerRl->setFrameShape(QFrame::Panel);
    lblPlayerRl->setFrameShadow(QFrame::Sunken);
    lblPlayerRl->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblPlayerRl->setMinimumWidth(fontMetrics().horizontalAdvance("0000000 Rl"));
    bar->addWidget(lblPlayerRl);
    bar->addWidget(new QLabel("Rl", this));
    top->addLayout(bar);

    List1 = new QTableWidget(this);
    List1->setObjectName("List1");
    List1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List1->setSelectionBehavior(QAbstractItemView::SelectRows);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    // Arrows move along the parts; Tab leaves for the inventory, as in every other list.
    List1->setTabKeyNavigation(false);
    List1->verticalHeader()->hide();
    List1->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    List1->horizontalHeader()->setObjectName("lblAbl");
    // A header is a scroll area of its own: the pointer's moves reach its viewport, not the header.
    List1->horizontalHeader()->viewport()->setMouseTracking(true);
    List1->horizontalHeader()->viewport()->installEventFilter(this);
    List1->horizontalHeader()->setHighlightSections(false);
    List1->viewport()->setMouseTracking(true);
    List1->viewport()->installEventFilter(this);
    List1->setMinimumSize(fontMetrics().horizontalAdvance(QString(56, QChar(0x3042))),
                          (fontMetrics().height() + 8) * 16);
    auto buy = [this](int row) {
        logic.clickOffered(row);
        List1->clearSelection();
        showInventory();
        showMoney();
    };
    connect(List1, &QTableWidget::cellClicked, this, [buy](int row, int) { buy(row); });
    EnterRow::attach(List1, buy);
    top->addWidget(List1, 1);

    auto* owned = new QHBoxLayout;
    const char* headings[2] = {"所持パーツ（Used）", "所持パーツ（New）"};
    for (int L : {Shop::kNewList, Shop::kUsedList}) {
        auto* col = new QVBoxLayout;
        col->addWidget(new QLabel(headings[L], this));
        auto* list = new QListWidget(this);
        list->setObjectName(QString("ListOwnParts_%1").arg(L));
        list->setMinimumHeight((fontMetrics().height() + 6) * 7);
        auto sell = [this, L](int row) {
            logic.clickInventory(L, row);
            showInventory();
            showMoney();
        };
        connect(list, &QListWidget::itemClicked, this,
                [sell, list](QListWidgetItem* item) { sell(list->row(item)); });
        EnterRow::attach(list, sell);
        col->addWidget(list);
        owned->addLayout(col);
        ListOwnParts[static_cast<size_t>(L)] = list;
    }

    auto guide = makeGuidePane(this);
    paneGuide = guide.pane;
    dspGuide = guide.label;
    paneGuide->setFixedWidth(fontMetrics().horizontalAdvance(QString(20, QChar(0x3042))));
    dspGuide->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    connect(guide.label, &ClickLabel::clicked, this, [this] {
        logic.guideClicked();
        showGuideAndHelp();
    });
    owned->addWidget(paneGuide);
    top->addLayout(owned);

    auto* bottom = new QHBoxLayout;
    dspMsg = new QLabel(this);
    dspMsg->setObjectName("dspMsg");
    dspMsg->setFrameShape(QFrame::Panel);
    dspMsg->setFrameShadow(QFrame::Sunken);
    dspMsg->setMinimumHeight(fontMetrics().height() + 8);
    bottom->addWidget(dspMsg, 1);
    auto* Command1 = new QPushButton("Return", this);
    Command1->setObjectName("Command1");
    Command1->setAutoDefault(false);
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
    bottom->addWidget(Command1);
    top->addLayout(bottom);

    showKind();
    showInventory();
    showMoney();
    showGuideAndHelp();
    resize(sizeHint().width(), sizeHint().height());
}

void ShopWindow::showKind() {
    const auto& headers = logic.headers();
    const auto& rows = logic.offered();
    List1->clear();
    List1->setColumnCount(static_cast<int>(headers.size()));
    List1->setRowCount(static_cast<int>(rows.size()));
    for (int c = 0; c < static_cast<int>(headers.size()); ++c) {
        auto* h = new QTableWidgetItem(q(headers[static_cast<size_t>(c)]));
        h->setToolTip(q(logic.headerTips()[static_cast<size_t>(c)]));
        List1->setHorizontalHeaderItem(c, h);
    }
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const auto& row = rows[static_cast<size_t>(r)];
        List1->setItem(r, 0, new QTableWidgetItem(q(row.name)));
        for (int c = 0; c < static_cast<int>(row.values.size()); ++c) {
            auto* item = new QTableWidgetItem(q(row.values[static_cast<size_t>(c)]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            List1->setItem(r, c + 1, item);
        }
    }
    auto* header = List1->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < List1->columnCount(); ++c) {
        header->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    }
}

void ShopWindow::showInventory() {
    for (int L : {Shop::kUsedList, Shop::kNewList}) {
        QListWidget* list = ListOwnParts[static_cast<size_t>(L)];
        list->clear();
        for (const auto& row : logic.inventory(L)) {
            auto* item = new QListWidgetItem(q(row.name), list);
            item->setData(Qt::UserRole, row.tag);
        }
    }
}

void ShopWindow::showMoney() {
    lblPlayerRl->setText(q(logic.moneyText()));
}

void ShopWindow::showGuideAndHelp() {
    paneGuide->setVisible(logic.guideVisible());
    dspGuide->setText(guideLabelText(logic.guideText()));
    dspMsg->setText(q(logic.helpLine()));
}

// Headers explain themselves in the help line; value columns of software explain the pairs.
bool ShopWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        auto* me = static_cast<QMouseEvent*>(event);
        if (watched == List1->horizontalHeader()->viewport()) {
            logic.hoverHeader(List1->horizontalHeader()->logicalIndexAt(me->position().toPoint()));
            showGuideAndHelp();
        } else if (watched == List1->viewport() && List1->columnAt(me->position().toPoint().x()) >= 1) {
            logic.hoverValues();
            showGuideAndHelp();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ShopWindow::mouseMoveEvent(QMouseEvent* e) {
    logic.hoverForm();
    showGuideAndHelp();
    QDialog::mouseMoveEvent(e);
}

}  // namespace vargo
