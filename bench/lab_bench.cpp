// The Doll lab and the tournament estimate on the shipped registry: a registry Doll against all 33
// enemies, 200 fights each, and the estimate's 200 whole Expert tournaments, on one thread and on two. The
// enemies are read once before the clock starts, so the figures are the fights' own.

#include <benchmark/benchmark.h>

#include "battle/enemy_source.h"
#include "battle/lab.h"
#include "battle/tournament_odds.h"
#include "persistence/enemy_registry.h"
#include "ports/prompts.h"

namespace vargo {
namespace {

struct ShippedRegistry {
    ShippedRegistry() {
        ScriptedPrompts prompts;
        EnemyRegistry registry(GameFolder(VARGO_SOURCE_DIR "/data"), prompts);
        for (int id = 1; id <= 33; ++id) {
            enemies.add(registry.ldTekiDoll(id));
        }
        // 大蛇, an Expert, as the player's Doll: it meets its own twin among the 33.
        player = freshCopy(*enemies.all()[13]);
        player->ID = 0;
        player->programed = true;
        owner.Rl = 2000;
    }
    MemoryEnemies enemies;
    std::shared_ptr<doll> player;
    Owner owner;
};

ShippedRegistry& shipped() {
    static ShippedRegistry r;
    return r;
}

void BM_Lab33x200(benchmark::State& state) {
    ShippedRegistry& r = shipped();
    LabOptions o;
    o.opponents = DollClass::Expert;
    o.neighbours = true;  // Novice, Expert and Master: all 33
    o.fights = 200;
    o.jobs = static_cast<int>(state.range(0));
    long long fights = 0;
    for (auto _ : state) {
        const auto result = runLab(*r.player, r.enemies, o);
        fights += std::get<LabResult>(result).fights;
    }
    state.counters["fights/s"] = benchmark::Counter(static_cast<double>(fights), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Lab33x200)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TournamentOdds(benchmark::State& state) {
    ShippedRegistry& r = shipped();
    TournamentOddsOptions o;  // as many runs as the game's estimate plays
    o.jobs = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const auto result = estimateTournament(r.owner, *r.player, DollClass::Expert, r.enemies, o);
        benchmark::DoNotOptimize(std::get<TournamentOdds>(result).won[2]);
    }
}
BENCHMARK(BM_TournamentOdds)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace vargo
