// vargo-tool fight and sim: computer-played fights between registry Dolls, one told step by step,
// or every pair of a class many times over for the balance table.

#include <iomanip>
#include <iostream>
#include <limits>
#include <map>
#include <optional>
#include <sstream>

#include "battle/fight_pool.h"
#include "battle/fight_report.h"
#include "battle/replay_recorder.h"
#include "battle/simulator.h"
#include "commands.h"
#include "json_text.h"
#include "model/doll.h"
#include "model/text_codec.h"
#include "persistence/enemy_registry.h"
#include "persistence/replay_store.h"
#include "stderr_prompts.h"

namespace vargo::tool {

namespace {

bool parseInt(const std::string& s, long long& out) {
    return parseNumber(s, std::numeric_limits<long long>::min(), std::numeric_limits<long long>::max(), out);
}

std::string percent(double x) {
    std::ostringstream o;
    o << std::fixed << std::setprecision(1) << 100 * x << "%";
    return o.str();
}

}  // namespace

void printReport(const FightReport& r) {
    Json dolls = Json::array();
    for (const DollReport& d : r.dolls) {
        Json patterns = Json::array();
        for (const PatternTally& p : d.patterns) {
            patterns.push_back(
                {{"slot", p.slot}, {"name", p.name}, {"chosen", p.chosen}, {"apSpent", p.apSpent}});
        }
        Json actions = Json::array();
        for (int code = 1; code <= kHazusi; ++code) {
            const ActionTally& t = d.actions[static_cast<size_t>(code)];
            actions.push_back(
                {{"action", actionName(code)}, {"tries", t.tries}, {"hits", t.hits}, {"misses", t.misses}});
        }
        dolls.push_back({{"name", d.name},
                         {"patterns", std::move(patterns)},
                         {"actions", std::move(actions)},
                         {"damageDealt", {{"motor", d.damageDealt.motor}, {"frame", d.damageDealt.frame}}},
                         {"damageTaken", {{"motor", d.damageTaken.motor}, {"frame", d.damageTaken.frame}}},
                         {"falls", d.falls},
                         {"grapplesWon", d.grapplesWon},
                         {"grapplesLost", d.grapplesLost},
                         {"escapes", d.escapes}});
    }
    const Json report = {{"steps", r.steps},
                         {"winner", r.winner < 0 ? Json(nullptr) : Json(r.winner)},
                         {"dolls", std::move(dolls)},
                         {"hp", r.hp}};
    std::cout << jsonText(report) << "\n";
}

namespace {

struct FightOptions {
    long long a = 0;
    long long b = 0;
    long long seed = 1;
    bool report = false;
    std::optional<std::string> record;
};

// Writes the replay of the bout the recorder heard; false (with the reason on standard error) when
// the file could not be written.
bool writeReplay(const std::string& file, const std::optional<Replay>& replay) {
    std::string error = "no bout was fought";
    if (replay && writeFileAtomic(file, encodeLines(replayLines(*replay)), &error)) {
        return true;
    }
    std::cerr << "vargo-tool: the replay was not written: " << error << "\n";
    return false;
}

// The problem with the command line, empty when it reads.
std::string parseFightArgs(const Args& args, FightOptions& o) {
    if (args.size() < 2) {
        return "fight needs two registry numbers A B [--seed S] [--report json]";
    }
    if (!parseInt(args[0], o.a) || !parseInt(args[1], o.b)) {
        return "fight: A and B are registry numbers";
    }
    for (size_t i = 2; i < args.size(); i += 2) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--seed" && hasValue && parseInt(args[i + 1], o.seed)) {
            continue;
        }
        if (args[i] == "--report" && hasValue && args[i + 1] == "json") {
            o.report = true;
            continue;
        }
        if (args[i] == "--record") {
            if (!hasValue) {
                return "fight: --record needs a file";
            }
            o.record = args[i + 1];
            continue;
        }
        return args[i] == "--report" ? "fight: --report takes json" : "fight: --seed needs a number";
    }
    return {};
}

}  // namespace

