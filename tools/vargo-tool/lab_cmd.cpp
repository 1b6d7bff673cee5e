// vargo-tool lab and odds: the Doll lab and the tournament estimate without a window. A saved game's
// Doll (as the workshop shows it after loading) or a registry Doll fights every enemy of its class
// many times over, both sides played by the computer, and the table puts the weakest match-up first;
// or a saved game's player plays many whole tournaments of a class, for the estimate the entry
// question shows.

#include <iomanip>
#include <iostream>
#include <limits>
#include <optional>
#include <sstream>

#include "battle/enemy_source.h"
#include "battle/lab.h"
#include "battle/tournament_odds.h"
#include "career/assembly.h"
#include "commands.h"
#include "json_text.h"
#include "model/game.h"
#include "persistence/enemy_registry.h"
#include "persistence/save_files.h"
#include "stderr_prompts.h"

namespace vargo::tool {

namespace {

struct LabCommand {
    std::optional<int> save;
    std::optional<int> registry;
    LabOptions lab;
    bool json = false;
};

// One option with its value; false when the option or its value is not understood.
bool takeOption(const std::string& w, const std::string& v, LabCommand& c) {
    long long n = 0;
    if (w == "--registry" && parseNumber(v, 1, 99, n)) {
        c.registry = static_cast<int>(n);
    } else if (w == "--class" && parseDollClass(v)) {
        c.lab.opponents = parseDollClass(v);
    } else if (w == "--fights" && parseNumber(v, 1, 1000000, n)) {
        c.lab.fights = static_cast<int>(n);
    } else if (w == "--seed" && parseNumber(v, 0, std::numeric_limits<long long>::max(), n)) {
        c.lab.seed = static_cast<std::uint64_t>(n);
    } else if (w == "--jobs" && parseNumber(v, 0, 256, n)) {
        c.lab.jobs = static_cast<int>(n);
    } else {
        return false;
    }
    return true;
}

std::optional<LabCommand> parseLabArgs(const Args& args) {
    LabCommand c;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& w = args[i];
        long long n = 0;
        if (w == "--json") {
            c.json = true;
        } else if (w == "--neighbours") {
            c.lab.neighbours = true;
        } else if (i == 0 && parseNumber(w, 0, 32767, n)) {
            c.save = static_cast<int>(n);
        } else if (i + 1 < args.size() && takeOption(w, args[i + 1], c)) {
            ++i;
        } else {
            return std::nullopt;
        }
    }
    if (c.save.has_value() == c.registry.has_value()) {
        return std::nullopt;
    }
    return c;
}

// The player of saved game N and its Doll as the workshop shows it after loading: recomputed from
// its parts. Nothing when the save cannot be loaded.
std::optional<PlayerCopy> savedPlayer(const GameFolder& folder, int save, Prompts& prompts) {
    GameRandom rng(1);
    Game game(folder, rng);
    game.resetPairs();
    SaveFiles files(game, prompts);
    files.svNum = save;
    if (!files.load_rtn()) {
        return std::nullopt;
    }
    Assembly assembly(game, prompts);
    assembly.dspDoll();
    return PlayerCopy{game.owners[0], game.dolls[0]};
}

std::string percent(double x) {
    std::ostringstream o;
    o << std::fixed << std::setprecision(1) << 100 * x << "%";
    return o.str();
}

Json patternName(const LabPattern& p) {
    return p.slot < 0 ? Json(nullptr) : Json(p.name);
}

void printLabJson(const doll& d, const LabCommand& c, const LabResult& r) {
    Json rows = Json::array();
    for (const LabRow& row : r.rows) {
        rows.push_back({{"ID", row.ID},
                        {"name", row.name},
                        {"value", row.value},
                        {"fights", row.fights},
                        {"wins", row.wins},
                        {"losses", row.losses},
                        {"draws", row.draws},
                        {"winRate", row.winRate},
                        {"low", row.interval.low},
                        {"high", row.interval.high},
                        {"averageSteps", row.averageSteps},
                        {"winPattern", patternName(row.winPattern)},
                        {"lossPattern", patternName(row.lossPattern)}});
    }
    const Json table = {{"doll", d.name},
                        {"value", d.value},
                        {"class", dollClassName(r.opponents)},
                        {"neighbours", c.lab.neighbours},
                        {"fightsPerEnemy", r.fightsPerEnemy},
                        {"seed", static_cast<long long>(c.lab.seed)},
                        {"fights", r.fights},
                        {"rows", std::move(rows)}};
    std::cout << jsonText(table) << "\n";
}

std::string patternText(const LabPattern& p) {
    return p.slot < 0 ? "-" : p.name + " (slot " + std::to_string(p.slot) + ")";
}

void printLabText(const doll& d, const LabCommand& c, const LabResult& r) {
    std::cout << d.name << " (value " << d.value << ") against " << r.rows.size() << " "
              << dollClassName(r.opponents) << (c.lab.neighbours ? " and neighbouring" : "") << " enemies, "
              << r.fightsPerEnemy << " fights each, seed " << c.lab.seed << "; weakest match-up first\n\n";
    std::cout << "  ID  win rate  95% interval     wins/losses/draws  steps  enemy\n";
    for (const LabRow& row : r.rows) {
        const std::string record =
            std::to_string(row.wins) + "/" + std::to_string(row.losses) + "/" + std::to_string(row.draws);
        std::cout << "  " << std::setw(2) << row.ID << "  " << std::setw(8) << percent(row.winRate) << "  "
                  << std::setw(6) << percent(row.interval.low) << " - " << std::setw(6)
                  << percent(row.interval.high) << "  " << std::setw(17) << record << "  " << std::fixed
                  << std::setprecision(1) << std::setw(5) << row.averageSteps << "  " << row.name
                  << " (value " << row.value << ")\n";
        std::cout << "      wins carried by " << patternText(row.winPattern) << ", losses spent on "
                  << patternText(row.lossPattern) << "\n";
    }
}

}  // namespace

