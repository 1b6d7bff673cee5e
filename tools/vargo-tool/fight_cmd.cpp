// vargo-tool fight and sim: computer-played fights between registry Dolls, one told step by step,
// or every pair of a class many times over for the balance table.

#include <iomanip>
#include <iostream>
#include <map>
#include <sstream>

#include "battle/simulator.h"
#include "commands.h"
#include "json.h"
#include "model/doll.h"
#include "persistence/enemy_registry.h"

namespace vargo::tool {

namespace {

// The registry's own messages (a missing file, a bad record) go to standard error.
class StderrPrompts final : public Prompts {
public:
    int askOkCancel(const std::string& m) override { return say(m), kOk; }
    int askOkCancelTitled(const std::string& m, const std::string&) override { return say(m), kOk; }
    int askYesNo(const std::string& m, const std::string&) override { return say(m), kYes; }
    void showMsg(const std::string& m) override { say(m); }
    void showMsgTitled(const std::string& m, const std::string&) override { say(m); }
    void showMsgTall(const std::string& m, const std::string&, int) override { say(m); }
    int msgBox(const std::string& m, BoxButtons) override { return say(m), kOk; }

private:
    static void say(const std::string& m) { std::cerr << m << "\n"; }
};

bool parseInt(const std::string& s, long long& out) {
    try {
        size_t used = 0;
        out = std::stoll(s, &used);
        return used == s.size();
    } catch (const std::exception&) {
        return false;
    }
}

std::string percent(double x) {
    std::ostringstream o;
    o << std::fixed << std::setprecision(1) << 100 * x << "%";
    return o.str();
}

}  // namespace

int cmdFight(const GameFolder& folder, const Args& args) {
    long long a = 0;
    long long b = 0;
    long long seed = 1;
    if (args.size() != 2 && args.size() != 4) {
        return usage("fight needs two registry numbers A B [--seed S]");
    }
    if (!parseInt(args[0], a) || !parseInt(args[1], b)) {
        return usage("fight: A and B are registry numbers");
    }
    if (args.size() == 4 && (args[2] != "--seed" || !parseInt(args[3], seed))) {
        return usage("fight: --seed needs a number");
    }
    StderrPrompts prompts;
    EnemyRegistry registry(folder, prompts);
    auto first = registry.ldTekiDoll(static_cast<int>(a));
    auto second = registry.ldTekiDoll(static_cast<int>(b));
    if (!first || !second) {
        std::cerr << "vargo-tool: no enemy Doll " << (first ? b : a) << " in the registry\n";
        return 1;
    }
    GameRandom rng(static_cast<std::uint64_t>(seed));
    Simulator sim(rng);
    BoutResult r = sim.play(first, second, Simulator::kStepCap, [](const Fight& f, int phaseBefore) {
        std::cout << describeStep(f, phaseBefore);
    });
    if (r.winner == kDrawWinner) {
        std::cout << "draw after " << r.steps << " steps\n";
    } else {
        std::cout << "winner: " << (r.winner == 0 ? first : second)->name << " after " << r.steps
                  << " steps\n";
    }
    return 0;
}

int cmdSim(const GameFolder& folder, const Args& args) {
    long long rounds = 100;
    long long seed = 1;
    DollClass cls = DollClass::Master;
    bool json = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& w = args[i];
        if (w == "--json") {
            json = true;
        } else if (w == "--rounds" && i + 1 < args.size() && parseInt(args[i + 1], rounds) && rounds > 0) {
            ++i;
        } else if (w == "--seed" && i + 1 < args.size() && parseInt(args[i + 1], seed)) {
            ++i;
        } else if (w == "--class" && i + 1 < args.size() && parseDollClass(args[i + 1])) {
            cls = *parseDollClass(args[++i]);
        } else {
            return usage("sim [--rounds N] [--seed S] [--class Novice|Expert|Master] [--json]");
        }
    }
    StderrPrompts prompts;
    EnemyRegistry registry(folder, prompts);
    std::vector<int> ids;
    registry.countTekiDoll(classValueLimit(cls), &ids);
    std::vector<std::shared_ptr<doll>> dolls;
    for (size_t i = 1; i < ids.size() && ids[i] != 0; ++i) {
        // Balance is judged inside the class: the lower classes' Dolls of the pool stay out.
        auto d = registry.ldTekiDoll(ids[i]);
        if (d && d->dollClass() == cls) {
            dolls.push_back(std::move(d));
        }
    }
    if (dolls.size() < 2) {
        std::cerr << "vargo-tool: fewer than two " << dollClassName(cls) << " Dolls in the registry\n";
        return 1;
    }

