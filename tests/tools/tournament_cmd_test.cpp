#include "tournament_cmd.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "model/text_codec.h"
#include "persistence/enemy_registry.h"
#include "persistence/save_files.h"
#include "ports/prompts.h"
#include "support/test_support.h"

namespace vargo::tool {
namespace {

const std::filesystem::path kShippedSave = std::filesystem::path(VARGO_SOURCE_DIR) / "data" / "save";

TournamentOptions options(int save, std::uint64_t seed = 1, std::optional<DollClass> entered = {}) {
    TournamentOptions o;
    o.save = save;
    o.seed = seed;
    o.entered = entered;
    return o;
}

struct DollParts {
    int motor = 13, frame = 12, hard = 9, softM = 6, softA = 7, softD = 6;
    bool programed = true;
    int Rl = 3000;
    std::vector<std::vector<int>> patterns = {
        {kMove, kPunch}, {kKick}, {kPunch, kPunch}, {kMove, kKick}, {kBlock}};
};

// A game folder with the shipped catalogues and enemy registry, and saves written by the game's own
// writer, so that the tool loads exactly what a player would.
struct TournamentTool : ::testing::Test {
    test::TempGameFolder dir;

    void SetUp() override {
        dir.copyShippedIni();
        std::filesystem::create_directories(dir.path() / "save");
        for (const char* f : {"EDollsv.ini", "ELogicsv.ini"}) {
            std::filesystem::copy_file(kShippedSave / f, dir.path() / "save" / f);
        }
    }

    void makeSave(int n, const DollParts& parts) {
        GameRandom rng(3);
        Game game(dir.folder(), rng);
        ScriptedPrompts prompts;
        CatalogueReader cat(dir.folder());
        Owner& o = game.owner();
        o.name = "鋼野拳士";
        o.Lv = 2;
        o.exp = 300;
        o.Rl = static_cast<Int16>(parts.Rl);
        o.skillPlay = 10;
        o.recWin = 4;
        o.recLoose = 2;
        o.recChamp = 1;
        doll& d = game.theDoll();
        d.name = "ＧＤ－１ 守護神";
        if (parts.motor > 0) {
            o.setMotor(cat.ld_Motor(parts.motor));
            d.Motor = o.getMotor(0);
        }
        o.setFrame(cat.ld_Frame(parts.frame));
        d.frame = o.getFrame(0);
        o.setHard(cat.ld_Hard(parts.hard));
        d.Hard = o.getHard(0);
        o.setSoftM(cat.ld_SoftM(parts.softM));
        o.setSoftA(cat.ld_SoftA(parts.softA));
        o.setSoftD(cat.ld_SoftD(parts.softD));
        d.setSoftM(0, o.getSoftM(0));
        d.setSoftA(0, o.getSoftA(0));
        d.setSoftD(0, o.getSoftD(0));
        game.resetDollParam(0);
        const auto& patterns = parts.patterns;
        for (size_t s = 0; s < patterns.size(); ++s) {
            auto l = std::make_shared<Logic>();
            l->name = "技" + std::to_string(s + 1);
            for (int code : patterns[s]) {
                l->addAction(d.getAction(code), prompts);
            }
            d.setLogics(l, static_cast<int>(s));
        }
        d.programed = parts.programed;
        game.gameDate = GameDate{2014, 7, 1};
        SaveFiles sv(game, prompts);
        sv.svNum = n;
        ASSERT_TRUE(sv.save_rtn());
    }

    // The registry cut down to its records numbered 1..last.
    /// Leaves the first `count` shipped Novice Dolls in the registry, and no other.
    void keepNovices(int count) {
        ScriptedPrompts quiet;
        EnemyRegistry shipped(GameFolder(kShippedSave.parent_path()), quiet);
        std::set<int> novices;
        for (int n = 1; n <= 99 && static_cast<int>(novices.size()) < count; ++n) {
            if (auto d = shipped.readEnemyDoll(n); d && d->dollClass() == DollClass::Novice) {
                novices.insert(n);
            }
        }
        auto lines = readTextFile(kShippedSave / "EDollsv.ini");
        ASSERT_TRUE(lines);
        std::vector<std::string> kept;
        bool keeping = true;  // what comes before the first record
        for (const auto& l : *lines) {
            if (!l.empty() && l[0] == '.') {
                keeping = novices.count(std::stoi(l.substr(1))) > 0;
            }
            if (keeping) {
                kept.push_back(l);
            }
        }
        dir.write("save/EDollsv.ini", kept);
    }

    int run(const TournamentOptions& o, std::string& text) {
        std::ostringstream out;
        int status = runTournament(dir.folder(), o, out);
        text = out.str();
        return status;
    }

