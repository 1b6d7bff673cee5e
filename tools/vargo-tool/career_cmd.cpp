// vargo-tool career: whole careers played by bots, summed up per month, as text or JSON.

#include <cmath>
#include <iostream>
#include <limits>

#include "career/career_report.h"
#include "commands.h"
#include "json.h"

namespace vargo::tool {

namespace {

JsonWriter& spread(JsonWriter& j, const std::string& name, const Spread& s) {
    j.key(name).beginArray().value(s.p10).value(s.p50).value(s.p90).endArray();
    return j;
}

JsonWriter& monthOrNull(JsonWriter& j, const std::string& name, const std::optional<int>& m) {
    j.key(name);
    return m ? j.value(*m) : j.null();
}

void printJson(const CareerSummary& s) {
    JsonWriter j;
    j.beginObject().field("strategy", botStrategyName(s.strategy)).field("runs", s.runs);
    j.field("seed", static_cast<long long>(s.seed));
    j.key("months").beginArray();
    for (const auto& m : s.months) {
        j.beginObject().field("month", m.month);
        spread(j, "money", m.money);
        spread(j, "value", m.value);
        j.key("classShare")
            .beginObject()
            .field("Novice", m.classShare[0])
            .field("Expert", m.classShare[1])
            .field("Master", m.classShare[2])
            .endObject();
        spread(j, "entries", m.entries);
        spread(j, "wins", m.wins);
        j.endObject();
    }
    j.endArray();
    spread(j, "finalWins", s.finalWins);
    spread(j, "finalLosses", s.finalLosses);
    spread(j, "championships", s.championships);
    j.key("championshipShare").beginArray();
    for (double x : s.championshipShare) {
        j.value(x);
    }
    j.endArray();
    j.field("reachedExpert", s.reachedExpert).field("reachedMaster", s.reachedMaster);
    monthOrNull(j, "medianMonthExpert", s.medianMonthExpert);
    monthOrNull(j, "medianMonthMaster", s.medianMonthMaster);
    j.field("masterChampionship", s.masterChampionship).field("stuck", s.stuck);
    j.field("gainPerTournament", s.gainPerTournament).field("gainPerWorkMonth", s.gainPerWorkMonth);
    j.field("zeroMove", s.zeroMove).field("zeroJump", s.zeroJump).field("zeroSpin", s.zeroSpin);
    j.endObject();
    std::cout << j.str() << "\n";
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
    const char* const form =
        "career [--runs N] [--seed S] [--strategy worker|fighter|planner] [--jobs J] [--json]";
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
            return usage(form);
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
            return usage(form);
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
