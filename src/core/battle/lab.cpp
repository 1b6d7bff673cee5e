// The Doll lab. Each thread fights on its own Simulator with its own copies of the player's Doll
// and of every enemy (a fight wears down the motor and frame it is given), and adds each fight into
// whole-number tallies per enemy; tallies add up the same in any order, so the table does not
// depend on how the fights were spread over the threads.

#include "battle/lab.h"

#include <algorithm>
#include <cmath>

#include "battle/enemy_source.h"
#include "battle/simulator.h"

namespace vargo {

namespace {

constexpr int kSlots = PatternBook::kSlots;

// The best roll of 2D6 added to the Doll's AP: the most a turn can ever give it.
constexpr int kBestRoll = 12;

/// What one enemy's fights add up to.
struct LabTally {
    long long fights = 0;
    long long wins = 0;
    long long losses = 0;
    long long draws = 0;
    long long steps = 0;
    std::array<long long, kSlots> winDamage{};  ///< damage dealt per player's pattern, won fights
    std::array<long long, kSlots> lossAP{};     ///< AP spent per player's pattern, lost fights

    void add(const LabTally& o) {
        fights += o.fights;
        wins += o.wins;
        losses += o.losses;
        draws += o.draws;
        steps += o.steps;
        for (size_t s = 0; s < winDamage.size(); ++s) {
            winDamage[s] += o.winDamage[s];
            lossAP[s] += o.lossAP[s];
        }
    }
};

/// Follows one fight's events: which of the player's patterns runs, the damage the enemy takes
/// under it, and the AP each pattern cost.
class PatternTrace {
public:
    void reset() {
        runner = -1;
        slot = -1;
        damage.fill(0);
        ap.fill(0);
    }

    void take(const std::vector<FightEvent>& events) {
        for (const FightEvent& e : events) {
            if (e.kind == FightEventKind::PatternChosen) {
                runner = e.who;
                slot = e.who == 0 && e.code >= 0 && e.code < kSlots ? e.code : -1;
                if (slot >= 0) {
                    ap[static_cast<size_t>(slot)] += e.value;
                }
            } else if (e.kind == FightEventKind::Damage && e.who == 1 && runner == 0 && slot >= 0) {
                damage[static_cast<size_t>(slot)] += e.value;
            }
        }
    }

    std::array<long long, kSlots> damage{};
    std::array<long long, kSlots> ap{};

private:
    int runner = -1;
    int slot = -1;
};

struct LabWorker {
    LabWorker(const doll& player, const std::vector<std::shared_ptr<doll>>& enemies)
        : sim(dice), me(freshCopy(player)), tallies(enemies.size()) {
        for (const auto& e : enemies) {
            them.push_back(freshCopy(*e));
        }
        onStep = [this](const Fight& f, int) { trace.take(f.stepEvents()); };
    }

    void fight(size_t enemy, std::uint64_t seed) {
        dice = GameRandom(seed);
        trace.reset();
        const BoutResult r = sim.play(me, them[enemy], Simulator::kStepCap, onStep);
        LabTally& t = tallies[enemy];
        ++t.fights;
        t.steps += r.steps;
        if (r.winner == 0) {
            ++t.wins;
            for (size_t s = 0; s < t.winDamage.size(); ++s) {
                t.winDamage[s] += trace.damage[s];
            }
        } else if (r.winner == 1) {
            ++t.losses;
            for (size_t s = 0; s < t.lossAP.size(); ++s) {
                t.lossAP[s] += trace.ap[s];
            }
        } else {
            ++t.draws;
        }
    }

