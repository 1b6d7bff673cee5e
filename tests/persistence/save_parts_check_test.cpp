// A saved game naming parts the catalogues lack: the load says which (file, line, IDs) in one
// message and otherwise goes on, and `vargo-tool check` lists the same for every save set.

#include "persistence/save_parts_check.h"

#include <gtest/gtest.h>

#include "model/catalogue.h"
#include "persistence/persist_checks.h"
#include "persistence/save_files.h"
#include "ports/prompts.h"
#include "support/test_support.h"

namespace vargo {
namespace {

// The shipped catalogues (13 motors, 12 frames, 11 protectors, 7 attack programs) and save set 1,
// which owns motors 5 and 17, protectors 3, 15 and 16, and fits motor 17, frame 40, protector 3
// and attack program 9.
struct SavePartsFixture : ::testing::Test {
    test::TempGameFolder dir;
    GameRandom rng{5};
    ScriptedPrompts prompts;
    Game game{dir.folder(), rng};

    void SetUp() override {
        dir.copyShippedIni();
        dir.write("save/Playersv1.ini", {"2014/07/01", "鋼野拳士", "3,120,2500", "11,9,14", "5,17,0,0",
                                         "3,0,0,0", "2,0,0,0,0,0,0,0,0,0", "3,15,16,0,0,0,0,0,0,0", "2,0,0,0",
                                         "2,0,0,0", "4,0,0,0", "2,0,0,0", "1,1", "4,2,1"});
        dir.write("save/PlayDollsv1.ini", {"ＧＤ－１", "0,17,40", "2,0,0,0,0", "3,0,0,0", "2", "2,0,0,0",
                                           "9,0,0,0", "2,0,0,0", "0", "40,60", "True"});
        dir.write("save/Logicsv1.ini", {". 1", "突進", "0,0", "1,0,0,0,0,0,0,0,0,0"});
    }
};

const char* const kHeading =
    "セーブデータに部品カタログにない部品があります。\nこれらの部品は読み込まれません。\n";

TEST_F(SavePartsFixture, ALoadNamesTheMissingIdsWithFileAndLineAndGoesOn) {
    SaveFiles sv(game, prompts);
    sv.svNum = 1;
    EXPECT_TRUE(sv.load_rtn());
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0].kind, ScriptedPrompts::Kind::MsgBox);
    EXPECT_EQ(
        prompts.calls[0].msg,
        std::string(kHeading) +
            "save/Playersv1.ini の 5行目: カタログにない部品: モーター 17 (ini/Motor.ini)\n"
            "save/Playersv1.ini の 8行目: カタログにない部品: プロテクタ 15, 16 (ini/Protector.ini)\n"
            "save/PlayDollsv1.ini の 2行目: カタログにない部品: モーター 17 (ini/Motor.ini)、フレーム 40 "
            "(ini/Frame.ini)\n"
            "save/PlayDollsv1.ini の 7行目: カタログにない部品: ソフト（攻撃） 9 (ini/Software2.ini)");
    // The rest of the game came back as the loaders build it.
    EXPECT_EQ(game.owner().getMotor(0)->ID, 5);
    EXPECT_TRUE(isEmptyPart(game.owner().getMotor(1)));
    EXPECT_EQ(game.owner().getProtector(0)->ID, 3);
    EXPECT_EQ(game.theDoll().getProtector(0)->ID, 3);
    EXPECT_TRUE(isEmptyPart(game.theDoll().Motor));
    EXPECT_EQ(game.owner().Rl, 2500);
}

// A duel opponent brings only its Doll: its player file's inventory is not read, nor named.
TEST_F(SavePartsFixture, AnOpponentsLoadNamesOnlyItsDollsParts) {
    SaveFiles sv(game, prompts);
    sv.svNum = 1;
    sv.loadDuelist();
    std::string all;
    for (const auto& m : prompts.messages()) {
        all += m + "\n";
    }
    EXPECT_EQ(all.find("Playersv1.ini"), std::string::npos) << all;
    EXPECT_NE(all.find("save/PlayDollsv1.ini の 2行目: カタログにない部品: モーター 17"), std::string::npos)
        << all;
}

TEST_F(SavePartsFixture, SoundSavesSayNothing) {
    dir.write("save/Playersv2.ini",
              {"2014/07/01", "鋼野拳士", "3,120,2500", "11,9,14", "5,0,0,0", "3,0,0,0", "2,0,0,0,0,0,0,0,0,0",
               "3,0,0,0,0,0,0,0,0,0", "2,0,0,0", "2,0,0,0", "4,0,0,0", "2,0,0,0", "1,1", "4,2,1"});
    dir.write("save/PlayDollsv2.ini", {"ＧＤ－１", "0,5,3", "2,0,0,0,0", "3,0,0,0", "2", "2,0,0,0", "4,0,0,0",
                                       "2,0,0,0", "0", "40,60", "True"});
    dir.write("save/Logicsv2.ini", {". 1", "突進", "0,0", "1,0,0,0,0,0,0,0,0,0"});
    SaveFiles sv(game, prompts);
    sv.svNum = 2;
    EXPECT_TRUE(sv.load_rtn());
    EXPECT_TRUE(prompts.calls.empty()) << prompts.calls[0].msg;
    CatalogueReader catalogue(dir.folder());
    EXPECT_TRUE(missingSaveParts(catalogue, 2, SaveSide::Player).empty());
}

// A file cut short still names the missing IDs read before the break; the loader reports the break.
TEST_F(SavePartsFixture, IdsBeforeABrokenLineAreStillNamed) {
    dir.write("save/Playersv3.ini", {"2014/07/01", "鋼野拳士", "3,120,2500", "11,9,14", "17,0,0,0", "3,x"});
    CatalogueReader catalogue(dir.folder());
    auto found = missingSaveParts(catalogue, 3, SaveSide::Player);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].text(), "save/Playersv3.ini:5: not in the catalogue: motor 17 (ini/Motor.ini)");
}

TEST_F(SavePartsFixture, TheCheckListsThemForEverySaveSet) {
    auto problems = checkSaveSet(dir.folder(), 1);
    std::vector<std::string> texts;
    texts.reserve(problems.size());
    for (const auto& p : problems) {
        texts.push_back(p.text());
    }
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "save/Playersv1.ini:5: not in the catalogue: motor 17 (ini/Motor.ini)",
                         "save/Playersv1.ini:8: not in the catalogue: protector 15, 16 (ini/Protector.ini)",
                         "save/PlayDollsv1.ini:2: not in the catalogue: motor 17 (ini/Motor.ini), frame 40 "
                         "(ini/Frame.ini)",
                         "save/PlayDollsv1.ini:7: not in the catalogue: software2 9 (ini/Software2.ini)"}));
}

}  // namespace
}  // namespace vargo