    std::map<std::string, std::string> snapshot() const {
        std::map<std::string, std::string> files;
        for (const auto& e : std::filesystem::directory_iterator(dir.path() / "save")) {
            files[e.path().filename().string()] = readBytes(e.path()).value_or("");
        }
        return files;
    }
};

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) {
        out.push_back(l);
    }
    return out;
}

bool startsWith(const std::string& s, const std::string& prefix) {
    return s.rfind(prefix, 0) == 0;
}

struct Bout {
    std::string stage, a, b, winner, how;
};

Bout parseBout(const std::string& l) {
    std::smatch m;
    static const std::regex form(
        R"(^bout [0-9]+ \((quarter-final|semi-final|final)\): (.+) vs (.+) -> winner (.+) \((automatic|fought, [0-9]+ steps)\)$)");
    EXPECT_TRUE(std::regex_match(l, m, form)) << l;
    return m.empty() ? Bout{} : Bout{m[1], m[2], m[3], m[4], m[5]};
}

// The sum of every amount that follows `key` in the messages shown.
long long sumAfter(const std::vector<std::string>& out, const std::string& key) {
    long long sum = 0;
    const std::regex amount(key + " ?(-?[0-9]+)");
    for (const auto& l : out) {
        if (!startsWith(l, "  > ")) {
            continue;
        }
        for (std::sregex_iterator it(l.begin(), l.end(), amount), end; it != end; ++it) {
            sum += std::stoll((*it)[1]);
        }
    }
    return sum;
}

long long field(const std::string& l, const std::string& name) {
    std::smatch m;
    EXPECT_TRUE(std::regex_search(l, m, std::regex(name + " ([-+]?[0-9]+)"))) << l << " lacks " << name;
    return m.empty() ? 0 : std::stoll(m[1]);
}

const std::string& lineStarting(const std::vector<std::string>& out, const std::string& prefix) {
    static const std::string none;
    for (const auto& l : out) {
        if (startsWith(l, prefix)) {
            return l;
        }
    }
    ADD_FAILURE() << "no line starting with \"" << prefix << "\"";
    return none;
}

// The draw, the bouts and the end must tell one consistent tournament: seven distinct eligible
// enemies and the player, each stage paired from the previous stage's winners in order, the player's
// last bout deciding the end, and the money moving by exactly the prizes, income and repairs shown.
void expectConsistentTournament(const std::string& text, int classLimitValue, const GameFolder& folder) {
    SCOPED_TRACE(text);
    const auto out = lines(text);
    std::vector<std::string> entrants;
    for (const auto& l : out) {
        if (startsWith(l, "  position ")) {
            entrants.push_back(l.substr(l.find(": ") + 2));
        }
    }
    ASSERT_EQ(entrants.size(), 8u);
    ScriptedPrompts quiet;
    EnemyRegistry registry(folder, quiet);
    std::set<int> enemies;
    int players = 0;
    for (auto& e : entrants) {
        const std::string marker = "  <- the player's Doll";
        if (startsWith(e, "player ")) {
            ++players;
            ASSERT_TRUE(e.ends_with(marker)) << e;
            e.erase(e.size() - marker.size());
            continue;
        }
        ASSERT_TRUE(startsWith(e, "#")) << e;
        const int number = std::stoi(e.substr(1));
        enemies.insert(number);
        auto d = registry.readEnemyDoll(number);
        ASSERT_TRUE(d) << number;
        EXPECT_LE(d->value, classLimitValue) << e;
        EXPECT_EQ("#" + std::to_string(number) + " " + d->name, e);
    }
    EXPECT_EQ(players, 1);
    EXPECT_EQ(enemies.size(), 7u);

    std::vector<Bout> bouts;
    for (const auto& l : out) {
        if (startsWith(l, "bout ")) {
            bouts.push_back(parseBout(l));
        }
    }
    ASSERT_FALSE(bouts.empty());
    std::vector<std::string> stage = entrants, winners;
    const char* const stageNames[] = {"quarter-final", "semi-final", "final"};
    size_t stageIndex = 0, inStage = 0;
    for (size_t i = 0; i < bouts.size(); ++i) {
        const Bout& b = bouts[i];
        if (2 * inStage == stage.size()) {
            stage = winners;
            winners.clear();
            inStage = 0;
            ++stageIndex;
        }
        ASSERT_LT(stageIndex, 3u);
        EXPECT_EQ(b.stage, stageNames[stageIndex]);
        EXPECT_EQ(b.a, stage[2 * inStage]);
        EXPECT_EQ(b.b, stage[2 * inStage + 1]);
        EXPECT_TRUE(b.winner == b.a || b.winner == b.b) << b.winner;
        const bool playerBout = startsWith(b.a, "player ") || startsWith(b.b, "player ");
        EXPECT_EQ(playerBout, b.how != "automatic");
        // A loss ends the tournament: nothing is fought after the player's defeat.
        if (playerBout && !startsWith(b.winner, "player ")) {
            EXPECT_EQ(i + 1, bouts.size());
        }
        winners.push_back(b.winner);
        ++inStage;
    }

    const std::string& end = lineStarting(out, "end: ");
    const Bout& last = bouts.back();
    const int playerWins = static_cast<int>(std::count_if(
        bouts.begin(), bouts.end(), [](const Bout& b) { return startsWith(b.winner, "player "); }));
    const std::string before = lineStarting(out, "before: ");
    const std::string after = lineStarting(out, "after:  ");
    if (end == "end: champion") {
        EXPECT_EQ(bouts.size(), 7u);
        EXPECT_EQ(last.stage, "final");
        EXPECT_TRUE(startsWith(last.winner, "player ")) << "the final's winner is the champion";
        EXPECT_NE(text.find("\n  > 優勝 / 賞金 500Rl\n"), std::string::npos);
    } else {
        EXPECT_EQ(end, "end: lost in the " + last.stage + " to " + last.winner);
        EXPECT_FALSE(startsWith(last.winner, "player "));
    }
    // "record W wins L losses C championships": the numbers stand before the words.
    std::smatch rb, ra;
    const std::regex record("record ([0-9]+) wins ([0-9]+) losses ([0-9]+) championships");
    ASSERT_TRUE(std::regex_search(before, rb, record));
    ASSERT_TRUE(std::regex_search(after, ra, record));
    EXPECT_EQ(std::stoi(ra[1]) - std::stoi(rb[1]), playerWins);
    EXPECT_EQ(std::stoi(ra[2]) - std::stoi(rb[2]), end == "end: champion" ? 0 : 1);
    EXPECT_EQ(std::stoi(ra[3]) - std::stoi(rb[3]), end == "end: champion" ? 1 : 0);

    const std::string& money = lineStarting(out, "money: ");
    const long long prize = field(money, "prize"), income = field(money, "income"),
                    repairs = field(money, "repairs"), change = field(money, "change");
    EXPECT_EQ(field(after, "Rl") - field(before, "Rl"), change);
    EXPECT_EQ(change, prize + income + repairs);
    // The amounts the messages named are the ones that moved the money.
    EXPECT_EQ(prize, sumAfter(out, "賞金"));
    EXPECT_EQ(income, sumAfter(out, "臨時収入が"));
    EXPECT_EQ(-repairs, sumAfter(out, "（代金"));
    EXPECT_EQ(prize > 0, playerWins > 0);
}

