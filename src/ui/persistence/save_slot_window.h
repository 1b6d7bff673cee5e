#pragma once
// The save-slot screen (SVLD): a keypad over SaveSlotPad. Callers show it modally and then read
// value() and svNum(). In load mode a list beside the keypad offers the autosaves; choosing one
// (double click or Enter) asks the same question as a typed number.

#include <QDialog>

#include "persistence/save_slot.h"

class QLabel;
class QListWidget;

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

private:
    void showNumber();

    SaveSlotPad pad;
    QLabel* Lab_num;
    QListWidget* lstAuto = nullptr;  ///< Load mode: the autosaves, newest first
};

}  // namespace vargo
