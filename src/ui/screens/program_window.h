#pragma once
// The logic editor window: the palette, the trash can and the 6 x 10 grid as pictures from the
// chip strip, with real mouse drag and drop and a keyboard way to do the same (cursors, a hand,
// Enter and Delete). Every pick-up and drop goes to ProgramEditor; the window then redraws from it,
// framing the cursors and the held chip and colouring the rows the editor warns about.

#include <QDialog>
#include <QPixmap>
#include <array>

#include "screens/program.h"

class QLabel;
class QLineEdit;
class QFrame;
class QGroupBox;
class QKeyEvent;

namespace vargo {

class ChipLabel;

class ProgramWindow : public QDialog {
    Q_OBJECT
public:
    /// The mime type a dragged chip carries: "p:<action ID>" from the palette, "c:<cell>" from the grid.
    static constexpr const char* kChipMime = "application/x-vargo-chip";

    ProgramWindow(Game& game, Prompts& prompts, QWidget* parent = nullptr);
    ProgramEditor& editor() { return logic; }

    /// The drop of a chip (payload as in kChipMime) on cell `target`, or on the trash for -1.
    void dropChip(const QString& payload, int target);

protected:
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loadTiles(const Game& game);
    QPixmap tile(int k) const;
    void refresh();
    void showHelp();
    bool paletteKey(const QKeyEvent& k);
    bool gridKey(const QKeyEvent& k);
    void chainFocus();
    void reserveGuideSpace();

    ProgramEditor logic;
    std::array<QPixmap, 13> tiles;
    std::array<ChipLabel*, ProgramEditor::kCells> cells{};
    std::array<QFrame*, ProgramEditor::kActions> frames{};
    std::array<ChipLabel*, ProgramEditor::kActions> chips{};
    QGroupBox* palette;
    QGroupBox* gridBox;
    std::array<QLineEdit*, ProgramEditor::kPatterns> nameBoxes{};
    std::array<QLabel*, ProgramEditor::kPatterns> apLabels{};
    std::array<QLabel*, ProgramEditor::kPatterns + 1> memLabels{};
    QFrame* paneGuide;
    QLabel* dspGuide;
    QLabel* dspDoll;
    QWidget* regist;
    QWidget* cancel;
    std::array<QWidget*, ProgramEditor::kPatterns> clearButtons{};
};

}  // namespace vargo