TEST_F(TournamentTool, ATournamentIsDrawnFoughtAndAccountedForConsistently) {
    makeSave(1, DollParts{.motor = 5, .frame = 6, .hard = 4, .softM = 3, .softA = 4, .softD = 2});
    for (std::uint64_t seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
        std::string text;
        ASSERT_EQ(run(options(1, seed), text), 0) << text;
        const auto out = lines(text);
        EXPECT_NE(text.find("? Noviceクラスのトーナメントに参加しますか？ -> OK"), std::string::npos);
        EXPECT_EQ(lineStarting(out, "entry: "), "entry: Novice class, 2014/07/01 -> 2014/08/01");
        expectConsistentTournament(text, 2500, dir.folder());
    }
}

TEST_F(TournamentTool, AStrongDollEnteredBelowItsClassWinsTheWholeBracket) {
    // Master parts against Novice enemies: over a few seeds the Doll takes the championship, and the
    // championship run has all seven bouts, the final won by the player.
    makeSave(2, DollParts{});
    int champions = 0;
    for (std::uint64_t seed : {7u, 8u, 9u, 10u}) {
        std::string text;
        ASSERT_EQ(run(options(2, seed, DollClass::Novice), text), 0) << text;
        expectConsistentTournament(text, 2500, dir.folder());
        champions += text.find("\nend: champion\n") != std::string::npos;
    }
    EXPECT_GT(champions, 0);
}

TEST_F(TournamentTool, TheSameSeedTellsTheSameTournament) {
    makeSave(1, DollParts{.motor = 5, .frame = 6, .hard = 4, .softM = 3, .softA = 4, .softD = 2});
    std::string first, second;
    ASSERT_EQ(run(options(1, 42), first), 0);
    ASSERT_EQ(run(options(1, 42), second), 0);
    EXPECT_EQ(first, second);
}

TEST_F(TournamentTool, TheSaveAndTheRegistryAreOnlyRead) {
    makeSave(1, DollParts{.motor = 5, .frame = 6, .hard = 4, .softM = 3, .softA = 4, .softD = 2});
    const auto before = snapshot();
    std::string text;
    ASSERT_EQ(run(options(1, 3), text), 0);
    EXPECT_EQ(snapshot(), before);
    EXPECT_NE(text.find("saved game 1 is left as it was"), std::string::npos);
}

