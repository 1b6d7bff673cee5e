#include "model/owner.h"

#include "model/random.h"

namespace vargo {

Owner::Owner() {
    // Slots beyond the covered ones (slot 10 of boosters and plates) are never cleared by the
    // rules, but must not be null.
    forEachKind([&]<class Part>(KindTag<Part> kind) {
        for (int k = kind.info().covered; k < kind.info().ownedSlots; ++k) {
            slotsOf<Part>()[static_cast<size_t>(k)] = emptyPart<Part>();
        }
    });
    removeAllPart();
}

int Owner::countProtector(int id) const {
    int n = 0;
    for (int k = 0; k < kLargeCovered; ++k) {
        if (getProtector(k)->ID == id) {
            ++n;
        }
    }
    return n;
}

void Owner::useAllParts() {
    forEachKind([&]<class Part>(KindTag<Part> kind) {
        for (int k = 0; k < kind.info().covered; ++k) {
            slotsOf<Part>()[static_cast<size_t>(k)]->isNew = false;
        }
    });
}

void Owner::removeAllPart() {
    forEachKind([&]<class Part>(KindTag<Part> kind) {
        for (int k = 0; k < kind.info().covered; ++k) {
            slotsOf<Part>()[static_cast<size_t>(k)] = emptyPart<Part>();
        }
    });
}

void Owner::putInitRl(Random& rng) {
    Rl = static_cast<Int16>(roll2D6(rng) * 100 + 1200);
}

void Owner::putInitAbl(Random& rng) {
    // Rolled in double precision: a value just below 1 rounded to single precision would make a
    // seventh face.
    skillPlay = static_cast<Int16>(roll3D6(rng));
    skillHard = static_cast<Int16>(roll3D6(rng));
    skillSoft = static_cast<Int16>(roll3D6(rng));
}

}  // namespace vargo
