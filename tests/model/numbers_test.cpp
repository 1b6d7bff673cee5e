#include "model/numbers.h"

#include <gtest/gtest.h>

#include "model/random.h"
#include "ports/prompts.h"

namespace vargo {
namespace {

// Rounding halves to the even neighbour, not away from zero: the game's numbers depend on it.
TEST(Numbers, CIntRoundsHalvesToEven) {
    EXPECT_EQ(CInt(2.5), 2);
    EXPECT_EQ(CInt(3.5), 4);
    EXPECT_EQ(CInt(-2.5), -2);
    EXPECT_EQ(CInt(2.51), 3);
    EXPECT_EQ(CInt(32767.4), 32767);
    EXPECT_EQ(CInt(-32768.5), -32768);
    EXPECT_THROW(CInt(32767.5), OverflowError);
    EXPECT_THROW(CInt(-32769), OverflowError);
}

TEST(Numbers, IntGoesTowardMinusInfinity) {
    EXPECT_EQ(Int(1.8), 1);
    EXPECT_EQ(Int(-1.5), -2);
    EXPECT_EQ(Int(-0.0001), -1);
}

TEST(Numbers, StrHasLeadingBlankForNonNegative) {
    EXPECT_EQ(Str(0LL), " 0");
    EXPECT_EQ(Str(12LL), " 12");
    EXPECT_EQ(Str(-3LL), "-3");
    EXPECT_EQ(Str(1.5), " 1.5");
    EXPECT_EQ(Str(0.5), " .5");
}

// The three overflow behaviours: reported, skipped, clamped.
TEST(Numbers, OverflowBehaviours) {
    EXPECT_EQ(checkedAdd(32760, 7).value(), 32767);
    EXPECT_FALSE(checkedAdd(32760, 8).has_value());
    EXPECT_FALSE(checkedAdd(-32768, -1).has_value());

    Int16 acc = 32000;
    EXPECT_FALSE(addSkip(acc, 1000));
    EXPECT_EQ(acc, 32000);
    EXPECT_TRUE(addSkip(acc, 767));
    EXPECT_EQ(acc, 32767);

    Int16 t = 100;
    EXPECT_THROW(addOrThrow(t, 32700), OverflowError);
    EXPECT_EQ(t, 100);

    Int16 money = 32000;
    addClamped(money, 5000);
    EXPECT_EQ(money, 32767);
}

TEST(Clamps, ClampMaxCases) {
    EXPECT_EQ(clampMax(-3, 10), 0);
    EXPECT_EQ(clampMax(12, 10), 10);
    EXPECT_EQ(clampMax(7, 10), 7);
    // Both tests run: a negative max wins over the floor of 0.
    EXPECT_EQ(clampMax(-1, -5), -5);
    EXPECT_EQ(clampMax(0, -5), -5);
    EXPECT_EQ(clampMax(-7, -5), 0);
}

TEST(Clamps, ClampRangeCases) {
    EXPECT_EQ(clampRange(5, 10, 20), 10);
    EXPECT_EQ(clampRange(25, 10, 20), 20);
    EXPECT_EQ(clampRange(15, 10, 20), 15);
    // lo above hi: everything above hi gives hi.
    EXPECT_EQ(clampRange(7, 10, 5), 5);
    EXPECT_EQ(clampRange(3, 10, 5), 10);
}

TEST(Dice, ScriptedFacesAndRanges) {
    ScriptedRandom rng;
    rng.pushDie(6, 1);
    rng.pushDie(6, 6);
    EXPECT_EQ(roll2D6(rng), 7);
    rng.push(0.0);
    rng.push(0.999999999999);
    rng.push(0.5);
    EXPECT_EQ(roll3D6(rng), 1 + 6 + 4);
    EXPECT_THROW(rng.next(), std::logic_error);
}

TEST(Dice, GameRandomStaysInUnitInterval) {
    GameRandom rng(42);
    GameRandom again(42);
    for (int i = 0; i < 10000; ++i) {
        double r = rng.next();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
        ASSERT_EQ(r, again.next());
    }
}

}  // namespace
}  // namespace vargo
