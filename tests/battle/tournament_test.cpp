// The tournament's rules outside the bouts: entry, the draw, automatic bouts, the bracket.

#include <gtest/gtest.h>

#include <set>

#include "battle/battle_support.h"
#include "battle/tournament_entry.h"

namespace vargo {
namespace {

using test::makeDoll;

struct Tournament : ::testing::Test, test::FightBench {
    void addEnemies(int n, int value) {
        for (int id = 1; id <= n; ++id) {
            enemies.add(makeDoll({.name = "E" + std::to_string(id), .ID = id, .value = value}));
        }
    }
};

TEST_F(Tournament, APoolAbove32DrawsInsideThePool) {
    addEnemies(40, 1000);
    fight.setClass(DollClass::Novice);
    for (int d = 0; d < 8; ++d) {
        dice.push(0.999);  // the last place of the pool each time
    }
    dice.pushDie(8, 8);
    FightTestAccess::makeKumiawase(fight, 40);
    std::set<int> drawn(fight.tournament().bracket.begin(), fight.tournament().bracket.begin() + 7);
    EXPECT_EQ(drawn, (std::set<int>{32, 31, 30, 29, 28, 27, 26}));
    EXPECT_EQ(fight.tournament().bracket[7], 0);  // the player took the place of the eighth
}

TEST_F(Tournament, WithExactlyEightOneEnemyStaysOut) {
    addEnemies(8, 1000);
    fight.setClass(DollClass::Novice);
    for (double r : {0.5, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0}) {
        dice.push(r);
    }
    dice.pushDie(8, 3);
    FightTestAccess::makeKumiawase(fight, 8);
    EXPECT_EQ((std::vector<int>(fight.tournament().bracket.begin(), fight.tournament().bracket.begin() + 8)),
              (std::vector<int>{5, 1, 0, 3, 4, 6, 7, 8}));
}

TEST_F(Tournament, ACountAboveTheListedPoolDrawsNothingOutsideIt) {
    // The count said eight, but only three candidates made the list: no bracket, no read past them.
    addEnemies(3, 1000);
    fight.setClass(DollClass::Novice);
    for (int d = 0; d < 9; ++d) {
        dice.push(0.5);
    }
    EXPECT_FALSE(FightTestAccess::makeKumiawase(fight, 8));
    EXPECT_EQ(fight.tournament().bracket, decltype(fight.tournament().bracket){});
}

TEST_F(Tournament, AValueLeadAbove298AlwaysWinsAndTiesGoToTheFirst) {
    setFighter(0, makeDoll({.name = "low", .value = 1000}));
    setFighter(1, makeDoll({.name = "high", .value = 1299}));
    for (double r : {0.9999, 0.9999, 0.0, 0.0}) {
        dice.push(r);
    }
    EXPECT_EQ(FightTestAccess::getAutoWinner(fight).name, "high");
    fighter(1).value = 1000;
    for (double r : {0.5, 0.5, 0.5, 0.5}) {
        dice.push(r);
    }
    EXPECT_EQ(FightTestAccess::getAutoWinner(fight).name, "low");
}

TEST_F(Tournament, BracketSegmentsAndAnnouncements) {
    Bracket& b = FightTestAccess::tournament(fight).frmTornament;
    for (int p = 0; p < 8; ++p) {
        b.setKumiawase(p, makeDoll({.name = "D" + std::to_string(p), .ID = p == 5 ? 0 : p + 10}));
    }
    EXPECT_EQ(Bracket::getShusoku(0), 0);
    EXPECT_EQ(Bracket::getShusoku(1), 8);
    EXPECT_EQ(Bracket::getShusoku(2), 12);
    EXPECT_EQ(Bracket::getShusoku(3), 14);
    b.setWin(0, 2, 1);
    EXPECT_TRUE(b.isRed(5));
    b.setWin(0, 1, 2);
    EXPECT_TRUE(b.isRed(10));  // 5 / 2 + 8
    b.setWin(0, 0, 3);         // 5 / 4 + 12 = 13: not below 12, left to the window
    EXPECT_FALSE(b.isRed(13));
    b.setWin(0, 0, 4);  // outside the stages: nothing
    EXPECT_EQ(prompts.messages(), (std::vector<std::string>{"D5 Win", "D5 Win", "D5 Win"}));
    b.resetWin();
    EXPECT_FALSE(b.isRed(5));
}

}  // namespace
}  // namespace vargo
