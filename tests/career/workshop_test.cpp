#include "career/workshop.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "battle/commander.h"
#include "battle/enemy_source.h"
#include "battle/fight.h"
#include "career/char_make.h"
#include "ports/prompts.h"
#include "ports/sound.h"
#include "screens/shop.h"
#include "support/fake_actions.h"

namespace vargo {
namespace {

struct WorkshopFixture : ::testing::Test {
    ScriptedRandom rng{std::vector<double>(4, 0.0)};
    Game game{GameFolder("."), rng};
    ScriptedPrompts prompts;
    RecordingSound sound;
    Workshop shop{game, prompts, sound};

    void damage(int motorBelow, int frameBelow) {
        auto& d = game.theDoll(0);
        d.Motor = std::make_shared<Motor>();
        d.Motor->name = "M";
        d.Motor->maxHP = 300;
        d.Motor->HP = static_cast<Int16>(300 - motorBelow);
        d.frame = std::make_shared<DollFrame>();
        d.frame->name = "F";
        d.frame->maxHP = 300;
        d.frame->HP = static_cast<Int16>(300 - frameBelow);
    }
};

TEST_F(WorkshopFixture, FullMotorRepairLeavesTooLittleForTheFrame) {
    damage(70, 140);
    game.owner(0).Rl = 300;
    shop.Shuri();
    EXPECT_EQ(game.theDoll(0).Motor->HP, 300);
    EXPECT_EQ(game.theDoll(0).frame->HP, 160);
    EXPECT_EQ(game.owner(0).Rl, 100);
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0].msg, "モータを修理しました\n（代金 200Rl）\n");
}

// The partial repair takes all the money, and the message names what was taken.
TEST_F(WorkshopFixture, PartialRepairChargesTheWholePurse) {
    damage(210, 0);
    game.owner(0).Rl = 250;
    shop.Shuri();
    EXPECT_EQ(game.theDoll(0).Motor->HP, 90 + 105);
    EXPECT_EQ(game.owner(0).Rl, 0);
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0].msg, "モータを修理しました\n（代金 250Rl）\n金額不足で途中までしか直りません");
}

TEST_F(WorkshopFixture, PartialRepairNeverPassesMaxHPAndNeedsTenOverAHundred) {
    damage(20, 0);  // cost 129: more than the 120 we have, partial gives +14 but only 20 are missing
    game.owner(0).Rl = 120;
    shop.Shuri();
    EXPECT_EQ(game.theDoll(0).Motor->HP, 294);
    damage(70, 0);
    game.owner(0).Rl = 109;
    prompts.calls.clear();
    shop.Shuri();
    EXPECT_EQ(game.theDoll(0).Motor->HP, 230);
    EXPECT_EQ(game.owner(0).Rl, 109);
    EXPECT_TRUE(prompts.calls.empty());
}

// The workshop's notice ends every full repair's line, the frame's too (the battle screen's does
// not end the frame's).
TEST_F(WorkshopFixture, FullFrameRepairEndsItsLine) {
    damage(0, 70);
    game.owner(0).Rl = 300;
    shop.Shuri();
    EXPECT_EQ(game.theDoll(0).frame->HP, 300);
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0].msg, "フレームを修理しました\n（代金 200Rl）\n");
}

TEST_F(WorkshopFixture, UndamagedDollGetsNoRepairMessage) {
    damage(0, 0);
    game.owner(0).Rl = 1000;
    shop.Shuri();
    EXPECT_TRUE(prompts.calls.empty());
    EXPECT_EQ(game.owner(0).Rl, 1000);
}

TEST(WorkshopIncome, TwoFourSidedDiceAndMoneyStopsAt32767) {
    // Making the game draws nothing; the income is two four-sided dice: 4 + 1.
    ScriptedRandom dice{{0.99, 0.0}};
    Game g{GameFolder("."), dice};
    ScriptedPrompts prompts;
    RecordingSound sound;
    Workshop w{g, prompts, sound};
    g.owner(0).Rl = 32700;
    w.Shunyu();
    EXPECT_EQ(g.owner(0).Rl, 32767);
    EXPECT_EQ(prompts.messages().back(), "臨時収入が 400Rl入った");
}

