#include "career/assembly.h"

#include <gtest/gtest.h>

#include "ports/prompts.h"

namespace vargo {
namespace {

struct AssemblyFixture : ::testing::Test {
    ScriptedRandom rng{std::vector<double>(4, 0.0)};
    Game game{GameFolder("."), rng};
    ScriptedPrompts prompts;
    Assembly panel{game, prompts};

    template <class Part>
    std::shared_ptr<Part> part(const std::string& name, int rl = 100) {
        auto p = std::make_shared<Part>();
        p->name = name;
        p->Rl = static_cast<Int16>(rl);
        return p;
    }
};

TEST_F(AssemblyFixture, EmptyInventoryShowsOnlyTakeOff) {
    EXPECT_EQ(panel.dspParts(0), std::vector<std::string>{"（はずす）"});
    panel.pick(0, 0);
    EXPECT_TRUE(isEmptyPart(game.theDoll(0).Motor));
    EXPECT_FALSE(panel.fightEnabled());
    EXPECT_EQ(panel.dspParts(42), panel.dspParts(0));  // unknown kinds are motors
}

TEST_F(AssemblyFixture, FittingSharesTheOwnersPart) {
    Owner& o = game.owner(0);
    auto m = part<Motor>("モーターA");
    o.setMotor(m);
    o.setFrame(part<DollFrame>("フレームA"));
    o.setHard(part<Hard>("ＣＰＵ"));
    game.savedFlag = true;
    panel.pick(0, 0);
    EXPECT_EQ(game.theDoll(0).Motor, m);
    EXPECT_FALSE(game.savedFlag);
    EXPECT_EQ(panel.detailName(), "モーターA");
    panel.pick(1, 0);
    EXPECT_FALSE(panel.fightEnabled());
    panel.pick(4, 0);
    EXPECT_TRUE(panel.fightEnabled());
    EXPECT_FALSE(panel.programEnabled());
    EXPECT_EQ(panel.panel().value, 300);
    EXPECT_EQ(panel.panel().dollClass, "Novice");
}

TEST_F(AssemblyFixture, BoostersOnceEachAndTakeOffRemovesAll) {
    Owner& o = game.owner(0);
    o.setBooster(part<Booster>("B1"));
    o.setBooster(part<Booster>("B2"));
    panel.pick(2, 0);
    panel.pick(2, 0);
    panel.pick(2, 1);
    EXPECT_EQ(panel.panel().boosters, (std::vector<std::string>{"B1", "B2"}));
    panel.pick(2, 2);  // "（はずす）"
    EXPECT_TRUE(panel.panel().boosters.empty());
    EXPECT_TRUE(isEmptyPart(game.theDoll(0).getBoost(0)));
}

TEST_F(AssemblyFixture, FifthPlateIsRefusedWithTheMessage) {
    Owner& o = game.owner(0);
    for (int i = 0; i < 5; ++i) {
        o.setProtector(part<Protector>("P" + std::to_string(i)));
    }
    for (int i = 0; i < 5; ++i) {
        panel.pick(3, i);
    }
    EXPECT_EQ(panel.panel().protectors.size(), 4u);
    EXPECT_EQ(prompts.messages(), std::vector<std::string>{"4枚以上貼れません"});
}

TEST_F(AssemblyFixture, ProgramNeedsAllThreeSoftwareAndAComputer) {
    Owner& o = game.owner(0);
    o.setHard(part<Hard>("ＣＰＵ"));
    o.setSoftM(part<SoftMobile>("移動"));
    o.setSoftA(part<SoftAttack>("攻撃"));
    o.setSoftD(part<SoftDeffence>("防御"));
    panel.pick(4, 0);
    panel.pick(5, 0);
    panel.pick(6, 0);
    EXPECT_FALSE(panel.programEnabled());
    panel.pick(7, 0);
    EXPECT_TRUE(panel.programEnabled());
    ASSERT_EQ(panel.panel().software.size(), 3u);
    EXPECT_EQ(panel.panel().software[2].kind, 2);
    EXPECT_EQ(panel.detail()[0].label, "Rl ");
    panel.cmdClear();
    EXPECT_FALSE(panel.programEnabled());
    EXPECT_TRUE(panel.panel().software.empty());
}

TEST_F(AssemblyFixture, PictureFollowsFrameAndArmour) {
    Owner& o = game.owner(0);
    auto f = part<DollFrame>("重装フレーム");
    f->image = "02";
    o.setFrame(f);
    o.setProtector(part<Protector>("Kevlerプレート"));
    panel.pick(1, 0);
    EXPECT_EQ(panel.panel().picture, "img/VARGO0201S.jpg");
    panel.pick(3, 0);
    EXPECT_EQ(panel.panel().picture, "img/VARGO0202S.jpg");
    f->image = "09";  // unknown code: the picture stays
    panel.dspDoll();
    EXPECT_EQ(panel.panel().picture, "img/VARGO0202S.jpg");
}

TEST_F(AssemblyFixture, RegistAsksAndRefusesUnsavableNames) {
    prompts.answer(false);
    EXPECT_FALSE(panel.regist("鉄人"));
    EXPECT_EQ(prompts.messages().back(), "ドールの名前を鉄人に変更しますか？");
    EXPECT_EQ(game.theDoll(0).name, "PlayerDoll");
    prompts.answer(true);
    EXPECT_TRUE(panel.regist("鉄人"));
    EXPECT_EQ(game.theDoll(0).name, "鉄人");
    EXPECT_FALSE(panel.regist("ロボ😀"));
    EXPECT_EQ(game.theDoll(0).name, "鉄人");
}

}  // namespace
}  // namespace vargo
