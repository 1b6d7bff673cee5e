#include "screens/program.h"

#include <gtest/gtest.h>

#include "model/game.h"
#include "model/text_codec.h"
#include "ports/prompts.h"

namespace vargo {
namespace {

struct ProgramFixture : ::testing::Test {
    ScriptedRandom rng{std::vector<double>(8, 0.0)};
    Game game{GameFolder("."), rng};
    ScriptedPrompts prompts;
    doll& d = game.theDoll();

    void SetUp() override {
        game.guideOn = false;
        auto m = std::make_shared<SoftMobile>();
        m->name = "ムーブ";
        m->init2({0, 2, 1, ""}, {0, 3, 2, ""}, {0, 1, 3, ""});  // move 1:2, jump 2:3, spin 3:1
        d.setSoftM(0, m);
        auto a = std::make_shared<SoftAttack>();
        a->name = "ファイト";
        a->init2({0, 4, 3, ""}, {0, 5, 4, ""}, {0, 2, 4, ""}, {0, 3, 4, ""}, {0, 3, 6, ""});
        d.setSoftA(0, a);
        auto df = std::make_shared<SoftDeffence>();
        df->name = "ガード";
        d.setSoftD(0, df);
        d.AP = 10;
        d.Memory = 20;
    }

    // A pattern in the Doll built from fresh action records named like the software's.
    void dollPattern(int k, const std::string& name, std::initializer_list<int> codes) {
        auto l = std::make_shared<Logic>();
        int i = 0;
        for (int c : codes) {
            l->setAction(makeAction(c), i++);
        }
        l->name = name;
        d.setLogics(l, k);
    }
};

// Opening stamps the software, rebinds the Doll's patterns to it (kept even on cancel) and prices
// the palette and the grid from it.
TEST_F(ProgramFixture, OpeningRebindsAndShowsCosts) {
    dollPattern(0, "ダッシュ", {kMove, kKick});
    ProgramEditor ed(game, prompts);
    EXPECT_EQ(d.getLogic(0)->getActions(0), d.getSoftM(0)->move);
    EXPECT_EQ(d.getSoftA(0)->kick->ID, kKick);
    EXPECT_EQ(ed.chipCost(kKick), "4：5");
    EXPECT_EQ(ed.softName(1), "ファイト");
    EXPECT_EQ(ed.patternName(0), "ダッシュ");
    EXPECT_EQ(ed.apLabel(0), "5");
    EXPECT_EQ(ed.memLabel(0), "7");
    EXPECT_EQ(ed.memLabel(ProgramEditor::kTotalLabel), "7");
    EXPECT_EQ(ed.dollAPText(), " 12～ 22");
}

TEST_F(ProgramFixture, PaletteOntoCellReplacesAndCellOntoCellSwaps) {
    dollPattern(1, "", {kMove, kJump, kSpin, kPunch, kKick, kMove});
    ProgramEditor ed(game, prompts);
    ed.hoverCell(12);
    EXPECT_EQ(ed.draggedName(), "回転");
    EXPECT_EQ(ed.helpLine(), "立ち上がるのに使う他、回転攻撃により攻撃力が上がります");
    ed.dropOnCell(15);
    EXPECT_EQ(ed.cellName(12), "移動");
    EXPECT_EQ(ed.cellName(15), "回転");

    ed.hoverPalette(kPunch);
    EXPECT_EQ(ed.dragSource(), -1);
    EXPECT_EQ(ed.helpLine(), "パンチ");
    ed.dropOnCell(10);
    EXPECT_EQ(ed.cellName(10), "パンチ");
    EXPECT_EQ(ed.cellName(12), "移動");
    EXPECT_EQ(ed.apLabel(1), "16");

    // A cell dropped onto itself stays as it was.
    ed.hoverCell(11);
    ed.dropOnCell(11);
    EXPECT_EQ(ed.cellName(11), "ジャンプ");
}

TEST_F(ProgramFixture, TrashEmptiesCellsButNotPaletteChips) {
    dollPattern(2, "", {kKick});
    ProgramEditor ed(game, prompts);
    ed.hoverPalette(kMove);
    ed.dropOnTrash();
    EXPECT_EQ(ed.cellName(20), "キック");
    ed.hoverCell(20);
    ed.dropOnTrash();
    EXPECT_EQ(ed.cellName(20), "");
    EXPECT_EQ(ed.cellTile(20), ProgramEditor::kEmptyTile);
    EXPECT_EQ(ed.apLabel(2), "0");
    EXPECT_EQ(ed.memLabel(ProgramEditor::kTotalLabel), "0");
    ed.hoverTrash();
    EXPECT_EQ(ed.helpLine(), "ゴミ箱");
    ed.hoverFrame(kHazusi);
    EXPECT_EQ(ed.helpLine(), "組まれていたら外します");
}

TEST_F(ProgramFixture, GapIsRefusedNamingThePattern) {
    ProgramEditor ed(game, prompts);
    for (int cell : {30, 31, 33}) {
        ed.hoverPalette(kMove);
        ed.dropOnCell(cell);
    }
    EXPECT_FALSE(ed.regist());
    EXPECT_EQ(prompts.messages().back(), " 4番目の技の入力が正しくありません\n左寄せに入力して下さい");
    EXPECT_FALSE(d.programed);
}

// The total may equal the computer's memory; one more is refused.
TEST_F(ProgramFixture, MemoryLimitIsInclusive) {
    d.Memory = 10;
    ProgramEditor ed(game, prompts);
    for (int cell = 0; cell < 5; ++cell) {  // five moves, memory 2 each
        ed.hoverPalette(kMove);
        ed.dropOnCell(cell);
    }
    EXPECT_EQ(ed.memLabel(ProgramEditor::kTotalLabel), "10");
    EXPECT_TRUE(ed.checkInput());
    ed.hoverPalette(kSpin);
    ed.dropOnCell(5);
    EXPECT_FALSE(ed.checkInput());
    EXPECT_EQ(prompts.messages().back(), "メモリが足りません");
}

TEST_F(ProgramFixture, RegistStoresNamesAndCostsAndSetsProgramed) {
    dollPattern(0, "古い", {kKick});
    ProgramEditor ed(game, prompts);
    ed.clear(0);
    EXPECT_EQ(ed.apLabel(0), "");
    ed.hoverPalette(kJump);
    ed.dropOnCell(10);
    ed.setPatternName(1, "跳");
    ASSERT_TRUE(ed.regist());
    EXPECT_TRUE(d.programed);
    EXPECT_EQ(d.getLogic(0)->name, "");
    EXPECT_EQ(d.getLogic(0)->getActionsname(0), "");
    EXPECT_EQ(d.getLogic(1)->name, "跳");
    EXPECT_EQ(d.getLogic(1)->AP, 2);
    EXPECT_EQ(d.getLogic(1)->Memory, 3);
}

// A name the save files cannot hold is refused with a message and not taken: the name before it
// stays, and Regist stores only names a save can write.
TEST_F(ProgramFixture, PatternNamesOutsideCp932AreRefused) {
    ProgramEditor ed(game, prompts);
    ed.setPatternName(0, "飛蹴");
    for (const char* bad : {"café", "飛蹴😀", "한글"}) {
        ed.setPatternName(0, bad);
        ASSERT_FALSE(prompts.calls.empty()) << bad;
        EXPECT_EQ(prompts.calls.back().msg, "この技名には使えない文字が含まれています");
        EXPECT_EQ(ed.patternName(0), "飛蹴");
    }
    EXPECT_EQ(prompts.calls.size(), 3u);
    // CP932's own symbols are names like any other.
    ed.setPatternName(1, "必殺①～");
    EXPECT_EQ(ed.patternName(1), "必殺①～");
    ASSERT_TRUE(ed.regist());
    EXPECT_EQ(d.getLogic(0)->name, "飛蹴");
    EXPECT_TRUE(encodableInCp932(d.getLogic(0)->name));
}

// Without Regist the Doll keeps its patterns (only the rebinding took effect).
TEST_F(ProgramFixture, LeavingWithoutRegistChangesNoPattern) {
    dollPattern(0, "古い", {kKick});
    {
        ProgramEditor ed(game, prompts);
        ed.hoverCell(0);
        ed.dropOnTrash();
        ed.setPatternName(0, "新");
    }
    EXPECT_EQ(d.getLogic(0)->name, "古い");
    EXPECT_EQ(d.getLogic(0)->getActionsname(0), "キック");
    EXPECT_FALSE(d.programed);
}

TEST_F(ProgramFixture, GuidePagesQuoteTheDollsNumbers) {
    game.guideOn = true;
    ProgramEditor ed(game, prompts);
    EXPECT_TRUE(ed.guideVisible());
    ed.guideClicked();
    EXPECT_NE(ed.guideText().find("このDollの行動ポイントは 12～ 22　なので、 22以内、 17ポイント"),
              std::string::npos);
    EXPECT_NE(ed.guideText().find("メモリは 20です。"), std::string::npos);
    ed.guideClicked();
    ed.guideClicked();
    EXPECT_EQ(ed.guidePage(), 3);
    ed.guideClicked();
    EXPECT_FALSE(ed.guideVisible());
    EXPECT_EQ(ed.guidePage(), 0);
}

}  // namespace
}  // namespace vargo
