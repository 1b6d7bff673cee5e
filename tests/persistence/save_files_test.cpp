#include "persistence/save_files.h"

#include <gtest/gtest.h>

#include <fstream>

#include "model/text_codec.h"
#include "persistence/persist_checks.h"
#include "ports/prompts.h"
#include "support/test_support.h"

namespace vargo {
namespace {

// A game with a player who owns and has fitted real catalogue parts.
struct SaveFixture : ::testing::Test {
    test::TempGameFolder dir;
    GameRandom rng{3};
    ScriptedPrompts prompts;
    std::unique_ptr<Game> game;

    void SetUp() override {
        dir.copyShippedIni();
        std::filesystem::create_directories(dir.path() / "save");
        game = std::make_unique<Game>(dir.folder(), rng);
        CatalogueReader cat(dir.folder());
        Owner& o = game->owner();
        o.name = "鋼野拳士";
        o.Lv = 3;
        o.exp = 120;
        o.Rl = 2500;
        o.skillPlay = 11;
        o.skillHard = 9;
        o.skillSoft = 14;
        o.recWin = 4;
        o.recLoose = 2;
        o.recChamp = 1;
        o.setMotor(cat.ld_Motor(5));
        o.setFrame(cat.ld_Frame(3));
        o.setBooster(cat.ld_Boost(2));
        for (int id : {3, 3, 7}) {
            auto p = cat.ld_Protect(id);
            countUpProtector(*p, o, o.countProtector(0) == 10 ? -1 : 9 - o.countProtector(0));
            o.setProtector(p);
        }
        o.setHard(cat.ld_Hard(2));
        o.setSoftM(cat.ld_SoftM(2));
        o.setSoftA(cat.ld_SoftA(4));
        o.setSoftD(cat.ld_SoftD(2));
        doll& d = game->theDoll();
        d.name = "ＧＤ－１ 守護神";
        d.Motor = o.getMotor(0);
        d.frame = o.getFrame(0);
        d.Hard = o.getHard(0);
        d.setSoftM(0, o.getSoftM(0));
        d.setSoftA(0, o.getSoftA(0));
        d.setSoftD(0, o.getSoftD(0));
        d.addBooster(o.getBooster(0));
        d.addProtector(o.getProtector(0), prompts);
        d.addProtector(o.getProtector(1), prompts);
        game->resetDollParam(0);
        auto l = std::make_shared<Logic>();
        l->name = "突進";
        l->addAction(d.getAction(kMove), prompts);
        l->addAction(d.getAction(kKick), prompts);
        d.setLogics(l, 0);
        d.programed = true;
        game->gameDate = GameDate{2014, 7, 1};
    }

