#include "persistence/fitted_parts.h"

#include <set>

#include "model/doll_parts.h"
#include "model/owner.h"

namespace vargo {
namespace {

// What the Doll file says about a fitted part beyond its ID: the damage it carries.
void carry(Motor& to, const Motor& from) {
    to.HP = from.HP;
}
void carry(DollFrame& to, const DollFrame& from) {
    to.HP = from.HP;
}
template <class Part>
void carry(Part&, const Part&) {}

// The owner's part that stands for `fitted`, or `fitted` itself (marked used) when there is none.
template <class Part>
std::shared_ptr<Part> ownedTwin(const std::shared_ptr<Part>& fitted, const Owner& o,
                                std::set<const void*>& taken) {
    if (isEmptyPart(fitted)) {
        return fitted;
    }
    for (int k = 0; k < kindInfo(kindOf<Part>).covered; ++k) {
        const std::shared_ptr<Part>& owned = o.part<Part>(k);
        if (!isEmptyPart(owned) && owned->ID == fitted->ID && taken.insert(owned.get()).second) {
            carry(*owned, *fitted);
            return owned;
        }
    }
    fitted->isNew = false;
    return fitted;
}

}  // namespace

void shareFittedParts(Owner& o, doll& d) {
    std::set<const void*> taken;
    forEachKind([&]<class Part>(KindTag<Part> kind) {
        for (int i = 0; i < kind.info().dollSlots; ++i) {
            setDollPart(d, i, ownedTwin(dollPart<Part>(d, i), o, taken));
        }
    });
}

}  // namespace vargo
