#include "screens/shop.h"

#include <gtest/gtest.h>

#include "model/game.h"
#include "ports/prompts.h"
#include "ports/sound.h"
#include "support/test_support.h"

namespace vargo {
namespace {

constexpr int kProtectorPos = 3;
constexpr int kBoosterPos = 2;

struct ShopFixture : ::testing::Test {
    test::TempGameFolder dir;
    ScriptedRandom rng{std::vector<double>(8, 0.0)};
    std::unique_ptr<Game> game;
    std::unique_ptr<CatalogueReader> reader;
    ScriptedPrompts prompts;
    RecordingSound sound;

    void SetUp() override {
        dir.copyShippedIni();
        // A motor of price 25 at ID 3 for the resale rounding; IDs 1 and 2 stay ordinary.
        dir.write("ini/Motor.ini", {".001", "ミニ", "150", "4,70,10", ".002", "ミドル", "240", "6,80,14",
                                    ".003", "安物", "25", "1,40,9"});
        game = std::make_unique<Game>(dir.folder(), rng);
        game->owner().Rl = 2000;
        reader = std::make_unique<CatalogueReader>(dir.folder());
    }
    std::unique_ptr<Shop> open() { return std::make_unique<Shop>(*game, *reader, prompts, &sound); }
    Owner& owner() { return game->owner(); }
};

// Opening plays the shop's tune (only when music is on) and shows motors with their columns.
TEST_F(ShopFixture, OpeningShowsMotorsAndPlaysTune) {
    auto shop = open();
    ASSERT_EQ(sound.requests.size(), 1u);
    EXPECT_EQ(sound.requests[0].name, "jzz33xg");
    EXPECT_EQ(shop->headers(), (std::vector<std::string>{"Name", "Rl", "Pow", "HP", "weight"}));
    ASSERT_EQ(shop->offered().size(), 3u);
    EXPECT_EQ(shop->offered()[2].name, "安物");
    EXPECT_EQ(shop->offered()[2].values, (std::vector<std::string>{" 25", " 1", " 40", " 9"}));
    EXPECT_EQ(shop->moneyText(), " 2000");

    game->playMusic = false;
    sound.requests.clear();
    open();
    EXPECT_TRUE(sound.requests.empty());
}

TEST_F(ShopFixture, SoftwareColumnsPairCostsAndCarryActionTips) {
    auto shop = open();
    shop->dsp_Parts(6);
    EXPECT_EQ(shop->headers()[4], "Rock");
    EXPECT_EQ(shop->headerTips()[4], "組み");
    EXPECT_EQ(shop->offered()[0].values[1], " 3： 1");  // punch of the first attack software
    shop->hoverValues();
    EXPECT_EQ(shop->helpLine(), "使用行動ポイント：メモリ：小さいほど多くの技が出せます");
    shop->hoverHeader(1);
    EXPECT_EQ(shop->helpLine(), "値段");
    shop->hoverHeader(0);
    EXPECT_EQ(shop->helpLine(), "");
    // The software action headers explain nothing, even where a part column shares their caption.
    for (int pos : {5, 7}) {
        shop->dsp_Parts(pos);
        shop->hoverHeader(1);
        shop->hoverHeader(2);
        EXPECT_EQ(shop->helpLine(), "") << shop->headers()[2];
    }
    shop->dsp_Parts(0);
    shop->hoverHeader(2);
    shop->hoverValues();  // not a software kind: the help line stays
    EXPECT_EQ(shop->helpLine(), "パワー：相手に与えるダメージの他、組みついた時の強さに影響します");
}

// Money exactly equal to the price buys and leaves 0; one less is refused with the plain box.
TEST_F(ShopFixture, PriceTestAtTheBoundary) {
    auto shop = open();
    owner().Rl = 150;
    shop->clickOffered(0);
    EXPECT_EQ(prompts.calls.at(0).msg, "購入しますか？");
    EXPECT_EQ(prompts.calls.at(0).title, "ミニ");
    EXPECT_EQ(owner().Rl, 0);
    EXPECT_EQ(owner().getMotor(0)->maxHP, 70);
    EXPECT_EQ(shop->inventory(Shop::kNewList).back().tag, 1001);

    shop->clickOffered(0);
    EXPECT_EQ(prompts.calls.back().kind, ScriptedPrompts::Kind::MsgBox);
    EXPECT_EQ(prompts.calls.back().msg, "お金が足りません");
    EXPECT_TRUE(isEmptyPart(owner().getMotor(1)));
}

// The capacity test comes first: a fifth motor or a sixth booster costs nothing.
TEST_F(ShopFixture, FullInventoryChargesNothing) {
    auto shop = open();
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(shop->buy_rtn(0, 1));
    }
    const int money = owner().Rl;
    EXPECT_FALSE(shop->buy_rtn(0, 1));
    EXPECT_EQ(prompts.messages().back(), "これ以上買えません");
    EXPECT_EQ(owner().Rl, money);
    EXPECT_EQ(shop->inventory(Shop::kNewList).size(), 4u);

