#pragma once
// What many headless careers of one strategy add up to: month by month the spread of money, Doll
// value, class, entries and wins, and at the end the record, the titles, when the classes were
// reached and how many careers got stuck. The tool prints it as text or JSON, and the balance notes
// compare it with the pace the game is designed for.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "career/career_bot.h"

namespace vargo {

/// The 10th, 50th and 90th percentiles (nearest rank).
struct Spread {
    double p10 = 0, p50 = 0, p90 = 0;
};
Spread spreadOf(std::vector<double> values);

struct CareerMonthSummary {
    int month = 0;
    Spread money, value, entries, wins;
    std::array<double, 3> classShare{};  ///< Novice, Expert, Master
};

struct CareerSummary {
    BotStrategy strategy = BotStrategy::Planner;
    int runs = 0;
    std::uint64_t seed = 0;
    std::vector<CareerMonthSummary> months;  ///< 0 .. kCareerMonths
    Spread finalWins, finalLosses, championships;
    /// Share of careers with 0, 1, 2, 3, 4 and 5 or more titles.
    std::array<double, 6> championshipShare{};
    double reachedExpert = 0, reachedMaster = 0;
    /// The median career's first month in the class; none when fewer than half reached it.
    std::optional<int> medianMonthExpert, medianMonthMaster;
    double masterChampionship = 0;  ///< share with at least one Master title
    /// Money and value a tournament month and a work month add, on average over all careers' months
    /// of each; 0 when there were none.
    double gainPerTournament = 0, gainPerWorkMonth = 0;
    double stuck = 0;  ///< share with three months or more in a row without a Doll that can fight
    /// Share of the month-ends with a Doll that can fight whose move, jump or spin is 0.
    double zeroMove = 0, zeroJump = 0, zeroSpin = 0;
};

CareerSummary summarizeCareers(const std::vector<CareerRun>& runs, BotStrategy strategy, std::uint64_t seed);

/// The summary as a plain-text table (the tool's default output).
std::string careerSummaryText(const CareerSummary& s);

}  // namespace vargo
