#pragma once
// The save-slot screen (SVLD): a keypad over SaveSlotPad. Callers show it modally and then read
// value() and svNum(). In load mode a list beside the keypad offers the autosaves; choosing one
// (double click or Enter) asks the same question as a typed number. The keyboard works the keypad:
// digits (main keys and keypad), Backspace for 取消, Enter for 決定, Escape for 戻る.

#include <QDialog>
#include <array>

#include "persistence/save_slot.h"

class QKeyEvent;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace vargo {

class SaveSlotWindow : public QDialog {
    Q_OBJECT
public:
    SaveSlotWindow(const GameFolder& folder, SaveSlotMode mode, Prompts& prompts, QWidget* parent = nullptr);

    bool value() const { return pad.value(); }
    int svNum() const { return pad.svNum(); }

public slots:
    /// Closing other than by a confirmed decision leaves value false.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showNumber();
    /// Clicks the keypad button a key stands for; false for any other key.
    bool pressKeypad(const QKeyEvent& key);
    /// An autosave row double-clicked, or Enter on it: the load question, and on OK its number.
    void chooseAutosave(QListWidgetItem* item);

    SaveSlotPad pad;
    std::array<QPushButton*, 10> digitKeys{};
    QPushButton* clearKey = nullptr;
    QPushButton* decideKey = nullptr;
    QLabel* Lab_num;
    QListWidget* lstAuto = nullptr;  ///< Load mode: the autosaves, newest first
};

}  // namespace vargo
