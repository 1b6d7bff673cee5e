#include "persistence/save_slot.h"

#include <gtest/gtest.h>

#include "ports/prompts.h"
#include "support/test_support.h"

namespace vargo {
namespace {

const std::string kNote = "（ロード時には新品のパーツも中古として扱われます）";

struct SaveSlotFixture : ::testing::Test {
    test::TempGameFolder dir;
    ScriptedPrompts prompts;

    void saved(int n, const std::string& player, const std::string& dollName) {
        dir.write("save/Playersv" + std::to_string(n) + ".ini", {"2014/03/01", player, "1,0,500"});
        dir.write("save/PlayDollsv" + std::to_string(n) + ".ini", {dollName, "0,1,1"});
    }
    SaveSlotPad pad(SaveSlotMode mode) { return SaveSlotPad(dir.folder(), mode, prompts); }
};

TEST_F(SaveSlotFixture, TypingShowsDigitsAndConfirmsTheirNumber) {
    auto p = pad(SaveSlotMode::Save);
    EXPECT_EQ(p.caption(), "セーブ画面");
    p.digit(1);
    p.digit(2);
    EXPECT_EQ(p.labNum(), "save12");
    ASSERT_TRUE(p.decide());
    EXPECT_EQ(prompts.calls.at(0).kind, ScriptedPrompts::Kind::MsgBox);
    EXPECT_EQ(prompts.calls.at(0).msg, "save12でセーブしますか？\n" + kNote);
    EXPECT_TRUE(p.value());
    EXPECT_EQ(p.svNum(), 12);
}

// "07" previews and confirms number 7: the files the caller then reads or writes.
TEST_F(SaveSlotFixture, OverwriteQuestionQuotesTheOldSave) {
    saved(7, "鋼野拳士", "アイアン");
    auto p = pad(SaveSlotMode::Save);
    p.digit(0);
    p.digit(7);
    prompts.answer(false);
    EXPECT_FALSE(p.decide());
    EXPECT_EQ(prompts.calls.at(0).msg,
              "save07には以下のデータがあります。\n鋼野拳士 アイアン 2014/03/01\n上書きしますか？\n" + kNote);
    EXPECT_FALSE(p.value());
    EXPECT_EQ(p.typedText(), "07");
    ASSERT_TRUE(p.decide());
    EXPECT_EQ(p.svNum(), 7);
}

TEST_F(SaveSlotFixture, LoadModeNeedsBothFiles) {
    dir.write("save/Playersv3.ini", {"2014/03/01", "X"});
    auto p = pad(SaveSlotMode::Load);
    EXPECT_EQ(p.caption(), "ロード画面");
    p.digit(3);
    EXPECT_FALSE(p.decide());
    EXPECT_EQ(prompts.messages(), std::vector<std::string>{"ファイルが見つかりません"});
    EXPECT_FALSE(p.value());

    saved(4, "A", "B");
    p.clear();
    EXPECT_EQ(p.labNum(), "save");
    p.digit(4);
    ASSERT_TRUE(p.decide());
    EXPECT_EQ(prompts.calls.back().msg, "save4 A B\n2014/03/01\nこれをロードしますか？");
    EXPECT_EQ(p.svNum(), 4);
}

// An empty entry stands for save number 0.
TEST_F(SaveSlotFixture, EmptyEntryIsNumberZero) {
    saved(0, "Z", "D");
    auto p = pad(SaveSlotMode::Load);
    ASSERT_TRUE(p.decide());
    EXPECT_EQ(p.svNum(), 0);
}

// The number stays within 16 bits: a digit that would pass 32767 is not taken.
TEST_F(SaveSlotFixture, EntryStopsAt32767) {
    auto p = pad(SaveSlotMode::Save);
    for (int d : {3, 2, 7, 6, 8}) {
        p.digit(d);
    }
    EXPECT_EQ(p.labNum(), "save3276");
    p.digit(7);
    p.digit(1);
    EXPECT_EQ(p.labNum(), "save32767");
    p.back();
    EXPECT_FALSE(p.value());
}

// Names are read as fields: they end at a comma.
TEST_F(SaveSlotFixture, PreviewReadsNameFields) {
    dir.write("save/Playersv5.ini", {"2015/12/01", "  Ann,extra"});
    dir.write("save/PlayDollsv5.ini", {"Doll,9"});
    auto pv = readSavePreview(dir.folder(), 5);
    ASSERT_TRUE(pv);
    EXPECT_EQ(pv->playerName, "Ann");
    EXPECT_EQ(pv->dollName, "Doll");
    EXPECT_EQ(pv->date, "2015/12/01");

    // Names the save files had to quote come back whole; a date with other separators is shown
    // the short way.
    dir.write("save/Playersv6.ini", {"2015-2-1", "\"Ann, Bo\""});
    dir.write("save/PlayDollsv6.ini", {"\"D,1\""});
    pv = readSavePreview(dir.folder(), 6);
    ASSERT_TRUE(pv);
    EXPECT_EQ(pv->playerName, "Ann, Bo");
    EXPECT_EQ(pv->dollName, "D,1");
    EXPECT_EQ(pv->date, "2015/02/01");
}

}  // namespace
}  // namespace vargo

namespace vargo {
namespace {

// One byte that is not Shift_JIS, or a file saved again as UTF-8 by an editor: the keypad tells,
// never throws. Load mode says the file cannot be read; save mode asks before overwriting what is there.
TEST_F(SaveSlotFixture, AnUnreadableSlotIsNeitherLoadedNorOverwrittenUnasked) {
    dir.writeBytes("save/Playersv4.ini", "2014/03/01\r\n\xFF\xFE\r\n1,0,500\r\n");
    dir.write("save/PlayDollsv4.ini", {"アイアン", "0,1,1"});
    EXPECT_NO_THROW(EXPECT_FALSE(readSavePreview(dir.folder(), 4)));
    SlotLook look = lookAtSlot(dir.folder(), 4);
    EXPECT_EQ(look.state, SlotLook::Unreadable);
    EXPECT_NE(look.problem.find("save/Playersv4.ini の 2行目"), std::string::npos) << look.problem;

    auto load = pad(SaveSlotMode::Load);
    load.digit(4);
    EXPECT_FALSE(load.decide());
    EXPECT_EQ(prompts.messages(), std::vector<std::string>{"ファイルが見つかりません"});

    prompts.calls.clear();
    auto save = pad(SaveSlotMode::Save);
    save.digit(4);
    prompts.answer(false);
    EXPECT_FALSE(save.decide());
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0].msg,
              "save4には読めないデータがあります。\n" + look.problem + "\n上書きしますか？\n" + kNote);

    // A slot with only its pattern file left is not free either.
    dir.write("save/Logicsv6.ini", {". 1"});
    EXPECT_EQ(lookAtSlot(dir.folder(), 6).state, SlotLook::Unreadable);
    EXPECT_EQ(lookAtSlot(dir.folder(), 8).state, SlotLook::Free);
}

// Names are fields: one that begins with a full stop is still a name, not a header.
TEST_F(SaveSlotFixture, NamesStartingWithAFullStopPreview) {
    saved(2, ".ハヤテ", ".疾風");
    auto pv = readSavePreview(dir.folder(), 2);
    ASSERT_TRUE(pv);
    EXPECT_EQ(pv->playerName, ".ハヤテ");
    EXPECT_EQ(pv->dollName, ".疾風");
}

}  // namespace
}  // namespace vargo