int cmdLab(const GameFolder& folder, const Args& args) {
    std::optional<LabCommand> c = parseLabArgs(args);
    if (!c) {
        return usageOf("lab");
    }
    StderrPrompts prompts;
    EnemyRegistry registry(folder, prompts);
    std::shared_ptr<doll> player;
    if (c->save) {
        const std::optional<PlayerCopy> saved = savedPlayer(folder, *c->save, prompts);
        if (!saved) {
            std::cerr << "vargo-tool: saved game " << *c->save << " could not be loaded\n";
            return 1;
        }
        player = saved->d;
    } else {
        player = registry.ldTekiDoll(*c->registry);
        if (!player) {
            std::cerr << "vargo-tool: no enemy Doll " << *c->registry << " in the registry\n";
            return 1;
        }
        // A registry Doll was entered with its program; the record does not keep the flag. It does
        // not fight itself.
        player->programed = true;
        c->lab.skipID = *c->registry;
    }
    RegistryEnemies enemies(registry);
    const auto result = runLab(*player, enemies, c->lab);
    if (const auto* problem = std::get_if<FightRunProblem>(&result)) {
        std::cerr << "vargo-tool: " << problem->message << "\n";
        return 1;
    }
    const auto& table = std::get<LabResult>(result);
    if (c->json) {
        printLabJson(*player, *c, table);
    } else {
        printLabText(*player, *c, table);
    }
    return 0;
}

namespace {

void printOddsJson(const TournamentOdds& odds) {
    Json stages = Json::array();
    for (int stage = 0; stage < TournamentOdds::kStages; ++stage) {
        const auto k = static_cast<size_t>(stage);
        stages.push_back(
            {{"reached", odds.reached[k]}, {"won", odds.won[k]}, {"winRate", odds.stageWinRate(stage)}});
    }
    const Json estimate = {{"class", dollClassName(odds.tournamentClass)},
                           {"runs", odds.runs},
                           {"stages", std::move(stages)},
                           {"champion", odds.championRate()},
                           {"expectedPrize", odds.expectedPrize()},
                           {"expectedRepairs", odds.expectedRepairs()},
                           {"expectedIncome", odds.expectedIncome()}};
    std::cout << jsonText(estimate) << "\n";
}

}  // namespace

int cmdOdds(const GameFolder& folder, const Args& args) {
    long long save = 0;
    if (args.empty() || !parseNumber(args[0], 0, 32767, save)) {
        return usageOf("odds");
    }
    TournamentOddsOptions options;
    std::optional<DollClass> entered;
    bool json = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& w = args[i];
        const bool hasValue = i + 1 < args.size();
        long long n = 0;
        if (w == "--json") {
            json = true;
        } else if (w == "--class" && hasValue && parseDollClass(args[i + 1])) {
            entered = parseDollClass(args[++i]);
        } else if (w == "--runs" && hasValue && parseNumber(args[i + 1], 1, 1000000, n)) {
            options.runs = static_cast<int>(n);
            ++i;
        } else if (w == "--seed" && hasValue &&
                   parseNumber(args[i + 1], 0, std::numeric_limits<long long>::max(), n)) {
            options.seed = static_cast<std::uint64_t>(n);
            ++i;
        } else if (w == "--jobs" && hasValue && parseNumber(args[i + 1], 0, 256, n)) {
            options.jobs = static_cast<int>(n);
            ++i;
        } else {
            return usageOf("odds");
        }
    }
    StderrPrompts prompts;
    const std::optional<PlayerCopy> player = savedPlayer(folder, static_cast<int>(save), prompts);
    if (!player) {
        std::cerr << "vargo-tool: saved game " << save << " could not be loaded\n";
        return 1;
    }
    EnemyRegistry registry(folder, prompts);
    RegistryEnemies enemies(registry);
    const DollClass c = entered.value_or(player->d->dollClass());
    const auto estimate = estimateTournament(*player->owner, *player->d, c, enemies, options);
    if (const auto* problem = std::get_if<FightRunProblem>(&estimate)) {
        std::cerr << "vargo-tool: " << problem->message << "\n";
        return 1;
    }
    const auto& odds = std::get<TournamentOdds>(estimate);
    if (json) {
        printOddsJson(odds);
    } else {
        std::cout << tournamentOddsText(odds) << "\n";
    }
    return 0;
}

}  // namespace vargo::tool
