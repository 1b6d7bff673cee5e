#include "battle/tournament_odds.h"

#include <gtest/gtest.h>

#include "battle/battle_support.h"
#include "doll_json.h"

namespace vargo {
namespace {

using test::DollNumbers;
using test::makeDoll;
using test::makePattern;

std::shared_ptr<doll> enemy(int id, int value, bool armed) {
    DollNumbers n;
    n.name = "敵" + std::to_string(id);
    n.ID = id;
    n.value = value;
    n.pow = 12 + id % 5;
    if (!armed) {
        return makeDoll(n);
    }
    return makeDoll(n, {makePattern({kMove, kPunch, kKick}, 6), makePattern({kKumi, kDrop}, 5),
                        makePattern({kSpin, kKick}, 4)});
}

/// n Novice enemies; unarmed ones have no pattern and can only watch.
MemoryEnemies field(int n, bool armed) {
    MemoryEnemies m;
    for (int id = 1; id <= n; ++id) {
        m.add(enemy(id, 1500 + 50 * id, armed));
    }
    return m;
}

// A game whose player owns the motor and frame its Doll wears, as a career's player does; the game's
// generator is a script with nothing in it, so a single draw from it fails the test.
struct OddsFixture : ::testing::Test {
    ScriptedRandom gameDice;
    Game game{GameFolder("."), gameDice};

    void SetUp() override {
        DollNumbers n;
        n.name = "試作機";
        n.pow = 13;
        n.offence = 6;
        n.value = 1400;
        game.dolls[0] = makeDoll(n, {makePattern({kMove, kMove, kPunch, kPunch}, 6, "突撃"),
                                     makePattern({kKumi, kDrop}, 5, "投げ")});
        Owner& o = game.owner();
        o.Rl = 900;
        o.Lv = 2;
        o.skillPlay = 10;
        o.setMotor(game.theDoll().Motor);
        o.setFrame(game.theDoll().frame);
    }

    std::string snapshot() {
        tool::Json d = tool::Json::object();
        tool::addDollFields(d, game.theDoll(), true);
        tool::addPatterns(d, game.theDoll());
        return tool::jsonText(tool::ownerJson(game.owner())) + tool::jsonText(d);
    }
};

const TournamentOdds& odds(const std::variant<TournamentOdds, FightRunProblem>& r) {
    if (const auto* p = std::get_if<FightRunProblem>(&r)) {
        ADD_FAILURE() << p->message;
    }
    return std::get<TournamentOdds>(r);
}

// The same seed gives the same estimate on any number of threads; the live owner and Doll are as
// they were in every field, the Doll still wears the owner's own motor, and the game's dice are
// never rolled.
TEST_F(OddsFixture, DeterministicAndTheLiveGameUntouched) {
    MemoryEnemies enemies = field(10, true);
    const std::string before = snapshot();
    const MotorPtr motor = game.theDoll().Motor;
    TournamentOddsOptions o;
    o.runs = 60;
    o.seed = 4;
    o.jobs = 1;
    const TournamentOdds one =
        odds(estimateTournament(game.owner(), game.theDoll(), DollClass::Novice, enemies, o));
    o.jobs = 3;
    const TournamentOdds three =
        odds(estimateTournament(game.owner(), game.theDoll(), DollClass::Novice, enemies, o));
    EXPECT_EQ(one.runs, 60);
    EXPECT_FALSE(one.cancelled);
    EXPECT_EQ(one.reached, three.reached);
    EXPECT_EQ(one.won, three.won);
    EXPECT_EQ(std::tie(one.prize, one.repairs, one.income),
              std::tie(three.prize, three.repairs, three.income));
    // Every run fights its first round; each later stage only after the one before was won.
    EXPECT_EQ(one.reached[0], 60);
    EXPECT_EQ(one.reached[1], one.won[0]);
    EXPECT_EQ(one.reached[2], one.won[1]);
    // Armed enemies hurt: repairs are paid, and a lost tournament pays its income.
    EXPECT_GT(one.repairs, 0);
    EXPECT_GT(one.income, 0);

    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(game.theDoll().Motor, motor);
    EXPECT_EQ(game.owner().getMotor(0), motor);
    EXPECT_EQ(game.gameDate, GameDate{});
}

// Against Dolls that only watch, the player wins every bout: the title every time, no repairs, and
// each bout's prize (the value above the player's, plus 100) and the champion's 500.
TEST_F(OddsFixture, ADollThatCannotLoseIsAlwaysChampion) {
    MemoryEnemies enemies;
    for (int id = 1; id <= 8; ++id) {
        enemies.add(enemy(id, 2000, false));
    }
    TournamentOddsOptions o;
    o.runs = 20;
    const TournamentOdds r =
        odds(estimateTournament(game.owner(), game.theDoll(), DollClass::Novice, enemies, o));
    EXPECT_DOUBLE_EQ(r.championRate(), 1.0);
    for (int stage = 0; stage < TournamentOdds::kStages; ++stage) {
        EXPECT_DOUBLE_EQ(r.stageWinRate(stage), 1.0);
    }
    EXPECT_DOUBLE_EQ(r.expectedPrize(), 3 * (2000 - 1400 + 100) + 500);
    EXPECT_DOUBLE_EQ(r.expectedRepairs(), 0.0);
    EXPECT_DOUBLE_EQ(r.expectedIncome(), 0.0);
}

TEST_F(OddsFixture, BadInputsGiveAMessageAndNoEstimate) {
    MemoryEnemies seven = field(7, true);
    auto r = estimateTournament(game.owner(), game.theDoll(), DollClass::Novice, seven, {});
    ASSERT_TRUE(std::holds_alternative<FightRunProblem>(r));
    EXPECT_EQ(std::get<FightRunProblem>(r).message,
              "Noviceクラスの敵が足りません。\n敵Dollの登録をして下さい。");

    MemoryEnemies enough = field(9, true);
    game.theDoll().programed = false;
    r = estimateTournament(game.owner(), game.theDoll(), DollClass::Novice, enough, {});
    ASSERT_TRUE(std::holds_alternative<FightRunProblem>(r));
    EXPECT_EQ(std::get<FightRunProblem>(r).message, "プログラムを登録して下さい");
    EXPECT_EQ(tournamentEstimateText(game.owner(), game.theDoll(), DollClass::Novice, enough, {}),
              "【推定】推定できません: プログラムを登録して下さい");
}

TEST(TournamentOddsText, SaysItIsAnEstimateWithPercentagesAndRl) {
    TournamentOdds o;
    o.runs = 200;
    o.reached = {200, 120, 60};
    o.won = {120, 60, 30};
    o.prize = 50000;
    o.repairs = 30100;
    o.income = 9000;
    EXPECT_EQ(tournamentOddsText(o),
              "【推定】コンピュータ同士の対戦による推定です（トーナメント200回）\n"
              "1回戦の勝率 60.0%\n"
              "準決勝の勝率 50.0%（1回戦に勝った場合）\n"
              "決勝の勝率 50.0%（準決勝に勝った場合）\n"
              "優勝の確率 15.0%\n"
              "賞金の期待値 約250Rl\n"
              "修理代の期待値 約151Rl\n"
              "臨時収入の期待値 約45Rl");
    o.reached = {200, 0, 0};
    o.won = {0, 0, 0};
    const std::string none = tournamentOddsText(o);
    EXPECT_NE(
        none.find(
            "1回戦の勝率 0.0%\n準決勝の勝率 －（勝ち進めず）\n決勝の勝率 －（勝ち進めず）\n優勝の確率 0.0%"),
        std::string::npos)
        << none;
}

}  // namespace
}  // namespace vargo
