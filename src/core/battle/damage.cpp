// The damage model: a landed technique becomes lost motor and frame HP.

#include "battle/fight.h"
#include "model/random.h"
#include "ports/prompts.h"

namespace vargo {

namespace {

int roll2D8(Random& rng) {
    return rollDie(rng, 8) + rollDie(rng, 8);
}

// base + power + momentum - armour - breakfall, to the nearest (halves to even), kept in 0..100.
int amount(int base, int pow, int wazaPow, double AC, int ukemi) {
    double x = static_cast<double>(base) + pow + wazaPow - AC - ukemi;
    long long r = roundHalfEven(x);
    if (r > 100) {
        r = 100;
    }
    return clampMax(static_cast<int>(r < 0 ? 0 : r), 100);
}

void lower(Int16& HP, int by) {
    addClamped(HP, -static_cast<long long>(by));
}

}  // namespace

int Fight::Damage(int who, int kind, int wazaPow, int /*level*/) {
    const int other = 1 - who;
    const size_t target = static_cast<size_t>(other);
    const doll& attacker = fighter(who);
    doll& defender = fighter(other);

    damageText.clear();
    const int location = static_cast<int>(Int(6 * rng.next()));
    int base = 0;
    if (kind == 1) {
        base = roll2D6(rng);
    } else if (kind == 2 || kind == 3) {
        base = roll2D8(rng);
    }
    int ukemi = 0;
    if (ukemiReady[target]) {
        ukemi = rollDie(rng, 6);
        damageText = "受身効果で" + Str(static_cast<long long>(ukemi)) + "ダメージが軽減されます。";
        ukemiReady[target] = 0;
    }
    int dmg = amount(base, attacker.pow, wazaPow, defender.AC, ukemi);

    int result = dmg;
    switch (kind) {
        case 1:
        case 2:
            lower(location > 2 ? defender.Motor->HP : defender.frame->HP, dmg);
            break;
        case 3: {
            lower(defender.Motor->HP, dmg);
            log("投げ！" + damageText);
            log(lineBreak);
            log("ダメージはモーターに" + Str(static_cast<long long>(dmg)) + "。");
            int dmg2 = amount(roll2D8(rng), attacker.pow, wazaPow, defender.AC, ukemi);
            lower(defender.frame->HP, dmg2);
            logLine("フレームに" + Str(static_cast<long long>(dmg2)) + "！");
            result = dmg2;
            break;
        }
        default: {
            // The lock bends the frame by sheer power: no roll, no armour, no breakfall, no cap.
            long long lock = static_cast<long long>(attacker.pow) + wazaPow;
            lower(defender.frame->HP, static_cast<int>(lock));
            logLine("間接技を極めて行きます。ダメージはフレームに" + Str(lock));
            result = static_cast<int>(lock);
            break;
        }
    }

    ++effectCount;
    static constexpr int kHeights[] = {0, 10, 30, 180, 30};
    effectHeight = kHeights[kind >= 1 && kind <= 4 ? kind : 4];
    if (fallen[static_cast<size_t>(who)]) {
        effectHeight = 180;
    }
    if (fallen[target]) {
        effectHeight = 150;
    }
    effectTarget = other;
    stSound("SE");
    return result;
}

}  // namespace vargo
