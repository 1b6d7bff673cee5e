#include "persistence/enemy_list.h"

#include <gtest/gtest.h>

#include "model/text_codec.h"
#include "ports/prompts.h"
#include "support/test_support.h"

namespace vargo {
namespace {

std::vector<std::string> record(int n, const std::string& name, int pow, int value) {
    return {"." + std::to_string(n),
            name,
            "0," + std::to_string(pow) + ",3,4",
            "55,40,30",
            "1.5,9,48",
            "5,3",
            "0,0,0",
            "0,0,0",
            "2,2,4,2",
            "0,1," + std::to_string(value) + ",80",
            "\"0201\""};
}

struct EnemyListFixture : ::testing::Test {
    test::TempGameFolder dir;
    ScriptedPrompts prompts;
    std::unique_ptr<EnemyRegistry> registry;

    void SetUp() override {
        dir.copyShippedIni();
        std::vector<std::string> dolls;
        for (auto& r :
             {record(1, "鉄拳", 9, 2100), record(2, "旋風", 7, 2800), record(4, "城塞", 15, 3900)}) {
            dolls.insert(dolls.end(), r.begin(), r.end());
        }
        dir.write("save/EDollsv.ini", dolls);
        std::vector<std::string> logics;
        for (int owner : {1, 2, 4}) {
            logics.insert(logics.end(), {".1", std::to_string(owner), "技", "3,2", "1,0,0,0,0,0,0,0,0,0,0"});
        }
        dir.write("save/ELogicsv.ini", logics);
        dir.write("ini/Dollsv.ini", record(9, "見本", 8, 2000));
        dir.write("ini/Logicsv.ini", {".1", "9", "技", "3,2", "1,0,0,0,0,0,0,0,0,0,0"});
        registry = std::make_unique<EnemyRegistry>(dir.folder(), prompts);
    }
};

TEST_F(EnemyListFixture, ShowingAnEntryShowsItsRecordAndSelectingEnablesDelete) {
    EnemyList screen(*registry, prompts);
    screen.open();
    ASSERT_EQ(screen.entries().size(), 3u);
    EXPECT_EQ(screen.entries()[2].number, 4);
    EXPECT_FALSE(screen.cmdDelEnabled);
    screen.showEntry(2);
    EXPECT_EQ(screen.dspDollData, "ID4:城塞\nPow 15\nmove 55\n価値 3900");
    EXPECT_FALSE(screen.cmdDelEnabled);
    screen.setSelection({2});
    EXPECT_TRUE(screen.cmdDelEnabled);
    screen.setSelection({});
    EXPECT_FALSE(screen.cmdDelEnabled);
}

// The selection is whatever the list says it is now: a later set replaces the earlier one, rows
// the list does not hold are not counted, and Delete's count and victims follow it exactly.
TEST_F(EnemyListFixture, DeleteTakesExactlyTheRowsSelectedNow) {
    EnemyList screen(*registry, prompts);
    screen.open();
    screen.setSelection({0, 1, 2});
    screen.setSelection({1, 7, -1});
    EXPECT_EQ(screen.selectedCount(), 1);
    EXPECT_TRUE(screen.isSelected(1));
    EXPECT_FALSE(screen.isSelected(0));
    prompts.answer(true);
    screen.del();
    EXPECT_EQ(prompts.messages()[0], "1体のDollを削除しますか？");
    ASSERT_EQ(screen.entries().size(), 2u);
    EXPECT_EQ(screen.entries()[0].name, "鉄拳");
    EXPECT_EQ(screen.entries()[1].name, "城塞");
    EXPECT_EQ(screen.selectedCount(), 0);
    EXPECT_FALSE(screen.cmdDelEnabled);
}

TEST_F(EnemyListFixture, DeleteAsksRemovesDollsAndPatternsAndDisables) {
    EnemyList screen(*registry, prompts);
    screen.open();
    screen.del();
    EXPECT_EQ(prompts.messages().back(), "Dollが選択されていません");
    screen.setSelection({0, 2});
    prompts.answer(false);
    screen.del();
    EXPECT_EQ(prompts.messages().back(), "2体のDollを削除しますか？");
    EXPECT_EQ(screen.entries().size(), 3u);
    prompts.answer(true);
    screen.del();
    EXPECT_EQ(prompts.messages().back(), "削除しました");
    ASSERT_EQ(screen.entries().size(), 1u);
    EXPECT_EQ(screen.entries()[0].name, "旋風");
    EXPECT_FALSE(screen.cmdDelEnabled);
    auto logics = *readTextFile(dir.path() / "save/ELogicsv.ini");
    EXPECT_EQ(logics, (std::vector<std::string>{".1", "2", "技", "3,2", "1,0,0,0,0,0,0,0,0,0,0"}));
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "save/EDollsv.img"));
}

// The record beside the list follows the list: deleting the Doll shown clears it, deleting
// another keeps it.
TEST_F(EnemyListFixture, DeletingTheDollShownClearsItsRecord) {
    EnemyList screen(*registry, prompts);
    screen.open();
    screen.showEntry(2);
    screen.setSelection({0});
    prompts.answer(true);
    screen.del();
    EXPECT_EQ(screen.dspDollData, "ID4:城塞\nPow 15\nmove 55\n価値 3900");
    screen.setSelection({1});
    prompts.answer(true);
    screen.del();
    EXPECT_EQ(screen.dspDollData, "");
}

TEST_F(EnemyListFixture, InitFileRestoresTheShippedRegistry) {
    EnemyList screen(*registry, prompts);
    screen.open();
    screen.setSelection({1});
    prompts.answer(false);
    screen.initFile();
    EXPECT_EQ(screen.entries().size(), 3u);
    prompts.answer(true);
    screen.initFile();
    EXPECT_EQ(prompts.messages().back(), "初期化完了しました");
    ASSERT_EQ(screen.entries().size(), 1u);
    EXPECT_EQ(screen.entries()[0].number, 9);
    EXPECT_FALSE(screen.cmdDelEnabled);
    EXPECT_EQ(readBytes(dir.path() / "save/EDollsv.ini"), readBytes(dir.path() / "ini/Dollsv.ini"));
}

}  // namespace
}  // namespace vargo
