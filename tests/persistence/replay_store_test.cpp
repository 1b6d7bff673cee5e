// The replay folder: the 30 newest automatic replays kept, kept ones never rotated away, names
// checked, bad files skipped with a message, and a failing disk costing nothing but the replay.

#include "persistence/replay_store.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "battle/battle_support.h"
#include "battle/simulator.h"
#include "model/text_codec.h"
#include "support/faulty_disk.h"
#include "support/test_support.h"

namespace vargo {
namespace {

using test::FaultyDisk;

// A short computer fight between two punchers, recorded.
Replay recordedBout(std::uint64_t seed) {
    GameRandom rng(seed);
    ScriptedCommander nobody;
    std::optional<Replay> kept;
    ReplayRecorder recorder(rng, nobody, [&kept](Replay&& r) { kept = std::move(r); });
    Simulator sim(recorder.random());
    sim.setRecorder(&recorder);
    auto punch = [] { return test::makePattern({kMove, kPunch}, 4, "突き"); };
    sim.play(test::makeDoll({.name = "赤", .pow = 30}, {punch()}),
             test::makeDoll({.name = "青" + std::to_string(seed), .pow = 30}, {punch()}));
    recorder.finish(sim.lastFight());
    return *kept;
}

Replay at(std::uint64_t seed, int second) {
    Replay r = recordedBout(seed);
    r.recordedAt = "2025-05-01 12:00:" + std::string(second < 10 ? "0" : "") + std::to_string(second);
    return r;
}

std::vector<std::string> replayFiles(const test::TempGameFolder& dir) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path() / "replay")) {
        names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ReplayStore, KeepsTheNewestThirtyAndEveryKeptOneNewestFirst) {
    test::TempGameFolder dir;
    ReplayStore store(dir.folder());
    std::string error;
    for (int i = 1; i <= 33; ++i) {
        ASSERT_TRUE(store.record(at(static_cast<std::uint64_t>(i), i), &error)) << error;
    }
    std::vector<std::string> problems;
    std::vector<ReplayEntry> list = store.list(&problems);
    EXPECT_TRUE(problems.empty());
    ASSERT_EQ(list.size(), 30u);
    EXPECT_EQ(list.front().opponent, "青33");
    EXPECT_EQ(list.back().opponent, "青4");
    EXPECT_EQ(list.front().file, "auto-000033.rpl");
    EXPECT_EQ(list.front().modeText(), "シミュレーション");
    EXPECT_GT(list.front().steps, 0);

    // The oldest one kept under a name outlives any number of newer bouts.
    ASSERT_TRUE(store.keep(list.back(), "初勝利", &error)) << error;
    for (int i = 34; i <= 40; ++i) {
        ASSERT_TRUE(store.record(at(static_cast<std::uint64_t>(i), i), &error)) << error;
    }
    list = store.list(&problems);
    ASSERT_EQ(list.size(), 31u);
    EXPECT_EQ(list.front().opponent, "青40");
    const auto kept = std::find_if(list.begin(), list.end(), [](const ReplayEntry& e) { return e.kept(); });
    ASSERT_NE(kept, list.end());
    EXPECT_EQ(kept->keptName, "初勝利");
    EXPECT_EQ(kept->opponent, "青4");
    EXPECT_EQ(std::count_if(list.begin(), list.end(), [](const ReplayEntry& e) { return e.kept(); }), 1);
    // It plays as it did.
    const std::optional<Replay> loaded = store.load(*kept, &error);
    ASSERT_TRUE(loaded) << error;
    EXPECT_EQ(loaded->dice, recordedBout(4).dice);
    // Renamed, it is still one replay.
    ASSERT_TRUE(store.keep(*kept, "初勝利その二", &error)) << error;
    EXPECT_EQ(store.list(&problems).size(), 31u);
    EXPECT_TRUE(problems.empty());
    const std::vector<std::string> files = replayFiles(dir);
    EXPECT_EQ(files.size(), 31u);
    EXPECT_EQ(files.back(), "kept-000004-初勝利その二.rpl");
}

TEST(ReplayStore, AKeptNameMustBeAFileNameInShiftJis) {
    for (const char* bad :
         {"", "a/b", "a\\b", "何:", "星*", "？?", "<>", "a|b", ".隠し", "末尾.", "末尾 ", "制御\t文字", "😀",
          "一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一"}) {
        EXPECT_FALSE(ReplayStore::nameProblem(bad).empty()) << bad;
    }
    for (const char* good : {"決勝", "vs 鉄拳ボーイ (3)", "〜 初勝利 〜",
                             "一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十"}) {
        EXPECT_EQ(ReplayStore::nameProblem(good), "") << good;
    }
    test::TempGameFolder dir;
    ReplayStore store(dir.folder());
    std::string error;
    ASSERT_TRUE(store.record(at(1, 1), &error));
    ASSERT_TRUE(store.record(at(2, 2), &error));
    std::vector<ReplayEntry> list = store.list(nullptr);
    EXPECT_FALSE(store.keep(list[0], "a/b", &error));
    EXPECT_EQ(error, ReplayStore::nameProblem("a/b"));
    ASSERT_TRUE(store.keep(list[0], "同じ名前", &error));
    EXPECT_FALSE(store.keep(list[1], "同じ名前", &error));
    EXPECT_NE(error.find("すでにあります"), std::string::npos);
    EXPECT_EQ(store.list(nullptr).size(), 2u);
}