    struct Pair {
        size_t a, b;
        long long aWins = 0, bWins = 0, draws = 0;
    };
    std::vector<Pair> pairs;
    std::vector<long long> wins(dolls.size(), 0), played(dolls.size(), 0);
    GameRandom rng(static_cast<std::uint64_t>(seed));
    Simulator sim(rng);
    long long fights = 0, draws = 0, totalSteps = 0;
    for (size_t i = 0; i < dolls.size(); ++i) {
        for (size_t j = i + 1; j < dolls.size(); ++j) {
            Pair p{i, j};
            for (long long k = 0; k < rounds; ++k) {
                const bool swapped = k % 2 == 1;
                BoutResult r = swapped ? sim.play(dolls[j], dolls[i]) : sim.play(dolls[i], dolls[j]);
                ++fights;
                totalSteps += r.steps;
                if (r.winner == kDrawWinner) {
                    ++p.draws;
                    ++draws;
                } else if ((r.winner == 0) != swapped) {
                    ++p.aWins;
                } else {
                    ++p.bWins;
                }
            }
            wins[i] += p.aWins;
            wins[j] += p.bWins;
            played[i] += rounds;
            played[j] += rounds;
            pairs.push_back(p);
        }
    }
    const double averageSteps = static_cast<double>(totalSteps) / static_cast<double>(fights);
    auto rate = [&](size_t i) { return static_cast<double>(wins[i]) / static_cast<double>(played[i]); };

    if (json) {
        JsonWriter w;
        w.beginObject().field("class", dollClassName(cls)).field("rounds", rounds).field("fights", fights);
        w.field("draws", draws).field("averageSteps", averageSteps);
        w.key("dolls").beginArray();
        for (size_t i = 0; i < dolls.size(); ++i) {
            w.beginObject().field("ID", static_cast<int>(dolls[i]->ID)).field("name", dolls[i]->name);
            w.field("value", static_cast<int>(dolls[i]->value)).field("winRate", rate(i)).endObject();
        }
        w.endArray().key("pairs").beginArray();
        for (const Pair& p : pairs) {
            w.beginObject()
                .field("a", static_cast<int>(dolls[p.a]->ID))
                .field("b", static_cast<int>(dolls[p.b]->ID));
            w.field("aWins", p.aWins).field("bWins", p.bWins).field("draws", p.draws).endObject();
        }
        w.endArray().endObject();
        std::cout << w.str() << "\n";
        return 0;
    }
    std::cout << dollClassName(cls) << ": " << dolls.size() << " Dolls, " << rounds << " fights per pair, "
              << fights << " fights, " << draws << " draws, " << std::fixed << std::setprecision(1)
              << averageSteps << " steps per fight on average\n\n";
    std::cout << "pairs (A against B: A wins / B wins / draws)\n";
    for (const Pair& p : pairs) {
        std::cout << "  " << std::setw(2) << dolls[p.a]->ID << " " << dolls[p.a]->name << " vs "
                  << std::setw(2) << dolls[p.b]->ID << " " << dolls[p.b]->name << ": " << p.aWins << " / "
                  << p.bWins << " / " << p.draws << "\n";
    }
    std::cout << "\nDolls (overall win rate)\n";
    for (size_t i = 0; i < dolls.size(); ++i) {
        std::cout << "  " << std::setw(2) << dolls[i]->ID << " " << dolls[i]->name << " (value "
                  << dolls[i]->value << "): " << percent(rate(i)) << "\n";
    }
    return 0;
}

}  // namespace vargo::tool
