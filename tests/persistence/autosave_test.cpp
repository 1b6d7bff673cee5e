// Autosaves: the rotation of three, the failure told once, and a load equal to a numbered one.

#include "persistence/autosave.h"

#include <gtest/gtest.h>

#include "career/workshop.h"
#include "model/catalogue.h"
#include "model/text_codec.h"
#include "persistence/save_files.h"
#include "ports/prompts.h"
#include "ports/sound.h"
#include "support/faulty_disk.h"
#include "support/test_support.h"

namespace vargo {
namespace {

struct AutosaveFixture : ::testing::Test {
    test::TempGameFolder dir;
    GameRandom rng{5};
    ScriptedPrompts prompts;
    std::unique_ptr<Game> game;

    void SetUp() override {
        dir.copyShippedIni();
        std::filesystem::create_directories(dir.path() / "save");
        game = std::make_unique<Game>(dir.folder(), rng);
        CatalogueReader cat(dir.folder());
        Owner& o = game->owner();
        o.name = "鋼野拳士";
        o.Rl = 2500;
        o.setMotor(cat.ld_Motor(5));
        o.setFrame(cat.ld_Frame(3));
        o.setHard(cat.ld_Hard(2));
        doll& d = game->theDoll();
        d.name = "アイアン";
        d.Motor = o.getMotor(0);
        d.frame = o.getFrame(0);
        d.Hard = o.getHard(0);
        game->resetDollParam(0);
        game->gameDate = Workshop::kStartDate;
    }
};

TEST_F(AutosaveFixture, AFourthAutosaveReplacesTheOldestAndTheListShowsDates) {
    Autosaver autosaver(prompts);
    RecordingSound sound;
    Workshop shop(*game, prompts, sound);
    shop.setAutosaver(&autosaver);
    for (int month = 0; month < 4; ++month) {
        ASSERT_TRUE(shop.cmdWork());  // prompts answer OK
    }
    EXPECT_EQ(lastAutosave(dir.folder()), 1);
    std::vector<AutosaveEntry> list = listAutosaves(dir.folder());
    ASSERT_EQ(list.size(), 3u);
    // Newest first: May (written into set 1 again), April, March; February was replaced.
    EXPECT_EQ(list[0].svNum, autosaveNumber(1));
    EXPECT_EQ(list[0].look.preview.date, "2013/05/01");
    EXPECT_EQ(list[1].svNum, autosaveNumber(3));
    EXPECT_EQ(list[1].look.preview.date, "2013/04/01");
    EXPECT_EQ(list[2].svNum, autosaveNumber(2));
    EXPECT_EQ(list[2].look.preview.date, "2013/03/01");
    EXPECT_EQ(list[0].look.preview.playerName, "鋼野拳士");
    EXPECT_EQ(list[0].look.preview.dollName, "アイアン");
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "save/PlayersvA1.ini"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "save/Playersv1.ini"));  // never a numbered slot
    // The tournament autosaves too, and neither counts as the player's save.
    shop.afterTournament();
    EXPECT_EQ(lastAutosave(dir.folder()), 2);
    EXPECT_FALSE(game->savedFlag);
}

TEST_F(AutosaveFixture, AFailureIsToldOnceAndLeavesNumberedSavesAlone) {
    SaveFiles numbered(*game, prompts);
    numbered.svNum = 0;
    ASSERT_TRUE(numbered.save_rtn());
    const auto before = readBytes(dir.path() / "save/Playersv0.ini");
    Autosaver autosaver(prompts);
    for (int i = 0; i < 3; ++i) {
        test::FaultyDisk disk(1, test::FaultyDisk::Fault::FailRest);
        ScopedDisk use(disk);
        EXPECT_FALSE(autosaver.write(*game));
    }
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_NE(prompts.messages()[0].find("オートセーブできませんでした"), std::string::npos);
    EXPECT_TRUE(autosaver.failureTold());
    EXPECT_EQ(readBytes(dir.path() / "save/Playersv0.ini"), before);
    EXPECT_TRUE(listAutosaves(dir.folder()).empty());
    // The disk back, the rotation goes on without a word.
    EXPECT_TRUE(autosaver.write(*game));
    EXPECT_EQ(prompts.messages().size(), 1u);
}

TEST_F(AutosaveFixture, LoadingAnAutosaveEqualsLoadingTheSameNumberedSave) {
    Autosaver autosaver(prompts);
    ASSERT_TRUE(autosaver.write(*game));
    SaveFiles numbered(*game, prompts);
    numbered.svNum = 9;
    ASSERT_TRUE(numbered.save_rtn());
    auto loadInto = [&](int svNum) {
        GameRandom r(7);
        Game g(dir.folder(), r);
        SaveFiles f(g, prompts);
        f.svNum = svNum;
        EXPECT_TRUE(f.load_rtn());
        SaveFiles out(g, prompts);
        std::vector<std::string> all = out.playerLines();
        for (auto& l : out.dollLines()) {
            all.push_back(l);
        }
        for (auto& l : out.logicLines()) {
            all.push_back(l);
        }
        all.push_back(g.gameDate.format());
        return all;
    };
    EXPECT_EQ(loadInto(autosaveNumber(1)), loadInto(9));
    EXPECT_EQ(loadInto(9)[1], "鋼野拳士");
}

}  // namespace
}  // namespace vargo
