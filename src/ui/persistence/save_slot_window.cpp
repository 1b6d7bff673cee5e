#include "ui/persistence/save_slot_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "persistence/autosave.h"
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
        digitKeys[static_cast<size_t>(d)] = b;
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
    clearKey = clear;
    auto* decide = key("決定", "Command2_1");
    connect(decide, &QPushButton::clicked, this, [this] {
        if (pad.decide()) {
            accept();
        }
    });
    keys->addWidget(decide, 3, 2);
    decideKey = decide;
    top->addLayout(keys);

    const std::vector<AutosaveEntry> autos =
        mode == SaveSlotMode::Load ? listAutosaves(folder) : std::vector<AutosaveEntry>{};
    if (!autos.empty()) {
        auto* title = new QLabel("オートセーブ（新しい順）", this);
        title->setObjectName("labAuto");
        top->addWidget(title);
        lstAuto = new QListWidget(this);
        lstAuto->setObjectName("lstAuto");
        for (const AutosaveEntry& e : autos) {
            const SavePreview& p = e.look.preview;
            const std::string text =
                e.look.state == SlotLook::Used
                    // Two lines, so the keypad's narrow window shows the whole of each.
                    ? autosaveLabel(e.svNum) + "  " + p.date + "\n　" + p.playerName + "　" + p.dollName
                    : autosaveLabel(e.svNum) + "  （読めません）";
            auto* item = new QListWidgetItem(q(text), lstAuto);
            item->setData(Qt::UserRole, e.svNum);
        }
        lstAuto->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        lstAuto->setTextElideMode(Qt::ElideRight);
        lstAuto->setMaximumHeight(lstAuto->sizeHintForRow(0) * kAutosaveSets + 2 * lstAuto->frameWidth() + 4);
        // itemActivated: a double click; Enter on a row comes through the key filter below.
        connect(lstAuto, &QListWidget::itemActivated, this, &SaveSlotWindow::chooseAutosave);
        top->addWidget(lstAuto);
        // The list would take typed digits as a search: they belong to the keypad, and Enter there
        // chooses the row.
        lstAuto->installEventFilter(this);
    }

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

void SaveSlotWindow::chooseAutosave(QListWidgetItem* item) {
    if (pad.decideAutosave(item->data(Qt::UserRole).toInt())) {
        accept();
    }
}

bool SaveSlotWindow::pressKeypad(const QKeyEvent& key) {
    if (key.modifiers().testAnyFlags(Qt::ControlModifier | Qt::AltModifier)) {
        return false;
    }
    const int k = key.key();  // a keypad digit is the same key with KeypadModifier
    QPushButton* button = nullptr;
    if (k >= Qt::Key_0 && k <= Qt::Key_9) {
        button = digitKeys[static_cast<size_t>(k - Qt::Key_0)];
    } else if (k == Qt::Key_Backspace) {
        button = clearKey;
    } else if (k == Qt::Key_Return || k == Qt::Key_Enter) {
        button = decideKey;
    } else {
        return false;
    }
    button->click();
    return true;
}

void SaveSlotWindow::keyPressEvent(QKeyEvent* event) {
    if (pressKeypad(*event)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);  // Escape: reject(), as 戻る
}

bool SaveSlotWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != lstAuto || event->type() != QEvent::KeyPress) {
        return QDialog::eventFilter(watched, event);
    }
    const auto& key = *static_cast<QKeyEvent*>(event);
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        // Enter on the list chooses its row, never the typed number.
        if (QListWidgetItem* item = lstAuto->currentItem()) {
            chooseAutosave(item);
        }
        return true;
    }
    return pressKeypad(key) || QDialog::eventFilter(watched, event);
}

void SaveSlotWindow::reject() {
    pad.back();
    QDialog::reject();
}

}  // namespace vargo