int cmdFight(const GameFolder& folder, const Args& args) {
    FightOptions o;
    if (std::string problem = parseFightArgs(args, o); !problem.empty()) {
        return usage(problem);
    }
    const long long a = o.a;
    const long long b = o.b;
    const std::optional<std::string>& record = o.record;
    StderrPrompts prompts;
    EnemyRegistry registry(folder, prompts);
    auto first = registry.ldTekiDoll(static_cast<int>(a));
    auto second = registry.ldTekiDoll(static_cast<int>(b));
    if (!first || !second) {
        std::cerr << "vargo-tool: no enemy Doll " << (first ? b : a) << " in the registry\n";
        return 1;
    }
    GameRandom rng(static_cast<std::uint64_t>(o.seed));
    // Recording passes every draw through the recorder; the fight itself goes exactly as without.
    ScriptedCommander nobody;
    std::optional<Replay> recorded;
    ReplayRecorder recorder(rng, nobody, [&recorded](Replay&& r) {
        r.recordedAt = wallClockText();
        recorded = std::move(r);
    });
    Simulator sim(record ? recorder.random() : rng);
    if (record) {
        sim.setRecorder(&recorder);
    }
    // The replay is written after the fight has been told, however it ended.
    auto finish = [&]() {
        if (!record) {
            return 0;
        }
        recorder.finish(sim.lastFight());
        return writeReplay(*record, recorded) ? 0 : 1;
    };
    if (o.report) {
        // The report counts what the events tell, with both Dolls as they entered.
        first->Motor->HP = first->Motor->maxHP;
        first->frame->HP = first->frame->maxHP;
        second->Motor->HP = second->Motor->maxHP;
        second->frame->HP = second->frame->maxHP;
        FightReport r(*first, *second);
        sim.play(first, second, Simulator::kStepCap,
                 [&r](const Fight& f, int) { r.takeStep(f.stepEvents()); });
        printReport(r);
        return finish();
    }
    BoutResult r = sim.play(first, second, Simulator::kStepCap, [](const Fight& f, int phaseBefore) {
        std::cout << describeStep(f, phaseBefore);
    });
    if (r.winner == kDrawWinner) {
        std::cout << "draw after " << r.steps << " steps\n";
    } else {
        std::cout << "winner: " << (r.winner == 0 ? first : second)->name << " after " << r.steps
                  << " steps\n";
    }
    return finish();
}

namespace {

struct SimOptions {
    long long rounds = 100;
    long long seed = 1;
    DollClass cls = DollClass::Master;
    bool json = false;
    /// Threads for the round robin, each fight with a generator of its own; none: one generator for
    /// the whole table, fight after fight, as the balance table has always been played.
    std::optional<long long> jobs;
};

std::optional<SimOptions> parseSimArgs(const Args& args) {
    SimOptions o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& w = args[i];
        if (w == "--json") {
            o.json = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            return std::nullopt;
        }
        const std::string& v = args[++i];
        bool ok = false;
        if (w == "--rounds") {
            ok = parseInt(v, o.rounds) && o.rounds > 0;
        } else if (w == "--seed") {
            ok = parseInt(v, o.seed);
        } else if (w == "--jobs") {
            long long n = 0;
            ok = parseInt(v, n) && n >= 0 && n <= 256;
            o.jobs = n;
        } else if (w == "--class") {
            const std::optional<DollClass> c = parseDollClass(v);
            ok = c.has_value();
            o.cls = c.value_or(o.cls);
        }
        if (!ok) {
            return std::nullopt;
        }
    }
    return o;
}

// Balance is judged inside the class: the lower classes' Dolls of the pool stay out.
std::vector<std::shared_ptr<doll>> classDolls(EnemyRegistry& registry, DollClass cls) {
    std::vector<int> ids;
    registry.countTekiDoll(classValueLimit(cls), &ids);
    std::vector<std::shared_ptr<doll>> dolls;
    for (size_t i = 1; i < ids.size() && ids[i] != 0; ++i) {
        auto d = registry.ldTekiDoll(ids[i]);
        if (d && d->dollClass() == cls) {
            dolls.push_back(std::move(d));
        }
    }
    return dolls;
}