    owner().Rl = 30000;
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(shop->buy_rtn(kBoosterPos, 1));
    }
    EXPECT_FALSE(shop->buy_rtn(kBoosterPos, 1));
}

// Separate objects per purchase: damage to one bought motor never shows on the other.
TEST_F(ShopFixture, EachPurchaseIsItsOwnPart) {
    auto shop = open();
    shop->buy_rtn(0, 2);
    shop->buy_rtn(0, 2);
    ASSERT_NE(owner().getMotor(0), owner().getMotor(1));
    owner().getMotor(0)->HP = 1;
    EXPECT_EQ(owner().getMotor(1)->HP, 80);
    shop->buy_rtn(6, 1);
    shop->buy_rtn(6, 1);
    EXPECT_NE(owner().getSoftA(0)->kick, owner().getSoftA(1)->kick);
}

// Copies of one protector are told apart by a count of those owned with the same ID.
TEST_F(ShopFixture, ProtectorSuffixesCountByID) {
    auto shop = open();
    for (int i = 0; i < 3; ++i) {
        shop->buy_rtn(kProtectorPos, 1);
    }
    EXPECT_EQ(owner().getProtector(0)->name, "ラバーパッド Rubber");
    EXPECT_EQ(owner().getProtector(1)->name, "ラバーパッド Rubber1");
    EXPECT_EQ(owner().getProtector(2)->name, "ラバーパッド Rubber2");
    // Counting goes by ID: with two left after a sale the next copy is suffix 2 again.
    shop->sel_rtn(0, Shop::kNewList);
    shop->buy_rtn(kProtectorPos, 1);
    EXPECT_EQ(shop->inventory(Shop::kNewList).back().name, "ラバーパッド Rubber2");
}

// Removal goes by kind, ID and state: the clicked row leaves the list, the first match leaves
// the inventory.
TEST_F(ShopFixture, RemovalByKindIdAndState) {
    auto shop = open();
    shop->buy_rtn(kProtectorPos, 1);
    shop->buy_rtn(kProtectorPos, 1);
    shop->sel_rtn(1, Shop::kNewList);
    ASSERT_EQ(shop->inventory(Shop::kNewList).size(), 1u);
    EXPECT_EQ(shop->inventory(Shop::kNewList)[0].name, "ラバーパッド Rubber");
    EXPECT_EQ(owner().getProtector(0)->name, "ラバーパッド Rubber1");
}

// A used part of price 25 shows 12 and credits money + 12.5 rounded halves to even.
TEST_F(ShopFixture, ResaleOfUsedPartRoundsHalvesToEven) {
    for (int money : {100, 101}) {
        auto m = std::make_shared<Motor>();
        m->ID = 3;
        m->name = "安物";
        m->isNew = false;
        ASSERT_TRUE(owner().setMotor(m));
        owner().Rl = static_cast<Int16>(money);
        prompts.calls.clear();
        auto shop = open();
        ASSERT_EQ(shop->inventory(Shop::kUsedList).size(), 1u);
        shop->clickInventory(Shop::kUsedList, 0);
        EXPECT_EQ(prompts.calls.at(0).msg, "安物（ 12Rl）\n返品しますか？");
        EXPECT_EQ(owner().Rl, money == 100 ? 112 : 114);
        EXPECT_TRUE(shop->inventory(Shop::kUsedList).empty());
        EXPECT_TRUE(isEmptyPart(owner().getMotor(0)));
    }
}

