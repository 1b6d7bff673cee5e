#include "persistence/enemy_registry.h"

#include <gtest/gtest.h>

#include "model/catalogue.h"
#include "model/owner.h"
#include "model/random.h"
#include "model/text_codec.h"
#include "ports/prompts.h"
#include "support/test_support.h"

namespace vargo {
namespace {

// A game folder with the shipped catalogues and an empty registry.
struct RegistryFixture : ::testing::Test {
    test::TempGameFolder dir;
    ScriptedPrompts prompts;
    GameRandom rng{7};

    void SetUp() override {
        dir.copyShippedIni();
        dir.write("save/EDollsv.ini", {});
        dir.write("save/ELogicsv.ini", {});
    }

    EnemyRegistry registry() { return EnemyRegistry(dir.folder(), prompts); }

    /// A Doll of real parts, its patterns built from its own software.
    std::shared_ptr<doll> makeDoll(const std::string& name) {
        CatalogueReader cat(dir.folder());
        auto d = std::make_shared<doll>();
        d->name = name;
        d->Motor = cat.ld_Motor(5);
        d->frame = cat.ld_Frame(3);
        d->Hard = cat.ld_Hard(2);
        d->setSoftM(0, cat.ld_SoftM(2));
        d->setSoftA(0, cat.ld_SoftA(4));
        d->setSoftD(0, cat.ld_SoftD(2));
        d->addBooster(cat.ld_Boost(1));
        d->addProtector(cat.ld_Protect(4), prompts);
        Owner o;
        o.skillPlay = 12;
        d->refresh();
        resetDollParam(*d, o);
        for (int s = 0; s < 7; ++s) {
            auto l = std::make_shared<Logic>();
            l->name = "技" + std::to_string(s + 1);
            l->addAction(d->getAction(kMove), prompts);
            l->addAction(d->getAction(kPunch + s % 3), prompts);
            d->setLogics(l, s);
        }
        return d;
    }

    std::vector<std::string> lines(const std::string& rel) { return *readTextFile(dir.path() / rel); }

    /// Registry records numbered as given, each a copy of one entered Doll.
    void fillNumbers(const std::vector<int>& numbers) {
        auto d = makeDoll("型");
        std::vector<std::string> out;
        auto reg = registry();
        for (int n : numbers) {
            dir.write("save/EDollsv.ini", {});
            ASSERT_EQ(reg.saveEnemyDoll(*d), 1);
            auto rec = lines("save/EDollsv.ini");
            rec[0] = "." + std::to_string(n);
            out.insert(out.end(), rec.begin(), rec.end());
        }
        dir.write("save/EDollsv.ini", out);
    }
};

TEST_F(RegistryFixture, EnteredDollFightsWithStoredNumbersAndFreshParts) {
    auto d = makeDoll("鉄拳号");
    d->Motor->HP = 3;  // damaged when entered
    prompts.answer(true);
    auto reg = registry();
    ASSERT_EQ(reg.entryEnemy(*d), 1);
    EXPECT_EQ(prompts.calls.at(0).msg, "鉄拳号を敵として登録しますか？");

    auto e = reg.ldTekiDoll(1);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->ID, 1);
    EXPECT_EQ(e->name, "鉄拳号");
    EXPECT_EQ(e->pow, d->pow);
    EXPECT_EQ(e->AP, d->AP);
    EXPECT_EQ(e->Memory, d->Memory);
    EXPECT_EQ(e->value, d->value);
    EXPECT_DOUBLE_EQ(e->AC, d->AC);
    EXPECT_DOUBLE_EQ(e->weight, d->weight);
    EXPECT_EQ(e->image, d->image);
    // An enemy enters every fight undamaged.
    EXPECT_EQ(e->Motor->HP, e->Motor->maxHP);
    EXPECT_GT(e->Motor->HP, 3);
    EXPECT_EQ(e->Motor->ID, 5);
    // Six of the seven patterns are entered, with stored costs and nameless-cost actions.
    EXPECT_EQ(e->getLogic(0)->name, "技1");
    EXPECT_EQ(e->getLogic(0)->AP, d->getLogic(0)->AP);
    EXPECT_EQ(e->getLogic(0)->getActions(1)->ID, kPunch);
    EXPECT_EQ(e->getLogic(0)->getActions(1)->AP, 0);
    EXPECT_EQ(e->getLogic(0)->getActions(1)->name, "パンチ");
    EXPECT_EQ(e->getLogic(5)->name, "技6");
    EXPECT_EQ(e->getLogic(6)->getActions(0)->ID, 0);
}

TEST_F(RegistryFixture, EightActionPatternFightsWithSix) {
    auto d = makeDoll("八手");
    auto l = std::make_shared<Logic>();
    l->name = "連打";
    for (int i = 0; i < 8; ++i) {
        l->addAction(d->getAction(kPunch), prompts);
    }
    d->setLogics(l, 0);
    prompts.answer(true);
    auto reg = registry();
    ASSERT_EQ(reg.entryEnemy(*d), 1);
    EXPECT_EQ(lines("save/ELogicsv.ini").at(4), "4,4,4,4,4,4,4,4,0,0,0");
    auto e = reg.ldTekiDoll(1);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->getLogic(0)->getActions(5)->ID, kPunch);
    EXPECT_EQ(e->getLogic(0)->getActions(6)->ID, 0);
    EXPECT_EQ(e->getLogic(0)->AP, l->AP);  // the stored total, not the six actions' zero costs
}

