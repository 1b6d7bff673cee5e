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

// Without a mouse: a palette chip taken into the hand is typed into the grid left to right, a
// different chip is taken the same way, and Delete leaves a gap that Regist refuses as always.
TEST_F(ProgramFixture, KeyboardTypesPatternsThroughTheDropRules) {
    ProgramEditor ed(game, prompts);
    ed.setPaletteCursor(kMove);
    ed.pickAtPaletteCursor();
    EXPECT_EQ(ed.heldAction(), kMove);
    EXPECT_EQ(ed.helpLine(), "接近・離脱に使う他、移動攻撃により攻撃力が上がります");
    ed.setGridCursor(10);
    ed.enterAtGridCursor();
    ed.enterAtGridCursor();
    EXPECT_EQ(ed.gridCursor(), 12);
    EXPECT_EQ(ed.heldAction(), kMove);
    ASSERT_TRUE(ed.movePaletteCursor(4));
    EXPECT_EQ(ed.paletteCursor(), kKick);
    ed.pickAtPaletteCursor();
    EXPECT_EQ(ed.heldAction(), kKick);
    ed.enterAtGridCursor();
    EXPECT_EQ(ed.cellName(10), "移動");
    EXPECT_EQ(ed.cellName(11), "移動");
    EXPECT_EQ(ed.cellName(12), "キック");
    EXPECT_EQ(ed.apLabel(1), "6");
    EXPECT_EQ(ed.memLabel(ProgramEditor::kTotalLabel), "9");

    ed.setGridCursor(11);
    ed.removeAtGridCursor();
    EXPECT_EQ(ed.cellName(11), "");
    EXPECT_EQ(ed.apLabel(1), "5");
    EXPECT_EQ(ed.memLabel(ProgramEditor::kTotalLabel), "7");
    EXPECT_FALSE(ed.regist());
    EXPECT_EQ(prompts.messages().back(), " 2番目の技の入力が正しくありません\n左寄せに入力して下さい");

    // Taking the held chip again puts it back; Delete on an empty cell changes nothing.
    ed.pickAtPaletteCursor();
    EXPECT_EQ(ed.heldAction(), 0);
    ed.removeAtGridCursor();
    ed.enterAtGridCursor();
    EXPECT_EQ(ed.cellName(11), "");
    EXPECT_EQ(ed.heldCell(), -1);
}

// The cursors stop at the edges (the window moves the focus on instead), and a chip typed into the
// last step stays there rather than running into the next pattern.
TEST_F(ProgramFixture, KeyboardCursorsStayInside) {
    ProgramEditor ed(game, prompts);
    EXPECT_FALSE(ed.movePaletteCursor(-1));
    EXPECT_EQ(ed.paletteCursor(), 1);
    ed.setPaletteCursor(ProgramEditor::kActions);
    EXPECT_FALSE(ed.movePaletteCursor(1));
    ed.setPaletteCursor(0);
    EXPECT_EQ(ed.paletteCursor(), ProgramEditor::kActions);

    EXPECT_FALSE(ed.moveGridCursor(-1, 0));
    EXPECT_FALSE(ed.moveGridCursor(0, -1));
    EXPECT_EQ(ed.gridCursor(), 0);
    ASSERT_TRUE(ed.moveGridCursor(5, 9));
    EXPECT_EQ(ed.gridCursor(), 59);
    EXPECT_FALSE(ed.moveGridCursor(1, 0));
    EXPECT_FALSE(ed.moveGridCursor(0, 1));
    ed.setGridCursor(60);
    EXPECT_EQ(ed.gridCursor(), 59);

    ed.setGridCursor(19);
    ed.setPaletteCursor(kJump);
    ed.pickAtPaletteCursor();
    ed.enterAtGridCursor();
    ed.enterAtGridCursor();
    EXPECT_EQ(ed.gridCursor(), 19);
    EXPECT_EQ(ed.cellName(19), "ジャンプ");
    EXPECT_EQ(ed.cellName(20), "");
}

