#pragma once
// The Doll lab: the player's Doll against every registered enemy of a class, many fights each,
// both sides played by the computer's searches, to show which match-ups are weak and which of the
// player's patterns carry its wins and its losses. The lab fights on copies: the career's Doll, money,
// health and calendar are never touched, and the game's own dice are never rolled.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "battle/fight_pool.h"
#include "model/doll.h"

namespace vargo {

class EnemySource;

struct LabOptions {
    /// The class whose enemies are faced; the Doll's own class when empty.
    std::optional<DollClass> opponents;
    /// Also the classes next to it (Expert beside Novice, Novice and Master beside Expert, ...).
    bool neighbours = false;
    /// Fights against each enemy.
    int fights = 200;
    std::uint64_t seed = 1;
    /// Threads; 0 every core. The figures do not depend on it.
    int jobs = 0;
    /// An enemy to leave out (the Doll itself, when the lab runs a registry Doll); 0 none.
    int skipID = 0;
};

/// One of the player's patterns and the amount that singled it out.
struct LabPattern {
    int slot = -1;  ///< the Doll's pattern slot 0..6; -1 none (no such fight, or nothing counted)
    std::string name;
    long long amount = 0;
};

/// A 95% interval of a win rate.
struct WinInterval {
    double low = 0;
    double high = 1;
};

/// The lab's figures against one enemy.
struct LabRow {
    int ID = 0;
    std::string name;
    int value = 0;
    long long fights = 0;
    long long wins = 0;
    long long losses = 0;
    long long draws = 0;  ///< fights nobody won within Simulator::kStepCap steps
    double winRate = 0;   ///< wins / fights: a draw is not a win
    WinInterval interval;
    double averageSteps = 0;
    /// Over the won fights, the pattern whose actions dealt the most damage (motor and frame) to the
    /// enemy: the damage the enemy took while that pattern of the player's ran. Lowest slot among
    /// equals; none when there was no win or no damage.
    LabPattern winPattern;
    /// Over the lost fights, the pattern the player's Doll spent the most action points on (its AP
    /// each time it was chosen). Lowest slot among equals; none when there was no loss.
    LabPattern lossPattern;
};

struct LabResult {
    DollClass opponents = DollClass::Novice;
    int fightsPerEnemy = 0;
    long long fights = 0;    ///< fights played in all
    bool cancelled = false;  ///< stopped before every fight was played; the rows hold those played
    /// Weakest match-up first: win rate ascending, then enemy ID. Enemies not yet fought (after a
    /// cancel) have no row.
    std::vector<LabRow> rows;
};

/// Why the Doll cannot be put through the lab or a tournament estimate: not programmed, or no
/// pattern in slots 0..6 whose cost it could ever pay (its AP plus the best 2D6). Nothing when it can.
std::optional<std::string> cannotFight(const doll& d);

/// The Wilson score interval at 95% (z = 1.96) of `wins` out of `n`; 0..1 when n is 0.
WinInterval wilsonInterval(long long wins, long long n);

/// Runs the lab: the player's Doll (fighter 0) against each enemy of the chosen classes, `fights`
/// fights each. Fight k against enemy E draws from GameRandom(fightSeed(seed, E, k)). The enemies
/// are read through `enemies` on the calling thread before any fight; `progress` (optional) is
/// given the total, counts the fights done, and stops the run when its cancel is raised.
/// A problem (a Doll that cannot fight, no enemy of the classes, fights below 1) comes back as a
/// message instead of a table.
std::variant<LabResult, FightRunProblem> runLab(const doll& player, EnemySource& enemies,
                                                const LabOptions& options, FightProgress* progress = nullptr);

}  // namespace vargo
