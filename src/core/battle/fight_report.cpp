// The fight report, counted event by event. A basic action is settled by the first event that
// says how it went; an action that nothing contradicts by the time the next one begins (a move, a
// spin, a guard, a breakfall) did what it is for.

#include "battle/fight_report.h"

#include "model/doll.h"

namespace vargo {

FightReport::FightReport(const doll& a, const doll& b) : source{&a, &b} {
    dolls[0].name = a.name;
    dolls[1].name = b.name;
    current = {a.Motor->HP, a.frame->HP, b.Motor->HP, b.frame->HP};
}

void FightReport::takeStep(const std::vector<FightEvent>& events) {
    for (const FightEvent& e : events) {
        take(e);
    }
    settle(true);
    ++steps;
    hp.push_back({steps, current[0], current[1], current[2], current[3]});
}

PatternTally& FightReport::pattern(int who, int slot) {
    std::vector<PatternTally>& list = dolls[static_cast<size_t>(who)].patterns;
    for (PatternTally& p : list) {
        if (p.slot == slot) {
            return p;
        }
    }
    PatternTally p;
    p.slot = slot;
    if (slot >= 0) {
        const LogicPtr& logic = source[static_cast<size_t>(who)]->getLogic(slot);
        p.name = logic ? logic->name : "";
    }
    list.push_back(p);
    return list.back();
}

void FightReport::settle(bool hit) {
    if (pendingWho < 0) {
        return;
    }
    ActionTally& t = dolls[static_cast<size_t>(pendingWho)].actions[static_cast<size_t>(pendingCode)];
    ++(hit ? t.hits : t.misses);
    pendingWho = -1;
}

void FightReport::take(const FightEvent& e) {
    using K = FightEventKind;
    const int who = e.who;
    switch (e.kind) {
        case K::BoutStart:
            current[static_cast<size_t>(2 * who)] = e.value;
            current[static_cast<size_t>(2 * who + 1)] = e.after;
            break;
        case K::PatternChosen: {
            PatternTally& p = pattern(who, e.code);
            ++p.chosen;
            p.apSpent += e.value;
            break;
        }
        case K::Action:
            settle(true);
            if (e.code >= 1 && e.code <= kHazusi) {
                ++dolls[static_cast<size_t>(who)].actions[static_cast<size_t>(e.code)].tries;
                pendingWho = who;
                pendingCode = e.code;
            }
            break;
        case K::Hit:
            settle(true);
            break;
        case K::Miss:
        case K::CannotWhileDown:
        case K::NotHolding:
            settle(false);
            break;
        case K::MoveHeld:
            settle(e.code == 0);
            break;
        case K::Grapple:
            settle(e.value != 0);
            ++(e.value ? dolls[static_cast<size_t>(who)].grapplesWon
                       : dolls[static_cast<size_t>(who)].grapplesLost);
            break;
        case K::Escape: {
            const auto r = static_cast<EscapeResult>(e.code);
            settle(r == EscapeResult::BrokeFree || r == EscapeResult::LetGo);
            if (r == EscapeResult::BrokeFree) {
                ++dolls[static_cast<size_t>(who)].escapes;
            }
            break;
        }
        case K::Damage: {
            const size_t target = static_cast<size_t>(who);
            PartDamage& taken = dolls[target].damageTaken;
            PartDamage& dealt = dolls[1 - target].damageDealt;
            (e.part == 0 ? taken.motor : taken.frame) += e.value;
            (e.part == 0 ? dealt.motor : dealt.frame) += e.value;
            current[2 * target + static_cast<size_t>(e.part)] = e.after;
            // A throw or a lock is settled by its damage; a blow already was, by its hit.
            settle(true);
            break;
        }
        case K::Fall:
            ++dolls[static_cast<size_t>(who)].falls;
            break;
        case K::Outcome:
            winner = who;
            break;
        case K::PatternEnd:
            settle(true);
            break;
        default:
            break;
    }
}

}  // namespace vargo