// A grid chip in the hand moves like a mouse drag from that cell: onto another cell it swaps, onto
// its own cell it goes back. The hand lets go of a chip whose cell is emptied under it.
TEST_F(ProgramFixture, KeyboardMovesAGridChip) {
    dollPattern(1, "", {kMove, kJump, kSpin, kPunch, kKick, kMove});
    ProgramEditor ed(game, prompts);
    ed.setGridCursor(7);
    ed.enterAtGridCursor();  // empty cell, empty hand
    EXPECT_EQ(ed.heldCell(), -1);
    ed.setGridCursor(12);
    ed.enterAtGridCursor();
    EXPECT_EQ(ed.heldCell(), 12);
    ed.setGridCursor(15);
    ed.enterAtGridCursor();
    EXPECT_EQ(ed.cellName(12), "移動");
    EXPECT_EQ(ed.cellName(15), "回転");
    EXPECT_EQ(ed.heldCell(), -1);
    EXPECT_EQ(ed.gridCursor(), 15);

    ed.enterAtGridCursor();
    ed.enterAtGridCursor();
    EXPECT_EQ(ed.cellName(15), "回転");
    EXPECT_EQ(ed.heldCell(), -1);

    // A palette chip taken while a grid chip is held replaces it in the hand.
    ed.enterAtGridCursor();
    ed.setPaletteCursor(kPunch);
    ed.pickAtPaletteCursor();
    EXPECT_EQ(ed.heldCell(), -1);
    EXPECT_EQ(ed.heldAction(), kPunch);
    EXPECT_TRUE(ed.releaseHand());
    EXPECT_FALSE(ed.releaseHand());
    EXPECT_EQ(ed.heldAction(), 0);

    ed.enterAtGridCursor();
    ed.removeAtGridCursor();
    EXPECT_EQ(ed.heldCell(), -1);
    ed.setGridCursor(10);
    ed.enterAtGridCursor();
    ASSERT_EQ(ed.heldCell(), 10);
    ed.clear(1);
    EXPECT_EQ(ed.heldCell(), -1);
}

// A pattern costing more than the Doll's AP with both dice at six is marked at once; one at that
// limit is not. Regist still stores it (a fight will just never pick it).
TEST_F(ProgramFixture, OverCostPatternIsMarkedButStored) {
    d.Memory = 100;
    ProgramEditor ed(game, prompts);
    EXPECT_EQ(ed.maxTurnAP(), 22);
    ed.setPaletteCursor(kKick);
    ed.pickAtPaletteCursor();
    for (int k = 0; k < 5; ++k) {
        ed.enterAtGridCursor();
    }
    ed.setPaletteCursor(kJump);
    ed.pickAtPaletteCursor();
    ed.enterAtGridCursor();
    EXPECT_EQ(ed.apLabel(0), "22");
    EXPECT_FALSE(ed.overAP(0));
    EXPECT_EQ(ed.apWarning(0), "");
    ed.setPaletteCursor(kMove);
    ed.pickAtPaletteCursor();
    ed.enterAtGridCursor();
    EXPECT_TRUE(ed.overAP(0));
    EXPECT_FALSE(ed.overAP(1));
    EXPECT_EQ(ed.apWarning(0), "この技はこのDollの行動ポイントでは出せません（必要 23／最大 22）");
    EXPECT_FALSE(ed.overMemory());
    ASSERT_TRUE(ed.regist());
    EXPECT_EQ(d.getLogic(0)->AP, 23);
    ed.clear(0);
    EXPECT_FALSE(ed.overAP(0));
}

// The memory mark follows the rule Regist refuses by: equal passes, one more is marked and refused.
TEST_F(ProgramFixture, MemoryMarkMatchesTheRefusal) {
    d.Memory = 10;
    ProgramEditor ed(game, prompts);
    ed.setPaletteCursor(kMove);
    ed.pickAtPaletteCursor();
    for (int k = 0; k < 5; ++k) {
        ed.enterAtGridCursor();
    }
    EXPECT_FALSE(ed.overMemory());
    EXPECT_EQ(ed.memoryWarning(), "");
    ed.setGridCursor(30);
    ed.setPaletteCursor(kSpin);
    ed.pickAtPaletteCursor();
    ed.enterAtGridCursor();
    EXPECT_TRUE(ed.overMemory());
    EXPECT_EQ(ed.memoryWarning(), "メモリが足りません（使用 11／容量 10）");
    EXPECT_FALSE(ed.regist());
    EXPECT_EQ(prompts.messages().back(), "メモリが足りません");
    ed.setGridCursor(30);
    ed.removeAtGridCursor();
    EXPECT_FALSE(ed.overMemory());
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
