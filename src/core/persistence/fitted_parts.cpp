#include "persistence/fitted_parts.h"

#include <set>

#include "model/doll.h"
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
template <class Part, class Get>
std::shared_ptr<Part> ownedTwin(const std::shared_ptr<Part>& fitted, int slots, Get get,
                                std::set<const void*>& taken) {
    if (isEmptyPart(fitted)) {
        return fitted;
    }
    for (int k = 0; k < slots; ++k) {
        const std::shared_ptr<Part>& owned = get(k);
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
    constexpr int small = Owner::kSmallSlots;
    constexpr int large = Owner::kLargeCovered;
    d.Motor = ownedTwin(
        d.Motor, small, [&](int k) -> const MotorPtr& { return o.getMotor(k); }, taken);
    d.frame = ownedTwin(
        d.frame, small, [&](int k) -> const FramePtr& { return o.getFrame(k); }, taken);
    d.Hard = ownedTwin(
        d.Hard, small, [&](int k) -> const HardPtr& { return o.getHard(k); }, taken);
    for (int i = 0; i < doll::kBoosters; ++i) {
        d.setBoost(
            i, ownedTwin(
                   d.getBoost(i), large, [&](int k) -> const BoosterPtr& { return o.getBooster(k); }, taken));
    }
    for (int i = 0; i < doll::kProtectors; ++i) {
        d.setProtector(i, ownedTwin(
                              d.getProtector(i), large,
                              [&](int k) -> const ProtectorPtr& { return o.getProtector(k); }, taken));
    }
    for (int i = 0; i < doll::kSoftSlots; ++i) {
        d.setSoftM(i, ownedTwin(
                          d.getSoftM(i), small, [&](int k) -> const SoftMobilePtr& { return o.getSoftM(k); },
                          taken));
        d.setSoftA(i, ownedTwin(
                          d.getSoftA(i), small, [&](int k) -> const SoftAttackPtr& { return o.getSoftA(k); },
                          taken));
        d.setSoftD(i, ownedTwin(
                          d.getSoftD(i), small,
                          [&](int k) -> const SoftDeffencePtr& { return o.getSoftD(k); }, taken));
    }
}

}  // namespace vargo
