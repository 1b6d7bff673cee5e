#pragma once
// The logic editor's rules: the palette of eleven basic actions priced by the installed software,
// the 6 x 10 grid of working patterns, picking a chip up and dropping it (onto a cell or the
// trash), the keyboard's cursor and hand, the cost labels and their early warnings, validation and
// registering into the Doll, and the help and guide texts. The Qt window forwards mouse moves,
// drops and keys here and redraws from this state.

#include <array>
#include <string>

#include "model/logic.h"

namespace vargo {

struct Game;
class Prompts;
class doll;

class ProgramEditor {
public:
    static constexpr int kActions = 11;
    static constexpr int kPatterns = 6;
    static constexpr int kCells = kPatterns * Logic::kSteps;
    static constexpr int kTotalLabel = kPatterns; /**< dspMem index of the total */
    static constexpr int kTrashTile = 11;
    static constexpr int kEmptyTile = 12;

    /// Opening the screen, including the rebinding of the Doll's patterns that stays even on Cancel.
    ProgramEditor(Game& game, Prompts& prompts);
    ProgramEditor(const ProgramEditor&) = delete;
    ProgramEditor& operator=(const ProgramEditor&) = delete;

    /// Name and help text of action ID 1..11; frmUnlock's text lacks the final "。".
    static const std::string& actionName(int id);
    static std::string actionHelp(int id);
    static std::string frameHelp(int id);
    /// The frame names frmMove ... frmUnlock of action ID 1..11.
    static const char* frameName(int id);

    /// dspAbl(id - 1): the installed software's AP and memory joined by "：".
    std::string chipCost(int id) const;
    /// cmbSoft(0..2): the installed software names.
    std::string softName(int which) const;
    std::string dollAPText() const;
    std::string dollMemText() const;

    /// The picture tile of a cell: action ID - 1, or kEmptyTile.
    int cellTile(int cell) const;
    std::string cellName(int cell) const;
    /// Text1(p): the name box.
    const std::string& patternName(int p) const { return names.at(static_cast<size_t>(p)); }
    /// Text1(p) typed. A name the save files cannot hold (characters outside CP932) would make every
    /// later save and enemy entry fail: it is refused with a message and not taken (false).
    bool setPatternName(int p, const std::string& n);
    /// dspAP(p), dspMem(p) (dspMem(6) the total).
    const std::string& apLabel(int p) const { return apLabels.at(static_cast<size_t>(p)); }
    const std::string& memLabel(int p) const { return memLabels.at(static_cast<size_t>(p)); }
    const Logic& working(int p) const { return *work.at(static_cast<size_t>(p)); }

    /// Picking up: the mouse over a palette chip, a chip's frame or cost label, a grid cell, the
    /// trash can or the bare form. Each sets the help line for what is under the mouse.
    void hoverPalette(int id);
    void hoverFrame(int id);
    void hoverCell(int cell);
    void hoverTrash() { help = "ゴミ箱"; }
    void hoverForm() { help.clear(); }
    const std::string& helpLine() const { return help; }
    int dragSource() const { return source; }
    const std::string& draggedName() const { return dragged; }

    void dropOnCell(int target);
    void dropOnTrash();
    /// cmdClear(p).
    void clear(int p);

    /// The keyboard's way of moving chips, for a player without a mouse: a cursor over the palette,
    /// a cursor over the grid and a hand holding at most one chip. A chip in the hand goes down at
    /// the grid cursor by the same rules as a mouse drop.
    int paletteCursor() const { return palCursor; }
    /// Moves the palette cursor by `by` chips; false (and no move) past either end.
    bool movePaletteCursor(int by);
    void setPaletteCursor(int id);
    int gridCursor() const { return gridCur; }
    /// Moves the grid cursor by rows (patterns) and steps; false (and no move) off the grid.
    bool moveGridCursor(int rows, int steps);
    void setGridCursor(int cell);
    /// The palette chip in the hand (action ID), or 0.
    int heldAction() const { return handAction; }
    /// The grid cell whose chip is in the hand, or -1.
    int heldCell() const { return handCell; }
    /// Takes the chip under the palette cursor into the hand; taking the one already held puts it back.
    void pickAtPaletteCursor();
    /// Enter on the grid. With a palette chip in hand: puts a copy at the cursor, keeps the chip and
    /// steps the cursor on, so a pattern is typed left to right. With a grid chip in hand: swaps it
    /// with the cursor's cell (or, on its own cell, puts it back). With an empty hand: takes the
    /// cursor's chip to move it.
    void enterAtGridCursor();
    /// Delete on the grid: the cursor's chip goes to the trash.
    void removeAtGridCursor();
    /// Empties the hand; false when it was empty already.
    bool releaseHand();

    /// Early warnings, shown while the player builds, before Regist. The most action points the Doll
    /// can have in a turn: its AP and both dice at six.
    long long maxTurnAP() const;
    /// A pattern costing more than that can never be chosen in a fight (Regist still stores it).
    bool overAP(int p) const;
    /// Why pattern p is marked, or empty.
    std::string apWarning(int p) const;
    /// The total memory above the computer's: Regist will refuse it.
    bool overMemory() const;
    std::string memoryWarning() const;

    /// Both rules, with their messages; false when something is wrong.
    bool checkInput();
    /// cmdRegist: true when the patterns were stored and the screen closes.
    bool regist();

    bool guideVisible() const { return guideShown; }
    const std::string& guideText() const { return guide; }
    int guidePage() const { return page; }
    void guideClicked();

private:
    ActionPtr installed(const std::string& name) const;
    void showPattern(int p);
    void refreshTotal();
    void showGuide(const std::string& text);
    void explainCell(int cell);
    void forgetEmptyHand();

    Game& game;
    Prompts& prompts;
    doll& d;
    std::array<LogicPtr, kPatterns> work;
    std::array<std::string, kPatterns> names;
    std::array<std::string, kPatterns> apLabels;
    std::array<std::string, kPatterns + 1> memLabels;
    int source = -1;
    std::string dragged;
    std::string help;
    bool guideShown = false;
    std::string guide;
    int page = 0;
    int palCursor = 1;
    int gridCur = 0;
    int handAction = 0;
    int handCell = -1;
};

}  // namespace vargo
