#include "ui/persistence/save_slot_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt_text.h"

namespace vargo {

SaveSlotWindow::SaveSlotWindow(const GameFolder& folder, SaveSlotMode mode, Prompts& prompts, QWidget* parent)
    : QDialog(parent), pad(folder, mode, prompts) {
    setObjectName("SVLD");
    setWindowTitle(q(pad.caption()));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* top = new QVBoxLayout(this);
    Lab_num = new QLabel(this);
    Lab_num->setObjectName("Lab_num");
    Lab_num->setFrameShape(QFrame::Panel);
    Lab_num->setFrameShadow(QFrame::Sunken);
    Lab_num->setStyleSheet(
        "#Lab_num{background:#151a22; color:#7CFC9A; padding:4px 8px; border:1px solid #3b4556;}");
    QFont big = Lab_num->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    Lab_num->setFont(big);
    Lab_num->setMinimumWidth(QFontMetrics(big).horizontalAdvance("save00000000"));
    top->addWidget(Lab_num);
    auto* Hlp = new QLabel(SaveSlotPad::helpText(), this);
    Hlp->setObjectName("Hlp");
    top->addWidget(Hlp);

    // A telephone-style keypad: 7 8 9 / 4 5 6 / 1 2 3 / 0 with clear and decide beside it.
    auto* keys = new QGridLayout;
    const int size = fontMetrics().height() * 3;
    auto key = [&](const QString& caption, const QString& name) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        b->setMinimumSize(size, size * 2 / 3);
        return b;
    };
    for (int d = 0; d <= 9; ++d) {
        auto* b = key(QString::number(d), QString("Command1_%1").arg(d));
        connect(b, &QPushButton::clicked, this, [this, d] {
            pad.digit(d);
            showNumber();
        });
        if (d == 0) {
            keys->addWidget(b, 3, 0);
        } else {
            keys->addWidget(b, 2 - (d - 1) / 3, (d - 1) % 3);
        }
    }
    auto* clear = key("取消", "Command2_0");
    connect(clear, &QPushButton::clicked, this, [this] {
        pad.clear();
        showNumber();
    });
    keys->addWidget(clear, 3, 1);
    auto* decide = key("決定", "Command2_1");
    connect(decide, &QPushButton::clicked, this, [this] {
        if (pad.decide()) {
            accept();
        }
    });
    keys->addWidget(decide, 3, 2);
    top->addLayout(keys);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    auto* back = new QPushButton("戻る", this);
    back->setObjectName("Command3");
    back->setAutoDefault(false);
    connect(back, &QPushButton::clicked, this, &SaveSlotWindow::reject);
    bottom->addWidget(back);
    top->addLayout(bottom);
    showNumber();
}

void SaveSlotWindow::showNumber() {
    Lab_num->setText(q(pad.labNum()));
}

void SaveSlotWindow::reject() {
    pad.back();
    QDialog::reject();
}

}  // namespace vargo
