#pragma once
// Many headless fights at once, for the Doll lab, the tournament estimate and the balance table.
// Every fight draws from its own generator, seeded from one seed and the fight's place in the run,
// so a run gives the same figures on one thread or on many. Each thread fights on its own worker
// (its own Simulator or Fight, its own copies of the Dolls), so workers share nothing but what they
// only read.

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
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
    return jobs > 0 ? jobs : static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
}

/// Runs tasks 0 .. count-1 on fightThreads(jobs) threads, the calling thread one of them. The threads
/// take the tasks a few at a time from a shared counter, so a slow stretch on one core does not hold
/// the others up. Every thread makes its own worker with make() before its first task and runs its
/// tasks on it; the workers are handed back for the caller to add up (in no particular order: what
/// they hold must add up the same in any order). Once progress's cancel is raised no further task
/// starts; done counts the tasks finished. Something thrown in a thread stops the others and is
/// thrown again here.
///
/// Plain threads rather than a task library: the fights are flat, independent and alike, which a
/// shared counter spreads as well as work stealing would, and every hand-over is then visible to
/// ThreadSanitizer (a scheduler inside an uninstrumented library hides its own, and its tasks' data
/// then looks raced).
template <class Worker>
std::vector<std::unique_ptr<Worker>> runFightPool(int jobs, std::size_t count,
                                                  const std::function<std::unique_ptr<Worker>()>& make,
                                                  const std::function<void(Worker&, std::size_t)>& run,
                                                  FightProgress* progress) {
    // A fight takes some microseconds: a few at a time keep the counter quiet, and a cancel is seen
    // within a few fights.
    constexpr std::size_t kChunk = 4;
    const std::size_t chunks = (count + kChunk - 1) / kChunk;
    const std::size_t threads =
        std::max<std::size_t>(1, std::min(static_cast<std::size_t>(fightThreads(jobs)), chunks));
    std::vector<std::unique_ptr<Worker>> workers(threads);
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    std::exception_ptr failure;
    std::mutex failureLock;

    auto stopped = [&] {
        return failed.load(std::memory_order_relaxed) ||
               (progress && progress->cancel.load(std::memory_order_relaxed));
    };
    auto work = [&](std::size_t slot) {
        try {
            std::unique_ptr<Worker>& w = workers[slot];
            for (std::size_t begin = next.fetch_add(kChunk); begin < count; begin = next.fetch_add(kChunk)) {
                const std::size_t end = std::min(begin + kChunk, count);
                for (std::size_t task = begin; task < end; ++task) {
                    if (stopped()) {
                        return;
                    }
                    if (!w) {
                        w = make();
                    }
                    run(*w, task);
                    if (progress) {
                        progress->done.fetch_add(1, std::memory_order_relaxed);
                    }
                }
            }
        } catch (...) {
            const std::lock_guard<std::mutex> hold(failureLock);
            if (!failure) {
                failure = std::current_exception();
            }
            failed = true;
        }
    };

    std::vector<std::thread> helpers;
    helpers.reserve(threads - 1);
    for (std::size_t slot = 1; slot < threads; ++slot) {
        helpers.emplace_back(work, slot);
    }
    work(0);
    for (std::thread& t : helpers) {
        t.join();
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
    std::erase_if(workers, [](const std::unique_ptr<Worker>& w) { return !w; });
    return workers;
}

}  // namespace vargo
