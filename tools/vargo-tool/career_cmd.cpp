// vargo-tool career: whole careers played by bots, summed up per month, as text or JSON.

#include <cmath>
#include <iostream>
#include <limits>

#include "career/career_report.h"
#include "commands.h"
#include "json_text.h"

namespace vargo::tool {

namespace {

// Percentiles by nearest rank are values some career had: whole Rl, counts and months.
Json spread(const Spread& s) {
    return Json::array({std::llround(s.p10), std::llround(s.p50), std::llround(s.p90)});
}

Json monthOrNull(const std::optional<int>& m) {
    return m ? Json(*m) : Json(nullptr);
}

void printJson(const CareerSummary& s) {
    Json months = Json::array();
    for (const auto& m : s.months) {
        months.push_back(
            {{"month", m.month},
             {"money", spread(m.money)},
             {"value", spread(m.value)},
             {"classShare",
              {{"Novice", m.classShare[0]}, {"Expert", m.classShare[1]}, {"Master", m.classShare[2]}}},
             {"entries", spread(m.entries)},
             {"wins", spread(m.wins)}});
    }
    const Json summary = {{"strategy", botStrategyName(s.strategy)},
                          {"runs", s.runs},
                          {"seed", static_cast<long long>(s.seed)},
                          {"months", std::move(months)},
                          {"finalWins", spread(s.finalWins)},
                          {"finalLosses", spread(s.finalLosses)},
                          {"championships", spread(s.championships)},
                          {"championshipShare", s.championshipShare},
                          {"reachedExpert", s.reachedExpert},
                          {"reachedMaster", s.reachedMaster},
                          {"medianMonthExpert", monthOrNull(s.medianMonthExpert)},
                          {"medianMonthMaster", monthOrNull(s.medianMonthMaster)},
                          {"masterChampionship", s.masterChampionship},
                          {"stuck", s.stuck},
                          {"gainPerTournament", s.gainPerTournament},
                          {"gainPerWorkMonth", s.gainPerWorkMonth},
                          {"zeroMove", s.zeroMove},
                          {"zeroJump", s.zeroJump},
                          {"zeroSpin", s.zeroSpin}};
    std::cout << jsonText(summary) << "\n";
}

}  // namespace

/// career --ladder: each build the bots climb through, with its class tournament's odds.
int printLadder(const GameFolder& folder, int skill, int runs, std::uint64_t seed) {
    const auto rated = rateLadder(folder, skill, runs, seed);
    if (const auto* problem = std::get_if<FightRunProblem>(&rated)) {
        std::cerr << problem->message << "\n";
        return 1;
    }
    std::cout << "build | value | class | move/jump/spin | patterns | first round | title | expected Rl "
                 "(prize + income - repairs - lost part)\n";
    for (const auto& r : std::get<std::vector<LadderRung>>(rated)) {
        std::cout << r.name << " | " << r.value << " | " << dollClassName(r.dollClass) << " | " << r.move
                  << "/" << r.jump << "/" << r.spin << " | " << r.patternSet << " | ";
        if (r.fights) {
            std::cout << std::llround(100 * r.firstRound) << "% | " << std::llround(100 * r.champion)
                      << "% | " << std::llround(r.expected) << " (" << std::llround(r.prize) << " + "
                      << std::llround(r.income) << " - " << std::llround(r.repairs) << " - "
                      << std::llround(r.lostPart) << ")\n";
        } else {
            std::cout << "- | - | -\n";
        }
    }
    return 0;
}

int cmdCareer(const GameFolder& folder, const Args& args) {
    CareerOptions options;
    bool json = false;
    bool ladder = false;
    long long skill = 10;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& w = args[i];
        long long n = 0;
        const bool hasValue = i + 1 < args.size();
        const std::string v = hasValue ? args[i + 1] : "";
        if (w == "--json" || w == "--ladder") {
            (w == "--json" ? json : ladder) = true;
            continue;
        }
        if (!hasValue) {
            return usageOf("career");
        }
        if (w == "--runs" && parseNumber(v, 1, 1000000, n)) {
            options.runs = static_cast<int>(n);
        } else if (w == "--seed" && parseNumber(v, 0, std::numeric_limits<long long>::max(), n)) {
            options.seed = static_cast<std::uint64_t>(n);
        } else if (w == "--jobs" && parseNumber(v, 0, 256, n)) {
            options.jobs = static_cast<int>(n);
        } else if (w == "--skill" && parseNumber(v, 3, 99, n)) {
            skill = n;
        } else if (w == "--strategy" && parseBotStrategy(v)) {
            options.strategy = *parseBotStrategy(v);
        } else {
            return usageOf("career");
        }
        ++i;
    }
    if (ladder) {
        return printLadder(folder, static_cast<int>(skill), options.plannerRuns * 4, options.seed);
    }
    const auto played = playCareers(folder, options);
    if (const auto* problem = std::get_if<FightRunProblem>(&played)) {
        std::cerr << problem->message << "\n";
        return 1;
    }
    const CareerSummary summary =
        summarizeCareers(std::get<std::vector<CareerRun>>(played), options.strategy, options.seed);
    if (json) {
        printJson(summary);
    } else {
        std::cout << careerSummaryText(summary);
    }
    return 0;
}

}  // namespace vargo::tool