TEST_F(RegistryFixture, CountsAndCandidateListsByValue) {
    fillNumbers({3, 7, 12});
    // Make record 7 expensive.
    auto doll7 = lines("save/EDollsv.ini");
    doll7[11 + 9] = "0,1,3600,100";
    dir.write("save/EDollsv.ini", doll7);
    auto reg = registry();
    std::vector<int> ids;
    EXPECT_EQ(reg.countTekiDoll(2500, &ids), 2);
    ASSERT_EQ(ids.size(), 101u);
    EXPECT_EQ(ids[0], 0);
    EXPECT_EQ(ids[1], 3);
    EXPECT_EQ(ids[2], 12);
    EXPECT_EQ(reg.countTekiDoll(9999), 3);
    auto cand = reg.ldTekiIDs(9999);
    ASSERT_EQ(cand.size(), 101u);
    EXPECT_EQ(cand[0], 3);
    EXPECT_EQ(cand[1], 7);
    EXPECT_EQ(cand[2], 12);
    EXPECT_EQ(cand[3], 0);
}

TEST_F(RegistryFixture, NumberingTakesSmallestFreeAndStopsAt99) {
    fillNumbers({1, 2, 4});
    auto d = makeDoll("三番");
    EXPECT_EQ(registry().saveEnemyDoll(*d), 3);

    std::vector<int> upTo98;
    for (int i = 1; i <= 98; ++i) {
        upTo98.push_back(i);
    }
    fillNumbers(upTo98);
    EXPECT_EQ(registry().saveEnemyDoll(*d), 99);

    auto before = readBytes(dir.path() / "save/EDollsv.ini");
    prompts.calls.clear();
    prompts.answer(true);
    EXPECT_EQ(registry().entryEnemy(*d), 0);
    EXPECT_EQ(prompts.messages().back(), "現在 100体以上は登録できません。");
    EXPECT_EQ(readBytes(dir.path() / "save/EDollsv.ini"), before);
}