TEST(ReplayStore, ABadFileIsLeftOutWithAMessageThatNamesIt) {
    test::TempGameFolder dir;
    ReplayStore store(dir.folder());
    std::string error;
    ASSERT_TRUE(store.record(at(1, 1), &error));
    const std::string good = encodeLines(replayLines(at(2, 2)));
    dir.writeBytes("replay/auto-000500.rpl", good.substr(0, good.size() / 3));
    dir.writeBytes("replay/kept-000002-他人.rpl", "not a replay\r\n");
    dir.writeBytes("replay/notes.txt", "ignored");
    // Far larger than any replay: not even read.
    {
        std::ofstream huge(dir.path() / "replay" / "auto-000003.rpl", std::ios::binary);
        huge.seekp(static_cast<std::streamoff>(kMaxReplayBytes) + 1);
        huge.put('\n');
    }
    std::vector<std::string> problems;
    const std::vector<ReplayEntry> list = store.list(&problems);
    ASSERT_EQ(list.size(), 1u);
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_NE(problems[0].find("replay/auto-000003.rpl: リプレイにしては大きすぎます"), std::string::npos)
        << problems[0];
    EXPECT_NE(problems[1].find("replay/auto-000500.rpl"), std::string::npos) << problems[1];
    EXPECT_NE(problems[2].find("replay/kept-000002-他人.rpl"), std::string::npos) << problems[2];
    EXPECT_NE(problems[2].find("リプレイのファイルではありません"), std::string::npos) << problems[2];
    // The next automatic replay follows the highest number there, readable or not.
    ASSERT_TRUE(store.record(at(3, 3), &error));
    EXPECT_EQ(store.list(nullptr).front().file, "auto-000501.rpl");
}

// Every disk step of a recording fails (once, or from there on), or the game is killed there: the
// replays already there stay readable, the new one is whole or absent, and a failure is told.
TEST(ReplayStore, AFailingDiskLosesOnlyTheNewReplay) {
    const std::pair<FaultyDisk::Fault, const char*> faults[] = {
        {FaultyDisk::Fault::FailOne, "one step fails"},
        {FaultyDisk::Fault::FailRest, "the disk fails from that step on"},
        {FaultyDisk::Fault::Kill, "the process is killed at that step"},
    };
    const Replay newer = at(9, 59);
    std::vector<std::string> older;
    for (int i = 1; i <= ReplayStore::kAutomatic; ++i) {
        older.push_back(encodeLines(replayLines(at(static_cast<std::uint64_t>(i), i))));
    }
    for (const auto& [how, label] : faults) {
        int tried = 0;
        for (int step = 1;; ++step) {
            test::TempGameFolder dir;
            ReplayStore store(dir.folder());
            std::string error;
            for (size_t i = 0; i < older.size(); ++i) {
                dir.writeBytes("replay/auto-00000" + std::to_string(i + 10) + ".rpl", older[i]);
            }
            bool ok = false;
            bool reached = false;
            if (how == FaultyDisk::Fault::Kill) {
                const pid_t child = ::fork();
                if (child == 0) {
                    FaultyDisk disk(step, how);
                    ScopedDisk use(disk);
                    store.record(newer, &error);
                    ::_exit(0);
                }
                int status = 0;
                ::waitpid(child, &status, 0);
                reached = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
            } else {
                FaultyDisk disk(step, how);
                ScopedDisk use(disk);
                ok = store.record(newer, &error);
                reached = disk.hit();
                EXPECT_TRUE(ok || !error.empty()) << label << " at " << step;
            }
            if (!reached) {
                break;
            }
            ++tried;
            std::vector<std::string> problems;
            const std::vector<ReplayEntry> list = store.list(&problems);
            EXPECT_TRUE(problems.empty()) << label << " at " << step << ": " << problems[0];
            const bool hasNewer = !list.empty() && list.front().opponent == "青9";
            EXPECT_GE(list.size(), static_cast<size_t>(ReplayStore::kAutomatic - 1))
                << label << " at " << step;
            EXPECT_FALSE(ok && !hasNewer) << label << " at " << step;
        }
        EXPECT_GE(tried, 5) << label;
    }
}

// A fight whose replays cannot be written goes on to its end; the player hears of it once.
TEST(ReplayStore, AFightWithAFullDiskGoesOnAndSaysSoOnce) {
    test::TempGameFolder dir;
    ReplayStore store(dir.folder());
    ScriptedPrompts prompts;
    const GameDate date;
    GameRandom rng(5);
    ScriptedCommander nobody;
    ReplayRecorder recorder(rng, nobody, storeSink(store, prompts, date));
    Simulator sim(recorder.random());
    sim.setRecorder(&recorder);
    FaultyDisk disk(1, FaultyDisk::Fault::FailRest);
    ScopedDisk use(disk);
    // Two bouts of one screen: two replays lost, both bouts fought out, one message.
    auto punch = [] { return test::makePattern({kMove, kPunch}, 4, "突き"); };
    for (int bout = 0; bout < 2; ++bout) {
        const BoutResult r = sim.play(test::makeDoll({.name = "赤", .pow = 30}, {punch()}),
                                      test::makeDoll({.name = "青", .pow = 30}, {punch()}));
        EXPECT_NE(r.winner, kDrawWinner);
    }
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_NE(prompts.calls[0].msg.find("リプレイを保存できませんでした"), std::string::npos);
    EXPECT_NE(prompts.calls[0].msg.find("replay"), std::string::npos) << prompts.calls[0].msg;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "replay"));
}

}  // namespace
}  // namespace vargo
