// The fight report, counted event by event. A basic action is settled by the first event that
// says how it went; an action that nothing contradicts by the time the next one begins (a move, a
// spin, a guard, a breakfall) did what it is for.

#include "battle/fight_report.h"

#include <algorithm>

#include "battle/fight.h"
#include "model/doll.h"

namespace vargo {

FightReport::FightReport(const doll& a, const doll& b) : source{&a, &b} {
    dolls[0].name = a.name;
    dolls[1].name = b.name;
    current = {a.Motor->HP, a.frame->HP, b.Motor->HP, b.frame->HP};
    startHP = current;
}

void FightReport::takeStep(const std::vector<FightEvent>& events) {
    for (const FightEvent& e : events) {
        take(e);
    }
    settle(true);
    ++steps;
    hp.push_back({steps, current[0], current[1], current[2], current[3]});
}

void FightReport::takeEvents(const FightEvent* first, const FightEvent* last) {
    for (; first != last; ++first) {
        take(*first);
    }
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
            startHP = current;
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

BoutRecord::BoutRecord(std::shared_ptr<const doll> a, std::shared_ptr<const doll> b)
    : fighters{std::move(a), std::move(b)}, report(*fighters[0], *fighters[1]) {}

void BoutReports::take(const Fight& f, bool step) {
    const std::vector<FightEvent>& events = f.stepEvents();
    const FightEvent* begin = events.data();
    const FightEvent* end = begin + events.size();
    const FightEvent* opening = std::find_if(
        begin, end, [](const FightEvent& e) { return e.kind == FightEventKind::BoutStart && e.who == 0; });
    if (!bouts_.empty() && step) {
        FightReport& r = bouts_.back().report;
        r.takeEvents(begin, opening);
        r.takeStep({});
    }
    if (opening != end) {
        bouts_.emplace_back(f.fighterPtr(0), f.fighterPtr(1));
        bouts_.back().report.takeEvents(opening, end);
    }
}

bool BoutReports::anyFought() const {
    return std::any_of(bouts_.begin(), bouts_.end(), [](const BoutRecord& b) { return b.report.steps > 0; });
}

}  // namespace vargo
