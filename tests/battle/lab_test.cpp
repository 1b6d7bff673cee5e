#include "battle/lab.h"

#include <gtest/gtest.h>

#include <thread>

#include "battle/battle_support.h"
#include "battle/simulator.h"
#include "doll_json.h"

namespace vargo {
namespace {

using test::DollNumbers;
using test::makeDoll;
using test::makePattern;

// A Novice who moves in and punches, and another pattern that only guards.
std::shared_ptr<doll> player() {
    DollNumbers n;
    n.name = "試作機";
    n.pow = 14;
    n.offence = 7;
    n.value = 2000;
    return makeDoll(n, {makePattern({kMove, kMove, kPunch, kPunch}, 6, "突撃"),
                        makePattern({kKumi, kDrop}, 5, "投げ"), makePattern({kBlock}, 3, "守り")});
}

std::shared_ptr<doll> enemy(int id, int value, int pow, std::initializer_list<LogicPtr> patterns) {
    DollNumbers n;
    n.name = "敵" + std::to_string(id);
    n.ID = id;
    n.value = value;
    n.pow = pow;
    return makeDoll(n, patterns);
}

MemoryEnemies noviceField() {
    MemoryEnemies m;
    m.add(enemy(1, 1500, 10, {makePattern({kMove, kKick}, 5), makePattern({kPunch, kPunch}, 4)}));
    m.add(enemy(2, 2400, 16, {makePattern({kMove, kPunch, kKick}, 7), makePattern({kKumi, kHold}, 5)}));
    m.add(enemy(3, 1800, 12, {makePattern({kSpin, kKick}, 5)}));
    m.add(enemy(4, 4000, 20, {makePattern({kMove, kPunch}, 4)}));  // a Master: not faced
    return m;
}

const LabResult& table(const std::variant<LabResult, FightRunProblem>& r) {
    if (const auto* p = std::get_if<FightRunProblem>(&r)) {
        ADD_FAILURE() << p->message;
    }
    return std::get<LabResult>(r);
}

void expectSameRows(const LabResult& a, const LabResult& b) {
    ASSERT_EQ(a.rows.size(), b.rows.size());
    for (size_t i = 0; i < a.rows.size(); ++i) {
        const LabRow& x = a.rows[i];
        const LabRow& y = b.rows[i];
        EXPECT_EQ(x.ID, y.ID);
        EXPECT_EQ(std::tie(x.fights, x.wins, x.losses, x.draws),
                  std::tie(y.fights, y.wins, y.losses, y.draws));
        EXPECT_EQ(x.averageSteps, y.averageSteps);
        EXPECT_EQ(std::tie(x.winPattern.slot, x.winPattern.amount),
                  std::tie(y.winPattern.slot, y.winPattern.amount));
        EXPECT_EQ(std::tie(x.lossPattern.slot, x.lossPattern.amount),
                  std::tie(y.lossPattern.slot, y.lossPattern.amount));
    }
}

// The table is the same on one thread or many, and each row is what its fights, replayed one by
// one with their own generators, add up to.
TEST(Lab, SameTableForAnyNumberOfThreadsAndFightByFight) {
    MemoryEnemies enemies = noviceField();
    auto me = player();
    LabOptions o;
    o.fights = 40;
    o.seed = 9;
    o.jobs = 1;
    const LabResult one = table(runLab(*me, enemies, o));
    o.jobs = 2;
    const LabResult two = table(runLab(*me, enemies, o));
    o.jobs = 4;
    const LabResult four = table(runLab(*me, enemies, o));
    expectSameRows(one, two);
    expectSameRows(one, four);
    ASSERT_EQ(one.rows.size(), 3u);  // the Master is not faced
    EXPECT_FALSE(one.cancelled);
    EXPECT_EQ(one.fights, 120);

    for (const LabRow& row : one.rows) {
        long long wins = 0;
        long long losses = 0;
        long long steps = 0;
        for (int k = 0; k < o.fights; ++k) {
            GameRandom dice(fightSeed(9, static_cast<std::uint64_t>(row.ID), static_cast<std::uint64_t>(k)));
            Simulator sim(dice);
            const BoutResult r = sim.play(freshCopy(*me), enemies.ldTekiDoll(row.ID));
            wins += r.winner == 0;
            losses += r.winner == 1;
            steps += r.steps;
        }
        EXPECT_EQ(row.wins, wins) << row.name;
        EXPECT_EQ(row.losses, losses) << row.name;
        EXPECT_DOUBLE_EQ(row.averageSteps, static_cast<double>(steps) / o.fights);
        EXPECT_DOUBLE_EQ(row.winRate, static_cast<double>(wins) / o.fights);
    }
    // Weakest first.
    for (size_t i = 1; i < one.rows.size(); ++i) {
        EXPECT_LE(one.rows[i - 1].winRate, one.rows[i].winRate);
    }
}

// An enemy without a single pattern only watches: the Doll cannot lose, every win is carried by
// the one pattern that deals damage, and the interval is the Wilson interval of n out of n.
TEST(Lab, ADollThatCannotLose) {
    MemoryEnemies enemies;
    enemies.add(enemy(7, 1200, 10, {}));
    auto me = player();
    me->setLogics(std::make_shared<Logic>(), 1);  // only 突撃 deals damage now
    LabOptions o;
    o.fights = 50;
    const LabResult r = table(runLab(*me, enemies, o));
    ASSERT_EQ(r.rows.size(), 1u);
    const LabRow& row = r.rows[0];
    EXPECT_EQ(row.ID, 7);
    EXPECT_EQ(row.wins, 50);
    EXPECT_EQ(row.losses + row.draws, 0);
    EXPECT_DOUBLE_EQ(row.winRate, 1.0);
    EXPECT_NEAR(row.interval.low, 50 / (50 + 1.96 * 1.96), 1e-12);
    EXPECT_DOUBLE_EQ(row.interval.high, 1.0);
    EXPECT_EQ(row.winPattern.slot, 0);
    EXPECT_EQ(row.winPattern.name, "突撃");
    EXPECT_GE(row.winPattern.amount, 50 * 100);  // at least one part's 100 HP each fight
    EXPECT_EQ(row.lossPattern.slot, -1);

    // A textbook case: 7 wins out of 10.
    const WinInterval w = wilsonInterval(7, 10);
    EXPECT_NEAR(w.low, 0.3968, 5e-5);
    EXPECT_NEAR(w.high, 0.8922, 5e-5);
    const WinInterval none = wilsonInterval(0, 0);
    EXPECT_EQ(std::tie(none.low, none.high), std::make_tuple(0.0, 1.0));
}

TEST(Lab, CancelStopsTheRun) {
    MemoryEnemies enemies = noviceField();
    auto me = player();
    LabOptions o;
    o.fights = 1000000;
    o.jobs = 2;
    FightProgress progress;
    // A watcher on another thread, as the window's timer would be.
    std::thread watcher([&] {
        while (progress.done.load() < 20) {
            std::this_thread::yield();
        }
        progress.cancel = true;
    });
    const LabResult r = table(runLab(*me, enemies, o, &progress));
    watcher.join();
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(progress.total.load(), 3'000'000);
    EXPECT_GE(r.fights, 20);
    EXPECT_LT(r.fights, 100'000);
    EXPECT_EQ(r.fights, progress.done.load());
    long long inRows = 0;
    for (const LabRow& row : r.rows) {
        inRows += row.fights;
    }
    EXPECT_EQ(inRows, r.fights);

    // Raised before the start: nothing is fought.
    FightProgress stopped;
    stopped.cancel = true;
    const LabResult none = table(runLab(*me, enemies, o, &stopped));
    EXPECT_TRUE(none.cancelled);
    EXPECT_EQ(none.fights, 0);
    EXPECT_TRUE(none.rows.empty());
}

TEST(Lab, BadInputsAreToldNotTabled) {
    MemoryEnemies enemies = noviceField();
    auto me = player();
    me->programed = false;
    auto r = runLab(*me, enemies, {});
    ASSERT_TRUE(std::holds_alternative<FightRunProblem>(r));
    EXPECT_EQ(std::get<FightRunProblem>(r).message, "プログラムを登録して下さい");

    me->programed = true;
    for (int s = 0; s < 3; ++s) {
        me->getLogic(s)->AP = 16;  // AP 3 and the best 2D6 make 15
    }
    r = runLab(*me, enemies, {});
    ASSERT_TRUE(std::holds_alternative<FightRunProblem>(r));
    EXPECT_EQ(std::get<FightRunProblem>(r).message,
              "試作機には使えるパターンがありません。\nAP15以下で払えるパターンを登録して下さい。");

    auto expert = player();
    expert->value = 3000;
    r = runLab(*expert, enemies, {});
    ASSERT_TRUE(std::holds_alternative<FightRunProblem>(r));
    EXPECT_EQ(std::get<FightRunProblem>(r).message,
              "Expertクラスの敵Dollが登録されていません。\n敵Dollの登録をして下さい。");
    // Beside Expert stand Novice and Master: all four enemies.
    LabOptions o;
    o.neighbours = true;
    o.fights = 2;
    EXPECT_EQ(table(runLab(*expert, enemies, o)).rows.size(), 4u);
    // Leaving one out, as a registry Doll leaves itself out.
    o.skipID = 4;
    EXPECT_EQ(table(runLab(*expert, enemies, o)).rows.size(), 3u);
}

// The lab works on copies: the career's Doll and its parts are as they were, and the game's own
// generator (a script with no numbers in it) is never asked for one.
TEST(Lab, TheCareerIsUntouched) {
    ScriptedRandom gameDice;
    Game game(GameFolder("."), gameDice);
    game.dolls[0] = player();
    game.dolls[0]->Motor->HP = 40;  // damaged from an earlier fight
    const doll& d = *game.dolls[0];
    auto json = [&] {
        tool::Json j = tool::Json::object();
        tool::addDollFields(j, d, true);
        tool::addPatterns(j, d);
        return tool::jsonText(j);
    };
    const std::string before = json();
    const MotorPtr motor = d.Motor;
    MemoryEnemies enemies = noviceField();
    LabOptions o;
    o.fights = 20;
    table(runLab(d, enemies, o));
    EXPECT_EQ(json(), before);
    EXPECT_EQ(d.Motor, motor);
    EXPECT_EQ(d.Motor->HP, 40);
}

}  // namespace
}  // namespace vargo
