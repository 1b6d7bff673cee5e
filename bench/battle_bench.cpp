// The battle's cost: a whole computer-against-computer fight (and the same recorded as a replay),
// a step back in a replay, one search, one damage roll, and the dice alone as the floor everything
// else is measured against.

#include <benchmark/benchmark.h>

#include "battle/replay_player.h"
#include "battle/replay_recorder.h"
#include "battle/simulator.h"

namespace vargo {
namespace {

LogicPtr pattern(std::initializer_list<int> codes, int AP) {
    auto logic = std::make_shared<Logic>();
    int pos = 0;
    for (int code : codes) {
        logic->setAction(makeAction(code), pos++);
    }
    logic->AP = static_cast<Int16>(AP);
    logic->name = "技";
    return logic;
}

std::shared_ptr<doll> fighter(const char* name, int pow, int offence, int defence,
                              std::initializer_list<LogicPtr> patterns) {
    auto d = std::make_shared<doll>();
    d->name = name;
    d->pow = static_cast<Int16>(pow);
    d->offence = static_cast<Int16>(offence);
    d->defence = static_cast<Int16>(defence);
    d->move = 30;
    d->jump = 20;
    d->spin = 20;
    d->weight = 10;
    d->AC = 2;
    d->AP = 4;
    d->Motor = std::make_shared<Motor>();
    d->Motor->maxHP = d->Motor->HP = 100;
    d->frame = std::make_shared<DollFrame>();
    d->frame->maxHP = d->frame->HP = 100;
    int slot = 0;
    for (const auto& p : patterns) {
        d->setLogics(p, slot++);
    }
    return d;
}

std::shared_ptr<doll> red() {
    return fighter(
        "赤", 14, 6, 4,
        {pattern({kMove, kMove, kPunch, kPunch}, 7), pattern({kKumi, kDrop}, 6), pattern({kSpin, kKick}, 5),
         pattern({kHazusi, kBlock}, 4), pattern({kMove, kJump, kKick}, 9)});
}
std::shared_ptr<doll> blue() {
    return fighter(
        "青", 12, 5, 6,
        {pattern({kKumi, kHold, kHold}, 8), pattern({kPunch, kKick, kUke}, 6), pattern({kSpin, kPunch}, 4),
         pattern({kHazusi}, 3), pattern({kMove, kPunch, kBlock}, 13)});
}

void BM_Dice(benchmark::State& state) {
    GameRandom rng(1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(roll2D6(rng));
    }
}
BENCHMARK(BM_Dice);

void BM_WholeFight(benchmark::State& state) {
    GameRandom rng(1);
    Simulator sim(rng);
    auto a = red();
    auto b = blue();
    long long steps = 0;
    for (auto _ : state) {
        BoutResult r = sim.play(a, b);
        steps += r.steps;
        benchmark::DoNotOptimize(r.winner);
    }
    state.counters["fights/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["steps/fight"] = static_cast<double>(steps) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_WholeFight);

// A whole fight recorded as its replay: every draw passes through the recorder.
void BM_WholeFightRecorded(benchmark::State& state) {
    GameRandom rng(1);
    ScriptedCommander nobody;
    std::size_t dice = 0;
    ReplayRecorder recorder(rng, nobody, [&dice](Replay&& r) { dice += r.dice.size(); });
    Simulator sim(recorder.random());
    sim.setRecorder(&recorder);
    auto a = red();
    auto b = blue();
    for (auto _ : state) {
        BoutResult r = sim.play(a, b);
        recorder.finish(sim.lastFight());
        benchmark::DoNotOptimize(r.winner);
    }
    state.counters["fights/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["dice/fight"] = static_cast<double>(dice) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_WholeFightRecorded);

// A step back in the replay window from the end of a fight: the bout played again from its start
// on fresh Dolls to the step before the last.
void BM_ReplayStepBack(benchmark::State& state) {
    GameRandom rng(3);
    ScriptedCommander nobody;
    std::optional<Replay> kept;
    ReplayRecorder recorder(rng, nobody, [&kept](Replay&& r) { kept = std::move(r); });
    Simulator sim(recorder.random());
    sim.setRecorder(&recorder);
    sim.play(red(), blue());
    recorder.finish(sim.lastFight());
    ReplayPlayer player(std::move(*kept), "bench.rpl");
    const int last = player.stepCount();
    for (auto _ : state) {
        player.seek(last);
        player.seek(last - 1);
        benchmark::DoNotOptimize(player.fight().steps());
    }
    state.counters["steps"] = last;
}
BENCHMARK(BM_ReplayStepBack);

void BM_SearchLogic(benchmark::State& state) {
    auto d = red();
    PatternBook book = PatternBook::from(*d);
    SearchSituation s;
    s.book = &book;
    s.playAP = 10;
    s.ownMove = 20;
    s.otherMove = 30;  // in contact against a faster Doll: the two-pass searchKumi
    for (auto _ : state) {
        benchmark::DoNotOptimize(&searchLogic(s));
    }
}
BENCHMARK(BM_SearchLogic);

}  // namespace

// The benchmark's way into one rule of the fight: the damage of a landed kick, its events
// cleared each time as a step would.
struct FightTestAccess {
    static int damage(Fight& f, int who, int kind, int wazaPow) {
        f.events_.clear();
        return f.Damage(who, kind, wazaPow, 7);
    }
};

namespace {

void BM_Damage(benchmark::State& state) {
    GameRandom rng(1);
    GameRandom unused(2);
    Game game(GameFolder("."), unused);
    SilentPrompts prompts;
    ScriptedCommander nobody;
    MemoryEnemies none;
    Fight fight(game, rng, prompts, nobody, none);
    auto target = blue();
    fight.startBout(red(), target);
    target->Motor->HP = 30000;
    target->frame->HP = 30000;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FightTestAccess::damage(fight, 0, 2, 3));
        if (target->Motor->HP < 1000 || target->frame->HP < 1000) {
            target->Motor->HP = 30000;
            target->frame->HP = 30000;
        }
    }
}
BENCHMARK(BM_Damage);

}  // namespace
}  // namespace vargo
