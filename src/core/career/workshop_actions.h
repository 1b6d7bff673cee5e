#pragma once
// What the workshop window asks of the rest of the game: the other screens it opens and the
// saved-game and registry operations behind its menus. The application wires the real windows
// and files; screen tests hand in fakes.

#include <optional>
#include <string>

namespace vargo {

class WorkshopActions {
public:
    virtual ~WorkshopActions() = default;
    virtual void openShop() = 0;
    virtual void openProgram() = 0;
    /// The save-slot screen: mode 1 save, 2 load. The chosen number when confirmed.
    virtual std::optional<int> chooseSaveSlot(int mode) = 0;
    /// The battle screen: mode 0 simulation, 1 tournament (with the class text), 2 duel.
    virtual void runFight(int mode, const std::string& className) = 0;
    virtual void openEnemyList() = 0;
    virtual bool saveGame(int svNum) = 0;
    virtual bool loadGame(int svNum) = 0;
    virtual bool loadDuelist(int svNum) = 0;
    virtual int entryEnemy() = 0;
    virtual int countTekiDoll(int limit) = 0;
    /// Back to the start screen ("Start" and the end of the career).
    virtual void backToStart() = 0;
};

}  // namespace vargo