TEST_F(TournamentTool, AnUnprogrammedDollIsRefusedWithTheWorkshopsMessage) {
    makeSave(1, DollParts{.programed = false});
    std::string text;
    EXPECT_EQ(run(options(1), text), 1);
    EXPECT_NE(text.find("  > プログラムを登録して下さい\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("draw:"), std::string::npos) << text;
}

TEST_F(TournamentTool, SevenEligibleEnemiesAreTooFewAndEightAreEnough) {
    // Seven Novices are too few for a Novice draw; with eight the pool is exactly full.
    makeSave(1, DollParts{.motor = 5, .frame = 6, .hard = 4, .softM = 3, .softA = 4, .softD = 2});
    keepNovices(7);
    std::string text;
    EXPECT_EQ(run(options(1), text), 1);
    EXPECT_NE(text.find("  > Noviceクラスの敵が足りません。 / 敵Dollの登録をして下さい。\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("entry: "), std::string::npos);

    keepNovices(8);
    ASSERT_EQ(run(options(1, 5), text), 0) << text;
    expectConsistentTournament(text, 2500, dir.folder());
}

TEST_F(TournamentTool, TheClassOverrideCountsThatClasssEnemies) {
    // Only Novice Dolls are entered: an Expert entry finds them eligible (a pool holds the lower
    // classes too), while the refusal names the class that was asked for when there are too few.
    makeSave(1, DollParts{.motor = 5, .frame = 6, .hard = 4, .softM = 3, .softA = 4, .softD = 2});
    keepNovices(11);
    std::string text;
    ASSERT_EQ(run(options(1, 2, DollClass::Expert), text), 0) << text;
    EXPECT_NE(text.find("entry: Expert class"), std::string::npos);
    expectConsistentTournament(text, 3500, dir.folder());

    keepNovices(7);
    EXPECT_EQ(run(options(1, 1, DollClass::Master), text), 1);
    EXPECT_NE(text.find("Masterクラスの敵が足りません。"), std::string::npos) << text;
}

TEST_F(TournamentTool, ABoutNobodyCanWinEndsWithThePlayerGivingUp) {
    // Every Doll only blocks, so the player's first bout would never end: the computer player gives
    // up as a player would, which pays the consolation income and records no loss.
    makeSave(
        1,
        DollParts{
            .motor = 5, .frame = 6, .hard = 4, .softM = 3, .softA = 4, .softD = 2, .patterns = {{kBlock}}});
    std::vector<std::string> logic;
    for (int n = 1; n <= 11; ++n) {
        for (const std::string& l : {"." + std::to_string(n), std::to_string(n), std::string("守り"),
                                     std::string("1,1"), std::string("9,0,0,0,0,0,0,0,0,0,0")}) {
            logic.push_back(l);
        }
    }
    dir.write("save/ELogicsv.ini", logic);
    std::string text;
    ASSERT_EQ(run(options(1, 4), text), 0) << text;
    const auto out = lines(text);
    EXPECT_NE(text.find("? ギブアップして試合を中断しますか？ -> Yes"), std::string::npos) << text;
    EXPECT_EQ(lineStarting(out, "end: "), "end: gave up in the quarter-final after 2000 steps");
    const std::string& money = lineStarting(out, "money: ");
    EXPECT_EQ(field(money, "income"), sumAfter(out, "臨時収入が"));
    EXPECT_GT(field(money, "income"), 0);
    EXPECT_EQ(field(money, "change"),
              field(money, "prize") + field(money, "income") + field(money, "repairs"));
    EXPECT_NE(text.find("record 4 wins 2 losses 1 championships, date 2014/08/01"), std::string::npos);
}

TEST_F(TournamentTool, ADollWithoutAMotorCannotEnter) {
    makeSave(1, DollParts{.motor = 0});
    std::string text;
    EXPECT_EQ(run(options(1), text), 1);
    EXPECT_NE(text.find("refused: the Tornament button is disabled"), std::string::npos) << text;
}

TEST_F(TournamentTool, AMissingOrBrokenSaveIsReportedNotFought) {
    std::string text;
    EXPECT_EQ(run(options(9), text), 1);
    EXPECT_NE(text.find("ファイルが見つかりません"), std::string::npos) << text;
    EXPECT_EQ(text.find("draw:"), std::string::npos);

    makeSave(1, DollParts{});
    dir.write("save/PlayDollsv1.ini", {"ＧＤ－１", "0,lots,12"});
    EXPECT_EQ(run(options(1), text), 1);
    EXPECT_NE(text.find("PlayDollsv1.ini"), std::string::npos) << text;
    EXPECT_NE(text.find("refused: saved game 1 could not be loaded"), std::string::npos);
}

}  // namespace
}  // namespace vargo::tool
