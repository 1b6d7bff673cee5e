#include "model/owner.h"

#include "model/random.h"

namespace vargo {
namespace {

template <class Part, size_t N>
bool addInto(std::array<std::shared_ptr<Part>, N>& slots, int fillable, const std::shared_ptr<Part>& part) {
    for (int k = 0; k < fillable; ++k) {
        if (isEmptyPart(slots[static_cast<size_t>(k)])) {
            slots[static_cast<size_t>(k)] = part;
            return true;
        }
    }
    return false;
}

// Removes the lowest part matching ID and isNew; the rest of the covered range closes up.
template <class Part, size_t N>
void removeFrom(std::array<std::shared_ptr<Part>, N>& slots, int covered, int id, bool isNew) {
    const int last = covered - 1;
    bool found = false;
    for (int k = 0; k <= last; ++k) {
        auto& slot = slots[static_cast<size_t>(k)];
        if (!found && slot->ID == id && slot->isNew == isNew) {
            found = true;
        }
        if (found && k < last) {
            slot = slots[static_cast<size_t>(k + 1)];
        }
    }
    if (found) {
        slots[static_cast<size_t>(last)] = emptyPart<Part>();
    }
}

// Removes that very part when a slot holds it, closing up like removeFrom; the lowest part with
// its ID and isNew when none does.
template <class Part, size_t N>
void removeThePart(std::array<std::shared_ptr<Part>, N>& slots, int covered,
                   const std::shared_ptr<Part>& part) {
    const int last = covered - 1;
    for (int k = 0; k <= last; ++k) {
        if (slots[static_cast<size_t>(k)] == part && !isEmptyPart(part)) {
            for (int j = k; j < last; ++j) {
                slots[static_cast<size_t>(j)] = slots[static_cast<size_t>(j + 1)];
            }
            slots[static_cast<size_t>(last)] = emptyPart<Part>();
            return;
        }
    }
    removeFrom(slots, covered, part->ID, part->isNew);
}

template <class Part, size_t N>
void clearSlots(std::array<std::shared_ptr<Part>, N>& slots, int covered) {
    for (int k = 0; k < covered; ++k) {
        slots[static_cast<size_t>(k)] = emptyPart<Part>();
    }
}

template <class Part, size_t N>
void markUsed(std::array<std::shared_ptr<Part>, N>& slots, int covered) {
    for (int k = 0; k < covered; ++k) {
        slots[static_cast<size_t>(k)]->isNew = false;
    }
}

}  // namespace

Owner::Owner() {
    // Slot 10 of boosters and protectors is never cleared by the rules, but must not be null.
    boosters[kLargeSlots - 1] = emptyPart<Booster>();
    protectors[kLargeSlots - 1] = emptyPart<Protector>();
    removeAllPart();
}

bool Owner::setMotor(const MotorPtr& m) {
    return addInto(motors, kSmallSlots, m);
}
bool Owner::setFrame(const FramePtr& f) {
    return addInto(frames, kSmallSlots, f);
}
bool Owner::setBooster(const BoosterPtr& b) {
    return addInto(boosters, kBoosterFillable, b);
}
bool Owner::setProtector(const ProtectorPtr& p) {
    return addInto(protectors, kProtectorFillable, p);
}
bool Owner::setHard(const HardPtr& h) {
    return addInto(hards, kSmallSlots, h);
}
bool Owner::setSoftM(const SoftMobilePtr& s) {
    return addInto(softMs, kSmallSlots, s);
}
bool Owner::setSoftA(const SoftAttackPtr& s) {
    return addInto(softAs, kSmallSlots, s);
}
bool Owner::setSoftD(const SoftDeffencePtr& s) {
    return addInto(softDs, kSmallSlots, s);
}

int Owner::countProtector(int id) const {
    int n = 0;
    for (int k = 0; k < kLargeCovered; ++k) {
        if (protectors[static_cast<size_t>(k)]->ID == id) {
            ++n;
        }
    }
    return n;
}

void Owner::removeMotor(int id, bool isNew) {
    removeFrom(motors, kSmallSlots, id, isNew);
}
void Owner::removeFrame(int id, bool isNew) {
    removeFrom(frames, kSmallSlots, id, isNew);
}
void Owner::removeBoost(int id, bool isNew) {
    removeFrom(boosters, kLargeCovered, id, isNew);
}
void Owner::removeProtect(int id, bool isNew) {
    removeFrom(protectors, kLargeCovered, id, isNew);
}
void Owner::removeHard(int id, bool isNew) {
    removeFrom(hards, kSmallSlots, id, isNew);
}
void Owner::removeSoftM(int id, bool isNew) {
    removeFrom(softMs, kSmallSlots, id, isNew);
}
void Owner::removeSoftA(int id, bool isNew) {
    removeFrom(softAs, kSmallSlots, id, isNew);
}
void Owner::removeSoftD(int id, bool isNew) {
    removeFrom(softDs, kSmallSlots, id, isNew);
}

void Owner::removeFittedMotor(const MotorPtr& fitted) {
    removeThePart(motors, kSmallSlots, fitted);
}
void Owner::removeFittedFrame(const FramePtr& fitted) {
    removeThePart(frames, kSmallSlots, fitted);
}

void Owner::useAllParts() {
    markUsed(motors, kSmallSlots);
    markUsed(frames, kSmallSlots);
    markUsed(boosters, kLargeCovered);
    markUsed(protectors, kLargeCovered);
    markUsed(hards, kSmallSlots);
    markUsed(softMs, kSmallSlots);
    markUsed(softAs, kSmallSlots);
    markUsed(softDs, kSmallSlots);
}

void Owner::removeAllPart() {
    clearSlots(motors, kSmallSlots);
    clearSlots(frames, kSmallSlots);
    clearSlots(boosters, kLargeCovered);
    clearSlots(protectors, kLargeCovered);
    clearSlots(hards, kSmallSlots);
    clearSlots(softMs, kSmallSlots);
    clearSlots(softAs, kSmallSlots);
    clearSlots(softDs, kSmallSlots);
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
