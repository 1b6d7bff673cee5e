#pragma once
// The tournament estimate shown beside the entry question: the player's chances in each bout and of
// the title, and the prize and repair bill to expect, from many whole tournaments of the class played
// by the computer on both sides. Each is the game's own tournament (its draw, automatic bouts,
// prizes, income and repairs) on a copy of the player's owner and Doll, so the live game is never
// touched and its dice are never rolled.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <variant>

#include "battle/fight_pool.h"
#include "model/doll.h"
#include "model/owner.h"

namespace vargo {

class EnemySource;

/// An owner and Doll that share no part, pattern or record with the ones they were copied from (the
/// actions inside the patterns, which nothing changes, stay shared). A Doll's part that the owner
/// holds is the very part of the copy's inventory, just as the player's Doll wears its owner's, so a part
/// lost in a fight leaves the copy's inventory as it would the player's.
struct PlayerCopy {
    std::shared_ptr<Owner> owner;
    std::shared_ptr<doll> d;
};
PlayerCopy copyPlayer(const Owner& owner, const doll& d);

struct TournamentOddsOptions {
    /// Whole tournaments played. 200 keeps any chance's 95% interval within ±7 points (±4 for a
    /// title chance near 10%) and the estimate well under half a second: about 12 ms in the release
    /// build, 0.4 s on one core of the sanitised debug build (docs/performance.md).
    int runs = 200;
    std::uint64_t seed = 1;
    /// Threads; 0 every core. The figures do not depend on it.
    int jobs = 0;
};

struct TournamentOdds {
    static constexpr int kStages = 3;  ///< 1回戦, 準決勝, 決勝
    DollClass tournamentClass = DollClass::Novice;
    long long runs = 0;      ///< tournaments played
    bool cancelled = false;  ///< stopped before every run was played; the figures are over those played
    /// Runs in which the player's bout of stage k (0 first round, 1 semi-final, 2 final) was fought,
    /// and in which it was won. A bout given up after Simulator::kStepCap steps counts as lost.
    std::array<long long, kStages> reached{};
    std::array<long long, kStages> won{};
    /// Totals over the runs, from the fights' events: Prize, Repair, Income.
    long long prize = 0;
    long long repairs = 0;
    long long income = 0;

    /// The chance of winning stage k's bout once there; 0 when it was never reached.
    double stageWinRate(int stage) const;
    /// The chance of winning stage k's bout from the start (reaching it and winning it).
    double stageWinFromStart(int stage) const;
    /// The chance of the title: the final won.
    double championRate() const { return stageWinFromStart(kStages - 1); }
    double expectedPrize() const;
    double expectedRepairs() const;
    double expectedIncome() const;
};

/// Plays options.runs tournaments of class c for the player; run r draws from
/// GameRandom(fightSeed(seed, kTournamentStream, r)). The class's candidates are read through
/// `enemies` on the calling thread before any run, and the owner and Doll are copied there too.
/// A Doll that cannot fight (cannotFight) or fewer than eight candidates comes back as a message.
std::variant<TournamentOdds, FightRunProblem> estimateTournament(const Owner& owner, const doll& d,
                                                                 DollClass c, EnemySource& enemies,
                                                                 const TournamentOddsOptions& options,
                                                                 FightProgress* progress = nullptr);

/// What names the tournament runs among the fight seeds.
constexpr std::uint64_t kTournamentStream = 0x746f75726e616d65ULL;

/// The estimate as the entry question shows it: that it comes from computer-against-computer play
/// and how many tournaments, each bout's chance once there, the title's, and the prize and repair
/// bill to expect in Rl.
std::string tournamentOddsText(const TournamentOdds& odds);

/// The text for the entry question: the estimate, or the message saying why there is none.
std::string tournamentEstimateText(const Owner& owner, const doll& d, DollClass c, EnemySource& enemies,
                                   const TournamentOddsOptions& options);

}  // namespace vargo
