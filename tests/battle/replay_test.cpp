// Replays: thousands of seeded bouts of every mode recorded, written, read back and played again,
// step for step the same as the bout that was recorded; and replay files that are damaged, cut short or not
// replays at all, named in a message and never played.

#include <gtest/gtest.h>

#include <random>

#include "battle/replay_player.h"
#include "battle/replay_recorder.h"
#include "battle/simulator.h"
#include "model/text_codec.h"
#include "persistence/enemy_registry.h"

namespace vargo {
namespace {

// The shipped registry's Dolls, read once.
const std::vector<std::shared_ptr<doll>>& shippedDolls() {
    static const std::vector<std::shared_ptr<doll>> dolls = [] {
        SilentPrompts prompts;
        EnemyRegistry registry(GameFolder(VARGO_SOURCE_DIR "/data"), prompts);
        std::vector<std::shared_ptr<doll>> out;
        for (int n = 1; n <= 99; ++n) {
            if (auto d = registry.ldTekiDoll(n)) {
                out.push_back(d);
            }
        }
        return out;
    }();
    return dolls;
}

// A restless player: any technique 0..6 (0 withdraws the order), either way to move.
class SeededCommander final : public Commander {
public:
    explicit SeededCommander(std::uint32_t seed) : gen(seed) {}
    int selectTechnique(const doll&, int) override { return static_cast<int>(gen() % 7); }
    int selectMove(int) override { return static_cast<int>(gen() % 2); }

private:
    std::mt19937 gen;
};

// What the recorded bout showed: describeStep after every step. The deciding step is taken at the
// outcome, since a tournament goes straight on to its next bout within the same step.
struct Watched {
    std::vector<std::string> lines;
    int winner = -1;
};

class Watcher final : public FightRecorder {
public:
    explicit Watcher(ReplayRecorder& r) : rec(r) {}
    void boutStarted(const Fight& f) override {
        rec.boutStarted(f);
        bouts.emplace_back();
        open = true;
    }
    void boutEnded(const Fight& f, bool gaveUp) override {
        if (!gaveUp && f.steps() > 0) {
            bouts.back().lines.push_back(describeStep(f, 0));
            endedInStep = true;
        }
        bouts.back().winner = gaveUp ? -1 : f.winner();
        rec.boutEnded(f, gaveUp);
        open = false;
    }
    void afterStep(const Fight& f) {
        if (open && !endedInStep) {
            bouts.back().lines.push_back(describeStep(f, 0));
        }
        endedInStep = false;
    }
    std::vector<Watched> bouts;

private:
    ReplayRecorder& rec;
    bool open = false;
    bool endedInStep = false;
};

struct Tally {
    int bouts = 0;
    int decided = 0;
    int gaveUp = 0;
    int answered = 0;
    int openings = 0;  ///< bouts taken up from a turn in progress
};

// Plays r again (every fourth bout written as a file and read back first, which the format's own
// test covers in detail) and compares every step with the recorded bout's.
void expectPlaysAgain(Replay r, const Watched& original, bool seekToo, Tally& tally) {
    if (tally.bouts % 4 == 0) {
        ReplayRead read = readReplayBytes(encodeLines(replayLines(r)), "replay/test.rpl");
        ASSERT_TRUE(read.replay) << read.problem.message();
        r = std::move(*read.replay);
    }
    const ReplayEnd end = r.end;
    const int steps = r.steps;
    const bool answered = !r.answers.empty();
    const bool opening = r.opening.phase != 0;
    ReplayPlayer player(std::move(r), "replay/test.rpl");
    ASSERT_FALSE(player.damaged()) << player.problem();
    ASSERT_EQ(player.stepCount(), static_cast<int>(original.lines.size()));
    for (const std::string& line : original.lines) {
        player.step();
        ASSERT_EQ(describeStep(player.fight(), 0), line) << "step " << player.position();
    }
    EXPECT_TRUE(player.atEnd());
    EXPECT_EQ(player.fight().winner(), original.winner);
    EXPECT_EQ(player.report().steps, steps);
    if (seekToo && !original.lines.empty()) {
        // Back to the middle and forward again: the same steps.
        const int middle = (player.stepCount() + 1) / 2;
        player.seek(middle);
        EXPECT_EQ(describeStep(player.fight(), 0), original.lines[static_cast<size_t>(middle - 1)]);
        player.seek(player.stepCount());
        EXPECT_EQ(describeStep(player.fight(), 0), original.lines.back());
        player.seek(0);
        EXPECT_TRUE(player.atStart());
    }
    ++tally.bouts;
    tally.decided += end == ReplayEnd::Decided ? 1 : 0;
    tally.gaveUp += end == ReplayEnd::GaveUp ? 1 : 0;
    tally.answered += answered ? 1 : 0;
    tally.openings += opening ? 1 : 0;
}

// One fight screen of `mode`, seeded, with the player's side answered by a seeded commander, and
// every bout it played recorded and played again.
void recordAndReplay(FightMode mode, std::uint64_t seed, Tally& tally) {
    const auto& pool = shippedDolls();
    GameRandom rng(seed);
    Game game(GameFolder("."), rng);
    const size_t n = pool.size();
    game.dolls[0] = freshCopy(*pool[seed % n]);
    game.dolls[1] = freshCopy(*pool[(seed * 7 + 3) % n]);
    MemoryEnemies enemies;
    for (const auto& d : pool) {
        enemies.add(d);
    }
    SilentPrompts prompts;
    SeededCommander player(static_cast<std::uint32_t>(seed));
    std::vector<Replay> replays;
    ReplayRecorder recorder(rng, player, [&replays](Replay&& r) { replays.push_back(std::move(r)); });
    Watcher watcher(recorder);
    Fight fight(game, recorder.random(), prompts, recorder.commander(), enemies);
    fight.setRecorder(&watcher);
    fight.setMode(mode);
    fight.setClass(DollClass::Master);
    fight.load();
    // A player who cannot finish a bout gives up.
    constexpr int kPatience = 150;
    while (!fight.closed()) {
        if (fight.steps() >= kPatience) {
            fight.cmdTap_Click();
            break;
        }
        fight.cmdNext_Click();
        watcher.afterStep(fight);
    }
    ASSERT_EQ(replays.size(), watcher.bouts.size());
    for (size_t i = 0; i < replays.size(); ++i) {
        EXPECT_EQ(replays[i].mode, mode);
        expectPlaysAgain(std::move(replays[i]), watcher.bouts[i], seed % 16 == 0, tally);
        if (::testing::Test::HasFatalFailure()) {
            ADD_FAILURE() << "seed " << seed << " bout " << i;
            return;
        }
    }
}

Tally playMany(FightMode mode, int bouts) {
    Tally tally;
    for (std::uint64_t seed = 1; tally.bouts < bouts; ++seed) {
        recordAndReplay(mode, seed, tally);
        if (::testing::Test::HasFatalFailure()) {
            break;
        }
    }
    return tally;
}

TEST(Replays, SimulationsPlayAgainStepForStep) {
    const Tally t = playMany(FightMode::Street, 1000);
    EXPECT_GT(t.decided, 500);
    EXPECT_GT(t.gaveUp, 0);
    // A bout the computer wins before the player is ever asked has no orders.
    EXPECT_GT(t.answered, 950);
}

TEST(Replays, DuelsPlayAgainStepForStep) {
    const Tally t = playMany(FightMode::Duel, 1000);
    EXPECT_GT(t.decided, 500);
    EXPECT_EQ(t.answered, t.bouts);
}

// Each of the player's bouts is its own replay; a later bout takes up the turn the last one ended in.
TEST(Replays, TournamentBoutsPlayAgainStepForStep) {
    const Tally t = playMany(FightMode::Tornament, 1000);
    EXPECT_GT(t.decided, 500);
    EXPECT_GT(t.openings, 50);
}

// A computer fight from the shipped registry, as the file the recorder writes.
std::string recordedBytes(Replay* out = nullptr) {
    const auto& pool = shippedDolls();
    GameRandom rng(42);
    ScriptedCommander nobody;
    std::optional<Replay> kept;
    ReplayRecorder recorder(rng, nobody, [&kept](Replay&& r) { kept = std::move(r); });
    Simulator sim(recorder.random());
    sim.setRecorder(&recorder);
    sim.play(freshCopy(*pool[0]), freshCopy(*pool[4]));
    recorder.finish(sim.lastFight());
    if (out) {
        *out = *kept;
    }
    return encodeLines(replayLines(*kept));
}

std::vector<std::string> linesOf(const std::string& bytes) {
    return splitLines(fromCp932(bytes));
}

// The message of a file that does not play: from the reader, or from the player when it reads.
std::string troubleWith(const std::string& bytes) {
    ReplayRead read = readReplayBytes(bytes, "replay/auto-000007.rpl");
    if (!read.replay) {
        return read.problem.message();
    }
    ReplayPlayer player(std::move(*read.replay), "replay/auto-000007.rpl");
    if (player.damaged()) {
        EXPECT_EQ(player.stepCount(), 0);
        EXPECT_FALSE(player.step());
    }
    return player.problem();
}

TEST(Replays, DamagedCutShortOrForeignFilesAreNamedAndNeverPlayed) {
    Replay good;
    const std::string bytes = recordedBytes(&good);
    ASSERT_EQ(troubleWith(bytes), "");
    ASSERT_GT(good.dice.size(), 20u);

    std::vector<std::string> lines = linesOf(bytes);
    auto edited = [&](auto change) {
        std::vector<std::string> l = lines;
        change(l);
        return encodeLines(l);
    };
    auto find = [](std::vector<std::string>& l, const std::string& prefix) -> std::string& {
        for (auto& line : l) {
            if (line.rfind(prefix, 0) == 0) {
                return line;
            }
        }
        throw std::logic_error("no " + prefix);
    };
    const std::string motorIni = *readBytes(VARGO_SOURCE_DIR "/data/ini/Motor.ini");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"cut in half", bytes.substr(0, bytes.size() / 2)},
        {"empty", ""},
        {"a catalogue", motorIni},
        {"not Shift_JIS", "VARGO REPLAY 1\r\n\x81\x20\xff\r\n"},
        {"a later version", edited([](auto& l) { l[0] = "VARGO REPLAY 9"; })},
        {"a die of 1.0", edited([&](auto& l) { find(l, "dice=") = "dice=3ff0000000000000"; })},
        {"a die that is no number", edited([&](auto& l) { find(l, "dice=") = "dice=zz"; })},
        {"the last dice missing", edited([&](auto& l) {
             for (size_t i = l.size(); i-- > 0;) {
                 if (l[i].rfind("dice=", 0) == 0) {
                     l.erase(l.begin() + static_cast<long>(i));
                     return;
                 }
             }
         })},
        {"a die too many", edited([](auto& l) { l.insert(l.end() - 2, "dice=0000000000000000"); })},
        {"an order nobody asked for", edited([](auto& l) { l.insert(l.end() - 2, "answers=t3"); })},
        {"an order out of range", edited([](auto& l) { l.insert(l.end() - 2, "answers=t7"); })},
        {"another winner",
         edited([&](auto& l) { find(l, "end=") = good.winner == 0 ? "end=won 1" : "end=won 0"; })},
        {"a step more",
         edited([&](auto& l) { find(l, "steps=") = "steps=" + std::to_string(good.steps + 1); })},
        {"an unknown key", edited([](auto& l) { l.insert(l.begin() + 2, "colour=red"); })},
        {"a key twice", edited([&](auto& l) { l.insert(l.begin() + 2, find(l, "mode=")); })},
        {"an action past the tenth step",
         edited([&](auto& l) { find(l, "doll0.pattern0.actions=") += " 4:4"; })},
    };
    for (const auto& [what, file] : cases) {
        const std::string message = troubleWith(file);
        EXPECT_NE(message.find("replay/auto-000007.rpl"), std::string::npos) << what << ": " << message;
    }
    // The reader names the line of the fault.
    const std::string message = troubleWith(cases[5].second);
    EXPECT_NE(message.find("行目"), std::string::npos) << message;
}

TEST(Replays, NamesAndLabelsKeepEveryCharacterAndTheNumbersStayExact) {
    Replay r;
    recordedBytes(&r);
    r.dolls[0].name = "改行\nと\\記号=,\"";
    r.dolls[1].AC = 0.1 + 0.2;
    r.opening.dspAP[0] = "行動ポイント 7";
    r.keptName = "決勝戦";
    ReplayRead read = readReplay(replayLines(r), "x.rpl");
    ASSERT_TRUE(read.replay) << read.problem.message();
    EXPECT_EQ(read.replay->dolls[0].name, r.dolls[0].name);
    EXPECT_EQ(read.replay->dolls[1].AC, r.dolls[1].AC);
    EXPECT_EQ(read.replay->dice, r.dice);
    EXPECT_EQ(read.replay->answers, r.answers);
    EXPECT_EQ(read.replay->opening.dspAP, r.opening.dspAP);
    EXPECT_EQ(read.replay->keptName, "決勝戦");
    EXPECT_EQ(replayLines(*read.replay), replayLines(r));
}

}  // namespace
}  // namespace vargo
