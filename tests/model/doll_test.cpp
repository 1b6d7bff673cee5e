#include "model/doll.h"

#include <gtest/gtest.h>

#include "model/owner.h"
#include "model/random.h"
#include "ports/prompts.h"

namespace vargo {
namespace {

struct DollFixture : ::testing::Test {
    Owner owner;
    doll d;
    ScriptedPrompts prompts;

    void SetUp() override {
        d.Motor = std::make_shared<Motor>(Motor{1, "M", 12, 800, 50, 50, 30, true});
        auto f = std::make_shared<DollFrame>();
        f->name = "F";
        f->offence = 5;
        f->defence = 6;
        f->move = 10;
        f->jump = 11;
        f->spin = 12;
        f->Rl = 900;
        f->weight = 40;
        f->image = "02";
        d.frame = f;
        auto h = std::make_shared<Hard>();
        h->name = "H";
        h->Rl = 300;
        h->CPU = 4;
        h->Memory = 20;
        d.Hard = h;
    }

    BoosterPtr booster(const std::string& name, int rl) {
        auto b = std::make_shared<Booster>();
        b->name = name;
        b->move = 1;
        b->jump = 2;
        b->spin = 3;
        b->weight = 5;
        b->Rl = static_cast<Int16>(rl);
        return b;
    }
    ProtectorPtr plate(const std::string& name, double ac, int rl) {
        auto p = std::make_shared<Protector>();
        p->name = name;
        p->AC = ac;
        p->weight = 1.5;
        p->Rl = static_cast<Int16>(rl);
        return p;
    }
};

TEST(DollClassTest, BoundariesAreStrict) {
    EXPECT_EQ(dollClass(2500), DollClass::Novice);
    EXPECT_EQ(dollClass(2501), DollClass::Expert);
    EXPECT_EQ(dollClass(3500), DollClass::Expert);
    EXPECT_EQ(dollClass(3501), DollClass::Master);
    EXPECT_STREQ(dollClassName(DollClass::Expert), "Expert");
}

TEST_F(DollFixture, RefreshWithoutBoostersOrPlates) {
    d.refresh();
    EXPECT_EQ(d.AC, 0);
    EXPECT_EQ(d.weight, 70);
    EXPECT_EQ(d.pow, 12);
    EXPECT_EQ(d.move, 10);
    EXPECT_EQ(d.value, 1700);
}

TEST_F(DollFixture, ApFromSkillAndComputer) {
    owner.skillPlay = 9;
    resetDollParam(d, owner);
    EXPECT_EQ(d.AP, 5);
    owner.skillPlay = 18;
    resetDollParam(d, owner);
    EXPECT_EQ(d.AP, 7);
    owner.skillPlay = 14;
    resetDollParam(d, owner);
    EXPECT_EQ(d.AP, 6);
    EXPECT_EQ(d.Memory, 20);
}

// Only booster slots 0 to 3 count toward value, though all boosters add mobility.
TEST_F(DollFixture, FifthBoosterAddsMobilityButNotValue) {
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(d.addBooster(booster("B" + std::to_string(i), 100)));
    }
    EXPECT_TRUE(resetDollParam(d, owner));
    EXPECT_EQ(d.move, 15);
    EXPECT_EQ(d.jump, 21);
    EXPECT_EQ(d.spin, 27);
    EXPECT_EQ(d.weight, 95);
    EXPECT_EQ(d.value, 800 + 300 + 900 + 400);
}

TEST_F(DollFixture, SameBoosterTwiceIsRefused) {
    auto b = booster("B", 10);
    EXPECT_TRUE(d.addBooster(b));
    EXPECT_FALSE(d.addBooster(b));
    EXPECT_TRUE(isEmptyPart(d.getBoost(1)));
    for (int i = 1; i < 8; ++i) {
        EXPECT_TRUE(d.addBooster(booster("X" + std::to_string(i), 1)));
    }
    EXPECT_FALSE(d.addBooster(booster("Y", 1)));
    EXPECT_TRUE(prompts.calls.empty());
}

TEST_F(DollFixture, FifthPlateShowsTheMessageOnce) {
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(d.addProtector(plate("P" + std::to_string(i), 1, 10), prompts));
    }
    auto fifth = plate("P9", 1, 10);
    EXPECT_FALSE(d.addProtector(fifth, prompts));
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0].msg, "4枚以上貼れません");
    // A second plate of the same name is refused silently.
    doll other;
    other.addProtector(plate("Same", 1, 1), prompts);
    EXPECT_FALSE(other.addProtector(plate("Same", 1, 1), prompts));
    EXPECT_EQ(prompts.calls.size(), 1u);
}

TEST_F(DollFixture, DarkArmourPictureComesAndGoes) {
    d.addProtector(plate("Steelプレート", 2.5, 200), prompts);
    d.addProtector(plate("軽装甲", 1.0, 100), prompts);
    resetDollParam(d, owner);
    EXPECT_TRUE(d.isBlack());
    EXPECT_EQ(d.image, "0202");
    EXPECT_DOUBLE_EQ(d.AC, 3.5);
    EXPECT_EQ(d.value, 800 + 300 + 900 + 300);
    d.removeAllProtect();
    // Totals are true again right away, not stale sums.
    EXPECT_EQ(d.AC, 0);
    EXPECT_EQ(d.weight, 70);
    EXPECT_EQ(d.value, 1700);
    resetDollParam(d, owner);
    EXPECT_EQ(d.image, "0201");
    d.frame->image = "01";
    resetDollParam(d, owner);
    EXPECT_EQ(d.image, "01");
    d.frame->image = "07";  // unknown: keeps what it had
    resetDollParam(d, owner);
    EXPECT_EQ(d.image, "01");
    // Case matters in the dark-armour test.
    d.addProtector(plate("steel", 1, 1), prompts);
    EXPECT_FALSE(d.isBlack());
}

TEST_F(DollFixture, RefreshSkipsOverflowingSums) {
    auto big = booster("big", 32000);
    big->move = 32760;
    d.addBooster(big);
    d.refresh();
    EXPECT_EQ(d.move, 10);  // 10 + 32760 would overflow: skipped
    EXPECT_EQ(d.value, 1700);
    EXPECT_FALSE(resetDollParam(d, owner));
}

TEST_F(DollFixture, WorkshopActionLookupUsesSlotZero) {
    auto soft = std::make_shared<SoftAttack>();
    soft->name = "S";
    soft->kumi->AP = 3;
    d.setSoftA(0, soft);
    d.setSoftA(4, std::make_shared<SoftAttack>());  // ignored
    EXPECT_EQ(d.getSoftA(4), nullptr);
    EXPECT_EQ(d.getAction(kKumi), soft->kumi);
    EXPECT_EQ(d.getAction(kMove)->ID, kMove);  // the empty software's own move
    EXPECT_EQ(d.getAction(12)->ID, 0);
}

TEST(DollCreation, FreshDollIsEmptyAndUnprogrammed) {
    doll d;
    EXPECT_EQ(d.name, "PlayerDoll");
    EXPECT_EQ(d.image, "01");
    EXPECT_FALSE(d.programed);
    EXPECT_TRUE(isEmptyPart(d.Motor));
    EXPECT_TRUE(isEmptyPart(d.getBoost(7)));
    EXPECT_EQ(d.getLogic(12)->getTotalAP(), 0);
    EXPECT_THROW(d.getLogic(13), std::out_of_range);
}

}  // namespace
}  // namespace vargo
