// Technique resolution: one fighter's pattern carried out action by action, with the hit and block
// tests and the fall rules. Each turn of events is reported; the battle log tells them.

#include "battle/commander.h"
#include "battle/fight.h"
#include "model/random.h"

namespace vargo {

namespace {

// An ability over the Doll's weight, rounded down; a weightless Doll gets nothing from it.
int perWeight(int ability, double weight, double divisor = 1.0) {
    if (weight <= 0) {
        return 0;
    }
    long long q = Int(ability / weight / divisor);
    return static_cast<int>(q > kInt16Max ? kInt16Max : (q < kInt16Min ? kInt16Min : q));
}

void addPow(int& wazaPow, int add) {
    long long sum = static_cast<long long>(wazaPow) + add;
    wazaPow = static_cast<int>(sum > kInt16Max ? kInt16Max : (sum < kInt16Min ? kInt16Min : sum));
}

}  // namespace

SearchSituation Fight::situation(int who) const {
    const int other = 1 - who;
    SearchSituation s;
    s.book = &books[static_cast<size_t>(who)];
    s.playAP = ring_.playAP;
    s.span = ring_.span;
    s.heldByOther = state(other).holding != 0;
    s.holdsOther = state(who).holding != 0;
    s.fallen = state(who).fallen != 0;
    s.ownMove = fighter(who).move;
    s.otherMove = fighter(other).move;
    return s;
}

const FightPattern& Fight::searchLogic(int who) const {
    return vargo::searchLogic(situation(who));
}

void Fight::waza_rtn(int who, const FightPattern* chosen) {
    FighterState& me = state(who);
    startLog();
    me.ukemiReady = 0;
    me.guarding = 0;
    const FightPattern& p = chosen ? *chosen : searchLogic(who);
    report(FightEventKind::PatternChosen, who, p.slot, p.AP);
    if (me.holding) {
        report(FightEventKind::SureHit, who);
    }
    int wazaPow = 0;
    int level = 0;
    const doll& self = fighter(who);
    for (int pos = 0; pos < 10; ++pos) {
        const int code = p.named[static_cast<size_t>(pos)];
        if (code == 0) {
            break;
        }
        report(FightEventKind::Action, who, code);
        switch (code) {
            case kMove:
                runMove(who, pos, p, wazaPow);
                break;
            case kJump:
                if (!checkTentou2(who, kJump)) {
                    int j = perWeight(self.jump, self.weight);
                    report(FightEventKind::Momentum, who, kJump, j);
                    addPow(wazaPow, j);
                }
                break;
            case kSpin: {
                int s = perWeight(self.spin, self.weight);
                report(FightEventKind::Momentum, who, kSpin, s);
                addPow(wazaPow, s);
                checkTentou(who);
                dspFightImage(who, FightPose::Spin);
                break;
            }
            case kPunch:
            case kKick:
                runBlow(who, code, wazaPow, level);
                break;
            case kKumi:
                runKumi(who, level);
                break;
            case kDrop:
                runDrop(who, wazaPow, level);
                break;
            case kHold:
                if (me.holding) {
                    Damage(who, 4, wazaPow, level);
                } else {
                    report(FightEventKind::NotHolding, who, kHold);
                }
                break;
            case kBlock:
                me.guarding = 1;
                report(FightEventKind::Guard, who);
                dspFightImage(who, FightPose::Guard);
                wazaPow = 0;
                break;
            case kUke:
                me.ukemiReady = -1;
                report(FightEventKind::Breakfall, who);
                wazaPow = 0;
                break;
            case kHazusi:
                runHazusi(who, wazaPow);
                break;
            default:
                break;
        }
    }
    report(FightEventKind::PatternEnd, who, p.slot, p.AP);
}

void Fight::runMove(int who, int position, const FightPattern& p, int& wazaPow) {
    const doll& self = fighter(who);
    int direction = human(who) ? commander.selectMove(ring_.span) : getHitAway(position, p, ring_.span);
    if (direction == 0) {
        if (checkTentou2(who, kMove)) {
            // down: no move at all
        } else if (ring_.grappled()) {
            report(FightEventKind::MoveHeld, who, 0);
        } else if (ring_.span == 0) {
            int pw = perWeight(self.move, self.weight, 2.0);
            report(FightEventKind::Momentum, who, kMove, pw);
            addPow(wazaPow, pw);
        } else {
            int d = perWeight(self.move, self.weight);
            setSpan(clampMax(ring_.span - d, 10));
            report(FightEventKind::Dash, who, 0, d, ring_.span);
            addPow(wazaPow, d);
        }
    } else {
        if (ring_.grappled()) {
            report(FightEventKind::MoveHeld, who, 1);
        } else if (!checkTentou2(who, kMove)) {
            setSpan(clampMax(ring_.span + perWeight(self.move, self.weight), 10));
            report(FightEventKind::BackAway, who, 0, 0, ring_.span);
        }
    }
    dspFightImage(who, FightPose::Move);
}

void Fight::runBlow(int who, int code, int& wazaPow, int& level) {
    level = Hit(who, code);
    if (level >= 1 && !checkTentou2(who, code)) {
        report(FightEventKind::Hit, who, code);
        Damage(who, code == kPunch ? 1 : 2, wazaPow, level);
    } else {
        report(FightEventKind::Miss, who, code);
    }
    dspFightImage(who, code == kPunch ? FightPose::Punch : FightPose::Kick);
}

void Fight::runKumi(int who, int& level) {
    level = Hit(who, kKumi);
    if (level >= 1 && ring_.span == 0) {
        report(FightEventKind::Grapple, who, 0, 1);
        setHolding(who, -1);
    } else {
        report(FightEventKind::Grapple, who, 0, 0);
    }
    dspFightImage(who, FightPose::Grapple);
}

void Fight::runDrop(int who, int& wazaPow, int level) {
    if (state(who).holding) {
        const int other = 1 - who;
        Damage(who, 3, wazaPow, level);
        setHolding(who, 0);
        setFallen(other, -1, false);
        if (state(other).holding) {
            setHolding(other, 0);
            report(FightEventKind::HoldBroken, other);
        }
    } else {
        report(FightEventKind::NotHolding, who, kDrop);
    }
    wazaPow = 0;
}

void Fight::runHazusi(int who, int& wazaPow) {
    const int other = 1 - who;
    if (state(other).holding) {
        int mine = fighter(who).pow + wazaPow + roll(RollKind::EscapeRoll, who, get2D6());
        int theirs = fighter(other).pow + roll(RollKind::EscapeRoll, other, get2D6());
        if (mine >= theirs) {
            setHolding(0, 0);
            setHolding(1, 0);
            report(FightEventKind::Escape, who, static_cast<int>(EscapeResult::BrokeFree));
        } else {
            setHolding(who, 0);
            report(FightEventKind::Escape, who, static_cast<int>(EscapeResult::HeldFast));
        }
    } else if (state(who).holding) {
        setHolding(who, 0);
        report(FightEventKind::Escape, who, static_cast<int>(EscapeResult::LetGo));
    } else {
        report(FightEventKind::Escape, who, static_cast<int>(EscapeResult::Nothing));
    }
    wazaPow = 0;
}

int Fight::Hit(int who, int code) {
    const int other = 1 - who;
    int hitRoll = roll(RollKind::Attack, who, roll2D6(rng));
    int defRoll = roll(RollKind::Defence, other, roll2D6(rng));
    int level = 0;
    const doll& attacker = fighter(who);
    const doll& defender = fighter(other);
    if (state(who).holding) {
        level = hitRoll;
    } else if (attacker.offence + hitRoll >= defender.defence + defRoll) {
        int guard = state(other).guarding;
        if (code != kKumi && guard >= 1) {
            level = bougyo_rtn(other, hitRoll, attacker.offence, defender.defence, guard);
        } else {
            level = hitRoll;
        }
    }
    if (ring_.span >= 1) {
        report(FightEventKind::OutOfReach, who);
        level = 0;
    }
    return level;
}

int Fight::bougyo_rtn(int defender, int hitRoll, int offence, int defence, int guard) {
    int level = hitRoll;
    for (int i = 0; i < guard; ++i) {
        int g = roll(RollKind::GuardRoll, defender, roll2D6(rng));
        if (hitRoll + offence < g + defence) {
            level = 0;
            report(FightEventKind::Blocked, defender);
            break;
        }
    }
    if (level > 0) {
        report(FightEventKind::GuardBroken, defender);
    }
    return level;
}

void Fight::checkTentou(int who) {
    const int other = 1 - who;
    state(who).fallChanged = -1;
    if (state(who).fallen) {
        setFallen(who, 0, true);
    } else {
        setFallen(who, -1, false);
    }
    if (ring_.grappled()) {
        if (state(other).fallen) {
            setFallen(other, 0, false);
        } else {
            setFallen(other, -1, true);
        }
    }
}

bool Fight::checkTentou2(int who, int code) {
    const FighterState& me = state(who);
    bool down = false;
    switch (code) {
        case kPunch:
        case kKick:
            down = me.fallen && !me.fallChanged;
            break;
        case kMove:
        case kJump:
            down = me.fallen != 0;
            break;
        default:
            return false;
    }
    if (down) {
        report(FightEventKind::CannotWhileDown, who, code);
    }
    return down;
}

}  // namespace vargo
