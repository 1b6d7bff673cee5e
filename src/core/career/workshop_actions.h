#pragma once
// What the workshop window asks of the rest of the game: the other screens it opens and the
// saved-game and registry operations behind its menus. The application wires the real windows
// and files; screen tests hand in fakes.

#include <optional>
#include <string>

namespace vargo {

enum class DollClass;        // model/doll.h
enum class FightMode : int;  // battle/fight.h
enum class SaveSlotMode;     // persistence/save_slot.h

class Autosaver;  // persistence/autosave.h

class WorkshopActions {
public:
    virtual ~WorkshopActions() = default;
    virtual void openShop() = 0;
    virtual void openProgram() = 0;
    /// The save-slot screen. The chosen number when confirmed.
    virtual std::optional<int> chooseSaveSlot(SaveSlotMode mode) = 0;
    /// The battle screen: a simulation, a duel, or the tournament of `tournamentClass`.
    virtual void runFight(FightMode mode, std::optional<DollClass> tournamentClass = std::nullopt) = 0;
    virtual void openEnemyList() = 0;
    /// The report of the last battle screen's bouts; a message when there has been no fight yet.
    virtual void openFightReport() = 0;
    /// The list of recorded fights, from which one is played again.
    virtual void openReplays() = 0;
    /// The career chart: money, the Doll's value against the class lines, and the record over the
    /// months; `finalRecord` at the career's end, with the final record above it.
    virtual void openCareerChart(bool finalRecord) = 0;
    /// The Doll lab for the player's Doll.
    virtual void openLab() = 0;
    /// Whether the tournament entry shows an estimate: the player's setting, kept between runs.
    virtual bool estimatesShown() = 0;
    virtual void setEstimatesShown(bool on) = 0;
    /// The sound's loudness in percent (100 full): the player's setting, kept between runs.
    virtual int volume() { return 100; }
    virtual void setVolume(int /*percent*/) {}
    /// The estimate text shown beside the entry question for class c (or why there is none).
    virtual std::string tournamentEstimate(DollClass c) = 0;
    /// The run's autosaver, which the workshop writes at month-ends and after tournaments; none
    /// where nothing is to be autosaved.
    virtual Autosaver* autosaver() { return nullptr; }
    virtual bool saveGame(int svNum) = 0;
    virtual bool loadGame(int svNum) = 0;
    virtual bool loadDuelist(int svNum) = 0;
    virtual int entryEnemy() = 0;
    virtual int countTekiDoll(int limit) = 0;
    /// Back to the start screen ("Start" and the end of the career).
    virtual void backToStart() = 0;
};

}  // namespace vargo