// A new part refunds the full price; money stops at 32767.
TEST_F(ShopFixture, RefundIsFullAndMoneyIsCapped) {
    auto shop = open();
    shop->buy_rtn(0, 2);
    EXPECT_EQ(owner().Rl, 2000 - 240);
    shop->clickInventory(Shop::kNewList, 0);
    EXPECT_EQ(owner().Rl, 2000);
    shop->buy_rtn(0, 2);
    owner().Rl = 32700;
    shop->sel_rtn(0, Shop::kNewList);
    EXPECT_EQ(owner().Rl, 32767);
}

// Selling any computer or software clears programed; any booster takes every booster off.
TEST_F(ShopFixture, SaleTakesTheKindOffTheDoll) {
    auto shop = open();
    doll& d = game->theDoll();
    shop->buy_rtn(kBoosterPos, 1);
    shop->buy_rtn(kBoosterPos, 2);
    ASSERT_TRUE(d.addBooster(owner().getBooster(0)));
    d.programed = true;
    shop->buy_rtn(5, 1);  // a spare movement software, never fitted
    shop->sel_rtn(2, Shop::kNewList);
    EXPECT_FALSE(d.programed);
    shop->sel_rtn(1, Shop::kNewList);
    EXPECT_TRUE(isEmptyPart(d.getBoost(0)));
    EXPECT_EQ(owner().getBooster(0)->ID, 1);
}

// A catalogue with a hole in its IDs: each row keeps its own part, so the price asked and the part
// bought are the row's, not those of the entry one further down.
TEST_F(ShopFixture, RowsKeepTheirIdAcrossCatalogueGaps) {
    dir.write("ini/Motor.ini", {".001", "ミニ", "150", "4,70,10", ".003", "大型", "400", "9,90,20"});
    CatalogueReader gapped(dir.folder());
    Shop shop(*game, gapped, prompts, nullptr);
    ASSERT_EQ(shop.offered().size(), 2u);
    EXPECT_EQ(shop.getRl(1), 400);
    shop.clickOffered(1);
    EXPECT_EQ(owner().getMotor(0)->ID, 3);
    EXPECT_EQ(owner().Rl, 2000 - 400);
}

// A purchase lands at the end of the new list; reopening lists kind by kind in slot order.
TEST_F(ShopFixture, ReopeningListsInventoryInKindOrder) {
    auto shop = open();
    shop->buy_rtn(kBoosterPos, 4);
    shop->buy_rtn(0, 2);
    EXPECT_EQ(shop->inventory(Shop::kNewList)[0].tag, 3004);
    EXPECT_EQ(shop->inventory(Shop::kNewList)[1].tag, 1002);
    auto reopened = open();
    EXPECT_EQ(reopened->inventory(Shop::kNewList)[0].tag, 1002);
    EXPECT_EQ(reopened->inventory(Shop::kNewList)[1].tag, 3004);
}

// Guide: the introduction first, the motor page after one click, hidden after the next.
TEST_F(ShopFixture, GuidePages) {
    game->guideOn = true;
    auto shop = open();
    EXPECT_TRUE(shop->guideVisible());
    EXPECT_EQ(shop->guideText().substr(0, 30), std::string("　ここでDollのパーツを買います。").substr(0, 30));
    shop->guideClicked();
    EXPECT_EQ(shop->guideText(),
              "モーターはパワーを扱うパーツです。\nPowの数値が高いほど、攻撃が当たった時の効果が大きくなりま"
              "す。▼\n");
    shop->guideClicked();
    EXPECT_FALSE(shop->guideVisible());
    game->guideOn = false;
    EXPECT_FALSE(open()->guideVisible());
}

}  // namespace
}  // namespace vargo
