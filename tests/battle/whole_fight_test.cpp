// Whole fights played to their end: a simulation, a duel and a tournament with every die and every
// answer scripted, and a seeded computer fight compared with its golden log byte for byte.

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "battle/battle_support.h"
#include "battle/fight_report.h"
#include "battle/fight_view.h"
#include "battle/simulator.h"

namespace vargo {
namespace {

using test::makeDoll;
using test::makePattern;

struct WholeFight : ::testing::Test, test::FightBench {
    WholeFight() {
        game.dolls[0] = makeDoll({.name = "Mine", .pow = 200}, {makePattern({kPunch}, 3, "一撃")});
        game.owner(0).Lv = 1;
        game.owner(0).Rl = 1000;
    }
    // Initiative to the player, its punch destroys the enemy's motor, the enemy's AP, one spark.
    void pushWinningRound() {
        pushInitiative(5, 2);
        push2D6(3, 3);
        commander.pushTechnique(1);
        push2D6(6, 6);
        push2D6(1, 1);
        dice.pushDie(6, 6);
        push2D6(1, 1);
        push2D6(1, 1);
        dice.push(0.5);
    }
    void next(int times) {
        for (int i = 0; i < times; ++i) {
            fight.cmdNext_Click();
            reports.take(fight, true);
        }
    }
    BoutReports reports;
};

TEST_F(WholeFight, ASimulationToTheEnd) {
    enemies.add(makeDoll({.name = "Enemy", .ID = 3, .motorHP = 50}));
    dice.push(0.5);  // the draw among one enemy
    pushWinningRound();
    fight.setMode(FightMode::Street);
    fight.load();
    EXPECT_EQ(fight.screen().caption, "StreetFight");
    EXPECT_EQ(dspSpan(fight), "距離　 0");
    next(1);
    EXPECT_EQ(fight.ring().phase, 3);
    EXPECT_EQ(fight.screen().dspInitiative[0], "先手");
    EXPECT_EQ(fight.screen().dspAP[0], "行動ポイント 9");
    next(1);
    EXPECT_EQ(fight.battleLog(), "パンチ・・・命中！\nダメージは 100\nでたぁっ！一撃ッ！！！！！\n");
    EXPECT_TRUE(fight.closed());
    EXPECT_EQ(fight.winner(), 0);
    ASSERT_EQ(fight.screen().sparks.size(), 1u);
    EXPECT_EQ(fight.screen().sparks[0].x, 40 + 5 + 300);
    EXPECT_EQ(fight.screen().sparks[0].y, 10 + 20 + 10 + 10);
    EXPECT_EQ(prompts.calls.back().msg, "Mine勝利");
    EXPECT_EQ(game.dolls[0]->Motor->HP, 100);
    EXPECT_EQ(dice.remaining(), 0u);
    ASSERT_GE(sound.requests.size(), 2u);
    EXPECT_EQ(sound.requests[0].name, "fight");
    EXPECT_TRUE(sound.requests[0].loop);
    EXPECT_EQ(sound.requests[1].name, "SE");
    next(1);  // a closed screen takes no more steps
    EXPECT_EQ(dice.remaining(), 0u);
}

TEST_F(WholeFight, ASimulationWithoutEnemiesSaysSoAndDoesNotStart) {
    fight.setMode(FightMode::Street);
    fight.load();
    EXPECT_TRUE(fight.closed());
    EXPECT_EQ(prompts.calls.back().kind, ScriptedPrompts::Kind::MsgBox);
    EXPECT_EQ(prompts.calls.back().msg, "対戦できる敵Dollが登録されていません。");
}

TEST_F(WholeFight, AnInitiativeTieRollsAgainWithNobodyActing) {
    enemies.add(makeDoll({.name = "Enemy", .ID = 3}));
    dice.push(0.5);
    fight.setMode(FightMode::Street);
    fight.load();
    pushInitiative(4, 4);
    next(1);
    EXPECT_EQ(fight.ring().phase, 0);
    EXPECT_EQ(fight.ring().firstMover, 2);
    EXPECT_EQ(fight.battleLog(),
              "（両者のイニシアチヴチェックは互角です）\n極限の精神状態が生み出す緊迫した攻防！");
    pushInitiative(1, 6);
    push2D6(2, 2);
    next(1);
    EXPECT_EQ(fight.ring().phase, 4);
    EXPECT_EQ(fight.screen().dspInitiative[1], "先手");
    EXPECT_EQ(fight.screen().dspAP[0], "");
    push2D6(1, 1);
    next(1);  // the enemy has no patterns: it watches, then the player is due
    EXPECT_EQ(fight.battleLog(), "様子見です。\n");
    EXPECT_EQ(fight.ring().phase, 3);
    commander.pushTechnique(0);  // the order withdrawn: nothing happens and the turn ends
    next(1);
    EXPECT_EQ(fight.ring().phase, 0);
    EXPECT_EQ(dice.remaining(), 0u);
}

// The initiative winner may hold back; the other still acts, and that ends the turn.
TEST_F(WholeFight, AFirstMoverWhoSkipsStillEndsTheTurnAfterTheOther) {
    enemies.add(makeDoll({.name = "Enemy", .ID = 3}, {makePattern({kBlock}, 3, "構え")}));
    dice.push(0.5);
    fight.setMode(FightMode::Street);
    fight.load();
    pushInitiative(5, 2);
    push2D6(3, 3);
    next(1);
    EXPECT_EQ(fight.ring().phase, 3);
    commander.pushTechnique(0);
    push2D6(3, 3);
    next(1);
    EXPECT_EQ(fight.ring().phase, 4);
    EXPECT_EQ(fight.screen().dspAP[1], "行動ポイント 9");
    EXPECT_EQ(fight.screen().dspAP[0], "");
    next(1);
    EXPECT_EQ(fight.battleLog(), "防御の構えです。\nでたぁっ！構えッ！！！！！\n");
    EXPECT_EQ(fight.ring().phase, 0);
    EXPECT_EQ(dice.remaining(), 0u);
}

// Whatever the last bout left behind, the next one starts in contact with no stance, hold or fall.
TEST_F(WholeFight, EveryBoutStartsInContactWithAllFlagsCleared) {
    game.dolls[1] = makeDoll({.name = "Other"});
    setFighter(1, game.dolls[1]);
    setSpan(7);
    for (int who = 0; who < 2; ++who) {
        setGuard(who, 1);
        setUkemi(who, true);
        setFallen(who, who == 1);
        setHolding(who, who == 0);
    }
    waza(0, -1);  // something in the log
    FightTestAccess::initFight(fight);
    EXPECT_EQ(fight.ring().span, 0);
    EXPECT_EQ(fight.screen().span, 0);
    for (int who = 0; who < 2; ++who) {
        const FighterState& f = flags(who);
        EXPECT_EQ(std::vector<int>({f.guarding, f.ukemiReady, f.holding, f.fallen, f.fallChanged}),
                  std::vector<int>(5, 0));
        EXPECT_FALSE(fight.screen().holding[static_cast<size_t>(who)]);
        EXPECT_FALSE(fight.screen().fallen[static_cast<size_t>(who)]);
    }
    EXPECT_EQ(fight.battleLog(), "");
}

TEST_F(WholeFight, ADuelToTheEndNamesTheDuelist) {
    game.dolls[1] = makeDoll({.name = "Duelist", .pow = 200}, {makePattern({kKick}, 3)});
    fight.setMode(FightMode::Duel);
    fight.load();
    pushInitiative(2, 5);
    push2D6(3, 3);
    next(1);
    commander.pushTechnique(1);  // the player orders the duelist too
    push2D6(6, 6);
    push2D6(1, 1);
    dice.pushDie(6, 1);  // frame
    dice.pushDie(8, 8);
    dice.pushDie(8, 8);
    push2D6(1, 1);
    dice.push(0.5);
    next(1);
    EXPECT_TRUE(fight.closed());
    EXPECT_EQ(fight.winner(), 1);
    EXPECT_EQ(prompts.calls.back().msg, "Duelist勝利");
    EXPECT_EQ(prompts.calls.back().title, "DUEL");
    EXPECT_EQ(game.dolls[0]->frame->HP, 100);
    EXPECT_EQ(dice.remaining(), 0u);
}

TEST_F(WholeFight, ATournamentWonThroughThreeStages) {
    for (int id = 1; id <= 8; ++id) {
        enemies.add(makeDoll({.name = "E" + std::to_string(id), .ID = id, .value = 1000, .motorHP = 50}));
    }
    int bracketShown = 0;
    fight.setBracketViewer([&](const Bracket&) { ++bracketShown; });
    for (int d = 0; d < 8; ++d) {
        dice.push(0.0);  // always the first in the pool: 1, 2, ..., 8
    }
    dice.pushDie(8, 1);  // the player takes position 0, so enemy 1 stays out
    pushWinningRound();
    dice.pushDie(4, 2);  // level-up gain
    for (int bout = 0; bout < 3; ++bout) {
        for (int r = 0; r < 4; ++r) {
            dice.push(0.0);  // equal scores: the first-listed Doll wins
        }
    }
    fight.setMode(FightMode::Tornament);
    fight.setClass(DollClass::Novice);
    fight.load();
    reports.take(fight, false);
    EXPECT_EQ(fight.tournament().frmTornament.lblName(0), "Mine");
    EXPECT_EQ(fight.tournament().frmTornament.lblName(7), "E8");
    next(2);
    EXPECT_EQ(fight.tournament().stage, 2);
    EXPECT_EQ(bracketShown, 2);
    EXPECT_EQ((std::vector<int>(fight.tournament().bracket.begin(), fight.tournament().bracket.begin() + 4)),
              (std::vector<int>{0, 3, 5, 7}));
    EXPECT_TRUE(fight.tournament().frmTornament.isRed(0));
    EXPECT_TRUE(fight.tournament().frmTornament.isRed(2));
    EXPECT_FALSE(fight.tournament().frmTornament.isRed(3));
    EXPECT_EQ(fighter(1).name, "E3");

    // The new bout picks up the phase the last one left: the enemy is due first and only watches.
    next(1);
    EXPECT_EQ(fight.battleLog(), "様子見です。\n");
    pushWinningRound();
    dice.pushDie(4, 2);
    for (int r = 0; r < 4; ++r) {
        dice.push(0.0);
    }
    next(2);
    EXPECT_EQ(fight.tournament().stage, 3);
    EXPECT_EQ(fighter(1).name, "E5");
    next(1);
    pushWinningRound();
    dice.pushDie(4, 2);
    next(2);
    EXPECT_TRUE(fight.closed());
    Owner& o = game.owner(0);
    EXPECT_EQ(o.recWin, 3);
    EXPECT_EQ(o.recChamp, 1);
    EXPECT_EQ(o.Lv, 4);
    EXPECT_EQ(o.Rl, 1000 + 3 * 100 + 500);
    EXPECT_EQ(prompts.calls.back().msg, "優勝\n賞金 500Rl");
    EXPECT_EQ(dice.remaining(), 0u);
    std::vector<std::string> wins;
    for (const auto& c : prompts.calls) {
        if (c.msg.size() > 4 && c.msg.substr(c.msg.size() - 4) == " Win") {
            wins.push_back(c.msg);
        }
    }
    EXPECT_EQ(wins, (std::vector<std::string>{"Mine Win", "E3 Win", "E5 Win", "E7 Win", "Mine Win", "E5 Win",
                                              "Mine Win"}));
    // The next bout opens in the step that won the last: each report holds its own bout only.
    ASSERT_EQ(reports.bouts().size(), 3u);
    const std::array<std::pair<const char*, int>, 3> expected{{{"E2", 2}, {"E3", 3}, {"E5", 3}}};
    for (size_t i = 0; i < 3; ++i) {
        const FightReport& r = reports.bouts()[i].report;
        EXPECT_EQ(r.dolls[1].name, expected[i].first);
        EXPECT_EQ(r.steps, expected[i].second);
        EXPECT_EQ(r.winner, 0);
        EXPECT_EQ(r.dolls[0].actions[kPunch].hits, 1);
        EXPECT_LE(r.hp.back()[3], 0);  // the opponent's motor destroyed by the bout's last step
    }
}

// Drawn last, the player waits while the three pairs before it are decided one after another.
TEST_F(WholeFight, APlayerAtPositionSevenWaitsForThreeAutomaticBouts) {
    for (int id = 1; id <= 8; ++id) {
        enemies.add(makeDoll({.name = "E" + std::to_string(id), .ID = id, .value = 1000}));
    }
    for (int d = 0; d < 8; ++d) {
        dice.push(0.0);
    }
    dice.pushDie(8, 8);  // the player at position 7: enemy 8 stays out
    for (int bout = 0; bout < 3; ++bout) {
        for (int r = 0; r < 4; ++r) {
            dice.push(0.0);
        }
    }
    fight.setMode(FightMode::Tornament);
    fight.setClass(DollClass::Novice);
    fight.load();
    EXPECT_EQ(prompts.messages(), (std::vector<std::string>{"E1 Win", "E3 Win", "E5 Win"}));
    EXPECT_EQ(fight.tournament().stage, 1);
    EXPECT_EQ(fight.tournament().bout, 3);
    EXPECT_EQ(fight.fighterPtr(0), game.dolls[0]);
    EXPECT_EQ(fighter(1).name, "E7");
    EXPECT_EQ((std::vector<int>(fight.tournament().bracket.begin(), fight.tournament().bracket.begin() + 3)),
              (std::vector<int>{1, 3, 5}));
    EXPECT_FALSE(fight.closed());
    EXPECT_EQ(dice.remaining(), 0u);
}

TEST_F(WholeFight, ATournamentLossEndsWithIncomeAndRepair) {
    for (int id = 1; id <= 8; ++id) {
        enemies.add(makeDoll({.name = "E" + std::to_string(id), .ID = id, .pow = 200, .value = 1000},
                             {makePattern({kPunch}, 2)}));
    }
    game.dolls[0] = makeDoll({.name = "Mine", .motorHP = 60});
    for (int d = 0; d < 8; ++d) {
        dice.push(0.0);
    }
    dice.pushDie(8, 2);  // the player at position 1: enemy 2 stays out, the player meets enemy 1
    fight.setMode(FightMode::Tornament);
    fight.setClass(DollClass::Novice);
    fight.load();
    EXPECT_EQ(fighter(1).name, "E1");
    pushInitiative(1, 6);
    push2D6(3, 3);
    push2D6(6, 6);
    push2D6(1, 1);
    dice.pushDie(6, 6);  // motor
    push2D6(1, 1);
    push2D6(1, 1);
    dice.push(0.5);      // spark
    dice.pushDie(4, 1);  // level-up gain
    dice.pushDie(4, 1);  // income 250
    dice.pushDie(4, 1);
    next(2);
    EXPECT_TRUE(fight.closed());
    Owner& o = game.owner(0);
    EXPECT_EQ(o.recLoose, 1);
    EXPECT_EQ(o.Rl, 1000 + 250);
    EXPECT_TRUE(isEmptyPart(game.dolls[0]->Motor));
    EXPECT_EQ(prompts.calls.back().msg, "モータは完全に破壊されています\n");
    EXPECT_EQ(dice.remaining(), 0u);
}

// A seeded computer fight, told step by step, must not change by a single byte. Set
// VARGO_UPDATE_GOLDEN=1 to write the file anew after an intended change.
TEST(GoldenFight, SeededLogMatchesByteForByte) {
    auto a = makeDoll(
        {.name = "黒鉄", .pow = 14, .offence = 6, .defence = 4, .move = 30, .AC = 2.5, .AP = 4},
        {makePattern({kMove, kMove, kPunch, kPunch}, 7, "連打"), makePattern({kKumi, kDrop}, 6, "投げ"),
         makePattern({kSpin, kKick}, 5, "起き蹴り"), makePattern({kHazusi, kBlock}, 4, "外し"),
         makePattern({kMove, kJump, kKick}, 9, "飛び蹴り")});
    auto b = makeDoll({.name = "白銀", .pow = 12, .offence = 5, .defence = 6, .move = 25, .AC = 3, .AP = 5},
                      {makePattern({kKumi, kHold, kHold}, 8, "関節"),
                       makePattern({kPunch, kKick, kUke}, 6, "二連"), makePattern({kSpin, kPunch}, 4, "起き"),
                       makePattern({kHazusi}, 3, "外し"), makePattern({kMove, kPunch, kBlock}, 13, "突進")});
    GameRandom rng(42);
    Simulator sim(rng);
    std::string out;
    BoutResult r = sim.play(a, b, Simulator::kStepCap,
                            [&out](const Fight& f, int before) { out += describeStep(f, before); });
    out += r.winner == kDrawWinner ? "draw\n" : "winner: " + (r.winner == 0 ? a : b)->name + "\n";

    const std::string path = std::string(VARGO_SOURCE_DIR) + "/tests/golden/fight_seed42.txt";
    if (std::getenv("VARGO_UPDATE_GOLDEN")) {
        std::ofstream(path, std::ios::binary) << out;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << path;
    std::stringstream golden;
    golden << in.rdbuf();
    EXPECT_EQ(out, golden.str());
}

}  // namespace
}  // namespace vargo
