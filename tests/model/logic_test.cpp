#include "model/logic.h"

#include <gtest/gtest.h>

#include "model/parts.h"
#include "ports/prompts.h"

namespace vargo {
namespace {

ActionPtr costly(int code, int ap, int mem) {
    auto a = makeAction(code);
    a->AP = static_cast<Int16>(ap);
    a->Memory = static_cast<Int16>(mem);
    return a;
}

TEST(LogicTest, TenStepsThenTheMessageOnce) {
    ScriptedPrompts prompts;
    Logic l;
    auto punch = costly(kPunch, 3, 2);
    for (int i = 0; i < 10; ++i) {
        EXPECT_TRUE(l.addAction(punch, prompts));
    }
    EXPECT_EQ(l.AP, 30);
    EXPECT_EQ(l.Memory, 20);
    EXPECT_FALSE(l.addAction(punch, prompts));
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0].msg, "これ以上複雑な動きにはできません");
    EXPECT_EQ(prompts.calls[0].kind, ScriptedPrompts::Kind::MsgBox);
    EXPECT_EQ(l.AP, 30);
}

TEST(LogicTest, AnEmptyActionLeavesItsStepFree) {
    ScriptedPrompts prompts;
    Logic l;
    l.addAction(makeAction(kNoAction), prompts);
    auto kick = costly(kKick, 4, 5);
    l.addAction(kick, prompts);
    EXPECT_EQ(l.getActions(0), kick);
    EXPECT_EQ(l.getActionsname(0), "キック");
    EXPECT_EQ(l.getActionsname(1), "");
}

TEST(LogicTest, RemoveAllAndTotals) {
    ScriptedPrompts prompts;
    Logic l;
    l.addAction(costly(kMove, 2, 1), prompts);
    l.removeAll();
    EXPECT_EQ(l.getTotalAP(), 0);
    EXPECT_EQ(l.getTotalMem(), 0);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(l.getActionsname(i), "");
    }
    // setAction leaves the stored total stale until it is recomputed.
    l.setAction(costly(kJump, 5, 6), 3);
    EXPECT_EQ(l.AP, 0);
    EXPECT_EQ(l.getTotalAP(), 5);
    EXPECT_EQ(l.getTotalMem(), 6);
    l.setAction(costly(kJump, 5, 6), 10);  // outside 0..9: ignored
    EXPECT_EQ(l.getActions(10), nullptr);
    EXPECT_EQ(l.getActionsname(-1), "");
}

TEST(LogicTest, TotalsSkipOverflowingSteps) {
    Logic l;
    l.setAction(costly(kPunch, 30000, 0), 0);
    l.setAction(costly(kPunch, 5000, 0), 1);
    l.setAction(costly(kPunch, 7, 0), 2);
    EXPECT_EQ(l.getTotalAP(), 30007);
}

TEST(LogicTest, CloneClosesGapsAndSharesActions) {
    Logic l;
    l.ID = 3;
    l.name = "連打";
    auto p = costly(kPunch, 2, 3);
    l.setAction(p, 2);
    l.setAction(p, 7);
    auto c = l.clone();
    EXPECT_EQ(c->ID, 3);
    EXPECT_EQ(c->name, "連打");
    EXPECT_EQ(c->getActions(0), p);
    EXPECT_EQ(c->getActions(1), p);
    EXPECT_EQ(c->getActionsname(2), "");
    EXPECT_EQ(c->AP, 4);
    EXPECT_EQ(c->Memory, 6);
}

// Steps refer to the software's actions: replacing the software leaves old patterns on old costs.
TEST(LogicTest, StepsKeepTheirSoftwaresCosts) {
    ScriptedPrompts prompts;
    SoftMobile oldSoft;
    oldSoft.move->AP = 3;
    Logic l;
    l.addAction(oldSoft.getAction(kMove), prompts);
    SoftMobile newSoft;
    newSoft.move->AP = 1;
    EXPECT_EQ(l.getTotalAP(), 3);
    oldSoft.move->AP = 4;  // the same record, so the pattern sees the change
    EXPECT_EQ(l.getTotalAP(), 4);
}

}  // namespace
}  // namespace vargo