struct SimPair {
    size_t a, b;
    long long aWins = 0, bWins = 0, draws = 0;
};

/// Every pair of the Dolls fights `rounds` times, sides swapped every other fight.
struct SimTable {
    std::vector<SimPair> pairs;
    std::vector<long long> wins, played;
    long long fights = 0, draws = 0, totalSteps = 0;

    double averageSteps() const { return static_cast<double>(totalSteps) / static_cast<double>(fights); }
    double rate(size_t i) const { return static_cast<double>(wins[i]) / static_cast<double>(played[i]); }
};

SimTable roundRobin(const std::vector<std::shared_ptr<doll>>& dolls, long long rounds, std::uint64_t seed) {
    SimTable t;
    t.wins.assign(dolls.size(), 0);
    t.played.assign(dolls.size(), 0);
    GameRandom rng(seed);
    Simulator sim(rng);
    for (size_t i = 0; i < dolls.size(); ++i) {
        for (size_t j = i + 1; j < dolls.size(); ++j) {
            SimPair p{i, j};
            for (long long k = 0; k < rounds; ++k) {
                const bool swapped = k % 2 == 1;
                BoutResult r = swapped ? sim.play(dolls[j], dolls[i]) : sim.play(dolls[i], dolls[j]);
                ++t.fights;
                t.totalSteps += r.steps;
                if (r.winner == kDrawWinner) {
                    ++p.draws;
                    ++t.draws;
                } else if ((r.winner == 0) != swapped) {
                    ++p.aWins;
                } else {
                    ++p.bWins;
                }
            }
            t.wins[i] += p.aWins;
            t.wins[j] += p.bWins;
            t.played[i] += rounds;
            t.played[j] += rounds;
            t.pairs.push_back(p);
        }
    }
    return t;
}

// One thread's share of the round robin: its own Simulator and its own copies of the Dolls, whose
// motors and frames the fights wear down.
struct SimWorker {
    explicit SimWorker(const std::vector<std::shared_ptr<doll>>& dolls) : sim(dice) {
        for (const auto& d : dolls) {
            own.push_back(freshCopy(*d));
        }
    }
    GameRandom dice{0};
    Simulator sim;
    std::vector<std::shared_ptr<doll>> own;
    std::vector<SimPair> pairs;
    long long steps = 0;
};

/// The same round robin spread over threads: fight k of pair p draws from
/// GameRandom(fightSeed(seed, p, k)), so the table is the same for any number of threads.
SimTable roundRobinParallel(const std::vector<std::shared_ptr<doll>>& dolls, long long rounds,
                            std::uint64_t seed, int jobs) {
    std::vector<SimPair> pairs;
    for (size_t i = 0; i < dolls.size(); ++i) {
        for (size_t j = i + 1; j < dolls.size(); ++j) {
            pairs.push_back(SimPair{i, j});
        }
    }
    const auto perPair = static_cast<size_t>(rounds);
    const auto workers = runFightPool<SimWorker>(
        jobs, pairs.size() * perPair,
        [&] {
            auto w = std::make_unique<SimWorker>(dolls);
            w->pairs = pairs;
            return w;
        },
        [&](SimWorker& w, size_t task) {
            const size_t p = task / perPair;
            const size_t k = task % perPair;
            w.dice = GameRandom(fightSeed(seed, p, k));
            SimPair& pair = w.pairs[p];
            const bool swapped = k % 2 == 1;
            const BoutResult r =
                swapped ? w.sim.play(w.own[pair.b], w.own[pair.a]) : w.sim.play(w.own[pair.a], w.own[pair.b]);
            w.steps += r.steps;
            if (r.winner == kDrawWinner) {
                ++pair.draws;
            } else if ((r.winner == 0) != swapped) {
                ++pair.aWins;
            } else {
                ++pair.bWins;
            }
        },
        nullptr);
    SimTable t;
    t.wins.assign(dolls.size(), 0);
    t.played.assign(dolls.size(), 0);
    t.pairs = pairs;
    for (const auto& w : workers) {
        t.totalSteps += w->steps;
        for (size_t p = 0; p < pairs.size(); ++p) {
            t.pairs[p].aWins += w->pairs[p].aWins;
            t.pairs[p].bWins += w->pairs[p].bWins;
            t.pairs[p].draws += w->pairs[p].draws;
        }
    }
    for (const SimPair& p : t.pairs) {
        t.fights += rounds;
        t.draws += p.draws;
        t.wins[p.a] += p.aWins;
        t.wins[p.b] += p.bWins;
        t.played[p.a] += rounds;
        t.played[p.b] += rounds;
    }
    return t;
}

