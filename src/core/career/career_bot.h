#pragma once
// Whole careers played without a window, by small bots that obey the player's rules: they roll a
// new pilot, buy real parts in the shop at its prices, fit them in the workshop, program their
// patterns in the logic editor, and spend each of the 36 months either at work or in a class
// tournament through the battle screen's own tournament. What they build and program comes from
// the bot library (career/bot_library.h). The careers measure the game's pace: how money, the Doll's
// value and the record grow month by month.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "battle/fight_pool.h"
#include "model/doll.h"
#include "model/game_folder.h"

namespace vargo {

struct BotLibrary;

enum class BotStrategy {
    Worker,   ///< builds the cheapest Doll and only works
    Fighter,  ///< enters every tournament it may, upgrades with its winnings
    Planner,  ///< fights when the estimated odds pay better than work, climbs the classes, keeps a reserve
};

const char* botStrategyName(BotStrategy s);
std::optional<BotStrategy> parseBotStrategy(std::string_view name);

/// 2013/01 to 2016/01.
constexpr int kCareerMonths = 36;

/// The career at the end of a month (month 0: the day it began, after the first visit to the shop).
struct CareerMonth {
    int money = 0;
    int value = 0;  ///< the Doll's value as the workshop shows it
    DollClass dollClass = DollClass::Novice;
    int entries = 0;         ///< tournaments entered so far
    int wins = 0;            ///< bouts won so far
    int championships = 0;   ///< titles so far
    bool fieldable = false;  ///< the Doll could fight (whole and programmed)
    /// Int(move / weight), Int(jump / weight), Int(spin / weight): the Doll's steps in a fight.
    int move = 0, jump = 0, spin = 0;
};

struct CareerRun {
    std::array<CareerMonth, kCareerMonths + 1> months{};
    int recWin = 0, recLoose = 0, recChamp = 0;
    int masterChampionships = 0;
    int monthExpert = -1;  ///< the first month that ended with an Expert or Master Doll, -1 never
    int monthMaster = -1;
    int longestStuck = 0;  ///< the longest run of months with no Doll able to fight and none affordable
    /// What the months in a tournament and the months at work added to money and the Doll's value
    /// together (a lost part counts against its tournament; a change of Doll against neither).
    long long tournamentGain = 0, workGain = 0;
    int tournamentMonths = 0, workMonths = 0;
};

struct CareerOptions {
    BotStrategy strategy = BotStrategy::Planner;
    int runs = 100;
    std::uint64_t seed = 1;
    int jobs = 0;  ///< threads; 0 every core. The results do not depend on it.
    /// Whole tournaments behind each of the planner's estimates.
    int plannerRuns = 100;
};

/// Plays options.runs careers on the game folder's catalogues and enemy registry; career r rolls
/// from GameRandom(fightSeed(seed, kCareerStream, r)). Results are in run order. A folder whose
/// catalogues or registry cannot carry a career comes back as a message.
std::variant<std::vector<CareerRun>, FightRunProblem> playCareers(const GameFolder& folder,
                                                                  const CareerOptions& options,
                                                                  FightProgress* progress = nullptr);
/// The same with another bot library (tests).
std::variant<std::vector<CareerRun>, FightRunProblem> playCareers(const GameFolder& folder,
                                                                  const BotLibrary& library,
                                                                  const CareerOptions& options,
                                                                  FightProgress* progress = nullptr);

/// A build of the ladder as the planner sees it: its Doll, its pattern set, and what its class
/// tournament holds for it with a pilot of the given skill (whole tournaments, the computer on both
/// sides).
struct LadderRung {
    std::string name;
    int value = 0;
    DollClass dollClass = DollClass::Novice;
    int move = 0, jump = 0, spin = 0;
    std::string patternSet;  ///< empty when no set fits
    bool fights = false;     ///< whether it could be estimated at all
    double champion = 0, firstRound = 0;
    double expected = 0;  ///< Rl a tournament is expected to bring, the part a lost bout costs taken off
    double prize = 0, income = 0, repairs = 0, lostPart = 0;  ///< its terms, each per tournament
};
class CatalogueReader;
class EnemySource;
LadderRung rateBuild(const BotLibrary& library, int build, int skillPlay, EnemySource& enemies,
                     CatalogueReader& catalogue, int runs, std::uint64_t seed);
/// Every build of the library rated on the game folder's catalogues and registry.
std::variant<std::vector<LadderRung>, FightRunProblem> rateLadder(const GameFolder& folder, int skillPlay,
                                                                  int runs, std::uint64_t seed);

constexpr std::uint64_t kCareerStream = 0x6361726565727321ULL;

}  // namespace vargo
