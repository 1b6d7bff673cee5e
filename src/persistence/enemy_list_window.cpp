#include "persistence/enemy_list_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

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

    connect(List1, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        logic.click(List1->row(item), item->isSelected());
        dspDollData->setText(QString::fromStdString(logic.dspDollData));
        cmdDel->setEnabled(logic.cmdDelEnabled);
    });
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
    List1->clear();
    for (const auto& e : logic.entries()) {
        auto* item = new QListWidgetItem(QString::fromStdString(e.name));
        item->setData(Qt::UserRole, e.number);
        List1->addItem(item);
    }
    dspDollData->setText(QString::fromStdString(logic.dspDollData));
    cmdDel->setEnabled(logic.cmdDelEnabled);
}

}  // namespace vargo
