#include "battle/search.h"

namespace vargo {

const FightPattern& emptyPattern() {
    static const FightPattern empty;
    return empty;
}

int codeOfName(const std::string& name) {
    for (int code = kMove; code <= kHazusi; ++code) {
        if (name == actionName(code)) {
            return code;
        }
    }
    return 0;
}

PatternBook PatternBook::from(const doll& d) {
    PatternBook book;
    for (int slot = 0; slot < kSlots; ++slot) {
        FightPattern& p = book.patterns[static_cast<size_t>(slot)];
        p.slot = slot;
        const LogicPtr& logic = d.getLogic(slot);
        if (!logic) {
            continue;
        }
        p.AP = logic->AP;
        p.name = logic->name;
        for (int pos = 0; pos < FightPattern::kScan; ++pos) {
            ActionPtr a = logic->getActions(pos);
            p.ids[static_cast<size_t>(pos)] = a ? a->ID : 0;
            p.named[static_cast<size_t>(pos)] = a ? codeOfName(a->name) : 0;
        }
    }
    return book;
}

namespace {

// A cost of 0 never counts as a choice: such a slot is an unprogrammed pattern.
bool affordable(const FightPattern& p, int playAP) {
    return p.AP > 0 && p.AP <= playAP;
}

template <class Pred>
bool scanHas(const FightPattern& p, Pred pred) {
    for (int id : p.ids) {
        if (id == 0) {
            return false;
        }
        if (pred(id)) {
            return true;
        }
    }
    return false;
}

// The dearest affordable pattern that passes the test, the lowest slot among equals.
template <class Pred>
const FightPattern& dearest(const SearchSituation& s, Pred pred) {
    const FightPattern* best = &emptyPattern();
    for (const FightPattern& p : s.book->patterns) {
        if (affordable(p, s.playAP) && p.AP > best->AP && pred(p)) {
            best = &p;
        }
    }
    return *best;
}

// The best-scoring affordable pattern; a score of 0 never wins.
template <class Score>
const FightPattern& bestScore(const SearchSituation& s, Score score) {
    const FightPattern* best = &emptyPattern();
    int bestScore = 0;
    for (const FightPattern& p : s.book->patterns) {
        if (!affordable(p, s.playAP)) {
            continue;
        }
        int sc = score(p);
        if (sc > bestScore) {
            best = &p;
            bestScore = sc;
        }
    }
    return *best;
}

}  // namespace

bool isKumiwaza(const FightPattern& p) {
    return scanHas(p, [](int id) { return id == kDrop || id == kHold; });
}

const FightPattern& searchLogic(const SearchSituation& s) {
    if (s.heldByOther) {
        return searchHazusi(s);
    }
    if (s.fallen) {
        return searchSpin(s);
    }
    if (s.holdsOther) {
        return searchAttack(s);
    }
    if (s.span > 0) {
        return searchMove(s);
    }
    if (s.otherMove > s.ownMove) {
        return searchKumi(s);
    }
    return searchPlain(s);
}

const FightPattern& searchPlain(const SearchSituation& s) {
    return dearest(s, [](const FightPattern& p) { return !isKumiwaza(p); });
}

const FightPattern& searchHazusi(const SearchSituation& s) {
    return dearest(s, [](const FightPattern& p) { return scanHas(p, [](int id) { return id == kHazusi; }); });
}

const FightPattern& searchMove(const SearchSituation& s) {
    return dearest(s, [](const FightPattern& p) { return p.ids[0] == kMove; });
}

const FightPattern& searchAttack(const SearchSituation& s) {
    return bestScore(s, [](const FightPattern& p) {
        int score = 0;
        for (int id : p.ids) {
            if (id == 0) {
                break;
            }
            if (id == kPunch) {
                score += 7;
            } else if (id == kKick || id == kDrop || id == kHold) {
                score += 9;
            }
        }
        return score;
    });
}

const FightPattern& searchSpin(const SearchSituation& s) {
    return bestScore(s, [&s](const FightPattern& p) {
        int score = 0;
        bool spins = false;
        bool grappled = s.holdsOther;
        for (int id : p.ids) {
            if (id == 0) {
                break;
            }
            switch (id) {
                case kSpin:
                    score += 3;
                    spins = true;
                    break;
                case kMove:
                case kBlock:
                case kUke:
                    score += 3;
                    break;
                case kPunch:
                    score += 7;
                    break;
                case kKick:
                    score += 9;
                    break;
                case kKumi:
                    score += 9;
                    grappled = true;
                    break;
                case kDrop:
                case kHold:
                    score += grappled ? 9 : 0;
                    break;
                default:
                    break;
            }
        }
        // Only a pattern that spins gets the Doll back on its feet.
        return spins ? score : 0;
    });
}

const FightPattern& searchKumi(const SearchSituation& s) {
    const FightPattern& plain = searchPlain(s);
    const double half = plain.AP / 2.0;
    const FightPattern& grab = dearest(s, [half](const FightPattern& p) {
        return half < p.AP && scanHas(p, [](int id) { return id == kKumi; });
    });
    return grab.AP > 0 ? grab : plain;
}

int getHitAway(int position, const FightPattern& p, int span) {
    if (position <= 1) {
        return 0;
    }
    if (position >= 10) {
        return 1;
    }
    switch (p.named[static_cast<size_t>(position + 1)]) {
        case kKumi:
        case kKick:
        case kSpin:
        case kPunch:
        case kJump:
            return 0;
        default:
            return span <= 0 ? 1 : 0;
    }
}

}  // namespace vargo