TEST_F(RegistryFixture, EntryRenumbersPatternHeadersAndDeletionKeepsThem) {
    auto reg = registry();
    prompts.setDefault(true);
    auto a = makeDoll("甲");
    auto b = makeDoll("乙");
    ASSERT_EQ(reg.entryEnemy(*a), 1);
    ASSERT_EQ(reg.entryEnemy(*b), 2);
    reg.delEnemyDoll(1);
    reg.delEnemyLogic(1);
    auto after = lines("save/ELogicsv.ini");
    ASSERT_EQ(after.size(), 30u);
    EXPECT_EQ(after[0], ".7");  // kept blocks keep their numbers
    EXPECT_EQ(after[25], ".12");
    EXPECT_EQ(reg.dspEnemyList().size(), 1u);
    EXPECT_EQ(reg.dspEnemyList()[0].name, "乙");

    // The next entry takes number 1 again and closes the gaps in the pattern headers.
    ASSERT_EQ(reg.entryEnemy(*a), 1);
    auto renumbered = lines("save/ELogicsv.ini");
    ASSERT_EQ(renumbered.size(), 60u);
    for (size_t i = 0; i < 12; ++i) {
        EXPECT_EQ(renumbered[i * 5], "." + std::to_string(i + 1));
    }
    EXPECT_EQ(renumbered[31], "1");
    // The scratch copy is the file as it was before the entry.
    EXPECT_EQ(*readTextFile(dir.path() / "save/ELogicsv.img"), after);
    auto e = reg.ldTekiDoll(2);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->getLogic(0)->ID, 1);
    EXPECT_EQ(e->getLogic(0)->name, "技1");
}

TEST_F(RegistryFixture, RegistryFilesRoundTripByteForByte) {
    prompts.setDefault(true);
    auto reg = registry();
    auto d = makeDoll("ＧＤ－１ 守護神");
    ASSERT_EQ(reg.entryEnemy(*d), 1);
    auto dolls = *readBytes(dir.path() / "save/EDollsv.ini");
    auto logics = *readBytes(dir.path() / "save/ELogicsv.ini");
    // Deleting a number that is not there rewrites both files unchanged.
    reg.delEnemyDoll(50);
    reg.delEnemyLogic(50);
    EXPECT_EQ(*readBytes(dir.path() / "save/EDollsv.ini"), dolls);
    EXPECT_EQ(*readBytes(dir.path() / "save/ELogicsv.ini"), logics);
    EXPECT_NE(dolls.find("\r\n"), std::string::npos);
    EXPECT_EQ(fromCp932(dolls).substr(0, 4), ".1\r\n");
}

TEST_F(RegistryFixture, MissingRegistryIsSeededFromShippedFiles) {
    std::filesystem::remove(dir.path() / "save/EDollsv.ini");
    dir.write("ini/Dollsv.ini", {".5", "見本", "0,1,2,3", "4,5,6", "0.5,7,8", "1,1", "0,0,0", "0,0,0",
                                 "1,1,1,1", "0,1,900,60.5", "\"01\""});
    auto reg = registry();
    auto list = reg.dspEnemyList();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].number, 5);
    EXPECT_EQ(prompts.calls.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "save/EDollsv.ini"));
    auto e = reg.readEnemyDoll(5);
    ASSERT_TRUE(e);
    EXPECT_DOUBLE_EQ(e->AC, 0.5);
    EXPECT_DOUBLE_EQ(e->weight, 60.5);
}

TEST_F(RegistryFixture, DamagedRecordsAreReportedNotFatal) {
    dir.write("save/EDollsv.ini",
              {".1", "切れ端", "0,1,2,3", "4,5", ".2", "数字でない", "0,x,2,3", ".150", "遠い"});
    auto reg = registry();
    EXPECT_EQ(reg.ldTekiDoll(1), nullptr);
    EXPECT_EQ(reg.ldTekiDoll(2), nullptr);
    EXPECT_EQ(reg.countTekiDoll(9999), 0);
    ASSERT_FALSE(prompts.messages().empty());
    EXPECT_NE(prompts.messages()[0].find("save/EDollsv.ini の 5行目"), std::string::npos)
        << prompts.messages()[0];
    // Entry still finds number 1 taken and 3 free; the header numbered 150 is outside the table.
    auto d = makeDoll("新入り");
    EXPECT_EQ(reg.saveEnemyDoll(*d), 3);
}

