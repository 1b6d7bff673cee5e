#include "career/upkeep.h"

#include "model/owner.h"
#include "model/random.h"
#include "ports/prompts.h"

namespace vargo {

long long rollIncome(Random& rng) {
    const long long a = Int(4 * rng.next() + 1);
    const long long b = Int(4 * rng.next() + 1);
    return (a + b + 3) * 50;
}

long long collectIncome(Owner& owner, Random& rng, Prompts& prompts) {
    const long long income = rollIncome(rng);
    addClamped(owner.Rl, income, kInt16Min, kMaxMoney);
    prompts.showMsg("臨時収入が" + Str(income) + "Rl入った");
    return income;
}

// Both sums are worked in double precision. For 16-bit HP and money, single precision rounds every
// one of them to the same whole number, so the precision never shows in a price or an HP.
long long repairCost(int HP, int maxHP) {
    return roundHalfEven((maxHP - HP) / 7.0 * 10 + 100);
}

int partialRepairHP(int HP, int maxHP, int money) {
    const long long reached = roundHalfEven(HP + (money - 100) / 10.0 * 7);
    return clampMax(static_cast<int>(reached), maxHP);
}

Repair repairPart(Int16& HP, Int16 maxHP, Int16& money) {
    const long long cost = repairCost(HP, maxHP);
    if (cost <= 100) {
        return {};
    }
    if (cost <= money) {
        HP = maxHP;
        money = static_cast<Int16>(money - cost);
        return {Repair::Full, cost};
    }
    if (money >= 110) {
        HP = static_cast<Int16>(partialRepairHP(HP, maxHP, money));
        // The whole purse goes, so that is the price the player is told.
        Repair r{Repair::Partial, money};
        money = 0;
        return r;
    }
    return {};
}

std::string repairNotice(const std::string& part, const Repair& repair, bool endLine) {
    switch (repair.kind) {
        case Repair::None:
            return {};
        case Repair::Full:
            return part + "を修理しました\n（代金" + Str(repair.charged) + "Rl）" + (endLine ? "\n" : "");
        case Repair::Partial:
            return part + "を修理しました\n（代金" + Str(repair.charged) +
                   "Rl）\n金額不足で途中までしか直りません";
    }
    return {};
}

}  // namespace vargo