void printSimJson(const std::vector<std::shared_ptr<doll>>& dolls, const SimOptions& o, const SimTable& t) {
    Json rows = Json::array();
    for (size_t i = 0; i < dolls.size(); ++i) {
        rows.push_back({{"ID", dolls[i]->ID},
                        {"name", dolls[i]->name},
                        {"value", dolls[i]->value},
                        {"winRate", t.rate(i)}});
    }
    Json pairs = Json::array();
    for (const SimPair& p : t.pairs) {
        pairs.push_back({{"a", dolls[p.a]->ID},
                         {"b", dolls[p.b]->ID},
                         {"aWins", p.aWins},
                         {"bWins", p.bWins},
                         {"draws", p.draws}});
    }
    const Json table = {{"class", dollClassName(o.cls)},
                        {"rounds", o.rounds},
                        {"fights", t.fights},
                        {"draws", t.draws},
                        {"averageSteps", t.averageSteps()},
                        {"dolls", std::move(rows)},
                        {"pairs", std::move(pairs)}};
    std::cout << jsonText(table) << "\n";
}

void printSimText(const std::vector<std::shared_ptr<doll>>& dolls, const SimOptions& o, const SimTable& t) {
    std::cout << dollClassName(o.cls) << ": " << dolls.size() << " Dolls, " << o.rounds
              << " fights per pair, " << t.fights << " fights, " << t.draws << " draws, " << std::fixed
              << std::setprecision(1) << t.averageSteps() << " steps per fight on average\n\n";
    std::cout << "pairs (A against B: A wins / B wins / draws)\n";
    for (const SimPair& p : t.pairs) {
        std::cout << "  " << std::setw(2) << dolls[p.a]->ID << " " << dolls[p.a]->name << " vs "
                  << std::setw(2) << dolls[p.b]->ID << " " << dolls[p.b]->name << ": " << p.aWins << " / "
                  << p.bWins << " / " << p.draws << "\n";
    }
    std::cout << "\nDolls (overall win rate)\n";
    for (size_t i = 0; i < dolls.size(); ++i) {
        std::cout << "  " << std::setw(2) << dolls[i]->ID << " " << dolls[i]->name << " (value "
                  << dolls[i]->value << "): " << percent(t.rate(i)) << "\n";
    }
}

}  // namespace

int cmdSim(const GameFolder& folder, const Args& args) {
    const std::optional<SimOptions> o = parseSimArgs(args);
    if (!o) {
        return usageOf("sim");
    }
    StderrPrompts prompts;
    EnemyRegistry registry(folder, prompts);
    const std::vector<std::shared_ptr<doll>> dolls = classDolls(registry, o->cls);
    if (dolls.size() < 2) {
        std::cerr << "vargo-tool: fewer than two " << dollClassName(o->cls) << " Dolls in the registry\n";
        return 1;
    }
    const auto seed = static_cast<std::uint64_t>(o->seed);
    const SimTable t = o->jobs ? roundRobinParallel(dolls, o->rounds, seed, static_cast<int>(*o->jobs))
                               : roundRobin(dolls, o->rounds, seed);
    if (o->json) {
        printSimJson(dolls, *o, t);
    } else {
        printSimText(dolls, *o, t);
    }
    return 0;
}

}  // namespace vargo::tool
