// The events a fight reports are the whole story: after every step of many seeded fights between
// the shipped enemy Dolls, the screen kept from the events alone stands exactly where the fight
// stands, the damage the events tell adds up to the HP each Doll lost, and the fight report
// counts the same bout.

#include <gtest/gtest.h>

#include "battle/battle_support.h"
#include "battle/fight_report.h"
#include "battle/simulator.h"
#include "persistence/enemy_registry.h"

namespace vargo {
namespace {

void expectScreenMatchesRing(const Fight& f, int step) {
    const FightScreen& s = f.screen();
    const RingState& ring = f.ring();
    ASSERT_EQ(s.span, ring.span) << "step " << step;
    for (int i = 0; i < 2; ++i) {
        const size_t k = static_cast<size_t>(i);
        ASSERT_EQ(s.holding[k], ring.fighters[k].holding != 0) << "step " << step << " fighter " << i;
        ASSERT_EQ(s.fallen[k], ring.fighters[k].fallen != 0) << "step " << step << " fighter " << i;
        ASSERT_EQ(s.motorHP[k], f.fighter(i).Motor->HP) << "step " << step << " fighter " << i;
        ASSERT_EQ(s.frameHP[k], f.fighter(i).frame->HP) << "step " << step << " fighter " << i;
    }
}

// What the events of one bout add up to, counted beside the report.
struct BoutTally {
    std::array<long long, 4> told{};  ///< damage told: motor 0, frame 0, motor 1, frame 1
    int actionSteps = 0;              ///< steps in which a pattern ran

    void take(const Fight& f) {
        for (const FightEvent& e : f.stepEvents()) {
            actionSteps += e.kind == FightEventKind::PatternChosen ? 1 : 0;
            if (e.kind == FightEventKind::Damage) {
                told[static_cast<size_t>(2 * e.who + e.part)] += e.value;
            }
        }
    }
};

// The report counts the same bout: its steps, its patterns, every action settled once, and the
// damage one Doll dealt is the damage the other took.
void expectReportAgrees(const FightReport& report, const BoutTally& tally, int steps, std::uint64_t seed) {
    EXPECT_EQ(report.steps, steps);
    int chosen = 0;
    for (size_t i = 0; i < 2; ++i) {
        const DollReport& d = report.dolls[i];
        for (const PatternTally& p : d.patterns) {
            chosen += p.chosen;
        }
        for (const ActionTally& t : d.actions) {
            EXPECT_EQ(t.tries, t.hits + t.misses) << "seed " << seed;
        }
        EXPECT_EQ(d.damageDealt.motor, report.dolls[1 - i].damageTaken.motor);
        EXPECT_EQ(d.damageTaken.motor, tally.told[2 * i]);
        EXPECT_EQ(d.damageTaken.frame, tally.told[2 * i + 1]);
    }
    EXPECT_EQ(chosen, tally.actionSteps);
}

// A decided bout: the outcome put the HP back, and the Dolls' last HP (endHP) is full HP less the
// damage told, and the report's last HP row.
void expectEndAgrees(const FightReport& report, const BoutTally& tally, const doll& a, const doll& b,
                     const Simulator& sim, std::uint64_t seed) {
    const std::array<int, 4> start{a.Motor->maxHP, a.frame->maxHP, b.Motor->maxHP, b.frame->maxHP};
    const RingState& ring = sim.lastFight().ring();
    EXPECT_EQ(report.winner, ring.winner);
    ASSERT_FALSE(report.hp.empty());
    for (size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(start[k] - tally.told[k], ring.endHP[k]) << "seed " << seed << " part " << k;
        EXPECT_EQ(report.hp.back()[k + 1], ring.endHP[k]) << "seed " << seed;
    }
}

TEST(FightEvents, TheScreenTheDamageAndTheReportFollowFromTheEventsAlone) {
    ScriptedPrompts prompts;
    EnemyRegistry registry(GameFolder(VARGO_SOURCE_DIR "/data"), prompts);
    std::vector<std::shared_ptr<doll>> dolls;
    for (int n = 1; n <= 99; ++n) {
        if (auto d = registry.ldTekiDoll(n)) {
            dolls.push_back(d);
        }
    }
    ASSERT_GE(dolls.size(), 20u);
    int fights = 0;
    int decided = 0;
    for (std::uint64_t seed = 1; seed <= 300; ++seed) {
        const auto& a = dolls[seed % dolls.size()];
        const auto& b = dolls[(seed * 7 + 3) % dolls.size()];
        if (a == b) {
            continue;
        }
        GameRandom rng(seed);
        Simulator sim(rng);
        BoutTally tally;
        FightReport report(*a, *b);
        BoutResult r = sim.play(a, b, Simulator::kStepCap, [&](const Fight& f, int) {
            report.takeStep(f.stepEvents());
            tally.take(f);
            if (!f.closed()) {
                expectScreenMatchesRing(f, f.steps());
            }
        });
        ++fights;
        expectReportAgrees(report, tally, r.steps, seed);
        if (r.winner != kDrawWinner) {
            ++decided;
            expectEndAgrees(report, tally, *a, *b, sim, seed);
        }
    }
    EXPECT_GT(fights, 250);
    EXPECT_GT(decided, 200);
}

}  // namespace
}  // namespace vargo