TEST_F(WorkshopFixture, ThirtySixMonthsEndTheCareer) {
    game.guideOn = true;
    shop.openNewGame();
    EXPECT_EQ(game.gameDate.format(), "2013/01/01");
    EXPECT_TRUE(game.workshopGuidePending);
    for (int m = 0; m < 35; ++m) {
        shop.advanceMonth();
        ASSERT_FALSE(shop.careerOver());
    }
    shop.advanceMonth();
    EXPECT_EQ(game.gameDate.format(), "2016/01/01");
    EXPECT_TRUE(shop.careerOver());
    game.owner(0).recWin = 12;
    game.owner(0).recLoose = 3;
    game.owner(0).recChamp = 1;
    shop.Ending();
    EXPECT_EQ(prompts.calls.back().msg, "最終成績\n 12勝 3敗\n優勝 1回\n");
}

TEST_F(WorkshopFixture, FightChecks) {
    EXPECT_FALSE(shop.cmdStreet());
    EXPECT_EQ(prompts.calls.back().msg, "プログラムを登録して下さい");
    game.theDoll(0).programed = true;
    game.duelistState = 1;
    EXPECT_FALSE(shop.cmdDuel());
    EXPECT_EQ(prompts.calls.back().msg,
              "対戦相手が準備されていません\nメニューのEdit→LoadAsDuelistより対戦相手をロードして下さい");
    game.duelistState = 2;
    game.theDoll(1).name = "ライバル";
    prompts.answer(false);
    EXPECT_FALSE(shop.cmdDuel());
    EXPECT_EQ(prompts.calls.back().msg, "ライバルと対戦しますか？");
    prompts.answer(true);
    EXPECT_TRUE(shop.cmdStreet());
}

TEST_F(WorkshopFixture, TournamentEntryNeedsEightEnemiesOfTheClass) {
    game.theDoll(0).programed = true;
    game.theDoll(0).value = 2501;
    auto m = std::make_shared<Motor>();
    m->name = "M";
    game.owner(0).setMotor(m);
    int askedLimit = 0;
    auto seven = [&](int limit) {
        askedLimit = limit;
        return 7;
    };
    EXPECT_EQ(shop.cmdTornament(seven), std::nullopt);
    EXPECT_EQ(askedLimit, 3500);
    EXPECT_EQ(prompts.messages().back(), "Expertクラスの敵が足りません。\n敵Dollの登録をして下さい。");
    GameDate before = game.gameDate;
    prompts.answer(false);  // declined: no month passes
    EXPECT_EQ(shop.cmdTornament([](int) { return 8; }), std::nullopt);
    EXPECT_EQ(game.gameDate, before);
    prompts.answer(true);
    EXPECT_EQ(shop.cmdTornament([](int) { return 8; }), DollClass::Expert);
    EXPECT_EQ(prompts.messages().back(), "Expertクラスのトーナメントに参加しますか？");
    EXPECT_EQ(game.gameDate, before.addMonths(1));
    EXPECT_FALSE(m->isNew);
    EXPECT_FALSE(game.savedFlag);
}

// The entry question carries the estimate for the class entered when a provider is set; an empty
// estimate leaves the question alone.
TEST_F(WorkshopFixture, TheEntryQuestionShowsTheEstimate) {
    game.theDoll(0).programed = true;
    DollClass asked = DollClass::Master;
    shop.setTournamentEstimate([&](DollClass c) {
        asked = c;
        return std::string("推定の文");
    });
    prompts.setDefault(false);
    EXPECT_EQ(shop.cmdTornament([](int) { return 8; }), std::nullopt);
    EXPECT_EQ(asked, DollClass::Novice);
    EXPECT_EQ(prompts.messages().back(), "Noviceクラスのトーナメントに参加しますか？\n\n推定の文");
    shop.setTournamentEstimate([](DollClass) { return std::string(); });
    EXPECT_EQ(shop.cmdTornament([](int) { return 8; }), std::nullopt);
    EXPECT_EQ(prompts.messages().back(), "Noviceクラスのトーナメントに参加しますか？");
}

