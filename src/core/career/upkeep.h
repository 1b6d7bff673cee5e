#pragma once
// The upkeep of a career between fights: the odd jobs' income and the repair of a damaged motor or
// frame. A month of work in the workshop and a lost or finished tournament both pay the same income
// and charge the same repair prices; these are the rules both use.

#include <string>

#include "model/numbers.h"

namespace vargo {

class Owner;
class Prompts;
class Random;

/// Two four-sided dice, (a + b + 3) * 50: 250 to 550 Rl. Draws exactly two numbers from rng.
long long rollIncome(Random& rng);
/// Rolls the income, adds it to the owner's money (which stops at kMaxMoney) and tells the player
/// "臨時収入が<n>Rl入った". Returns the income.
long long collectIncome(Owner& owner, Random& rng, Prompts& prompts);

/// The price of a full repair: 10 Rl for every 7 HP missing, plus 100, rounded half to even. An
/// undamaged part costs 100, which no repair ever charges.
long long repairCost(int HP, int maxHP);
/// The HP a partial repair reaches with the whole purse: 7 HP for every 10 Rl above the first 100,
/// rounded half to even, kept within 0 and maxHP.
int partialRepairHP(int HP, int maxHP, int money);

/// What one repair did to a part and to the purse.
struct Repair {
    enum Kind { None, Full, Partial };
    Kind kind = None;
    long long charged = 0;  ///< the Rl taken (the whole purse for a partial repair)
};

/// Repairs one part as far as the money goes: whole when the money covers repairCost; otherwise,
/// with at least 110 Rl, as far as partialRepairHP reaches, which takes all the money. An undamaged
/// part, or a purse under 110 Rl that cannot pay the whole price, leaves both alone.
Repair repairPart(Int16& HP, Int16 maxHP, Int16& money);

/// The message for one repair: "<part>を修理しました\n（代金<n>Rl）", then "\n" after a full repair
/// when `endLine` (another line may follow), or "\n金額不足で途中までしか直りません" after a partial
/// one. Empty when nothing was repaired.
std::string repairNotice(const std::string& part, const Repair& repair, bool endLine);

}  // namespace vargo
