// The computer's choice of pattern and move direction.

#include "battle/search.h"

#include <gtest/gtest.h>

#include "battle/battle_support.h"

namespace vargo {
namespace {

using test::makeDoll;
using test::makePattern;

struct SearchCase : ::testing::Test {
    SearchSituation at(const doll& d, int playAP) {
        book = PatternBook::from(d);
        SearchSituation s;
        s.book = &book;
        s.playAP = playAP;
        return s;
    }
    PatternBook book;
};

// Equal costs: the lower slot stays the choice because only a strictly better one replaces it.
TEST_F(SearchCase, TiesGoToTheLowestSlot) {
    auto d = makeDoll({}, {makePattern({kPunch}, 5, "a"), makePattern({kKick}, 5, "b"),
                           makePattern({kKick, kKick}, 6, "c")});
    EXPECT_EQ(searchLogic(at(*d, 5)).slot, 0);
    EXPECT_EQ(searchLogic(at(*d, 6)).slot, 2);
    // Holding the opponent: two equal scores (punch+kick = kick+punch) keep the lower slot.
    auto e = makeDoll({}, {makePattern({kPunch, kKick}, 4), makePattern({kKick, kPunch}, 4)});
    SearchSituation s = at(*e, 9);
    s.holdsOther = true;
    EXPECT_EQ(searchLogic(s).slot, 0);
}

TEST_F(SearchCase, NothingAffordableOrFreeIsNeverChosen) {
    auto d = makeDoll({}, {makePattern({kPunch}, 9), makePattern({kPunch, kKick}, 0)});
    SearchSituation s = at(*d, 8);
    EXPECT_EQ(searchLogic(s).slot, -1);
    EXPECT_EQ(searchLogic(s).AP, 0);
    s.holdsOther = true;  // a cost-0 pattern with blows would score, but never counts
    EXPECT_EQ(searchLogic(s).slot, -1);
    s.holdsOther = false;
    s.fallen = true;
    EXPECT_EQ(searchLogic(s).slot, -1);
}

TEST_F(SearchCase, EachSituationPicksItsSearch) {
    auto d = makeDoll({}, {makePattern({kHazusi}, 3, "外し"), makePattern({kSpin, kPunch}, 4, "起き"),
                           makePattern({kBlock, kBlock}, 9, "守り"), makePattern({kMove, kPunch}, 5, "寄り"),
                           makePattern({kKumi, kDrop}, 6, "投げ"), makePattern({kPunch, kHold}, 7, "折り")});
    SearchSituation s = at(*d, 12);
    s.heldByOther = true;
    EXPECT_EQ(searchLogic(s).slot, 0);
    s.heldByOther = false;
    s.fallen = true;
    EXPECT_EQ(searchLogic(s).slot, 1);  // the only pattern with a spin, however strong the others
    s.fallen = false;
    s.holdsOther = true;
    EXPECT_EQ(searchLogic(s).slot, 5);  // punch + lock 16 beats spin+punch 7 and grapple+throw 9
    s.holdsOther = false;
    s.span = 3;
    EXPECT_EQ(searchLogic(s).slot, 3);
    s.span = 0;
    EXPECT_EQ(searchLogic(s).slot, 2);  // plain: dearest without throw or lock
    s.otherMove = 30;
    s.ownMove = 20;
    // searchKumi: the grappling pattern costs 6 > 9 / 2, so it wins over the plain choice.
    EXPECT_EQ(searchLogic(s).slot, 4);
    s.ownMove = 30;  // equal move: the plain choice again
    EXPECT_EQ(searchLogic(s).slot, 2);
}

// Several situations at once: the first matching rule decides.
TEST_F(SearchCase, TheFirstMatchingSituationDecides) {
    auto d = makeDoll({}, {makePattern({kHazusi}, 3), makePattern({kSpin, kPunch}, 4),
                           makePattern({kPunch, kKick}, 5), makePattern({kMove, kPunch}, 6)});
    SearchSituation s = at(*d, 12);
    s.heldByOther = s.fallen = s.holdsOther = true;
    s.span = 3;
    s.otherMove = 30;
    EXPECT_EQ(searchLogic(s).slot, 0);
    s.heldByOther = false;
    EXPECT_EQ(searchLogic(s).slot, 1);
    s.fallen = false;
    EXPECT_EQ(searchLogic(s).slot, 2);
    s.holdsOther = false;
    EXPECT_EQ(searchLogic(s).slot, 3);
}

TEST_F(SearchCase, AttackNeedsABlowAndMoveNeedsAMoveFirst) {
    auto d = makeDoll({}, {makePattern({kBlock, kUke}, 2), makePattern({kJump, kMove}, 3)});
    SearchSituation s = at(*d, 12);
    s.holdsOther = true;
    EXPECT_EQ(searchAttack(s).slot, -1);
    s.holdsOther = false;
    s.span = 4;
    EXPECT_EQ(searchMove(s).slot, -1);
}

TEST_F(SearchCase, SpinCountsAThrowOnlyAfterAGrapple) {
    auto d = makeDoll({}, {makePattern({kSpin, kDrop, kDrop}, 3), makePattern({kSpin, kKumi}, 3)});
    SearchSituation s = at(*d, 12);
    s.fallen = true;
    EXPECT_EQ(searchSpin(s).slot, 1);  // 3 + 9 beats 3 + 0 + 0
    s.holdsOther = true;
    EXPECT_EQ(searchSpin(s).slot, 0);  // holding already: 3 + 9 + 9
}

TEST_F(SearchCase, KumiNeedsMoreThanHalfThePlainCost) {
    auto d =
        makeDoll({}, {makePattern({kPunch}, 10), makePattern({kKumi}, 5), makePattern({kKumi, kPunch}, 6)});
    SearchSituation s = at(*d, 12);
    s.otherMove = 9;
    EXPECT_EQ(searchKumi(s).slot, 2);
    auto e = makeDoll({}, {makePattern({kPunch}, 10), makePattern({kKumi}, 5)});
    EXPECT_EQ(searchKumi(at(*e, 12)).slot, 0);  // 5 is not above 10 / 2
}

TEST_F(SearchCase, IsKumiwazaStopsAtTheFirstEmptyPosition) {
    auto d = makeDoll({}, {makePattern({kPunch, kDrop}, 3), makePattern({kPunch}, 3)});
    book = PatternBook::from(*d);
    EXPECT_TRUE(isKumiwaza(book.patterns[0]));
    EXPECT_FALSE(isKumiwaza(book.patterns[1]));
}

TEST_F(SearchCase, HitAwayByPositionAndNextAction) {
    auto d = makeDoll({}, {makePattern({kMove, kMove, kMove, kPunch, kMove, kBlock, kMove}, 3)});
    book = PatternBook::from(*d);
    const FightPattern& p = book.patterns[0];
    EXPECT_EQ(getHitAway(0, p, 0), 0);
    EXPECT_EQ(getHitAway(1, p, 0), 0);
    EXPECT_EQ(getHitAway(2, p, 0), 0);  // a punch follows
    EXPECT_EQ(getHitAway(4, p, 0), 1);  // a block follows, in contact: back away
    EXPECT_EQ(getHitAway(4, p, 2), 0);  // at a distance: close in
    EXPECT_EQ(getHitAway(6, p, 0), 1);  // nothing follows
    EXPECT_EQ(getHitAway(10, p, 5), 1);
}

}  // namespace
}  // namespace vargo
