#include "career/career_bot.h"

#include <gtest/gtest.h>

#include <numeric>

#include "battle/simulator.h"
#include "career/bot_library.h"
#include "career/career_report.h"
#include "persistence/enemy_registry.h"
#include "support/test_support.h"

namespace vargo {
namespace {

std::vector<CareerRun> play(const GameFolder& folder, const BotLibrary& library, BotStrategy s, int runs,
                            int jobs = 1) {
    CareerOptions o;
    o.strategy = s;
    o.runs = runs;
    o.seed = 7;
    o.jobs = jobs;
    o.plannerRuns = 8;
    auto played = playCareers(folder, library, o);
    if (auto* problem = std::get_if<FightRunProblem>(&played)) {
        ADD_FAILURE() << problem->message;
        return {};
    }
    return std::get<std::vector<CareerRun>>(played);
}

/// Everything a run measured, as one comparable text.
std::string fingerprint(const std::vector<CareerRun>& runs) {
    std::string s;
    for (const auto& r : runs) {
        for (const auto& m : r.months) {
            s += std::to_string(m.money) + "," + std::to_string(m.value) + "," + std::to_string(m.entries) +
                 "," + std::to_string(m.wins) + ";";
        }
        s += std::to_string(r.recWin) + "/" + std::to_string(r.recLoose) + "/" + std::to_string(r.recChamp) +
             "/" + std::to_string(r.longestStuck) + "\n";
    }
    return s;
}

BotLibrary library(const std::string& text) {
    BotLibraryRead r = readBotLibrary(text);
    EXPECT_EQ(r.problem, "") << "line " << r.line;
    return r.library;
}

const char* const kSet =
    "set 基本\n"
    "pattern 突撃: 移動 パンチ パンチ\n"
    "pattern 起き上がり: 回転 パンチ\n"
    "pattern 外し: 外し パンチ\n"
    "pattern ワンツー: パンチ パンチ\n"
    "pattern 三連打: パンチ パンチ パンチ\n"
    "pattern 投げ: 組み 投げ\n";

TEST(BotLibrary, TheShippedLadderBuildsProgramsAndClimbsEveryClass) {
    const BotLibrary& lib = shippedBotLibrary();
    test::TempGameFolder dir;
    dir.copyShippedIni();
    CatalogueReader catalogue(dir.folder());
    SilentPrompts prompts;
    std::array<int, 3> perClass{};
    int lastValue = 0;
    for (const auto& b : lib.builds) {
        AssembledDoll made = assembleDoll(b.parts, catalogue, prompts);
        ASSERT_TRUE(made.d) << b.name << ": " << made.problem;
        Owner rookie;  // the weakest pilot a career can roll
        rookie.skillPlay = 3;
        made.d->refresh();
        ASSERT_TRUE(resetDollParam(*made.d, rookie));
        ++perClass.at(static_cast<size_t>(made.d->dollClass()));
        EXPECT_GE(made.d->value, lastValue) << b.name << " breaks the ladder's order";
        lastValue = made.d->value;
        // The first set a rookie can carry must exist, or the build is a Doll that never fights.
        int memory = 0;
        const BotPatternSet* set = lib.set(b.sets.back());
        ASSERT_NE(set, nullptr);
        for (const auto& p : set->patterns) {
            int ap = 0;
            for (int code : p.actions) {
                ap += made.d->getAction(code)->AP;
                memory += made.d->getAction(code)->Memory;
            }
            EXPECT_LE(ap, made.d->AP + 12) << b.name << " " << p.name;
        }
        EXPECT_LE(memory, made.d->Memory) << b.name;
    }
    for (int n : perClass) {
        EXPECT_GE(n, 2) << "every class needs builds to climb through";
    }
}

TEST(BotLibrary, ProblemsAreNamedWithTheirLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"set 短い\npattern a: パンチ\n", "set 短い needs six patterns"},
        {std::string(kSet) + "build X\nparts motor=1 frame=1 hard=1 soft=1/1/1\npatterns 無い\n",
         "build X: no pattern set named 無い"},
        {"set S\npattern a: パンチ 跳躍\n", "unknown action \"跳躍\""},
        {std::string(kSet) + "build X\nparts motor=one\n", "\"one\" is not a part ID"},
        {kSet, "no builds"},
    };
    for (const auto& [text, problem] : cases) {
        EXPECT_EQ(readBotLibrary(text).problem, problem) << text;
    }
    EXPECT_EQ(readBotLibrary("set S\npattern a: パンチ 跳躍\n").line, 2);
}

struct CareerFixture : ::testing::Test {
    test::TempGameFolder dir;
    void SetUp() override { dir.copyShippedIni(); }
};

