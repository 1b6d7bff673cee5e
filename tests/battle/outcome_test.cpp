// The end of a fight: announcements, experience and levels, prize, income and repairs.

#include <gtest/gtest.h>

#include "battle/battle_support.h"

namespace vargo {
namespace {

using test::makeDoll;
using test::makePattern;

struct Outcome : ::testing::Test, test::FightBench {
    Outcome() {
        start(makeDoll({.name = "Mine", .value = 2000}),
              makeDoll({.name = "Theirs", .ID = 4, .value = 1500}));
        fight.Mode = FightMode::Tornament;
        owner().Lv = 1;
        owner().exp = 0;
        owner().Rl = 1000;
        owner().skillPlay = 10;
        game.dolls[0]->Motor->HP = game.dolls[0]->Motor->maxHP = 120;
        game.dolls[0]->frame->HP = game.dolls[0]->frame->maxHP = 150;
    }
    Owner& owner() { return game.owner(0); }
};

TEST_F(Outcome, TheFirstBoutAtLevelOneRaisesTheLevelAndPaysAtLeast100) {
    dice.pushDie(4, 3);
    fight.levelUp(1);
    EXPECT_EQ(owner().Lv, 2);
    EXPECT_EQ(owner().exp, 1000);
    EXPECT_EQ(owner().skillPlay, 13);
    EXPECT_EQ(owner().Rl, 1100);  // beating a cheaper Doll still pays the floor of 100
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0].kind, ScriptedPrompts::Kind::ShowMsgTall);
    EXPECT_EQ(prompts.calls[0].msg, "経験値＋1000\nレベル＋１\n操作能力＋ 3\n賞金 100\n");
    EXPECT_EQ(prompts.calls[0].title, "勝利");
}

TEST_F(Outcome, ALossGivesExperienceButNoPrize) {
    owner().Lv = 3;  // threshold 2000: not reached
    fight.levelUp(0);
    EXPECT_EQ(owner().Lv, 3);
    EXPECT_EQ(owner().exp, 1000);
    EXPECT_EQ(owner().Rl, 1000);
    EXPECT_EQ(prompts.calls.back().msg, "経験値＋1000\n");
    EXPECT_EQ(prompts.calls.back().title, "敗北");
}

// The threshold is reached, not passed: at level 2 the first 1000 points are enough.
TEST_F(Outcome, TheLevelRisesWhenExperienceMeetsTheThresholdExactly) {
    owner().Lv = 2;
    dice.pushDie(4, 1);
    fight.levelUp(0);
    EXPECT_EQ(owner().Lv, 3);
    EXPECT_EQ(owner().exp, 0);
    EXPECT_EQ(owner().skillPlay, 11);
    EXPECT_EQ(prompts.calls.back().msg, "経験値＋1000\nレベル＋１\n操作能力＋ 1\n");
}

TEST_F(Outcome, ThePrizeIsTheValueGapPlus100UpTo10099) {
    owner().Lv = 5;  // threshold 4000: no level, so no die
    fight.fightDolls[1]->value = 2600;
    fight.levelUp(1);
    EXPECT_EQ(owner().Rl, 1000 + 700);
    EXPECT_EQ(prompts.calls.back().msg, "経験値＋1000\n賞金 700\n");
    owner().Rl = 0;
    fight.fightDolls[0]->value = 0;
    fight.fightDolls[1]->value = 15000;
    fight.levelUp(1);
    EXPECT_EQ(owner().Rl, 10099);
}

TEST_F(Outcome, MoneyAndRecordsStopAt32767) {
    owner().Rl = 32700;
    owner().exp = 32000;
    owner().Lv = 40;
    fight.fightDolls[1]->value = 9000;
    fight.levelUp(1);
    EXPECT_EQ(owner().Rl, 32767);
    EXPECT_EQ(owner().exp, 32767);
    EXPECT_EQ(owner().Lv, 40);  // 39000 is out of reach
}

TEST_F(Outcome, AnUndamagedDollNeedsNoRepairAndNoMessage) {
    game.dolls[0]->Motor->HP = 120;
    game.dolls[0]->frame->HP = 150;
    fight.Shuri();
    EXPECT_TRUE(prompts.calls.empty());
    EXPECT_EQ(owner().Rl, 1000);
}

TEST_F(Outcome, RepairCosts100Plus10PerSevenHP) {
    game.dolls[0]->Motor->HP = 50;   // 70 lost: 200
    game.dolls[0]->frame->HP = 140;  // 10 lost: 114.29 -> 114
    fight.Shuri();
    EXPECT_EQ(owner().Rl, 1000 - 200 - 114);
    EXPECT_EQ(game.dolls[0]->Motor->HP, 120);
    EXPECT_EQ(game.dolls[0]->frame->HP, 150);
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0].kind, ScriptedPrompts::Kind::MsgBox);
    EXPECT_EQ(prompts.calls[0].msg,
              "モータを修理しました\n（代金 200Rl）\nフレームを修理しました\n（代金 114Rl）");
}

