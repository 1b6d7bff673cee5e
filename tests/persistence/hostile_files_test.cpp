// Every file the game reads, damaged the ways files get damaged: cut short, binary, saved again
// as UTF-8, LF line ends, numbers far out of range, a very long line, a missing line, empty.
// The readers must never throw, and whenever what they load differs from the intact file they
// must have said so, naming the file (and its line, where the problem has one).

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "model/catalogue.h"
#include "model/text_codec.h"
#include "persistence/enemy_registry.h"
#include "persistence/save_files.h"
#include "ports/prompts.h"
#include "support/test_support.h"

namespace vargo {
namespace {

struct Mutation {
    const char* name;
    std::function<std::string(const std::string&)> apply;
};

std::string replaceNumbers(const std::string& bytes, const std::string& with) {
    std::string out;
    for (size_t i = 0; i < bytes.size();) {
        if (std::isdigit(static_cast<unsigned char>(bytes[i])) &&
            (i == 0 || bytes[i - 1] == ',' || bytes[i - 1] == '\n')) {
            while (i < bytes.size() && std::isdigit(static_cast<unsigned char>(bytes[i]))) {
                ++i;
            }
            out += with;
        } else {
            out += bytes[i++];
        }
    }
    return out;
}

std::vector<Mutation> mutations() {
    return {
        {"cut short", [](const std::string& b) { return b.substr(0, b.size() / 2); }},
        {"binary",
         [](const std::string& b) {
             std::string out(b.size() + 16, '\0');
             unsigned x = 12345;
             for (auto& c : out) {
                 x = x * 1103515245u + 12345u;
                 c = static_cast<char>(x >> 16);
             }
             return out;
         }},
        {"saved as UTF-8",
         [](const std::string& b) {
             std::string out;
             for (const auto& l : splitLines(b)) {
                 out += fromCp932(l) + "\r\n";
             }
             return out;
         }},
        {"LF line ends",
         [](const std::string& b) {
             std::string out;
             for (char c : b) {
                 if (c != '\r') {
                     out += c;
                 }
             }
             return out;
         }},
        {"huge numbers", [](const std::string& b) { return replaceNumbers(b, "99999999"); }},
        {"negative numbers beyond 16 bits", [](const std::string& b) { return replaceNumbers(b, "-40000"); }},
        {"a very long line",
         [](const std::string& b) {
             size_t eol = b.find('\n');
             return b.substr(0, eol + 1) + std::string(1 << 20, 'A') + "\r\n" + b.substr(eol + 1);
         }},
        {"a missing line",
         [](const std::string& b) {
             auto lines = splitLines(b);
             std::string out;
             for (size_t i = 0; i + 1 < lines.size(); ++i) {
                 out += lines[i] + "\r\n";
             }
             return out;
         }},
        {"empty", [](const std::string&) { return std::string(); }},
    };
}

// What a reader brought in, as text, and what it said.
struct Reading {
    std::string loaded;
    std::vector<std::string> said;
};

struct Reader {
    const char* file;
    std::function<Reading(const GameFolder&)> read;
};

template <class Table>
void describeTable(std::ostringstream& out, const Table& t) {
    for (int id = 0; id <= t.capacity(); ++id) {
        if (auto p = t.get(id)) {
            out << id << ":" << p->name << ":" << p->Rl << ";";
        }
    }
}

// A catalogue as the shop and the saves read it, and what the game says of it at start.
Reader catalogueReader(const char* file,
                       const std::function<void(CatalogueReader&, std::ostringstream&)>& load) {
    return {file, [load, file](const GameFolder& folder) {
                CatalogueReader r(folder);
                std::ostringstream out;
                load(r, out);
                Reading reading{out.str(), {}};
                for (int k = 0; k < kPartKinds; ++k) {
                    if (kindInfo(static_cast<PartKind>(k)).file == std::string(file)) {
                        for (const auto& p : checkCatalogue(folder, static_cast<PartKind>(k))) {
                            reading.said.push_back(p.message());
                        }
                    }
                }
                for (const auto& p : r.problems()) {
                    reading.said.push_back(p.message());
                }
                return reading;
            }};
}

Reading loadSave(const GameFolder& folder) {
    GameRandom rng(1);
    Game game(folder, rng);
    ScriptedPrompts prompts;
    SaveFiles sv(game, prompts);
    sv.svNum = 1;
    sv.load_rtn();
    std::ostringstream out;
    for (const auto& l : sv.playerLines()) {
        out << l << "|";
    }
    for (const auto& l : sv.dollLines()) {
        out << l << "|";
    }
    for (const auto& l : sv.logicLines()) {
        out << l << "|";
    }
    return {out.str() + game.gameDate.format(), prompts.messages()};
}

Reading loadRegistry(const GameFolder& folder) {
    ScriptedPrompts prompts;
    EnemyRegistry reg(folder, prompts);
    std::ostringstream out;
    for (const auto& e : reg.dspEnemyList()) {
        out << e.number << ":" << e.name << ";";
        if (auto d = reg.ldTekiDoll(e.number)) {
            out << d->value << "," << d->pow << "," << d->AC << "," << d->image;
            for (int s = 0; s < doll::kLogics; ++s) {
                out << "/" << d->getLogic(s)->name << d->getLogic(s)->AP;
            }
        }
        out << "\n";
    }
    out << reg.countTekiDoll(9999);
    return {out.str(), prompts.messages()};
}

std::vector<Reader> readers() {
    return {
        catalogueReader("ini/Motor.ini",
                        [](CatalogueReader& r, std::ostringstream& o) {
                            describeTable(o, r.ld_AllMotors());
                            o << r.ld_Motor(5)->name << r.ld_Motor(5)->HP;
                        }),
        catalogueReader("ini/Frame.ini",
                        [](CatalogueReader& r, std::ostringstream& o) { describeTable(o, r.ld_AllFrame()); }),
        catalogueReader(
            "ini/Booster.ini",
            [](CatalogueReader& r, std::ostringstream& o) { describeTable(o, r.ld_AllBooster()); }),
        catalogueReader(
            "ini/Protector.ini",
            [](CatalogueReader& r, std::ostringstream& o) { describeTable(o, r.ld_AllProtector()); }),
        catalogueReader("ini/Hardware.ini",
                        [](CatalogueReader& r, std::ostringstream& o) { describeTable(o, r.ld_AllHard()); }),
        catalogueReader("ini/Software1.ini",
                        [](CatalogueReader& r, std::ostringstream& o) { describeTable(o, r.ld_AllSoftM()); }),
        catalogueReader("ini/Software2.ini",
                        [](CatalogueReader& r, std::ostringstream& o) { describeTable(o, r.ld_AllSoftA()); }),
        catalogueReader("ini/Software3.ini",
                        [](CatalogueReader& r, std::ostringstream& o) { describeTable(o, r.ld_AllSoftD()); }),
        {"save/Playersv1.ini", loadSave},
        {"save/PlayDollsv1.ini", loadSave},
        {"save/Logicsv1.ini", loadSave},
        {"save/EDollsv.ini", loadRegistry},
        {"save/ELogicsv.ini", loadRegistry},
    };
}

// The shipped catalogues and registry, and a saved game of real parts.
void intactFolder(test::TempGameFolder& dir) {
    dir.copyShippedIni();
    std::filesystem::create_directories(dir.path() / "save");
    std::filesystem::copy_file(dir.path() / "ini/Dollsv.ini", dir.path() / "save/EDollsv.ini");
    std::filesystem::copy_file(dir.path() / "ini/Logicsv.ini", dir.path() / "save/ELogicsv.ini");
    GameRandom rng(1);
    Game game(dir.folder(), rng);
    ScriptedPrompts prompts;
    CatalogueReader cat(dir.folder());
    Owner& o = game.owner();
    o.name = "鋼野拳士";
    o.Rl = 2100;
    o.setMotor(cat.ld_Motor(5));
    o.setFrame(cat.ld_Frame(3));
    o.setHard(cat.ld_Hard(2));
    o.setSoftA(cat.ld_SoftA(4));
    o.setProtector(cat.ld_Protect(3));
    doll& d = game.theDoll();
    d.name = "ＧＤ－１ 守護神";
    d.Motor = o.getMotor(0);
    d.frame = o.getFrame(0);
    d.Hard = o.getHard(0);
    d.setSoftA(0, o.getSoftA(0));
    d.addProtector(o.getProtector(0), prompts);
    game.resetDollParam(0);
    auto l = std::make_shared<Logic>();
    l->name = "正拳";
    l->addAction(d.getAction(kPunch), prompts);
    d.setLogics(l, 0);
    d.programed = true;
    SaveFiles sv(game, prompts);
    sv.svNum = 1;
    ASSERT_TRUE(sv.save_rtn());
}

struct HostileFile : ::testing::TestWithParam<int> {};

TEST_P(HostileFile, IsToldNeverThrownNorSilentlyHalfLoaded) {
    {
        const Reader reader = readers()[static_cast<size_t>(GetParam())];
        test::TempGameFolder intact;
        intactFolder(intact);
        const Reading good = reader.read(intact.folder());
        ASSERT_TRUE(good.said.empty()) << reader.file << ": " << good.said[0];
        const std::string bytes = *readBytes(intact.path() / reader.file);
        for (const auto& m : mutations()) {
            test::TempGameFolder dir;
            intactFolder(dir);
            dir.writeBytes(reader.file, m.apply(bytes));
            Reading got;
            ASSERT_NO_THROW(got = reader.read(dir.folder())) << reader.file << ", " << m.name;
            if (got.loaded == good.loaded) {
                continue;  // read in full and the same (LF line ends are fine)
            }
            if (std::string(reader.file) == "save/EDollsv.ini" && std::string(m.name) == "empty") {
                continue;  // every Doll deleted: an empty registry is one the game itself writes
            }
            EXPECT_FALSE(got.said.empty())
                << reader.file << ", " << m.name << ": loaded differently without a word";
            bool named = false;
            for (const auto& s : got.said) {
                named = named || s.find(reader.file) != std::string::npos || s == "ファイルが見つかりません";
            }
            EXPECT_TRUE(named || got.said.empty()) << reader.file << ", " << m.name << ": " << got.said[0];
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFileTheGameReads, HostileFile, ::testing::Range(0, 13));

}  // namespace
}  // namespace vargo
