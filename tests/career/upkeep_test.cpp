// The income and repair rules shared by the workshop and the battle screen.

#include "career/upkeep.h"

#include <gtest/gtest.h>

#include "model/random.h"

namespace vargo {
namespace {

// 7 HP for every 10 Rl lands exactly on a half whenever the money above 100 ends in 5: the half
// goes to the even neighbour, not always up.
TEST(Upkeep, PartialRepairRoundsExactHalvesToEven) {
    Int16 hp = 0;
    Int16 money = 115;  // 15 Rl over: 10.5 HP
    Repair r = repairPart(hp, 300, money);
    EXPECT_EQ(r.kind, Repair::Partial);
    EXPECT_EQ(r.charged, 115);
    EXPECT_EQ(hp, 10);
    EXPECT_EQ(money, 0);

    hp = 0;
    money = 125;  // 25 Rl over: 17.5 HP
    repairPart(hp, 300, money);
    EXPECT_EQ(hp, 18);
}

TEST(Upkeep, AnUndamagedPartIsNeverCharged) {
    EXPECT_EQ(repairCost(300, 300), 100);
    Int16 hp = 300;
    Int16 money = 5000;
    EXPECT_EQ(repairPart(hp, 300, money).kind, Repair::None);
    EXPECT_EQ(money, 5000);
    EXPECT_EQ(repairNotice("モータ", Repair{}, true), "");
}

TEST(Upkeep, IncomeTakesExactlyTwoDraws) {
    ScriptedRandom dice{{0.99, 0.0, 0.5}};
    EXPECT_EQ(rollIncome(dice), (4 + 1 + 3) * 50);
    EXPECT_EQ(dice.remaining(), 1u);
}

}  // namespace
}  // namespace vargo
