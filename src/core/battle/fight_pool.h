#pragma once
// Many headless fights at once, for the Doll lab, the tournament estimate and the balance table.
// Every fight draws from its own generator, seeded from one seed and the fight's place in the run,
// so a run gives the same figures on one thread or on many. Each thread fights on its own worker
// (its own Simulator or Fight, its own copies of the Dolls), so workers share nothing but what they
// only read.

#include <tbb/blocked_range.h>
#include <tbb/enumerable_thread_specific.h>
#include <tbb/global_control.h>
#include <tbb/info.h>
#include <tbb/parallel_for.h>
#include <tbb/partitioner.h>
#include <tbb/task_arena.h>
#include <tbb/task_group.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vargo {

/// What a long run of fights shares with whoever watches it, from any thread: the watcher reads
/// done and total (the lab's window polls them from a timer) and may raise cancel at any time; the
/// workers take no further fight once they see it.
struct FightProgress {
    std::atomic<bool> cancel{false};
    std::atomic<long long> done{0};
    std::atomic<long long> total{0};
};

/// Why a run of fights could not start, in the player's words.
struct FightRunProblem {
    std::string message;
};

/// The seed of one fight of a run: the run's seed mixed with two numbers naming the fight (an
/// enemy and the fight's index, a pair and the round, ...). SplitMix64's finaliser spreads nearby
/// numbers far apart, so neighbouring fights' generators start unrelated.
constexpr std::uint64_t fightSeed(std::uint64_t seed, std::uint64_t a, std::uint64_t b) {
    auto mix = [](std::uint64_t x) {
        x += 0x9e3779b97f4a7c15ULL;
        x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
        x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
        return x ^ (x >> 31);
    };
    return mix(mix(mix(seed) ^ a) ^ b);
}

/// How many threads `jobs` asks for: itself, or every core for 0 (or less).
inline int fightThreads(int jobs) {
    return jobs > 0 ? jobs : tbb::info::default_concurrency();
}

/// Runs tasks 0 .. count-1 on fightThreads(jobs) threads. Every thread that takes part makes its own
/// worker with make() the first time and runs its tasks on it; the workers are handed back for the
/// caller to add up (in no particular order: what they hold must add up the same in any order).
/// Once progress's cancel is raised no further task starts; done counts the tasks finished.
template <class Worker>
std::vector<std::unique_ptr<Worker>> runFightPool(int jobs, std::size_t count,
                                                  const std::function<std::unique_ptr<Worker>()>& make,
                                                  const std::function<void(Worker&, std::size_t)>& run,
                                                  FightProgress* progress) {
    tbb::enumerable_thread_specific<std::unique_ptr<Worker>> workers;
    const int threads = fightThreads(jobs);
    // More threads than cores is asked for on purpose (a test of the figures' independence from the
    // threads): the process-wide limit, the cores by default, is raised for the run's length.
    std::optional<tbb::global_control> allowMore;
    if (threads > tbb::info::default_concurrency()) {
        allowMore.emplace(tbb::global_control::max_allowed_parallelism, static_cast<std::size_t>(threads));
    }
    tbb::task_arena arena(threads);
    tbb::task_group_context group;
    auto chunk = [&](const tbb::blocked_range<std::size_t>& range) {
        std::unique_ptr<Worker>& w = workers.local();
        if (!w) {
            w = make();
        }
        for (std::size_t task = range.begin(); task != range.end(); ++task) {
            if (progress && progress->cancel.load(std::memory_order_relaxed)) {
                // The chunks not yet begun are dropped too, however many remain.
                group.cancel_group_execution();
                return;
            }
            run(*w, task);
            if (progress) {
                progress->done.fetch_add(1, std::memory_order_relaxed);
            }
        }
    };
    // A fight takes some microseconds: chunks of a few keep the threads busy without waiting on each
    // other, and a cancel is seen within a few fights.
    arena.execute([&] {
        tbb::parallel_for(tbb::blocked_range<std::size_t>(0, count, 4), chunk, tbb::auto_partitioner(),
                          group);
    });
    std::vector<std::unique_ptr<Worker>> out;
    for (std::unique_ptr<Worker>& w : workers) {
        if (w) {
            out.push_back(std::move(w));
        }
    }
    return out;
}

}  // namespace vargo