TEST_F(CareerFixture, CareersLastThirtySixMonthsAndAreTheSameOnAnyNumberOfThreads) {
    const auto one = play(dir.folder(), shippedBotLibrary(), BotStrategy::Fighter, 4, 1);
    const auto two = play(dir.folder(), shippedBotLibrary(), BotStrategy::Fighter, 4, 2);
    ASSERT_EQ(one.size(), 4U);
    EXPECT_EQ(fingerprint(one), fingerprint(two));
    for (const auto& r : one) {
        // A tournament ends with the title or with the one bout lost, and takes a month.
        EXPECT_EQ(r.recChamp + r.recLoose, r.months.back().entries);
        EXPECT_EQ(r.recWin, r.months.back().wins);
        EXPECT_EQ(r.tournamentMonths, r.months.back().entries);
        EXPECT_EQ(r.tournamentMonths + r.workMonths, kCareerMonths);
        EXPECT_LE(r.months.back().entries, kCareerMonths);
        for (const auto& m : r.months) {
            EXPECT_GE(m.money, 0) << "a bot spent money it did not have";
        }
    }
    const auto planned = play(dir.folder(), shippedBotLibrary(), BotStrategy::Planner, 2, 1);
    EXPECT_EQ(fingerprint(planned),
              fingerprint(play(dir.folder(), shippedBotLibrary(), BotStrategy::Planner, 2, 2)));
}

TEST_F(CareerFixture, AWorkerNeverFightsAndEndsRicherThanItBegan) {
    for (const auto& r : play(dir.folder(), shippedBotLibrary(), BotStrategy::Worker, 3)) {
        EXPECT_EQ(r.months.back().entries, 0);
        EXPECT_EQ(r.recWin + r.recLoose, 0);
        EXPECT_TRUE(r.months[0].fieldable);
        // 36 months of 250 to 550 Rl and nothing to repair.
        EXPECT_GE(r.months.back().money, r.months[0].money + 36 * 250);
    }
}

TEST_F(CareerFixture, BotsObeyTheShopAndTheEntryRules) {
    // A ladder whose only Doll costs more than any pilot starts with: the shop refuses it until
    // the work has paid for it, and until then the career has no Doll and counts as stuck.
    const BotLibrary dear =
        library(std::string(kSet) + "build 高級\nparts motor=13 frame=12 hard=9 soft=1/1/1\npatterns 基本\n");
    for (const auto& r : play(dir.folder(), dear, BotStrategy::Fighter, 2)) {
        EXPECT_FALSE(r.months[0].fieldable);
        EXPECT_EQ(r.months[0].value, 0);
        EXPECT_GE(r.longestStuck, 3);
        for (const auto& m : r.months) {
            EXPECT_GE(m.money, 0);
            EXPECT_TRUE(m.fieldable || m.entries == r.months[0].entries);
        }
    }
    // With seven enemies left no tournament may be held, however keen the bot.
    SilentPrompts prompts;
    std::filesystem::create_directories(dir.path() / "save");
    EnemyRegistry registry(dir.folder(), prompts);
    const int entered = registry.countTekiDoll(9999);
    ASSERT_GT(entered, 8);
    std::vector<int> gone(static_cast<size_t>(entered - 7));
    std::iota(gone.begin(), gone.end(), 8);
    ASSERT_TRUE(registry.deleteEnemies(gone));
    ASSERT_EQ(registry.countTekiDoll(9999), 7);
    for (const auto& r : play(dir.folder(), shippedBotLibrary(), BotStrategy::Fighter, 2)) {
        EXPECT_EQ(r.months.back().entries, 0);
        EXPECT_TRUE(r.months.back().fieldable);
    }
}

TEST(CareerReport, PercentilesMediansAndStuckCareers) {
    const Spread s = spreadOf({5, 1, 4, 2, 3, 10, 9, 8, 7, 6});
    EXPECT_EQ(s.p10, 1);
    EXPECT_EQ(s.p50, 5);
    EXPECT_EQ(s.p90, 9);
    std::vector<CareerRun> runs(4);
    runs[0].monthExpert = 3;
    runs[1].monthExpert = 9;
    runs[2].monthMaster = 20;
    runs[2].monthExpert = 5;
    runs[3].longestStuck = 3;
    runs[2].masterChampionships = 1;
    runs[1].recChamp = 7;
    // Gains are averaged over the months of each kind, not over careers.
    runs[0].tournamentGain = 900;
    runs[0].tournamentMonths = 2;
    runs[1].tournamentGain = -300;
    runs[1].tournamentMonths = 1;
    runs[2].workGain = 800;
    runs[2].workMonths = 2;
    const CareerSummary sum = summarizeCareers(runs, BotStrategy::Fighter, 1);
    EXPECT_DOUBLE_EQ(sum.gainPerTournament, 200);
    EXPECT_DOUBLE_EQ(sum.gainPerWorkMonth, 400);
    EXPECT_EQ(sum.medianMonthExpert, 5);
    EXPECT_FALSE(sum.medianMonthMaster.has_value()) << "one career in four is not the median";
    EXPECT_DOUBLE_EQ(sum.reachedExpert, 0.75);
    EXPECT_DOUBLE_EQ(sum.reachedMaster, 0.25);
    EXPECT_DOUBLE_EQ(sum.stuck, 0.25);
    EXPECT_DOUBLE_EQ(sum.masterChampionship, 0.25);
    EXPECT_DOUBLE_EQ(sum.championshipShare[5], 0.25);
    EXPECT_DOUBLE_EQ(sum.championshipShare[0], 0.75);
    EXPECT_EQ(sum.months.size(), static_cast<size_t>(kCareerMonths + 1));
}

}  // namespace
}  // namespace vargo