TEST_F(Outcome, With110RlLeftAPartialRepairRestoresSevenHP) {
    owner().Rl = 110;
    game.dolls[0]->Motor->HP = 20;
    fight.Shuri();
    EXPECT_EQ(game.dolls[0]->Motor->HP, 27);
    EXPECT_EQ(owner().Rl, 0);
    EXPECT_EQ(prompts.calls[0].msg, "モータを修理しました\n（代金 110Rl）\n金額不足で途中までしか直りません");
}

// Prices and partial repairs go to the nearest whole number, halves to the even one.
TEST_F(Outcome, RepairsRoundToTheNearestHalvesToEven) {
    game.dolls[0]->frame->HP = 146;  // 4 lost: 105.71 -> 106
    fight.Shuri();
    EXPECT_EQ(owner().Rl, 1000 - 106);
    EXPECT_EQ(prompts.calls.back().msg, "フレームを修理しました\n（代金 106Rl）");
    owner().Rl = 115;
    game.dolls[0]->Motor->HP = 20;  // 20 + 10.5 -> 30
    fight.Shuri();
    EXPECT_EQ(game.dolls[0]->Motor->HP, 30);
    owner().Rl = 125;
    game.dolls[0]->Motor->HP = 20;  // 20 + 17.5 -> 38
    fight.Shuri();
    EXPECT_EQ(game.dolls[0]->Motor->HP, 38);
    EXPECT_EQ(owner().Rl, 0);
}

TEST_F(Outcome, ADestroyedPartIsLost) {
    auto motor = game.dolls[0]->Motor;
    owner().setMotor(motor);
    game.dolls[0]->Motor->HP = -5;
    fight.Shuri();
    EXPECT_TRUE(isEmptyPart(game.dolls[0]->Motor));
    EXPECT_TRUE(isEmptyPart(owner().getMotor(0)));
    EXPECT_EQ(prompts.calls[0].msg, "モータは完全に破壊されています\n");
}

TEST_F(Outcome, IncomeComesInStepsOf50) {
    dice.pushDie(4, 4);
    dice.pushDie(4, 4);
    fight.Shunyu();
    EXPECT_EQ(owner().Rl, 1550);
    EXPECT_EQ(prompts.calls[0].msg, "臨時収入が 550Rl入った");
}

TEST_F(Outcome, SimulationAndDuelNameTheirWinnersAndRestoreBoth) {
    fight.Mode = FightMode::Street;
    fight.fightDolls[0]->Motor->HP = 0;
    fight.endFace();
    EXPECT_TRUE(fight.closed);
    EXPECT_EQ(fight.winner, 1);
    EXPECT_EQ(prompts.calls.back().msg, "Mine敗北");
    EXPECT_EQ(prompts.calls.back().title, "Simulation");
    EXPECT_EQ(game.dolls[0]->Motor->HP, 120);

    fight.closed = false;
    fight.Mode = FightMode::Duel;
    fight.fightDolls[0]->frame->HP = -3;
    fight.endFace();
    EXPECT_EQ(prompts.calls.back().msg, "Theirs勝利");
    EXPECT_EQ(prompts.calls.back().title, "DUEL");
    EXPECT_EQ(game.dolls[0]->frame->HP, 150);
}

TEST_F(Outcome, ADuelWonNamesThePlayersDollAndRecordsNothing) {
    fight.Mode = FightMode::Duel;
    fight.fightDolls[1]->Motor->HP = 0;
    fight.endFace();
    EXPECT_TRUE(fight.closed);
    EXPECT_EQ(fight.winner, 0);
    EXPECT_EQ(prompts.calls.back().msg, "Mine勝利");
    EXPECT_EQ(prompts.calls.back().title, "DUEL");
    EXPECT_EQ(owner().recWin, 0);
    EXPECT_EQ(owner().exp, 0);
}

TEST_F(Outcome, GivingUpFromASimulationRestoresTheDoll) {
    fight.Mode = FightMode::Street;
    game.dolls[0]->Motor->HP = 30;
    prompts.answer(false);
    fight.cmdTap_Click();
    EXPECT_FALSE(fight.closed);
    prompts.answer(true);
    fight.cmdTap_Click();
    EXPECT_TRUE(fight.closed);
    EXPECT_EQ(game.dolls[0]->Motor->HP, 120);
    EXPECT_EQ(owner().recLoose, 0);
}

TEST_F(Outcome, GivingUpFromATournamentPaysIncomeAndRepairs) {
    game.dolls[0]->Motor->HP = 50;
    prompts.answer(true);
    dice.pushDie(4, 1);
    dice.pushDie(4, 1);
    fight.cmdTap_Click();
    EXPECT_TRUE(fight.closed);
    EXPECT_EQ(owner().Rl, 1000 + 250 - 200);
    EXPECT_EQ(game.dolls[0]->Motor->HP, 120);
    EXPECT_EQ(owner().recLoose, 0);
}

}  // namespace
}  // namespace vargo
