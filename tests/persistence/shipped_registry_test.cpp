#include <gtest/gtest.h>

#include "model/text_codec.h"
#include "persistence/enemy_registry.h"
#include "persistence/persist_checks.h"
#include "ports/prompts.h"
#include "support/test_support.h"

namespace vargo {
namespace {

const std::filesystem::path kData = std::filesystem::path(VARGO_SOURCE_DIR) / "data";

// The shipped enemies must fill every class tournament with choice left, and every Doll must be
// able to close in, get up and escape a hold. In contact against an opponent no faster than itself
// the computer only runs patterns without a throw or a joint lock, so every Doll also needs such an
// attack that the lowest roll affords; two grapplers without one would only watch each other.
TEST(ShippedRegistry, EveryClassHasTenDollsThatCanFight) {
    ScriptedPrompts prompts;
    EnemyRegistry reg(GameFolder(kData), prompts);
    int novice = reg.countTekiDoll(2500);
    int expert = reg.countTekiDoll(3500) - novice;
    int master = reg.countTekiDoll(9999) - novice - expert;
    EXPECT_GE(novice, 10);
    EXPECT_GE(expert, 10);
    EXPECT_GE(master, 10);
    for (const auto& e : reg.dspEnemyList()) {
        auto d = reg.ldTekiDoll(e.number);
        ASSERT_TRUE(d) << e.name;
        bool opensWithMove = false, spin = false, unlock = false, plainAttack = false;
        for (int k = 0; k < 6; ++k) {
            const Logic& l = *d->getLogic(k);
            bool attacks = false, kumiwaza = false;
            for (int s = 0; s < 10; ++s) {
                const int id = l.getActions(s)->ID;
                attacks |= id == kPunch || id == kKick || id == kKumi;
                kumiwaza |= id == kDrop || id == kHold;
            }
            plainAttack |= attacks && !kumiwaza && l.AP <= d->AP + 2;
            EXPECT_FALSE(l.name.empty()) << e.name << " pattern " << k;
            EXPECT_LE(l.AP, d->AP + 12) << e.name << " " << l.name;
            opensWithMove |= l.getActions(0)->ID == kMove;
            for (int s = 0; s < 6; ++s) {
                spin |= l.getActions(s)->ID == kSpin;
                unlock |= l.getActions(s)->ID == kHazusi;
            }
        }
        EXPECT_TRUE(opensWithMove && spin && unlock) << e.name;
        EXPECT_TRUE(plainAttack) << e.name;
    }
    EXPECT_TRUE(prompts.calls.empty());
}

TEST(ShippedRegistry, PassesTheChecksAndStartsIdenticalInSave) {
    for (const auto& p : checkRegistry(GameFolder(kData), "ini/Dollsv.ini", "ini/Logicsv.ini", true)) {
        ADD_FAILURE() << p.text();
    }
    EXPECT_EQ(readBytes(kData / "ini/Dollsv.ini"), readBytes(kData / "save/EDollsv.ini"));
    EXPECT_EQ(readBytes(kData / "ini/Logicsv.ini"), readBytes(kData / "save/ELogicsv.ini"));
}

TEST(PersistChecks, DamagedRegistryAndSavesAreNamedWithTheirLines) {
    test::TempGameFolder dir;
    dir.copyShippedIni();
    dir.write("save/EDollsv.ini", {".150", "遠い", "0,1,2,3", "4,5,6", "1,2,3", "1,1", "0,0,0", "0,0,0",
                                   "1,1,1,1", "0,1,900,60", "\"01\"", ".2", "切れ端", "0,1,2"});
    dir.write("save/ELogicsv.ini", {".1", "7", "技", "1,1", "1,0,0,0,0,0,0,0,0,0,0", ".2", "x"});
    auto problems = checkRegistry(dir.folder(), "save/EDollsv.ini", "save/ELogicsv.ini", false);
    std::string all;
    for (const auto& p : problems) {
        all += p.text() + "\n";
    }
    EXPECT_NE(all.find("save/EDollsv.ini:1: registry number 150 is outside 1 to 99"), std::string::npos)
        << all;
    EXPECT_NE(all.find("save/EDollsv.ini:14: ファイルが途中で終わっています"), std::string::npos) << all;
    EXPECT_NE(all.find("save/ELogicsv.ini:2: pattern of Doll 7"), std::string::npos) << all;
    EXPECT_NE(all.find("save/ELogicsv.ini:7: 「x」は数値ではありません"), std::string::npos) << all;
    EXPECT_NE(all.find("遠い has no patterns"), std::string::npos) << all;

    dir.write("save/Playersv4.ini", {"2013/01/01", "名前", "1,0"});
    dir.write("save/logicsv4.ini", {". 1", "技", "0,0", "1,0,0,0,0,0,0,0,0,0"});
    EXPECT_EQ(saveNumbers(dir.folder()), std::vector<int>{4});
    auto save = checkSaveSet(dir.folder(), 4);
    ASSERT_EQ(save.size(), 2u);
    EXPECT_NE(save[0].text().find("save/Playersv4.ini の 3行目: ファイルが途中で終わっています"),
              std::string::npos)
        << save[0].text();
    EXPECT_EQ(save[1].text(), "save/PlayDollsv4.ini: ファイルが見つかりません");
}

// A pattern block may hold its numbers on fewer or more lines than the game writes; a bad action
// code is still named on the line that holds it, never on a line past the end of the file.
TEST(PersistChecks, BadActionCodeIsNamedOnItsOwnLine) {
    test::TempGameFolder dir;
    dir.copyShippedIni();
    dir.write("save/EDollsv.ini", {});
    dir.write("save/ELogicsv.ini", {".1", "1", "技", "0,0,1,2,99,0,0,0,0,0,0,0", ".2", "1", "技", "0", "0",
                                    "1,2,3", "4,-5,0,0,0,0,0"});
    std::vector<std::string> codes;
    for (const auto& p : checkRegistry(dir.folder(), "save/EDollsv.ini", "save/ELogicsv.ini", false)) {
        if (p.problem.find("action code") != std::string::npos) {
            codes.push_back(p.text());
        }
    }
    EXPECT_EQ(codes, (std::vector<std::string>{"save/ELogicsv.ini:4: action code 99 is not 0 to 11",
                                               "save/ELogicsv.ini:11: action code -5 is not 0 to 11"}));
}

}  // namespace
}  // namespace vargo
