#include "ports/prompts.h"

#include <gtest/gtest.h>

namespace vargo {
namespace {

// Every prompt reaches the player through the wrapped prompts, each after the screen caught up, and
// the player's answer comes back unchanged.
TEST(ScreenFirstPrompts, CatchesTheScreenUpBeforeEachPromptAndPassesTheAnswerBack) {
    ScriptedPrompts player;
    player.answer(false);
    player.answer(true);
    ScreenFirstPrompts told(player);
    std::vector<size_t> promptsSeenWhenDrawn;
    told.setBeforePrompt([&] { promptsSeenWhenDrawn.push_back(player.calls.size()); });
    told.showMsgTall("勝利", "Simulation", 5);
    EXPECT_EQ(told.askOkCancel("棄権しますか？"), kCancel);
    EXPECT_EQ(told.askYesNo("もう一度？", "VARGO"), kYes);
    told.msgBox("修理しました");
    EXPECT_EQ(promptsSeenWhenDrawn, (std::vector<size_t>{0, 1, 2, 3}));
    ASSERT_EQ(player.calls.size(), 4U);
    EXPECT_EQ(player.calls[0].msg, "勝利");
    EXPECT_EQ(player.calls[0].rows, 5);
}

}  // namespace
}  // namespace vargo
