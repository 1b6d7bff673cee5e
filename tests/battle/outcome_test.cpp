// The end of a fight: announcements, experience and levels, prize, income and repairs.

#include <gtest/gtest.h>

#include "battle/battle_support.h"
#include "model/catalogue.h"
#include "persistence/save_files.h"
#include "support/test_support.h"

namespace vargo {
namespace {

using test::makeDoll;
using test::makePattern;

struct Outcome : ::testing::Test, test::FightBench {
    Outcome() {
        start(makeDoll({.name = "Mine", .value = 2000}),
              makeDoll({.name = "Theirs", .ID = 4, .value = 1500}));
        fight.setMode(FightMode::Tornament);
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
    levelUp(1);
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
    levelUp(0);
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
    levelUp(0);
    EXPECT_EQ(owner().Lv, 3);
    EXPECT_EQ(owner().exp, 0);
    EXPECT_EQ(owner().skillPlay, 11);
    EXPECT_EQ(prompts.calls.back().msg, "経験値＋1000\nレベル＋１\n操作能力＋ 1\n");
}

TEST_F(Outcome, ThePrizeIsTheValueGapPlus100UpTo10099) {
    owner().Lv = 5;  // threshold 4000: no level, so no die
    fighter(1).value = 2600;
    levelUp(1);
    EXPECT_EQ(owner().Rl, 1000 + 700);
    EXPECT_EQ(prompts.calls.back().msg, "経験値＋1000\n賞金 700\n");
    owner().Rl = 0;
    fighter(0).value = 0;
    fighter(1).value = 15000;
    levelUp(1);
    EXPECT_EQ(owner().Rl, 10099);
}

TEST_F(Outcome, MoneyAndRecordsStopAt32767) {
    owner().Rl = 32700;
    owner().exp = 32000;
    owner().Lv = 40;
    fighter(1).value = 9000;
    levelUp(1);
    EXPECT_EQ(owner().Rl, 32767);
    EXPECT_EQ(owner().exp, 32767);
    EXPECT_EQ(owner().Lv, 40);  // 39000 is out of reach
}

TEST_F(Outcome, AnUndamagedDollNeedsNoRepairAndNoMessage) {
    game.dolls[0]->Motor->HP = 120;
    game.dolls[0]->frame->HP = 150;
    Shuri();
    EXPECT_TRUE(prompts.calls.empty());
    EXPECT_EQ(owner().Rl, 1000);
}

TEST_F(Outcome, RepairCosts100Plus10PerSevenHP) {
    game.dolls[0]->Motor->HP = 50;   // 70 lost: 200
    game.dolls[0]->frame->HP = 140;  // 10 lost: 114.29 -> 114
    Shuri();
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
    Shuri();
    EXPECT_EQ(game.dolls[0]->Motor->HP, 27);
    EXPECT_EQ(owner().Rl, 0);
    EXPECT_EQ(prompts.calls[0].msg, "モータを修理しました\n（代金 110Rl）\n金額不足で途中までしか直りません");
}

// Prices and partial repairs go to the nearest whole number, halves to the even one.
TEST_F(Outcome, RepairsRoundToTheNearestHalvesToEven) {
    game.dolls[0]->frame->HP = 146;  // 4 lost: 105.71 -> 106
    Shuri();
    EXPECT_EQ(owner().Rl, 1000 - 106);
    EXPECT_EQ(prompts.calls.back().msg, "フレームを修理しました\n（代金 106Rl）");
    owner().Rl = 115;
    game.dolls[0]->Motor->HP = 20;  // 20 + 10.5 -> 30
    Shuri();
    EXPECT_EQ(game.dolls[0]->Motor->HP, 30);
    owner().Rl = 125;
    game.dolls[0]->Motor->HP = 20;  // 20 + 17.5 -> 38
    Shuri();
    EXPECT_EQ(game.dolls[0]->Motor->HP, 38);
    EXPECT_EQ(owner().Rl, 0);
}

TEST_F(Outcome, ADestroyedPartIsLost) {
    auto motor = game.dolls[0]->Motor;
    owner().setMotor(motor);
    game.dolls[0]->Motor->HP = -5;
    Shuri();
    EXPECT_TRUE(isEmptyPart(game.dolls[0]->Motor));
    EXPECT_TRUE(isEmptyPart(owner().getMotor(0)));
    EXPECT_EQ(prompts.calls[0].msg, "モータは完全に破壊されています\n");
}

// Two copies of one motor, both used; the one fitted in slot 1 is destroyed. That very motor is
// lost: its undamaged twin in slot 0 stays.
TEST_F(Outcome, ADestroyedPartLeavesItsUndamagedTwin) {
    auto twin = std::make_shared<Motor>(*game.dolls[0]->Motor);
    auto fitted = game.dolls[0]->Motor;
    for (const auto& m : {twin, fitted}) {
        m->isNew = false;
        owner().setMotor(m);
    }
    auto frameTwin = std::make_shared<DollFrame>(*game.dolls[0]->frame);
    auto frame = game.dolls[0]->frame;
    owner().setFrame(frameTwin);
    owner().setFrame(frame);
    fitted->HP = 0;
    frame->HP = -3;
    Shuri();
    EXPECT_EQ(owner().getMotor(0), twin);
    EXPECT_EQ(owner().getMotor(0)->HP, 120);
    EXPECT_TRUE(isEmptyPart(owner().getMotor(1)));
    EXPECT_EQ(owner().getFrame(0), frameTwin);
    EXPECT_TRUE(isEmptyPart(owner().getFrame(1)));
}

TEST_F(Outcome, IncomeComesInStepsOf50) {
    dice.pushDie(4, 4);
    dice.pushDie(4, 4);
    Shunyu();
    EXPECT_EQ(owner().Rl, 1550);
    EXPECT_EQ(prompts.calls[0].msg, "臨時収入が 550Rl入った");
}

TEST_F(Outcome, SimulationAndDuelNameTheirWinnersAndRestoreBoth) {
    fight.setMode(FightMode::Street);
    fighter(0).Motor->HP = 0;
    endFace();
    EXPECT_TRUE(fight.closed());
    EXPECT_EQ(fight.winner(), 1);
    EXPECT_EQ(prompts.calls.back().msg, "Mine敗北");
    EXPECT_EQ(prompts.calls.back().title, "Simulation");
    EXPECT_EQ(game.dolls[0]->Motor->HP, 120);

    reopen();
    fight.setMode(FightMode::Duel);
    fighter(0).frame->HP = -3;
    endFace();
    EXPECT_EQ(prompts.calls.back().msg, "Theirs勝利");
    EXPECT_EQ(prompts.calls.back().title, "DUEL");
    EXPECT_EQ(game.dolls[0]->frame->HP, 150);
}

TEST_F(Outcome, ADuelWonNamesThePlayersDollAndRecordsNothing) {
    fight.setMode(FightMode::Duel);
    fighter(1).Motor->HP = 0;
    endFace();
    EXPECT_TRUE(fight.closed());
    EXPECT_EQ(fight.winner(), 0);
    EXPECT_EQ(prompts.calls.back().msg, "Mine勝利");
    EXPECT_EQ(prompts.calls.back().title, "DUEL");
    EXPECT_EQ(owner().recWin, 0);
    EXPECT_EQ(owner().exp, 0);
}

TEST_F(Outcome, GivingUpFromASimulationRestoresTheDoll) {
    fight.setMode(FightMode::Street);
    game.dolls[0]->Motor->HP = 30;
    prompts.answer(false);
    fight.cmdTap_Click();
    EXPECT_FALSE(fight.closed());
    prompts.answer(true);
    fight.cmdTap_Click();
    EXPECT_TRUE(fight.closed());
    EXPECT_EQ(game.dolls[0]->Motor->HP, 120);
    EXPECT_EQ(owner().recLoose, 0);
}

TEST_F(Outcome, GivingUpFromATournamentPaysIncomeAndRepairs) {
    game.dolls[0]->Motor->HP = 50;
    prompts.answer(true);
    dice.pushDie(4, 1);
    dice.pushDie(4, 1);
    fight.cmdTap_Click();
    EXPECT_TRUE(fight.closed());
    EXPECT_EQ(owner().Rl, 1000 + 250 - 200);
    EXPECT_EQ(game.dolls[0]->Motor->HP, 120);
    EXPECT_EQ(owner().recLoose, 0);
}

// A game loaded from a save set on disk (Load Start), then a tournament bout that leaves the Doll
// destroyed: the save keeps only part IDs, and a lost part must still leave the inventory.
struct LoadedOutcome : ::testing::Test, test::FightBench {
    test::TempGameFolder dir;

