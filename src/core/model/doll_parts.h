#pragma once
// A Doll's parts kind by kind: slot i of a kind, fitting a part and taking a kind off, for the
// code that does the same for every kind.

#include "model/doll.h"
#include "model/part_kinds.h"

namespace vargo {

/// Slot i of the kind on the Doll, i below kindInfo(kind).dollSlots. Motor, frame and computer
/// have one slot.
template <class Part>
std::shared_ptr<Part> dollPart(const doll& d, int i) {
    if constexpr (std::is_same_v<Part, Motor>) {
        return i == 0 ? d.Motor : nullptr;
    } else if constexpr (std::is_same_v<Part, DollFrame>) {
        return i == 0 ? d.frame : nullptr;
    } else if constexpr (std::is_same_v<Part, Hard>) {
        return i == 0 ? d.Hard : nullptr;
    } else if constexpr (std::is_same_v<Part, Booster>) {
        return d.getBoost(i);
    } else if constexpr (std::is_same_v<Part, Protector>) {
        return d.getProtector(i);
    } else if constexpr (std::is_same_v<Part, SoftMobile>) {
        return d.getSoftM(i);
    } else if constexpr (std::is_same_v<Part, SoftAttack>) {
        return d.getSoftA(i);
    } else {
        static_assert(std::is_same_v<Part, SoftDeffence>);
        return d.getSoftD(i);
    }
}

/// Puts p into slot i of the kind on the Doll, as it is: no test, no recomputation.
template <class Part>
void setDollPart(doll& d, int i, const std::shared_ptr<Part>& p) {
    if constexpr (std::is_same_v<Part, Motor>) {
        d.Motor = p;
    } else if constexpr (std::is_same_v<Part, DollFrame>) {
        d.frame = p;
    } else if constexpr (std::is_same_v<Part, Hard>) {
        d.Hard = p;
    } else if constexpr (std::is_same_v<Part, Booster>) {
        d.setBoost(i, p);
    } else if constexpr (std::is_same_v<Part, Protector>) {
        d.setProtector(i, p);
    } else if constexpr (std::is_same_v<Part, SoftMobile>) {
        d.setSoftM(i, p);
    } else if constexpr (std::is_same_v<Part, SoftAttack>) {
        d.setSoftA(i, p);
    } else {
        static_assert(std::is_same_v<Part, SoftDeffence>);
        d.setSoftD(i, p);
    }
}

/// Fits a part as the workshop does: a booster or plate joins the others (unless one of its name
/// is fitted, or the plates are full, which the player is told), any other part replaces the one
/// fitted (software: the program in slot 0, the one the Doll runs).
template <class Part>
void fitPart(doll& d, const std::shared_ptr<Part>& p, Prompts& prompts) {
    if constexpr (std::is_same_v<Part, Booster>) {
        d.addBooster(p);
    } else if constexpr (std::is_same_v<Part, Protector>) {
        d.addProtector(p, prompts);
    } else {
        setDollPart(d, 0, p);
    }
}

/// Takes every part of a kind off the Doll; boosters and plates also leave the Doll's totals.
inline void takeOffKind(doll& d, PartKind kind) {
    visitKind(kind, [&]<class Part>(KindTag<Part>) {
        if constexpr (std::is_same_v<Part, Booster>) {
            d.removeAllBoost();
        } else if constexpr (std::is_same_v<Part, Protector>) {
            d.removeAllProtect();
        } else {
            setDollPart(d, 0, emptyPart<Part>());
        }
    });
}

}  // namespace vargo
