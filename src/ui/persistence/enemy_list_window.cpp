#include "ui/persistence/enemy_list_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt_text.h"

namespace vargo {

EnemyListWindow::EnemyListWindow(EnemyRegistry& registry, Prompts& prompts, QWidget* parent)
    : QDialog(parent), logic(registry, prompts) {
    setObjectName("FEnemyList");
    setWindowTitle("EnemyList");
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* row = new QHBoxLayout(this);
    List1 = new QListWidget;
    List1->setObjectName("List1");
    List1->setSelectionMode(QAbstractItemView::MultiSelection);
    List1->setMinimumSize(260, 320);
    row->addWidget(List1, 1);

    auto* side = new QVBoxLayout;
    dspDollData = new QLabel;
    dspDollData->setObjectName("dspDollData");
    dspDollData->setMinimumSize(200, 110);
    dspDollData->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    dspDollData->setFrameShape(QFrame::StyledPanel);
    side->addWidget(dspDollData);
    side->addStretch();
    cmdDel = new QPushButton("&Delete");
    cmdDel->setObjectName("cmdDel");
    cmdDel->setToolTip(EnemyList::kDelToolTip);
    auto* cmdInit = new QPushButton("&InitFile");
    cmdInit->setObjectName("cmdInit");
    auto* cmdClose = new QPushButton("&Close");
    cmdClose->setObjectName("cmdClose");
    for (auto* b : {cmdDel, cmdInit, cmdClose}) {
        side->addWidget(b);
    }
    row->addLayout(side);

    // Delete follows what the list shows selected, whichever way it was selected: clicks, Space,
    // Ctrl+A, a drag, or code. The record shown is that of the entry clicked or moved to.
    connect(List1, &QListWidget::itemSelectionChanged, this, [this] {
        std::vector<int> rows;
        for (const QModelIndex& index : List1->selectionModel()->selectedIndexes()) {
            rows.push_back(index.row());
        }
        logic.setSelection(rows);
        cmdDel->setEnabled(logic.cmdDelEnabled);
    });
    auto show = [this](int entry) {
        if (filling) {
            return;
        }
        logic.showEntry(entry);
        dspDollData->setText(q(logic.dspDollData));
    };
    connect(List1, &QListWidget::itemClicked, this,
            [this, show](QListWidgetItem* item) { show(List1->row(item)); });
    connect(List1, &QListWidget::currentRowChanged, this, show);
    connect(cmdDel, &QPushButton::clicked, this, [this] {
        logic.del();
        fill();
    });
    connect(cmdInit, &QPushButton::clicked, this, [this] {
        logic.initFile();
        fill();
    });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);

    logic.open();
    fill();
}

void EnemyListWindow::fill() {
    // Refilling moves the current row about; that is no pick of the player's.
    filling = true;
    List1->clear();
    for (const auto& e : logic.entries()) {
        auto* item = new QListWidgetItem(q(e.name));
        item->setData(Qt::UserRole, e.number);
        List1->addItem(item);
    }
    filling = false;
    dspDollData->setText(q(logic.dspDollData));
    cmdDel->setEnabled(logic.cmdDelEnabled);
}

}  // namespace vargo
