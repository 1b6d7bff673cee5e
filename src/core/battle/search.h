#pragma once
// How the computer picks a pattern and the direction of each move. The choice is deterministic:
// the situation picks a search, the search scores the seven lowest pattern slots and keeps the
// strictly best affordable one, so among equals the lowest slot wins.

#include <array>
#include <string>

#include "model/doll.h"

namespace vargo {

/// One pattern boiled down to what the fight reads, made once per fight so that the searches do
/// not walk shared pointers on every action.
struct FightPattern {
    static constexpr int kScan = 11;  ///< a scan looks at positions 0..10
    int slot = -1;                    ///< the Doll's pattern slot, -1 for the empty pattern
    int AP = 0;
    std::string name;
    std::array<int, kScan> ids{};    ///< action ID by position; 0 ends the pattern
    std::array<int, kScan> named{};  ///< the action as recognised by its name (0 for none)
};

/// The empty pattern: nothing to do, the fighter only watches.
const FightPattern& emptyPattern();

/// The code whose name is `name` ("移動" -> 1 ... "外し" -> 11), 0 for any other text.
int codeOfName(const std::string& name);

/// The Doll's pattern slots 0..6 as the fight uses them.
struct PatternBook {
    static constexpr int kSlots = 7;
    std::array<FightPattern, kSlots> patterns;

    static PatternBook from(const doll& d);
};

/// Everything a search looks at, seen from the computer's side.
struct SearchSituation {
    const PatternBook* book = nullptr;
    int playAP = 0;
    int span = 0;
    bool heldByOther = false;  ///< the opponent holds the computer
    bool holdsOther = false;   ///< the computer holds the opponent
    bool fallen = false;       ///< the computer is down
    int ownMove = 0;
    int otherMove = 0;
};

const FightPattern& searchLogic(const SearchSituation& s);
const FightPattern& searchHazusi(const SearchSituation& s);
const FightPattern& searchSpin(const SearchSituation& s);
const FightPattern& searchAttack(const SearchSituation& s);
const FightPattern& searchMove(const SearchSituation& s);
const FightPattern& searchKumi(const SearchSituation& s);
/// The plain choice: the dearest affordable pattern without a throw or a joint lock.
const FightPattern& searchPlain(const SearchSituation& s);

/// Whether the scan of p meets a throw or a joint lock.
bool isKumiwaza(const FightPattern& p);

/// The computer's move direction for the move at `position` of p: 0 close in, 1 back away.
int getHitAway(int position, const FightPattern& p, int span);

}  // namespace vargo