    LoadedOutcome() {
        dir.copyShippedIni();
        game.folder = dir.folder();
        // Motor 5, frame 3, booster 2, protectors 3 and 7, computer 2 and the three programs are
        // owned; all but protector 7 are fitted, and the Doll also wears a booster 4 that the
        // player file does not list.
        dir.write("save/Playersv2.ini", {"2014/07/01", "鋼野拳士", "3,120,2500", "11,9,14", "5,0,0,0",
                                         "3,0,0,0", "2,0,0,0,0,0,0,0,0,0", "3,7,0,0,0,0,0,0,0,0", "2,0,0,0",
                                         "2,0,0,0", "4,0,0,0", "2,0,0,0", "1,1", "4,2,1"});
        dir.write("save/PlayDollsv2.ini", {"ＧＤ－１", "0,5,3", "2,4,0,0,0", "3,0,0,0", "2", "2,0,0,0",
                                           "4,0,0,0", "2,0,0,0", "0", "40,60", "True"});
        dir.write("save/Logicsv2.ini", {". 1", "突進", "0,0", "1,5,0,0,0,0,0,0,0,0"});
        SaveFiles sv(game, prompts);
        sv.svNum = 2;
        push2D6(1, 1);  // a loaded owner rolls starting money before the file's replaces it
        EXPECT_TRUE(sv.load_rtn());
        EXPECT_EQ(dice.remaining(), 0u);
        EXPECT_TRUE(prompts.calls.empty());
        fight.setMode(FightMode::Tornament);
        setFighter(0, game.dolls[0]);
        game.owner().Rl = 5000;
    }
    Owner& owner() { return game.owner(0); }
    doll& loaded() { return *game.dolls[0]; }
};

TEST_F(LoadedOutcome, AMotorDestroyedAfterALoadIsGoneFromTheInventory) {
    ASSERT_EQ(loaded().Motor->ID, 5);
    ASSERT_EQ(owner().getMotor(0)->ID, 5);
    loaded().Motor->HP = 0;
    Shuri();
    EXPECT_TRUE(isEmptyPart(loaded().Motor));
    EXPECT_TRUE(isEmptyPart(owner().getMotor(0)));
    ASSERT_FALSE(prompts.calls.empty());
    EXPECT_EQ(prompts.calls[0].msg.rfind("モータは完全に破壊されています\n", 0), 0u);
}

TEST_F(LoadedOutcome, AFrameDestroyedAfterALoadIsGoneFromTheInventory) {
    ASSERT_EQ(owner().getFrame(0)->ID, 3);
    loaded().frame->HP = -7;
    Shuri();
    EXPECT_TRUE(isEmptyPart(loaded().frame));
    EXPECT_TRUE(isEmptyPart(owner().getFrame(0)));
    ASSERT_FALSE(prompts.calls.empty());
    EXPECT_NE(prompts.calls[0].msg.find("フレームは完全に破壊されています"), std::string::npos);
    // The motor, damaged but whole, was repaired and stays.
    EXPECT_EQ(owner().getMotor(0), loaded().Motor);
    EXPECT_EQ(loaded().Motor->HP, loaded().Motor->maxHP);
}

// After the load the Doll wears the owner's own parts, as fitting them in the workshop would: the
// saved damage is on the owned motor and frame, everything counts as used, and a fitted part the
// player file does not list stays on the Doll, used as well.
TEST_F(LoadedOutcome, TheLoadedDollWearsTheOwnersOwnParts) {
    CatalogueReader cat(dir.folder());
    EXPECT_EQ(loaded().Motor, owner().getMotor(0));
    EXPECT_EQ(loaded().frame, owner().getFrame(0));
    EXPECT_EQ(loaded().Motor->HP, 40);
    EXPECT_EQ(loaded().Motor->maxHP, cat.ld_Motor(5)->HP);
    EXPECT_EQ(loaded().frame->HP, 60);
    EXPECT_EQ(loaded().Hard, owner().getHard(0));
    EXPECT_EQ(loaded().getBoost(0), owner().getBooster(0));
    EXPECT_EQ(loaded().getProtector(0), owner().getProtector(0));
    EXPECT_EQ(loaded().getSoftM(0), owner().getSoftM(0));
    EXPECT_EQ(loaded().getSoftA(0), owner().getSoftA(0));
    EXPECT_EQ(loaded().getSoftD(0), owner().getSoftD(0));
    EXPECT_FALSE(loaded().Motor->isNew);
    ASSERT_EQ(loaded().getBoost(1)->ID, 4);
    EXPECT_FALSE(loaded().getBoost(1)->isNew);
    EXPECT_TRUE(isEmptyPart(owner().getBooster(1)));
    // The pattern's steps are the fitted programs' own actions.
    EXPECT_EQ(loaded().getLogic(0)->getActions(1), owner().getSoftA(0)->kick);
}

}  // namespace
}  // namespace vargo
