// Whole careers on the shipped data: 1,000 careers of each strategy on two threads, as
// `vargo-tool career --runs 1000 --jobs 2` plays them. The planner's figure includes filling its
// shared table of tournament estimates, which a run starts empty.

#include <benchmark/benchmark.h>

#include "career/career_bot.h"

namespace vargo {
namespace {

void BM_Careers1000(benchmark::State& state) {
    CareerOptions o;
    o.strategy = static_cast<BotStrategy>(state.range(0));
    o.runs = 1000;
    o.jobs = 2;
    long long careers = 0;
    for (auto _ : state) {
        const auto played = playCareers(GameFolder(VARGO_SOURCE_DIR "/data"), o);
        careers += static_cast<long long>(std::get<std::vector<CareerRun>>(played).size());
    }
    state.SetLabel(botStrategyName(o.strategy));
    state.counters["careers/s"] =
        benchmark::Counter(static_cast<double>(careers), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Careers1000)
    ->Arg(static_cast<int>(BotStrategy::Worker))
    ->Arg(static_cast<int>(BotStrategy::Fighter))
    ->Arg(static_cast<int>(BotStrategy::Planner))
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace
}  // namespace vargo