TEST_F(RegistryFixture, FailedRewriteLeavesTheRegistryAlone) {
    prompts.setDefault(true);
    auto reg = registry();
    ASSERT_EQ(reg.entryEnemy(*makeDoll("甲")), 1);
    auto before = *readBytes(dir.path() / "save/EDollsv.ini");
    // A pattern name CP932 cannot hold makes the pattern write fail; the Doll record is taken back.
    auto d = makeDoll("乙");
    d->getLogic(0)->name = "\xF0\x9F\x98\x80";
    EXPECT_EQ(reg.entryEnemy(*d), 0);
    EXPECT_EQ(reg.dspEnemyList().size(), 1u);
    EXPECT_EQ(lines("save/ELogicsv.ini").size(), 30u);
    EXPECT_EQ(*readBytes(dir.path() / "save/EDollsv.ini"), before);
}

TEST_F(RegistryFixture, NameStartingWithFullStopCannotPassForAHeader) {
    prompts.setDefault(true);
    auto reg = registry();
    ASSERT_EQ(reg.entryEnemy(*makeDoll(".5号")), 1);
    EXPECT_EQ(reg.dspEnemyList().at(0).name, "．5号");
    EXPECT_EQ(reg.saveEnemyDoll(*makeDoll("次")), 2);
}

}  // namespace
}  // namespace vargo

namespace vargo {
namespace {

TEST_F(RegistryFixture, ADollEnteredAfterNumber99IsSeenByEveryReader) {
    std::vector<int> numbers;
    for (int i = 1; i <= 99; ++i) {
        if (i != 5) {
            numbers.push_back(i);
        }
    }
    fillNumbers(numbers);
    prompts.setDefault(true);
    auto reg = registry();
    // Number 5 is free, and its record goes after record 99.
    ASSERT_EQ(reg.entryEnemy(*makeDoll("遅れて来た")), 5);
    auto list = reg.dspEnemyList();
    ASSERT_EQ(list.size(), 99u);
    EXPECT_EQ(list.back().number, 5);
    EXPECT_EQ(list.back().name, "遅れて来た");
    EXPECT_EQ(reg.countTekiDoll(9999), 99);
    auto ids = reg.ldTekiIDs(9999);
    EXPECT_NE(std::find(ids.begin(), ids.end(), 5), ids.end());
    auto d = reg.ldTekiDoll(5);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->name, "遅れて来た");
    EXPECT_EQ(d->getLogic(0)->name, "技1");  // its patterns came with it
    ASSERT_NE(reg.readEnemyDoll(5), nullptr);
    ASSERT_TRUE(reg.deleteEnemies({5}));
    EXPECT_EQ(reg.dspEnemyList().size(), 98u);
    EXPECT_EQ(reg.ldTekiDoll(5), nullptr);
}

TEST_F(RegistryFixture, DeletingSeveralDollsTakesTheirPatternsInOneChange) {
    prompts.setDefault(true);
    auto reg = registry();
    ASSERT_EQ(reg.entryEnemy(*makeDoll("一")), 1);
    ASSERT_EQ(reg.entryEnemy(*makeDoll("二")), 2);
    ASSERT_EQ(reg.entryEnemy(*makeDoll("三")), 3);
    ASSERT_TRUE(reg.deleteEnemies({1, 3}));
    auto list = reg.dspEnemyList();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].name, "二");
    // Only Doll 2's six blocks are left, and the next entry under number 1 inherits none of them.
    int blocks = 0;
    for (const auto& l : lines("save/ELogicsv.ini")) {
        blocks += isHeader(l) ? 1 : 0;
    }
    EXPECT_EQ(blocks, 6);
    ASSERT_EQ(reg.entryEnemy(*makeDoll("新一")), 1);
    auto d = reg.ldTekiDoll(1);
    ASSERT_NE(d, nullptr);
    int patterns = 0;
    for (int s = 0; s < doll::kLogics; ++s) {
        patterns += d->getLogic(s)->name.empty() ? 0 : 1;
    }
    EXPECT_EQ(patterns, 6);
}

}  // namespace
}  // namespace vargo