// The read-outs are written exactly: the name straight after its caption, numbers with a blank.
TEST_F(WorkshopFixture, CharacterAndVersionReadOuts) {
    Owner& o = game.owner(0);
    o.name = "鋼野拳士";
    o.skillPlay = 11;
    o.Lv = 2;
    o.exp = 0;
    shop.mnChar();
    EXPECT_EQ(prompts.calls.back().msg, "プレイヤー名鋼野拳士\n操作能力 11\nレベル 2\n経験値 0");
    shop.mnVer();
    EXPECT_EQ(prompts.calls.back().msg, "VARGO\nver.1.00\n2005/01/23");
}

TEST_F(WorkshopFixture, QuitAsksOnlyWhenUnsaved) {
    game.savedFlag = true;
    EXPECT_TRUE(shop.mnEnd());
    EXPECT_TRUE(prompts.calls.empty());
    game.savedFlag = false;
    prompts.answer(false);
    EXPECT_FALSE(shop.mnEnd());
    EXPECT_EQ(prompts.calls.back().msg, "セーブしていませんが、よろしいですか？");
}

// File → Start drops the career in hand as Quit does, so it asks the same question; Cancel stays in
// the workshop with its music, OK goes back to the start.
TEST_F(WorkshopFixture, StartAsksAsQuitDoesWhenUnsaved) {
    test::FakeActions actions;
    game.savedFlag = false;
    prompts.answer(false);
    EXPECT_FALSE(shop.mnStart(actions));
    EXPECT_TRUE(actions.calls.empty());
    EXPECT_TRUE(sound.requests.empty());  // the music was not stopped
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0].msg, "セーブしていませんが、よろしいですか？");
    EXPECT_EQ(prompts.calls[0].buttons, BoxButtons::OkCancel);
    prompts.answer(true);
    EXPECT_TRUE(shop.mnStart(actions));
    EXPECT_EQ(actions.calls, std::vector<std::string>{"start"});
    game.savedFlag = true;
    EXPECT_TRUE(shop.mnStart(actions));
    EXPECT_EQ(prompts.calls.size(), 2u);  // a saved game goes back without a question
    EXPECT_EQ(actions.calls.size(), 2u);
}

// A machine without audio says so once, then stays quiet.
// Going into the shop or the program editor is a change to save; only a save that was written
// makes the game saved again.
TEST_F(WorkshopFixture, SavedFlagFollowsTheMenus) {
    test::FakeActions actions;
    shop.cmdShop(actions);
    EXPECT_FALSE(game.savedFlag);
    game.savedFlag = true;
    shop.cmdProgram(actions);
    EXPECT_FALSE(game.savedFlag);
    shop.mnSave(actions);  // the slot screen was left without a number
    EXPECT_FALSE(game.savedFlag);
    actions.slot = 3;
    shop.mnSave(actions);
    EXPECT_TRUE(game.savedFlag);
    EXPECT_EQ(actions.calls,
              (std::vector<std::string>{"shop", "program", "slot-save", "slot-save", "save3"}));
}

TEST_F(WorkshopFixture, LoadingADuelistAsksFirst) {
    test::FakeActions actions;
    actions.slot = 2;
    prompts.answer(false);
    shop.mnLdDuel(actions);
    EXPECT_TRUE(actions.calls.empty());
    EXPECT_EQ(prompts.calls.back().msg, "対戦相手をロードしますか？");
    prompts.answer(true);
    shop.mnLdDuel(actions);
    EXPECT_EQ(actions.calls, (std::vector<std::string>{"slot-load", "duelist2"}));
}

// Entering the Doll as an enemy and loading a duelist work out of sight, so success is told with
// the Doll's name; a failure has been told by the registry or the save files, and gets no word here.
TEST_F(WorkshopFixture, EntryAndDuelistLoadSayWhatWasDone) {
    test::FakeActions actions;
    game.theDoll(0).name = "アイアン";
    shop.mnEntry(actions);
    EXPECT_EQ(prompts.messages(), std::vector<std::string>{"アイアンを敵として登録しました"});
    actions.entryNumber = 0;
    shop.mnEntry(actions);
    EXPECT_EQ(prompts.calls.size(), 1u);

    prompts = ScriptedPrompts();
    actions.slot = 3;
    game.theDoll(1).name = "ブロンズ";
    prompts.answer(true);
    shop.mnLdDuel(actions);
    EXPECT_EQ(prompts.messages(), (std::vector<std::string>{"対戦相手をロードしますか？",
                                                            "ブロンズを対戦相手として読み込みました"}));
    actions.duelistLoaded = false;
    prompts.answer(true);
    shop.mnLdDuel(actions);
    EXPECT_EQ(prompts.calls.size(), 3u);
    EXPECT_EQ(actions.calls,
              (std::vector<std::string>{"entry", "entry", "slot-load", "duelist3", "slot-load", "duelist3"}));
}