    std::string bytes(const std::string& rel) { return readBytes(dir.path() / rel).value_or("<missing>"); }
    std::vector<std::string> lines(const std::string& rel) { return *readTextFile(dir.path() / rel); }
};

TEST_F(SaveFixture, FilesFollowTheLayoutAndRoundTripByteForByte) {
    SaveFiles sv(*game, prompts);
    sv.svNum = 0;
    ASSERT_TRUE(sv.save_rtn());
    auto player = lines("save/Playersv0.ini");
    ASSERT_EQ(player.size(), 14u);
    EXPECT_EQ(player[0], "2014/07/01");
    EXPECT_EQ(player[1], "鋼野拳士");
    EXPECT_EQ(player[2], "3,120,2500");
    EXPECT_EQ(player[7], "3,3,7,0,0,0,0,0,0,0");
    EXPECT_EQ(player[12], "1,1");
    auto dollFile = lines("save/PlayDollsv0.ini");
    ASSERT_EQ(dollFile.size(), 11u);
    EXPECT_EQ(dollFile[2], "2,0,0,0,0");
    EXPECT_EQ(dollFile[3], "3,3,0,0");
    EXPECT_EQ(dollFile[10], "True");
    auto logic = lines("save/Logicsv0.ini");
    ASSERT_EQ(logic.size(), 28u);
    EXPECT_EQ(logic[0], ". 1");
    EXPECT_EQ(logic[3], "1,5,0,0,0,0,0,0,0,0");
    EXPECT_EQ(logic[24], ". 7");
    EXPECT_NE(bytes("save/Playersv0.ini").find("\r\n"), std::string::npos);

    const std::string p0 = bytes("save/Playersv0.ini"), d0 = bytes("save/PlayDollsv0.ini"),
                      l0 = bytes("save/Logicsv0.ini");
    game->resetPairs();
    game->gameDate = GameDate{};
    ASSERT_TRUE(sv.load_rtn());
    EXPECT_EQ(game->gameDate, (GameDate{2014, 7, 1}));
    EXPECT_EQ(game->owner().getProtector(1)->name, "アルミプレート Alumi 1");
    EXPECT_FALSE(game->owner().getMotor(0)->isNew);
    EXPECT_EQ(game->theDoll().getProtector(1)->name, "アルミプレート Alumi 1");
    EXPECT_EQ(game->theDoll().getLogic(0)->AP,
              game->theDoll().getSoftM(0)->move->AP + game->theDoll().getSoftA(0)->kick->AP);
    sv.svNum = 12;
    ASSERT_TRUE(sv.save_rtn());
    EXPECT_EQ(bytes("save/Playersv12.ini"), p0);
    EXPECT_EQ(bytes("save/PlayDollsv12.ini"), d0);
    EXPECT_EQ(bytes("save/Logicsv12.ini"), l0);
    EXPECT_TRUE(prompts.calls.empty());
}

TEST_F(SaveFixture, NamesWithCommasAndQuotesSurvive) {
    game->owner().name = "\"鋼,野\" 拳士";
    game->theDoll().name = "守護神, 改";
    game->theDoll().getLogic(0)->name = "\"突進\"";
    SaveFiles sv(*game, prompts);
    ASSERT_TRUE(sv.save_rtn());
    const std::string p0 = bytes("save/Playersv0.ini");
    ASSERT_TRUE(sv.load_rtn());
    EXPECT_EQ(game->owner().name, "\"鋼,野\" 拳士");
    EXPECT_EQ(game->theDoll().name, "守護神, 改");
    EXPECT_EQ(game->theDoll().getLogic(0)->name, "\"突進\"");
    ASSERT_TRUE(sv.save_rtn());
    EXPECT_EQ(bytes("save/Playersv0.ini"), p0);
}

// Ten protectors all come back; a Doll without boosters writes five zeros and loads without any.
TEST_F(SaveFixture, TenProtectorsAndNoBoosters) {
    CatalogueReader cat(dir.folder());
    Owner& o = game->owner();
    while (o.countProtector(0) > 0) {
        auto p = cat.ld_Protect(5);
        o.setProtector(p);
    }
    ASSERT_FALSE(o.setProtector(cat.ld_Protect(5)));
    game->theDoll().removeAllBoost();
    SaveFiles sv(*game, prompts);
    sv.svNum = 4;
    ASSERT_TRUE(sv.save_rtn());
    EXPECT_EQ(lines("save/Playersv4.ini")[7], "3,3,7,5,5,5,5,5,5,5");
    EXPECT_EQ(lines("save/PlayDollsv4.ini")[2], "0,0,0,0,0");
    ASSERT_TRUE(sv.load_rtn());
    for (int i = 0; i < 10; ++i) {
        EXPECT_FALSE(isEmptyPart(game->owner().getProtector(i))) << i;
        EXPECT_FALSE(game->owner().getProtector(i)->isNew) << i;
    }
    EXPECT_EQ(game->owner().getProtector(4)->name, game->owner().getProtector(3)->name + " 1");
    for (int i = 0; i < doll::kBoosters; ++i) {
        EXPECT_TRUE(isEmptyPart(game->theDoll().getBoost(i))) << i;
    }
    EXPECT_TRUE(prompts.calls.empty());
}

TEST_F(SaveFixture, OldDatesGapsAndStrayLinesStillLoad) {
    SaveFiles sv(*game, prompts);
    sv.svNum = 3;
    ASSERT_TRUE(sv.save_rtn());
    auto player = lines("save/Playersv3.ini");
    player[0] = "2015-3-9";
    dir.write("save/Playersv3.ini", player);
    auto logic = lines("save/Logicsv3.ini");
    logic[3] = "5,0,9,0,0,0,0,0,0,0";
    logic.insert(logic.begin(), "stray line");
    dir.write("save/Logicsv3.ini", logic);
    ASSERT_TRUE(sv.load_rtn());
    EXPECT_EQ(game->gameDate, (GameDate{2015, 3, 9}));
    const Logic& l = *game->theDoll().getLogic(0);
    EXPECT_EQ(l.getActions(0)->ID, kKick);
    EXPECT_EQ(l.getActions(1)->ID, kBlock);
    EXPECT_EQ(l.getActions(2)->ID, 0);
    EXPECT_EQ(l.ID, 1);
}

TEST_F(SaveFixture, FailedSaveLeavesThePreviousSetIntact) {
    SaveFiles sv(*game, prompts);
    sv.svNum = 1;
    ASSERT_TRUE(sv.save_rtn());
    const std::string p0 = bytes("save/Playersv1.ini"), l0 = bytes("save/Logicsv1.ini");
    // The last file cannot be encoded: nothing of the set may change.
    game->owner().name = "別人";
    game->theDoll().getLogic(0)->name = "\xF0\x9F\x98\x80";
    EXPECT_FALSE(sv.save_rtn());
    EXPECT_EQ(bytes("save/Playersv1.ini"), p0);
    EXPECT_EQ(bytes("save/Logicsv1.ini"), l0);
    EXPECT_EQ(prompts.messages().back().rfind("セーブできませんでした", 0), 0u);
    for (const auto& e : std::filesystem::directory_iterator(dir.path() / "save")) {
        EXPECT_EQ(e.path().extension(), ".ini") << e.path();
    }
    // A save folder that is a regular file cannot be written at all.
    test::TempGameFolder other;
    other.writeBytes("save", "not a folder");
    Game g2(other.folder(), rng);
    SaveFiles sv2(g2, prompts);
    EXPECT_FALSE(sv2.save_rtn());
}

TEST_F(SaveFixture, OpponentChecksAndMissingFiles) {
    SaveFiles sv(*game, prompts);
    sv.svNum = 2;
    game->theDoll().Motor->HP = 0;
    ASSERT_TRUE(sv.save_rtn());
    // As the player's own Doll a damaged save loads without complaint.
    ASSERT_TRUE(sv.load_rtn());
    EXPECT_TRUE(prompts.calls.empty());
    EXPECT_FALSE(sv.loadDuelist());
    EXPECT_EQ(prompts.messages(), std::vector<std::string>{"このドールは完成されていません"});
    EXPECT_EQ(game->duelistState, 1);
    EXPECT_EQ(game->theDoll(1).Motor->HP, 0);  // it stays loaded, unusable

    prompts.calls.clear();
    game->theDoll().Motor->HP = 50;
    game->theDoll().programed = false;
    ASSERT_TRUE(sv.save_rtn());
    EXPECT_FALSE(sv.loadDuelist());
    EXPECT_EQ(prompts.messages(), std::vector<std::string>{"このドールは技がプログラムされていません"});

    prompts.calls.clear();
    game->theDoll().programed = true;
    ASSERT_TRUE(sv.save_rtn());
    EXPECT_TRUE(sv.loadDuelist());
    EXPECT_EQ(game->duelistState, 2);
    game->resetDollParam(0);
    EXPECT_EQ(game->theDoll(1).AP, game->theDoll(0).AP);
    EXPECT_GT(game->theDoll(1).AP, 0);
    // Loading a game gives the opponent up.
    ASSERT_TRUE(sv.load_rtn());
    EXPECT_EQ(game->duelistState, 1);
    ASSERT_TRUE(sv.loadDuelist());

    prompts.calls.clear();
    sv.svNum = 77;
    EXPECT_FALSE(sv.loadDuelist());
    EXPECT_EQ(prompts.messages(), std::vector<std::string>(3, "ファイルが見つかりません"));
    EXPECT_EQ(game->duelistState, 1);
}

TEST_F(SaveFixture, TruncatedPlayerFileKeepsTheDateAndTheOldOwner) {
    SaveFiles sv(*game, prompts);
    ASSERT_TRUE(sv.save_rtn());
    auto player = lines("save/Playersv0.ini");
    player.resize(6);
    player[0] = "2015/02/03";
    dir.write("save/Playersv0.ini", player);
    auto before = game->owners[0];
    EXPECT_FALSE(sv.loadPlayerRtn(0));
    EXPECT_EQ(game->gameDate, (GameDate{2015, 2, 3}));
    EXPECT_EQ(game->owners[0], before);
    EXPECT_EQ(game->duelistState, 1);
    EXPECT_NE(prompts.messages().at(0).find("save/Playersv0.ini"), std::string::npos);
}

TEST(ProtectorNumbering, CopiesGetDistinctNames) {
    Owner o;
    auto plate = [](const std::string& n) {
        auto p = std::make_shared<Protector>();
        p->ID = 3;
        p->name = n;
        return p;
    };
    std::vector<std::string> names;
    for (int i = 0; i < 4; ++i) {
        auto p = plate("Alumi");
        countUpProtector(*p, o, i - 1);
        o.setProtector(p);
        names.push_back(p->name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Alumi", "Alumi 1", "Alumi 2", "Alumi 3"}));
    // A different plate whose name merely begins the same is not a copy.
    auto other = plate("Alumi Heavy");
    countUpProtector(*other, o, 3);
    EXPECT_EQ(other->name, "Alumi Heavy");
    auto blank = std::make_shared<Protector>();
    countUpProtector(*blank, o, 3);
    EXPECT_EQ(blank->name, "");
}

}  // namespace
}  // namespace vargo

namespace vargo {
namespace {

// A player, Doll and pattern named with a leading full stop: what is written reads back, and a
// set written plainly in the layout (names unquoted) loads too.
TEST_F(SaveFixture, NamesStartingWithAFullStopSaveAndLoad) {
    game->owner().name = ".ハヤテ";
    game->theDoll().name = ".疾風";
    game->theDoll().getLogic(0)->name = ".突進";
    SaveFiles sv(*game, prompts);
    sv.svNum = 2;
    ASSERT_TRUE(sv.save_rtn());
    ASSERT_TRUE(sv.load_rtn());
    EXPECT_EQ(game->owner().name, ".ハヤテ");
    EXPECT_EQ(game->theDoll().name, ".疾風");
    EXPECT_EQ(game->theDoll().getLogic(0)->name, ".突進");
    EXPECT_EQ(game->theDoll().getLogic(0)->getActions(1)->ID, kKick);
    EXPECT_TRUE(prompts.messages().empty()) << prompts.messages()[0];

    auto player = lines("save/Playersv2.ini");
    auto dollLines = lines("save/PlayDollsv2.ini");
    auto logic = lines("save/Logicsv2.ini");
    player[1] = ".ハヤテ";
    dollLines[0] = ".疾風";
    logic[1] = ".突進";
    dir.write("save/Playersv2.ini", player);
    dir.write("save/PlayDollsv2.ini", dollLines);
    dir.write("save/Logicsv2.ini", logic);
    game->owner().name = "";
    ASSERT_TRUE(sv.load_rtn());
    EXPECT_EQ(game->owner().name, ".ハヤテ");
    EXPECT_EQ(game->theDoll().name, ".疾風");
    EXPECT_EQ(game->theDoll().getLogic(0)->name, ".突進");
}

// A bad byte or a bad number is told in Japanese, with the file and the line; nothing throws.
TEST_F(SaveFixture, BadFilesAreToldInJapaneseWithFileAndLine) {
    SaveFiles sv(*game, prompts);
    sv.svNum = 1;
    ASSERT_TRUE(sv.save_rtn());
    auto player = lines("save/Playersv1.ini");
    player[2] = "3,abc,2500";
    dir.write("save/Playersv1.ini", player);
    dir.writeBytes("save/PlayDollsv1.ini", "\xFF\xFF\r\n");
    EXPECT_NO_THROW(EXPECT_FALSE(sv.load_rtn()));
    auto said = prompts.messages();
    ASSERT_EQ(said.size(), 2u);
    EXPECT_EQ(said[0], "ファイルが読めません\nsave/Playersv1.ini の 3行目: 「abc」は数値ではありません");
    EXPECT_NE(said[1].find("save/PlayDollsv1.ini の 1行目: Shift_JIS"), std::string::npos) << said[1];
}

TEST(SaveDate, TwoDigitYearsFallInTheCalendarsCentury) {
    auto d = parseSaveDate("13/05/01");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->format(), "2013/05/01");
    EXPECT_EQ(parseSaveDate("99/12/31")->year, 1999);
    EXPECT_EQ(parseSaveDate("2015/1/2")->format(), "2015/01/02");
    EXPECT_EQ(parseSaveDate("0013/05/01")->year, 13);  // four digits are taken as written
    EXPECT_FALSE(parseSaveDate("13/13/01"));
}

}  // namespace
}  // namespace vargo

namespace vargo {
namespace {

// check tells a set whose files came from two saves, and a write a crash cut off.
TEST_F(SaveFixture, CheckTellsMixedSetsAndInterruptedWrites) {
    SaveFiles sv(*game, prompts);
    sv.svNum = 1;
    ASSERT_TRUE(sv.save_rtn());
    EXPECT_TRUE(checkSaveSet(dir.folder(), 1).empty());
    // Another save whose Doll has a different motor, its Doll file put beside the first player file.
    CatalogueReader cat(dir.folder());
    auto other = cat.ld_Motor(2);
    game->owner().setMotor(other);
    game->theDoll().Motor = other;
    sv.svNum = 2;
    ASSERT_TRUE(sv.save_rtn());
    std::filesystem::copy_file(dir.path() / "save/PlayDollsv2.ini", dir.path() / "save/PlayDollsv1.ini",
                               std::filesystem::copy_options::overwrite_existing);
    auto found = checkSaveSet(dir.folder(), 1);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_NE(found[0].text().find("モーター（ID 2）"), std::string::npos) << found[0].text();

    EXPECT_TRUE(checkInterruptedWrites(dir.folder()).empty());
    dir.writeBytes("save/Save1.vargo-journal", "VARGO journal 1\ncommit\n1 Playersv1.ini\nend\n");
    auto pending = checkInterruptedWrites(dir.folder());
    ASSERT_EQ(pending.size(), 1u);
    EXPECT_EQ(pending[0].file, "save/Save1.vargo-journal");
}

// The career's history travels with the save as a fourth file: it reads back as written, a save
// without it (an older one) loads with the history starting there, and a damaged one is named and
// set aside without stopping the load.
TEST_F(SaveFixture, TheCareerHistoryRoundTripsAndIsNeverNeededToLoad) {
    game->history.restart(*game);
    game->owner().Rl = 3100;
    game->gameDate = GameDate{2014, 8, 1};
    game->history.record(*game, CareerMoment::MonthEnd);
    game->owner().recChamp = 2;
    game->history.record(*game, CareerMoment::Tournament);
    SaveFiles sv(*game, prompts);
    sv.svNum = 4;
    ASSERT_TRUE(sv.save_rtn());
    const CareerHistory written = game->history;
    ASSERT_EQ(written.points.size(), 4u);  // the save adds its own
    EXPECT_EQ(lines("save/Historysv4.ini")[2],
              "2014/08/01,month,3100," + std::to_string(game->theDoll().value) + ",Novice,3,4,2,1");

    Game other(dir.folder(), rng);
    SaveFiles back(other, prompts);
    back.svNum = 4;
    ASSERT_TRUE(back.load_rtn());
    EXPECT_EQ(other.history.points, written.points);

    // Without the file the save loads as before, the history beginning at the load.
    std::filesystem::remove(dir.path() / "save/Historysv4.ini");
    Game older(dir.folder(), rng);
    SaveFiles olderSave(older, prompts);
    olderSave.svNum = 4;
    const size_t told = prompts.messages().size();
    ASSERT_TRUE(olderSave.load_rtn());
    EXPECT_EQ(prompts.messages().size(), told);
    ASSERT_EQ(older.history.points.size(), 1u);
    EXPECT_EQ(older.history.points[0].moment, CareerMoment::Start);
    EXPECT_EQ(older.history.points[0].money, 3100);
    EXPECT_EQ(older.history.points[0].value, game->theDoll().value);  // as the workshop will show it

    // Damaged: named with its line, and the game still loads.
    for (const std::string& bad :
         {std::string("2014/08/01,month,99999,0,Novice,1,0,0,0"),
          std::string("2014/13/01,month,1,0,Novice,1,0,0,0"),
          std::string("2014/08/01,lunch,1,0,Novice,1,0,0,0"),
          std::string("2014/08/01,month,1,0,Grand,1,0,0,0"), std::string("garbage")}) {
        std::ofstream(dir.path() / "save/Historysv4.ini", std::ios::binary)
            << "VARGO-HISTORY,1\r\n2014/07/01,start,2500,0,Novice,3,4,1,1\r\n"
            << bad << "\r\n";
        Game damaged(dir.folder(), rng);
        SaveFiles d(damaged, prompts);
        d.svNum = 4;
        ASSERT_TRUE(d.load_rtn()) << bad;
        EXPECT_EQ(damaged.history.points.size(), 1u) << bad;
        EXPECT_NE(prompts.messages().back().find("save/Historysv4.ini"), std::string::npos) << bad;
        EXPECT_NE(prompts.messages().back().find("3行目"), std::string::npos) << bad;
    }
}

}  // namespace
}  // namespace vargo
