// The damage model: a landed technique becomes lost motor and frame HP.

#include "battle/fight.h"
#include "model/random.h"

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

constexpr int kMotorPart = 0;
constexpr int kFramePart = 1;

}  // namespace

int Fight::Damage(int who, int kind, int wazaPow, int /*level*/) {
    const int other = 1 - who;
    const doll& attacker = fighter(who);
    doll& defender = fighterRef(other);
    FighterState& target = state(other);

    const int location = roll(RollKind::Location, who, static_cast<int>(Int(6 * rng.next())));
    int base = 0;
    if (kind == 1) {
        base = roll(RollKind::DamageBase, who, roll2D6(rng));
    } else if (kind == 2 || kind == 3) {
        base = roll(RollKind::DamageBase, who, roll2D8(rng));
    }
    int ukemi = 0;
    if (target.ukemiReady) {
        ukemi = roll(RollKind::UkemiRoll, other, rollDie(rng, 6));
        report(FightEventKind::Ukemi, other, 0, ukemi);
        target.ukemiReady = 0;
    }
    int dmg = amount(base, attacker.pow, wazaPow, defender.AC, ukemi);

    int result = dmg;
    switch (kind) {
        case 1:
        case 2: {
            const bool motor = location > 2;
            Int16& hp = motor ? defender.Motor->HP : defender.frame->HP;
            lower(hp, dmg);
            report(FightEventKind::Damage, other, kind, dmg, hp, motor ? kMotorPart : kFramePart);
            break;
        }
        case 3: {
            lower(defender.Motor->HP, dmg);
            report(FightEventKind::Damage, other, kind, dmg, defender.Motor->HP, kMotorPart);
            int dmg2 = amount(roll(RollKind::DamageBase, who, roll2D8(rng)), attacker.pow, wazaPow,
                              defender.AC, ukemi);
            lower(defender.frame->HP, dmg2);
            report(FightEventKind::Damage, other, kind, dmg2, defender.frame->HP, kFramePart);
            result = dmg2;
            break;
        }
        default: {
            // The lock bends the frame by sheer power: no roll, no armour, no breakfall, no cap.
            long long lock = static_cast<long long>(attacker.pow) + wazaPow;
            lower(defender.frame->HP, static_cast<int>(lock));
            report(FightEventKind::Damage, other, 4, static_cast<int>(lock), defender.frame->HP, kFramePart);
            result = static_cast<int>(lock);
            break;
        }
    }

    ++effects_.count;
    static constexpr int kHeights[] = {0, 10, 30, 180, 30};
    effects_.height = kHeights[kind >= 1 && kind <= 4 ? kind : 4];
    if (state(who).fallen) {
        effects_.height = 180;
    }
    if (target.fallen) {
        effects_.height = 150;
    }
    effects_.target = other;
    stSound("SE");
    return result;
}

}  // namespace vargo
