// Technique resolution and damage with scripted dice: every roll in these tests is chosen.

#include <gtest/gtest.h>

#include "battle/battle_support.h"

namespace vargo {
namespace {

using test::makeDoll;
using test::makePattern;

struct Technique : ::testing::Test, test::FightBench {
    Technique() { start(makeDoll({.name = "A"}), makeDoll({.name = "B"})); }
    // Runs a pattern for fighter who and returns the log.
    std::string run(int who, const LogicPtr& pattern) {
        fighter(who).setLogics(pattern, 0);
        waza(who);
        return fight.battleLog();
    }
    doll& A() { return fighter(0); }
    doll& B() { return fighter(1); }
};

TEST_F(Technique, BlowsAndGrapplesOutOfReachMiss) {
    setSpan(2);
    push2D6(6, 6);
    push2D6(1, 1);
    EXPECT_EQ(run(0, makePattern({kPunch}, 4)),
              "パンチ・・・届かない！\nかわされた！\nでたぁっ！技ッ！！！！！\n");
    push2D6(6, 6);
    push2D6(1, 1);
    EXPECT_EQ(run(0, makePattern({kKumi}, 4)),
              "・・・届かない！\n組みつきに失敗。\nでたぁっ！技ッ！！！！！\n");
    EXPECT_EQ(flags(0).holding, 0);
    EXPECT_EQ(dice.remaining(), 0u);
}

TEST_F(Technique, AGuardNeverStopsAGrapple) {
    setGuard(1, 1);
    push2D6(6, 6);
    push2D6(1, 1);  // no guard roll follows: a grapple skips the block test
    EXPECT_EQ(run(0, makePattern({kKumi}, 4)), "組みついてでたぁっ！技ッ！！！！！\n");
    EXPECT_EQ(flags(0).holding, -1);
    EXPECT_EQ(dice.remaining(), 0u);
}

TEST_F(Technique, AGuardStopsOrLetsThroughABlow) {
    setGuard(1, 1);
    push2D6(3, 3);
    push2D6(1, 1);
    push2D6(6, 6);  // guard roll: 6 + 5 < 12 + 5
    EXPECT_EQ(run(0, makePattern({kPunch}, 4)),
              "パンチ攻撃はしかし、Bの防御に阻まれます。\nかわされた！\nでたぁっ！技ッ！！！！！\n");
    setGuard(1, 1);
    push2D6(3, 3);
    push2D6(1, 1);
    push2D6(1, 1);       // guard roll: 6 + 5 >= 2 + 5
    dice.pushDie(6, 6);  // location: motor
    push2D6(2, 2);
    EXPECT_EQ(run(0, makePattern({kPunch}, 4)),
              "パンチBの防御をかいくぐってヒット！\n・・・命中！\nダメージは 14\nでたぁっ！技ッ！！！！！\n");
    EXPECT_EQ(B().Motor->HP, 86);
}

TEST_F(Technique, AHolderAlwaysLandsAndIgnoresTheGuard) {
    setHolding(0, true);
    setGuard(1, 1);
    push2D6(1, 1);
    push2D6(6, 6);
    dice.pushDie(6, 1);  // location: frame
    push2D6(1, 1);
    EXPECT_EQ(run(0, makePattern({kKick}, 4)),
              "組んでいる状態では、100％命中します。\nキック・・・命中！\nダメージは "
              "12\nでたぁっ！技ッ！！！！！\n");
    EXPECT_EQ(B().frame->HP, 88);
}

TEST_F(Technique, TwoSpinsLeaveTheFallStateAsItWas) {
    EXPECT_EQ(run(0, makePattern({kSpin, kSpin}, 4)),
              "回転で＋ 2パワー回転で＋ 2パワーA、立ちあがりました。\nでたぁっ！技ッ！！！！！\n");
    EXPECT_EQ(flags(0).fallen, 0);
    EXPECT_EQ(flags(0).fallChanged, -1);
    setFallen(0, true);
    EXPECT_EQ(run(0, makePattern({kSpin, kSpin}, 4)),
              "回転で＋ 2パワーA、立ちあがりました。\n回転で＋ 2パワーでたぁっ！技ッ！！！！！\n");
    EXPECT_EQ(flags(0).fallen, -1);
}

TEST_F(Technique, SpinningWhileGrappledTopplesTheOther) {
    setHolding(1, true);
    EXPECT_EQ(run(0, makePattern({kSpin}, 4)),
              "回転で＋ 2パワーB、組まれたまま転倒しました。\nでたぁっ！技ッ！！！！！\n");
    EXPECT_EQ(flags(0).fallen, -1);
    EXPECT_EQ(flags(1).fallen, -1);
}

TEST_F(Technique, MomentumFromTwoMovesGoesIntoBothPunches) {
    commander.pushMove(0);
    commander.pushMove(0);
    push2D6(6, 6);
    push2D6(1, 1);
    dice.pushDie(6, 1);  // frame
    push2D6(1, 1);       // 2 + 10 + 2 = 14
    push2D6(6, 6);
    push2D6(1, 1);
    dice.pushDie(6, 4);  // motor
    push2D6(2, 2);       // 4 + 10 + 2 = 16
    EXPECT_EQ(
        run(0, makePattern({kMove, kMove, kPunch, kPunch}, 6)),
        "移動しつつ勢いをつけて 1パワー\n移動しつつ勢いをつけて 1パワー\n"
        "パンチ・・・命中！\nダメージは 14\nパンチ・・・命中！\nダメージは 16\nでたぁっ！技ッ！！！！！\n");
    EXPECT_EQ(B().frame->HP, 86);
    EXPECT_EQ(B().Motor->HP, 84);
}

TEST_F(Technique, JumpAndSpinLinesRunOnAndADashClosesIn) {
    setSpan(5);
    commander.pushMove(0);
    push2D6(6, 6);
    push2D6(1, 1);
    dice.pushDie(6, 1);
    push2D6(1, 1);  // 2 + 10 + (2 + 2) = 16
    EXPECT_EQ(run(0, makePattern({kMove, kJump, kPunch}, 6)),
              " 2ダッシュで間合いを詰めた！\nジャンプで＋ 2パワーパンチ・・・届かない！\nかわされた！\n"
              "でたぁっ！技ッ！！！！！\n");
    EXPECT_EQ(fight.ring().span, 3);
}

TEST_F(Technique, BackingAwayAndBeingHeld) {
    commander.pushMove(1);
    run(0, makePattern({kMove}, 3));
    EXPECT_EQ(fight.ring().span, 2);
    setHolding(1, true);
    commander.pushMove(1);
    EXPECT_EQ(run(0, makePattern({kMove}, 3)),
              "距離を置こうとしたが、ガッチリつかまれている。\nでたぁっ！技ッ！！！！！\n");
    setHolding(1, false);
    setFallen(0, true);
    commander.pushMove(0);
    EXPECT_EQ(run(0, makePattern({kMove, kJump}, 3)),
              "…転倒していては、移動できません。\n…転倒していては、ジャンプできません。\nでたぁっ！技ッ！！！"
              "！！\n");
}

TEST_F(Technique, ADownedFighterCannotStrike) {
    setFallen(0, true);
    push2D6(6, 6);
    push2D6(1, 1);
    EXPECT_EQ(
        run(0, makePattern({kPunch}, 3)),
        "パンチ…転倒していては、有効な打撃が加えられません。\nかわされた！\nでたぁっ！技ッ！！！！！\n");
}

TEST_F(Technique, ABreakfallIsUsedUpByAJointLock) {
    setHolding(0, true);
    setUkemi(1, true);
    dice.pushDie(6, 3);  // location
    dice.pushDie(6, 5);  // breakfall roll, spent on nothing
    EXPECT_EQ(run(0, makePattern({kHold}, 4)),
              "組んでいる状態では、100％命中します。\n間接技を極めて行きます。ダメージはフレームに 10\n"
              "でたぁっ！技ッ！！！！！\n");
    EXPECT_EQ(flags(1).ukemiReady, 0);
    EXPECT_EQ(B().frame->HP, 90);
    EXPECT_EQ(dice.remaining(), 0u);
}

TEST_F(Technique, ABreakfallSoftensAPunch) {
    setUkemi(1, true);
    push2D6(6, 6);
    push2D6(1, 1);
    dice.pushDie(6, 1);
    push2D6(3, 3);
    dice.pushDie(6, 4);
    EXPECT_EQ(
        run(0, makePattern({kPunch}, 3)),
        "パンチ・・・命中！受身効果で 4ダメージが軽減されます。\nダメージは 12\nでたぁっ！技ッ！！！！！\n");
}

TEST_F(Technique, AThrowHitsBothPartsAndFloorsTheOther) {
    A().pow = 200;
    setHolding(0, true);
    setHolding(1, true);
    dice.pushDie(6, 1);
    dice.pushDie(8, 1);
    dice.pushDie(8, 1);
    dice.pushDie(8, 8);
    dice.pushDie(8, 8);
    EXPECT_EQ(run(0, makePattern({kDrop}, 4)),
              "組んでいる状態では、100％命中します。\n投げ！\nダメージはモーターに 100。フレームに 100！\n"
              "組み合っていた相手の技が外れました。\nでたぁっ！技ッ！！！！！\n");
    EXPECT_EQ(flags(1).fallen, -1);
    EXPECT_EQ(flags(0).holding, 0);
    EXPECT_EQ(flags(1).holding, 0);
    EXPECT_EQ(B().Motor->HP, 0);
    EXPECT_EQ(B().frame->HP, 0);
    EXPECT_EQ(FightTestAccess::effectHeight(fight), 180);
}

TEST_F(Technique, DamageRoundsHalvesToEvenAndNeverHeals) {
    B().AC = 0.5;
    dice.pushDie(6, 6);
    push2D6(1, 1);  // 2 + 10 - 0.5 = 11.5 -> 12
    EXPECT_EQ(damage(0, 1, 0, 5), 12);
    B().AC = 1.5;
    dice.pushDie(6, 6);
    push2D6(1, 1);  // 10.5 -> 10
    EXPECT_EQ(damage(0, 1, 0, 5), 10);
    B().AC = 40;
    dice.pushDie(6, 6);
    dice.pushDie(8, 8);
    dice.pushDie(8, 8);
    EXPECT_EQ(damage(0, 2, 3, 5), 0);
    EXPECT_EQ(B().Motor->HP, 78);
    EXPECT_EQ(FightTestAccess::effectCount(fight), 3);
    EXPECT_EQ(sound.requests.size(), 3u);
    EXPECT_EQ(sound.requests[0].name, "SE");
}

// Location rolls 0..2 strike the frame, 3..5 the motor.
TEST_F(Technique, TheLocationRollSplitsBetweenThreeAndFour) {
    dice.pushDie(6, 3);
    push2D6(1, 1);
    damage(0, 1, 0, 5);
    EXPECT_EQ(B().frame->HP, 88);
    EXPECT_EQ(B().Motor->HP, 100);
    dice.pushDie(6, 4);
    push2D6(1, 1);
    damage(0, 1, 0, 5);
    EXPECT_EQ(B().Motor->HP, 88);
}

// The spark height by technique, then a downed attacker, then a downed defender, the later winning.
TEST_F(Technique, TheSparkHeightFollowsTheTechniqueAndWhoIsDown) {
    dice.pushDie(6, 1);
    push2D6(1, 1);
    damage(0, 1, 0, 5);
    EXPECT_EQ(FightTestAccess::effectHeight(fight), 10);
    dice.pushDie(6, 1);
    dice.pushDie(8, 1);
    dice.pushDie(8, 1);
    damage(0, 2, 0, 5);
    EXPECT_EQ(FightTestAccess::effectHeight(fight), 30);
    dice.pushDie(6, 1);
    damage(0, 4, 0, 5);
    EXPECT_EQ(FightTestAccess::effectHeight(fight), 30);
    setFallen(0, true);
    dice.pushDie(6, 1);
    push2D6(1, 1);
    damage(0, 1, 0, 5);
    EXPECT_EQ(FightTestAccess::effectHeight(fight), 180);
    setFallen(1, true);
    dice.pushDie(6, 1);
    push2D6(1, 1);
    damage(0, 1, 0, 5);
    EXPECT_EQ(FightTestAccess::effectHeight(fight), 150);
    EXPECT_EQ(FightTestAccess::effectTarget(fight), 1);
    EXPECT_EQ(FightTestAccess::effectCount(fight), 5);
}

TEST_F(Technique, ALockIgnoresArmourAndTheCap) {
    A().pow = 30;
    B().AC = 50;
    dice.pushDie(6, 1);
    EXPECT_EQ(damage(0, 4, 5, 0), 35);
    EXPECT_EQ(B().frame->HP, 65);
}

TEST_F(Technique, UnlockByStrength) {
    setHolding(1, true);
    push2D6(3, 3);
    push2D6(3, 3);
    EXPECT_EQ(run(0, makePattern({kHazusi}, 3)), "振りほどいた。\nでたぁっ！技ッ！！！！！\n");
    EXPECT_EQ(flags(1).holding, 0);
    setHolding(0, true);
    setHolding(1, true);
    push2D6(1, 1);
    push2D6(3, 3);
    EXPECT_EQ(
        run(0, makePattern({kHazusi}, 3)),
        "組んでいる状態では、100％命中します。\n力が強くて振りほどけない！\nでたぁっ！技ッ！！！！！\n");
    EXPECT_EQ(flags(0).holding, 0);
    EXPECT_EQ(flags(1).holding, -1);
    EXPECT_EQ(run(1, makePattern({kHazusi}, 3)),
              "組んでいる状態では、100％命中します。\n自ら技を解いた。\nでたぁっ！技ッ！！！！！\n");
    EXPECT_EQ(run(1, makePattern({kHazusi}, 3)), "振りほどく動き。\nでたぁっ！技ッ！！！！！\n");
}

TEST_F(Technique, ClosingLinesByCost) {
    waza(0, -1);  // the empty pattern
    EXPECT_EQ(fight.battleLog(), "様子見です。\n");
    EXPECT_EQ(run(0, makePattern({kBlock}, 12, "烈風")), "防御の構えです。\nでたぁっ！烈風ッ！！！！！\n");
    EXPECT_EQ(flags(0).guarding, 1);
    EXPECT_EQ(run(0, makePattern({kUke}, 13, "烈風")), "これが、これが！烈風だッ！！\n");
    EXPECT_EQ(flags(0).guarding, 0);  // the stance lasts only until the fighter's next pattern
    EXPECT_EQ(flags(0).ukemiReady, -1);
}

}  // namespace
}  // namespace vargo