TEST_F(WorkshopFixture, MusicFailureIsReportedOnce) {
    struct DeadSound : Sound {
        bool playMusic(const std::string&, bool) override { return false; }
        bool playEffect(const std::string&) override { return false; }
        void stopMusic() override {}
    } dead;
    Workshop w{game, prompts, dead};
    game.playMusic = true;
    w.stMusic("ind30xg");
    w.stMusic("jzz33xg");
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0].msg,
              "この環境ではＢＧＭを再生できません。必要なランタイムをインストールして下さい。");
    shop.stMusic("ind30xg");
    ASSERT_EQ(sound.requests.size(), 1u);
    EXPECT_TRUE(sound.requests[0].loop);
    game.playMusic = false;
    shop.stMusic("ind30xg");
    EXPECT_EQ(sound.requests.size(), 1u);
}

// On a machine without sound every screen fails to play, but the player hears it once a run: the
// workshop, a workshop opened again by a load, a fight's tune and blows, the shop all keep quiet
// after the first, until System → BGM is switched on again.
TEST_F(WorkshopFixture, CannotPlayIsToldOnceARunWhateverTheScreen) {
    struct DeadSound : Sound {
        bool playMusic(const std::string&, bool) override { return false; }
        bool playEffect(const std::string&) override { return false; }
        void stopMusic() override {}
    } dead;
    auto count = [this](const std::string& msg) {
        const auto all = prompts.messages();
        return std::count(all.begin(), all.end(), msg);
    };
    auto told = [&count] { return count(kCannotPlayMusic); };
    game.playMusic = true;
    Workshop first{game, prompts, dead};
    first.workshopMusic();
    EXPECT_EQ(told(), 1);

    Workshop reopened{game, prompts, dead};
    reopened.openLoadedGame();
    reopened.workshopMusic();
    ScriptedCommander commander;
    MemoryEnemies nobody;
    for (int battle = 0; battle < 2; ++battle) {
        Fight fight{game, rng, prompts, commander, nobody, &dead};
        fight.setMode(FightMode::Street);
        fight.load();
    }
    Shop shopWindow{game, PerKind<CatalogueTable>{}, prompts, &dead};
    EXPECT_EQ(told(), 1);
    // Both battles opened and found nobody to fight: they ran, in silence.
    EXPECT_EQ(count("対戦できる敵Dollが登録されていません。"), 2);

    reopened.mnBGM();  // off
    EXPECT_EQ(told(), 1);
    reopened.mnBGM();  // on again: tried afresh, and told once more
    reopened.workshopMusic();
    Fight after{game, rng, prompts, commander, nobody, &dead};
    after.setMode(FightMode::Street);
    after.load();
    EXPECT_EQ(told(), 2);
}

TEST_F(WorkshopFixture, CharacterCreationRollsAndEntry) {
    ScriptedRandom dice;  // making the game draws nothing: these are the new player's rolls
    dice.pushDie(6, 6);
    dice.pushDie(6, 5);
    dice.pushDie(6, 1);
    dice.pushDie(6, 2);
    dice.pushDie(6, 3);
    Game g{GameFolder("."), dice};
    g.guideOn = true;
    FCharMake make(g);
    EXPECT_EQ(make.dspOparate(), "12");
    EXPECT_EQ(make.dspRl(), "1700");
    EXPECT_EQ(make.dspName(), "鋼野拳士");
    EXPECT_NE(make.guideText().find("Resetボタン"), std::string::npos);
    make.cmdEntry("");
    EXPECT_TRUE(make.value);
    EXPECT_EQ(g.owner(0).name, "");
}

}  // namespace
}  // namespace vargo
