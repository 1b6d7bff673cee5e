// Every save and every registry change, interrupted at each of its disk steps: the step fails,
// the disk goes away from that step on, or the process is killed there. After the next start's
// recovery each set must be wholly old or wholly new, and a failure must have been told.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <iostream>
#include <map>

#include "model/catalogue.h"
#include "model/file_transaction.h"
#include "model/text_codec.h"
#include "persistence/autosave.h"
#include "persistence/enemy_registry.h"
#include "persistence/recovery.h"
#include "persistence/save_files.h"
#include "ports/prompts.h"
#include "support/faulty_disk.h"
#include "support/test_support.h"

namespace vargo {
namespace {

using test::FaultyDisk;
using Files = std::map<std::string, std::string>;  // file under save/ -> bytes ("" when absent)

const char* const kAbsent = "";

// A player with a fitted, programmed Doll of real parts, as the save tests build one.
void buildPlayer(Game& game, Prompts& prompts, const std::string& name, Int16 money) {
    CatalogueReader cat(game.folder);
    Owner& o = game.owner();
    o.name = name;
    o.Rl = money;
    o.setMotor(cat.ld_Motor(5));
    o.setFrame(cat.ld_Frame(3));
    o.setHard(cat.ld_Hard(2));
    o.setSoftM(cat.ld_SoftM(2));
    o.setSoftA(cat.ld_SoftA(4));
    o.setSoftD(cat.ld_SoftD(2));
    doll& d = game.theDoll();
    d.name = name + "号";
    d.Motor = o.getMotor(0);
    d.frame = o.getFrame(0);
    d.Hard = o.getHard(0);
    d.setSoftM(0, o.getSoftM(0));
    d.setSoftA(0, o.getSoftA(0));
    d.setSoftD(0, o.getSoftD(0));
    game.resetDollParam(0);
    for (int s = 0; s < 6; ++s) {
        auto l = std::make_shared<Logic>();
        l->name = name + "技" + std::to_string(s);
        l->addAction(d.getAction(kMove), prompts);
        l->addAction(d.getAction(kPunch), prompts);
        d.setLogics(l, s);
    }
    d.programed = true;
}

// One change to the files: how to prepare the folder, and the change itself.
struct Scenario {
    const char* name;
    std::vector<std::string> files;  // the set, under save/
    std::function<void(test::TempGameFolder&)> setUp;
    std::function<bool(test::TempGameFolder&, Prompts&)> change;
};

Files snapshot(const test::TempGameFolder& dir, const std::vector<std::string>& files) {
    Files out;
    for (const auto& f : files) {
        out[f] = readBytes(dir.path() / "save" / f).value_or(kAbsent);
    }
    return out;
}

std::vector<std::string> leftovers(const test::TempGameFolder& dir) {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(dir.path() / "save")) {
        std::string n = e.path().filename().string();
        if (n.find(".vargo-") != std::string::npos) {
            out.push_back(n);
        }
    }
    return out;
}

void withShippedRegistry(test::TempGameFolder& dir) {
    dir.copyShippedIni();
    std::filesystem::create_directories(dir.path() / "save");
    std::filesystem::copy_file(dir.path() / "ini/Dollsv.ini", dir.path() / "save/EDollsv.ini");
    std::filesystem::copy_file(dir.path() / "ini/Logicsv.ini", dir.path() / "save/ELogicsv.ini");
}

bool saveAs(test::TempGameFolder& dir, Prompts& prompts, const std::string& name, Int16 money) {
    GameRandom rng(1);
    Game game(dir.folder(), rng);
    buildPlayer(game, prompts, name, money);
    SaveFiles sv(game, prompts);
    sv.svNum = 3;
    return sv.save_rtn();
}

// An autosave of the player, by a fresh run's autosaver (so a failure is told).
bool autosaveAs(test::TempGameFolder& dir, Prompts& prompts, const std::string& name, Int16 money) {
    GameRandom rng(1);
    Game game(dir.folder(), rng);
    buildPlayer(game, prompts, name, money);
    Autosaver autosaver(prompts);
    return autosaver.write(game);
}

int enter(test::TempGameFolder& dir, Prompts& prompts, const std::string& name) {
    GameRandom rng(1);
    Game game(dir.folder(), rng);
    buildPlayer(game, prompts, name, 1000);
    EnemyRegistry reg(dir.folder(), prompts);
    return reg.entryEnemy(game.theDoll());
}

std::vector<Scenario> scenarios() {
    const std::vector<std::string> saveSet = {"Playersv3.ini", "PlayDollsv3.ini", "Logicsv3.ini"};
    const std::vector<std::string> registry = {"EDollsv.ini", "ELogicsv.ini"};
    // Every autosave set, the rotation's file and a numbered set: only the autosave written may
    // change, and it wholly.
    std::vector<std::string> autosaves = saveSet;
    for (const char* k : {"A1", "A2", "A3"}) {
        for (const char* f : {"Playersv", "PlayDollsv", "Logicsv"}) {
            autosaves.push_back(std::string(f) + k + ".ini");
        }
    }
    autosaves.emplace_back("Autosave.ini");
    return {
        {"save over an existing set", saveSet,
         [](test::TempGameFolder& dir) {
             withShippedRegistry(dir);
             ScriptedPrompts p;
             ASSERT_TRUE(saveAs(dir, p, "旧", 1500));
         },
         [](test::TempGameFolder& dir, Prompts& p) { return saveAs(dir, p, "新しい名", 3200); }},
        {"save to a free slot", saveSet, [](test::TempGameFolder& dir) { withShippedRegistry(dir); },
         [](test::TempGameFolder& dir, Prompts& p) { return saveAs(dir, p, "新", 3200); }},
        {"autosave into a free set beside a numbered save", autosaves,
         [](test::TempGameFolder& dir) {
             withShippedRegistry(dir);
             ScriptedPrompts p;
             ASSERT_TRUE(saveAs(dir, p, "番号", 1500));
         },
         [](test::TempGameFolder& dir, Prompts& p) { return autosaveAs(dir, p, "自動", 3200); }},
        {"autosave over the oldest of three", autosaves,
         [](test::TempGameFolder& dir) {
             withShippedRegistry(dir);
             ScriptedPrompts p;
             ASSERT_TRUE(saveAs(dir, p, "番号", 1500));
             for (int i = 1; i <= 4; ++i) {
                 ASSERT_TRUE(autosaveAs(dir, p, "前" + std::to_string(i), static_cast<Int16>(100 * i)));
             }
         },
         [](test::TempGameFolder& dir, Prompts& p) { return autosaveAs(dir, p, "最新", 3200); }},
        {"enter a Doll in the registry", registry,
         [](test::TempGameFolder& dir) { withShippedRegistry(dir); },
         // Prompts answer yes unless told otherwise: the entry question is confirmed.
         [](test::TempGameFolder& dir, Prompts& p) { return enter(dir, p, "登録") > 0; }},
        {"delete Dolls from the registry", registry,
         [](test::TempGameFolder& dir) {
             withShippedRegistry(dir);
             ScriptedPrompts yes;
             ASSERT_GT(enter(dir, yes, "消える"), 0);
         },
         [](test::TempGameFolder& dir, Prompts& p) {
             EnemyRegistry reg(dir.folder(), p);
             return reg.deleteEnemies({2, 34});
         }},
        {"reset the registry", registry,
         [](test::TempGameFolder& dir) {
             withShippedRegistry(dir);
             ScriptedPrompts yes;
             ASSERT_GT(enter(dir, yes, "初期化前"), 0);
         },
         [](test::TempGameFolder& dir, Prompts& p) {
             EnemyRegistry reg(dir.folder(), p);
             return reg.initFiles();
         }},
    };
}

bool told(const ScriptedPrompts& p) {
    for (const auto& m : p.messages()) {
        if (m.find("ませんでした") != std::string::npos) {
            return true;
        }
    }
    return false;
}

struct Tally {
    int tried = 0;
    int intact = 0;
};

// Runs the change with a fault at step `at`; false when the fault was never reached.
bool runOnce(const Scenario& s, const Files& before, const Files& after, int at, FaultyDisk::Fault how,
             Tally& tally) {
    test::TempGameFolder dir;
    s.setUp(dir);
    ScriptedPrompts prompts;
    bool ok = false;
    bool reached = false;
    if (how == FaultyDisk::Fault::Kill) {
        pid_t child = ::fork();
        if (child == 0) {
            FaultyDisk disk(at, how);
            ScopedDisk use(disk);
            ScriptedPrompts quiet;
            s.change(dir, quiet);
            ::_exit(0);  // the change ran to its end: the step was never reached
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        reached = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    } else {
        FaultyDisk disk(at, how);
        {
            ScopedDisk use(disk);
            ok = s.change(dir, prompts);
        }
        reached = disk.hit();
    }
    if (!reached) {
        return false;
    }
    ++tally.tried;
    // The next start.
    std::vector<std::string> settled = recoverSaveFolder(dir.folder());
    Files now = snapshot(dir, s.files);
    const bool isOld = now == before;
    const bool isNew = now == after;
    EXPECT_TRUE(isOld || isNew) << s.name << ": step " << at << " left a mixed set";
    EXPECT_TRUE(leftovers(dir).empty()) << s.name << ": step " << at << " left " << leftovers(dir)[0];
    if (how != FaultyDisk::Fault::Kill) {
        EXPECT_FALSE(ok && isOld) << s.name << ": step " << at << " reported success but kept the old set";
        EXPECT_TRUE(ok || told(prompts)) << s.name << ": step " << at << " failed without a word";
        // Told it failed, yet the new set stands: the next start must say it finished the write.
        EXPECT_FALSE(!ok && isNew && settled.empty()) << s.name << ": step " << at;
    }
    if ((isOld || isNew) && leftovers(dir).empty()) {
        ++tally.intact;
    }
    return true;
}

struct EveryStep : ::testing::TestWithParam<int> {};

TEST_P(EveryStep, LeavesTheSetWhollyOldOrWhollyNew) {
    const std::pair<FaultyDisk::Fault, const char*> faults[] = {
        {FaultyDisk::Fault::FailOne, "one step fails"},
        {FaultyDisk::Fault::FailRest, "the disk fails from that step on"},
        {FaultyDisk::Fault::Kill, "the process is killed at that step"},
    };
    {
        const Scenario s = scenarios()[static_cast<size_t>(GetParam())];
        Files before, after;
        {
            test::TempGameFolder dir;
            s.setUp(dir);
            before = snapshot(dir, s.files);
            ScriptedPrompts p;
            ASSERT_TRUE(s.change(dir, p)) << s.name;
            after = snapshot(dir, s.files);
            ASSERT_NE(before, after) << s.name;
        }
        for (const auto& [how, label] : faults) {
            Tally tally;
            for (int at = 1; runOnce(s, before, after, at, how, tally); ++at) {
            }
            EXPECT_GT(tally.tried, 10) << s.name;
            std::cout << "fault injection | " << s.name << " | " << label << " | " << tally.tried
                      << " tried | " << tally.intact << " intact\n";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(FaultInjection, EveryStep, ::testing::Range(0, 7));

TEST(FaultInjection, RecoveryFinishesACommittedSetAndUndoesATurnedOne) {
    test::TempGameFolder dir;
    auto save = dir.path() / "save";
    std::filesystem::create_directories(save);
    dir.writeBytes("save/A.ini", "old a");
    dir.writeBytes("save/B.ini", "old b");
    // Killed after the first rename of a committed set: the second file still waits.
    dir.writeBytes("save/A.ini.vargo-old", "old a");
    dir.writeBytes("save/B.ini.vargo-old", "old b");
    dir.writeBytes("save/A.ini", "new a");
    dir.writeBytes("save/B.ini.vargo-new", "new b");
    dir.writeBytes("save/Save7.vargo-journal", "VARGO journal 1\ncommit\n1 A.ini\n1 B.ini\nend\n");
    ASSERT_EQ(pendingTransactions(save).size(), 4u);
    auto said = recoverSaveFolder(dir.folder());
    ASSERT_EQ(said.size(), 1u);
    EXPECT_NE(said[0].find("セーブ7"), std::string::npos);
    EXPECT_EQ(readBytes(save / "A.ini"), "new a");
    EXPECT_EQ(readBytes(save / "B.ini"), "new b");
    EXPECT_TRUE(pendingTransactions(save).empty());

    // The same, but the journal had been turned round: the old files come back, a new one goes.
    dir.writeBytes("save/A.ini.vargo-old", "old a");
    dir.writeBytes("save/B.ini.vargo-new", "new b");
    dir.writeBytes("save/Registry.vargo-journal", "VARGO journal 1\nrollback\n1 A.ini\n0 C.ini\nend\n");
    dir.writeBytes("save/C.ini", "new c");
    said = recoverSaveFolder(dir.folder());
    ASSERT_EQ(said.size(), 1u);
    EXPECT_NE(said[0].find("敵Dollファイル"), std::string::npos);
    EXPECT_EQ(readBytes(save / "A.ini"), "old a");
    EXPECT_FALSE(std::filesystem::exists(save / "C.ini"));
    EXPECT_FALSE(std::filesystem::exists(save / "B.ini.vargo-new"));  // a stray of no journal

    // A journal that is not ours is reported and nothing beside it is touched.
    dir.writeBytes("save/X.vargo-journal", "garbage\n");
    dir.writeBytes("save/A.ini.vargo-old", "keep");
    said = recoverSaveFolder(dir.folder());
    ASSERT_EQ(said.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(save / "A.ini.vargo-old"));
}

TEST(FaultInjection, TemporaryFilesNeverFollowALink) {
    test::TempGameFolder dir;
    std::filesystem::create_directories(dir.path() / "save");
    dir.writeBytes("victim.txt", "precious");
    // A link planted where the next save writes its new file.
    std::filesystem::create_symlink(dir.path() / "victim.txt", dir.path() / "save/Playersv3.ini.vargo-new");
    dir.copyShippedIni();
    ScriptedPrompts p;
    ASSERT_TRUE(saveAs(dir, p, "安全", 2000));
    EXPECT_EQ(readBytes(dir.path() / "victim.txt"), "precious");
    EXPECT_TRUE(
        std::filesystem::is_regular_file(std::filesystem::symlink_status(dir.path() / "save/Playersv3.ini")));
}

}  // namespace
}  // namespace vargo
