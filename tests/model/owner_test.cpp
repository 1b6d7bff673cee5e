#include "model/owner.h"

#include <gtest/gtest.h>

#include "model/game.h"
#include "model/random.h"

namespace vargo {
namespace {

MotorPtr motor(int id, const std::string& name) {
    auto m = std::make_shared<Motor>();
    m->ID = static_cast<Int16>(id);
    m->name = name;
    return m;
}

Owner newOwner() {
    ScriptedRandom rng;
    rng.pushDie(6, 3);
    rng.pushDie(6, 4);
    Owner o;
    o.putInitRl(rng);
    return o;
}

TEST(OwnerTest, CreationDrawsNothingAndANewPlayerRollsMoney) {
    ScriptedRandom none;  // a draw from an empty script fails the test
    Game game(GameFolder("."), none);
    EXPECT_EQ(game.owner(0).Rl, 0);
    EXPECT_EQ(game.owner(1).Rl, 0);
    Owner o = newOwner();
    EXPECT_EQ(o.Rl, 1900);
    EXPECT_EQ(o.name, "鋼野拳士");
    EXPECT_EQ(o.Lv, 0);
    EXPECT_EQ(o.skillPlay, 0);
    EXPECT_TRUE(isEmptyPart(o.getMotor(3)));
    EXPECT_TRUE(isEmptyPart(o.getBooster(10)));
    EXPECT_EQ(o.countProtector(0), 10);
}

TEST(OwnerTest, BoosterAndProtectorCapacities) {
    Owner o = newOwner();
    for (int i = 0; i < 5; ++i) {
        auto b = std::make_shared<Booster>();
        b->name = "b";
        EXPECT_TRUE(o.setBooster(b));
    }
    EXPECT_FALSE(o.setBooster(std::make_shared<Booster>()));
    for (int i = 0; i < 10; ++i) {
        auto p = std::make_shared<Protector>();
        p->ID = 4;
        p->name = "p";
        EXPECT_TRUE(o.setProtector(p));
    }
    EXPECT_FALSE(o.setProtector(std::make_shared<Protector>()));
    EXPECT_EQ(o.countProtector(4), 10);
    EXPECT_EQ(o.countProtector(0), 0);
    EXPECT_TRUE(isEmptyPart(o.getProtector(10)));
}

TEST(OwnerTest, RemovalShiftsDownAndMatchesIsNew) {
    Owner o = newOwner();
    auto a = motor(1, "A");
    auto b = motor(2, "B");
    auto c = motor(3, "C");
    o.setMotor(a);
    o.setMotor(b);
    o.setMotor(c);
    o.removeMotor(2, true);
    EXPECT_EQ(o.getMotor(0), a);
    EXPECT_EQ(o.getMotor(1), c);
    EXPECT_TRUE(isEmptyPart(o.getMotor(2)));
    EXPECT_TRUE(isEmptyPart(o.getMotor(3)));
    o.removeMotor(9, true);  // no match: unchanged
    EXPECT_EQ(o.getMotor(1), c);

    auto fresh = std::make_shared<Protector>();
    fresh->ID = 5;
    fresh->name = "P";
    auto used = fresh->clone();
    used->isNew = false;
    o.setProtector(fresh);
    o.setProtector(used);
    o.removeProtect(5, false);
    EXPECT_EQ(o.getProtector(0), fresh);
    EXPECT_TRUE(isEmptyPart(o.getProtector(1)));
}

TEST(OwnerTest, UsedPartsAreNoLongerNew) {
    Owner o = newOwner();
    auto a = motor(1, "A");
    o.setMotor(a);
    o.useAllParts();
    o.removeMotor(1, true);
    EXPECT_EQ(o.getMotor(0), a);
    EXPECT_FALSE(a->isNew);
    o.removeMotor(1, false);
    EXPECT_TRUE(isEmptyPart(o.getMotor(0)));
}

TEST(OwnerTest, InitialRollsStayInRange) {
    ScriptedRandom low;
    low.push(0.0);
    low.push(0.0);
    Owner o;
    o.putInitRl(low);
    EXPECT_EQ(o.Rl, 1400);
    ScriptedRandom high;
    high.push(0.9999999999);
    high.push(0.9999999999);
    o.putInitRl(high);
    EXPECT_EQ(o.Rl, 2400);
    ScriptedRandom skills(std::vector<double>(9, 0.99999999999));
    o.putInitAbl(skills);
    EXPECT_EQ(o.skillPlay, 18);
    EXPECT_EQ(o.skillSoft, 18);
    ScriptedRandom zero(std::vector<double>(9, 0.0));
    o.putInitAbl(zero);
    EXPECT_EQ(o.skillHard, 3);
    GameRandom rng(7);
    for (int i = 0; i < 2000; ++i) {
        o.putInitRl(rng);
        o.putInitAbl(rng);
        ASSERT_TRUE(o.Rl >= 1400 && o.Rl <= 2400 && o.Rl % 100 == 0);
        ASSERT_TRUE(o.skillPlay >= 3 && o.skillPlay <= 18);
    }
}

}  // namespace
}  // namespace vargo
