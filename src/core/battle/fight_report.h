#pragma once
// A fight report: what each Doll's patterns and basic actions did over a whole bout, the damage
// dealt and taken, falls, grapples and escapes, and both Dolls' HP after every step. Worked out
// from the fight's events alone, so the window, a replay and the tool tell the same figures.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "battle/fight_event.h"
#include "model/action.h"

namespace vargo {

class doll;

struct PatternTally {
    int slot = -1;  ///< the Doll's pattern slot; -1 the empty pattern (watching)
    std::string name;
    int chosen = 0;
    int apSpent = 0;
};

/// One basic action: how often it was begun, and how often it did what it is for (a blow landed, a
/// hold taken, a throw or lock made, an escape won, a move made) or did not.
struct ActionTally {
    int tries = 0;
    int hits = 0;
    int misses = 0;
};

struct PartDamage {
    long long motor = 0;
    long long frame = 0;
};

struct DollReport {
    std::string name;
    std::vector<PatternTally> patterns;            ///< in the order first chosen
    std::array<ActionTally, kHazusi + 1> actions;  ///< by action code, 1 (移動) to 11 (外し)
    PartDamage damageDealt;
    PartDamage damageTaken;
    int falls = 0;
    int grapplesWon = 0;   ///< holds taken
    int grapplesLost = 0;  ///< holds tried and missed
    int escapes = 0;       ///< holds broken free of
};

class FightReport {
public:
    /// A report on a bout between a and b (fighter 0 and 1), named as they are.
    FightReport(const doll& a, const doll& b);

    /// Takes the events of one step, then notes both Dolls' HP after it.
    void takeStep(const std::vector<FightEvent>& events);
    /// Takes events that are no step of their own (a bout's opening, told before its first step).
    void takeEvents(const FightEvent* first, const FightEvent* last);

    int steps = 0;
    int winner = -1;  ///< -1 while nobody has won
    std::array<DollReport, 2> dolls;
    /// Motor 0, frame 0, motor 1, frame 1 as the bout began.
    std::array<int, 4> startHP{};
    /// After every step: step, motor 0, frame 0, motor 1, frame 1.
    std::vector<std::array<int, 5>> hp;

private:
    void take(const FightEvent& e);
    void settle(bool hit);
    PatternTally& pattern(int who, int slot);

    std::array<const doll*, 2> source;
    std::array<int, 4> current{};  ///< motor 0, frame 0, motor 1, frame 1
    int pendingWho = -1;           ///< the fighter whose basic action is not yet settled
    int pendingCode = 0;
};

class Fight;

/// One bout of a battle screen: both Dolls as they fought it, and its report.
struct BoutRecord {
    BoutRecord(std::shared_ptr<const doll> a, std::shared_ptr<const doll> b);
    std::array<std::shared_ptr<const doll>, 2> fighters;  ///< held so that the report's names stay
    FightReport report;
};

/// The reports of every bout a battle screen shows. A tournament opens its next bout in the step
/// that ended the last one, so a step's events are split where a new bout starts.
class BoutReports {
public:
    /// After the screen's load (step false) and after every step: the fight's latest events.
    void take(const Fight& f, bool step);
    const std::vector<BoutRecord>& bouts() const { return bouts_; }
    /// Bouts in which at least one step was fought.
    bool anyFought() const;

private:
    std::vector<BoutRecord> bouts_;
};

}  // namespace vargo
