#include "screens/dialog_action.h"

#include <gtest/gtest.h>

#include "model/game.h"
#include "ports/prompts.h"

namespace vargo {
namespace {

struct TechniqueFixture : ::testing::Test {
    ScriptedRandom rng{std::vector<double>(8, 0.0)};
    Game game{GameFolder("."), rng};
    ScriptedPrompts prompts;
    TechniqueChoice dlg{game, prompts};

    LogicPtr pattern(const std::string& name, int ap, std::initializer_list<int> codes) {
        auto l = std::make_shared<Logic>();
        int i = 0;
        for (int c : codes) {
            l->setAction(makeAction(c), i++);
        }
        l->name = name;
        l->AP = static_cast<Int16>(ap);
        return l;
    }
};

// The label joins the names of filled positions; a gap is skipped, position 0 always leads.
TEST_F(TechniqueFixture, PatternLabelJoinsNamesSkippingGaps) {
    EXPECT_EQ(patternLabel(*pattern("", 0, {kMove, kJump, kKick})), "移動＋ジャンプ＋キック");
    EXPECT_EQ(patternLabel(*pattern("", 0, {kMove, kNoAction, kKick})), "移動＋キック");
    EXPECT_EQ(patternLabel(Logic()), "");
}

// playAP equal to the cost: white and choosable (value = index + 1). One point less: grey and a
// click asks nothing.
TEST_F(TechniqueFixture, CostAgainstPlayAPDecidesColourAndChoice) {
    dlg.setLogics(pattern("", 0, {}), 0);
    dlg.setLogics(pattern("ハイキック", 9, {kJump, kKick}), 1);
    dlg.setDialog("アイアン");
    dlg.setPlayAP(8);
    EXPECT_FALSE(dlg.row(1).white);
    EXPECT_EQ(dlg.row(1).cost, "9");
    EXPECT_FALSE(dlg.choose(1));
    EXPECT_TRUE(prompts.calls.empty());

    dlg.setPlayAP(9);
    EXPECT_TRUE(dlg.row(1).white);
    prompts.answer(false);
    EXPECT_FALSE(dlg.choose(1));
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0].msg, "ハイキックでいいですか？");
    EXPECT_EQ(prompts.calls[0].title, "アイアン");
    prompts.answer(true);
    EXPECT_TRUE(dlg.choose(1));
    EXPECT_EQ(dlg.value(), 2);
}

// An empty pattern costs 0: always white, and its confirmation has no name to quote.
TEST_F(TechniqueFixture, EmptyUnnamedPatternAsksThisTechnique) {
    dlg.setLogics(pattern("", 0, {}), 3);
    dlg.setPlayAP(0);
    EXPECT_TRUE(dlg.row(3).white);
    EXPECT_TRUE(dlg.choose(3));
    EXPECT_EQ(prompts.calls.at(0).msg, "この技でいいですか？");
    EXPECT_EQ(dlg.value(), 4);
}

TEST_F(TechniqueFixture, WithdrawingAsksYesNoAndYieldsZero) {
    dlg.setLogics(pattern("", 0, {}), 0);
    dlg.setPlayAP(5);
    ASSERT_TRUE(dlg.choose(0));
    prompts.answer(false);
    EXPECT_FALSE(dlg.withdraw());
    EXPECT_EQ(dlg.value(), 1);
    prompts.answer(true);
    EXPECT_TRUE(dlg.withdraw());
    EXPECT_EQ(dlg.value(), 0);
    EXPECT_EQ(prompts.calls.back().kind, ScriptedPrompts::Kind::AskYesNo);
    EXPECT_EQ(prompts.calls.back().msg, "命令を中止しますか？");
    EXPECT_EQ(prompts.calls.back().title, "VARGO");
}

// The guide shows only while the workshop's pending mark is set; a click clears the mark.
TEST_F(TechniqueFixture, GuideFollowsPendingMark) {
    game.guideOn = true;
    game.selectGuidePending = true;
    dlg.open();
    EXPECT_TRUE(dlg.guideVisible());
    dlg.guideClicked();
    EXPECT_FALSE(dlg.guideVisible());
    EXPECT_FALSE(game.selectGuidePending);
    dlg.open();
    EXPECT_FALSE(dlg.guideVisible());

    game.guideOn = false;
    game.selectGuidePending = true;
    dlg.open();
    EXPECT_FALSE(dlg.guideVisible());
}

TEST(MoveChoice, DistanceAndButtons) {
    MoveChoice m(7);
    EXPECT_EQ(m.distanceText(), "7");
    m.press(1);
    EXPECT_EQ(m.value(), 1);
    m.closedByWindow();
    EXPECT_EQ(m.value(), 0);
}

}  // namespace
}  // namespace vargo