    GameRandom dice{0};
    Simulator sim;
    std::shared_ptr<doll> me;
    std::vector<std::shared_ptr<doll>> them;
    std::vector<LabTally> tallies;
    PatternTrace trace;
    std::function<void(const Fight&, int)> onStep;
};

std::vector<DollClass> facedClasses(DollClass c, bool neighbours) {
    std::vector<DollClass> classes{c};
    if (neighbours) {
        if (c != DollClass::Novice) {
            classes.push_back(c == DollClass::Master ? DollClass::Expert : DollClass::Novice);
        }
        if (c != DollClass::Master) {
            classes.push_back(c == DollClass::Novice ? DollClass::Expert : DollClass::Master);
        }
    }
    return classes;
}

// Every registered enemy of the classes, in registry order.
std::vector<std::shared_ptr<doll>> opponentsOf(EnemySource& enemies, const std::vector<DollClass>& classes,
                                               int skipID) {
    std::vector<int> ids;
    const int n = enemies.countTekiDoll(kInt16Max, &ids);
    std::vector<std::shared_ptr<doll>> found;
    for (int i = 1; i <= n && static_cast<size_t>(i) < ids.size(); ++i) {
        const int id = ids[static_cast<size_t>(i)];
        if (id == 0 || id == skipID) {
            continue;
        }
        auto d = enemies.ldTekiDoll(id);
        if (d && std::find(classes.begin(), classes.end(), d->dollClass()) != classes.end()) {
            found.push_back(std::move(d));
        }
    }
    return found;
}

LabPattern largest(const std::array<long long, kSlots>& amounts, const doll& player) {
    LabPattern p;
    for (int s = 0; s < kSlots; ++s) {
        if (amounts[static_cast<size_t>(s)] > p.amount) {
            p.slot = s;
            p.amount = amounts[static_cast<size_t>(s)];
        }
    }
    if (p.slot >= 0) {
        const LogicPtr& logic = player.getLogic(p.slot);
        p.name = logic ? logic->name : "";
    }
    return p;
}

LabRow rowOf(const doll& enemy, const LabTally& t, const doll& player) {
    LabRow row;
    row.ID = enemy.ID;
    row.name = enemy.name;
    row.value = enemy.value;
    row.fights = t.fights;
    row.wins = t.wins;
    row.losses = t.losses;
    row.draws = t.draws;
    row.winRate = static_cast<double>(t.wins) / static_cast<double>(t.fights);
    row.interval = wilsonInterval(t.wins, t.fights);
    row.averageSteps = static_cast<double>(t.steps) / static_cast<double>(t.fights);
    row.winPattern = largest(t.winDamage, player);
    row.lossPattern = largest(t.lossAP, player);
    return row;
}

std::string classNames(const std::vector<DollClass>& classes) {
    std::string s;
    for (DollClass c : classes) {
        s += (s.empty() ? "" : "・") + std::string(dollClassName(c));
    }
    return s;
}

}  // namespace

std::optional<std::string> cannotFight(const doll& d) {
    if (!d.programed) {
        return std::string("プログラムを登録して下さい");
    }
    const int most = d.AP + kBestRoll;
    for (int s = 0; s < kSlots; ++s) {
        const LogicPtr& logic = d.getLogic(s);
        if (logic && logic->AP > 0 && logic->AP <= most) {
            return std::nullopt;
        }
    }
    return d.name + "には使えるパターンがありません。\nAP" + std::to_string(most) +
           "以下で払えるパターンを登録して下さい。";
}

WinInterval wilsonInterval(long long wins, long long n) {
    if (n <= 0) {
        return {};
    }
    constexpr double z = 1.96;
    const double N = static_cast<double>(n);
    const double p = static_cast<double>(wins) / N;
    const double denominator = 1 + z * z / N;
    const double centre = (p + z * z / (2 * N)) / denominator;
    const double half = z * std::sqrt(p * (1 - p) / N + z * z / (4 * N * N)) / denominator;
    return {std::max(0.0, centre - half), std::min(1.0, centre + half)};
}

std::variant<LabResult, FightRunProblem> runLab(const doll& player, EnemySource& enemies,
                                                const LabOptions& options, FightProgress* progress) {
    if (auto why = cannotFight(player)) {
        return FightRunProblem{*why};
    }
    if (options.fights < 1) {
        return FightRunProblem{"対戦回数は1以上にして下さい。"};
    }
    const DollClass faced = options.opponents.value_or(player.dollClass());
    const std::vector<DollClass> classes = facedClasses(faced, options.neighbours);
    const std::vector<std::shared_ptr<doll>> opponents = opponentsOf(enemies, classes, options.skipID);
    if (opponents.empty()) {
        return FightRunProblem{classNames(classes) +
                               "クラスの敵Dollが登録されていません。\n敵Dollの登録をして下さい。"};
    }

    // The workers copy this copy: the caller's Doll is read only here, on the calling thread.
    const std::shared_ptr<const doll> me = freshCopy(player);
    const auto perEnemy = static_cast<size_t>(options.fights);
    const size_t total = opponents.size() * perEnemy;
    if (progress) {
        progress->done = 0;
        progress->total = static_cast<long long>(total);
    }
    const auto workers = runFightPool<LabWorker>(
        options.jobs, total, [&] { return std::make_unique<LabWorker>(*me, opponents); },
        [&](LabWorker& w, size_t task) {
            const size_t enemy = task / perEnemy;
            const size_t k = task % perEnemy;
            const auto id = static_cast<std::uint64_t>(opponents[enemy]->ID);
            w.fight(enemy, fightSeed(options.seed, id, k));
        },
        progress);

    std::vector<LabTally> tallies(opponents.size());
    for (const auto& w : workers) {
        for (size_t e = 0; e < tallies.size(); ++e) {
            tallies[e].add(w->tallies[e]);
        }
    }
    LabResult result;
    result.opponents = faced;
    result.fightsPerEnemy = options.fights;
    for (size_t e = 0; e < tallies.size(); ++e) {
        result.fights += tallies[e].fights;
        if (tallies[e].fights > 0) {
            result.rows.push_back(rowOf(*opponents[e], tallies[e], player));
        }
    }
    result.cancelled = result.fights < static_cast<long long>(total);
    // Weakest first; the rates are compared as fractions, so equal rates tie exactly.
    std::sort(result.rows.begin(), result.rows.end(), [](const LabRow& a, const LabRow& b) {
        const long long left = a.wins * b.fights;
        const long long right = b.wins * a.fights;
        return left != right ? left < right : a.ID < b.ID;
    });
    return result;
}

}  // namespace vargo
