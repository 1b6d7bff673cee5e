#pragma once
// The player (or the duel opponent's player): money, skills, records and the parts owned.

#include <array>
#include <string>

#include "model/numbers.h"
#include "model/part_kinds.h"

namespace vargo {

class Random;

class Owner {
public:
    /// A blank owner: no money, nothing owned, skills 0. Constructing one draws no dice; a new
    /// player's money and skills are rolled by putInitRl and putInitAbl where the rules make one.
    Owner();

    std::string name = "鋼野拳士";
    Int16 Rl = 0;
    Int16 recWin = 0;
    Int16 recLoose = 0;
    Int16 recChamp = 0;
    Int16 skillHard = 0; /**< kept and saved; no rule reads it */
    Int16 skillSoft = 0; /**< kept and saved; no rule reads it */
    Int16 skillPlay = 0; /**< one action point per five points */
    Int16 Lv = 0;
    Int16 exp = 0;

    /// Into the first free slot of the kind's fillable ones; false when they are all taken.
    template <class Part>
    bool add(const std::shared_ptr<Part>& part);
    /// Inventory slot i of the kind (kindInfo(kind).ownedSlots of them); out of range throws.
    template <class Part>
    const std::shared_ptr<Part>& part(int i) const {
        return slotsOf<Part>().at(static_cast<size_t>(i));
    }
    /// Puts p into inventory slot i of its kind, whatever the slot held; out of range throws. For a
    /// copy of an owner that must hold parts of its own (the tournament estimate's players).
    template <class Part>
    void setPart(int i, std::shared_ptr<Part> p) {
        slotsOf<Part>().at(static_cast<size_t>(i)) = std::move(p);
    }
    /// Removes the lowest part of the kind with this ID and isNew; the covered slots close up.
    template <class Part>
    void remove(int id, bool isNew);
    /// A fitted part that is lost (destroyed in a fight): that very part leaves the inventory, not
    /// a twin with the same ID and isNew in a lower slot. A part the inventory does not hold falls
    /// back to remove with its ID and isNew.
    template <class Part>
    void removeFitted(const std::shared_ptr<Part>& fitted);

    bool setMotor(const MotorPtr& m) { return add(m); }
    bool setFrame(const FramePtr& f) { return add(f); }
    bool setBooster(const BoosterPtr& b) { return add(b); }
    bool setProtector(const ProtectorPtr& p) { return add(p); }
    bool setHard(const HardPtr& h) { return add(h); }
    bool setSoftM(const SoftMobilePtr& s) { return add(s); }
    bool setSoftA(const SoftAttackPtr& s) { return add(s); }
    bool setSoftD(const SoftDeffencePtr& s) { return add(s); }

    const MotorPtr& getMotor(int i) const { return part<Motor>(i); }
    const FramePtr& getFrame(int i) const { return part<DollFrame>(i); }
    const BoosterPtr& getBooster(int i) const { return part<Booster>(i); }
    const ProtectorPtr& getProtector(int i) const { return part<Protector>(i); }
    const HardPtr& getHard(int i) const { return part<Hard>(i); }
    const SoftMobilePtr& getSoftM(int i) const { return part<SoftMobile>(i); }
    const SoftAttackPtr& getSoftA(int i) const { return part<SoftAttack>(i); }
    const SoftDeffencePtr& getSoftD(int i) const { return part<SoftDeffence>(i); }

    /// Protectors in slots 0..9 with this ID (ID 0 counts the free slots).
    int countProtector(int id) const;

    void removeMotor(int id, bool isNew) { remove<Motor>(id, isNew); }
    void removeFrame(int id, bool isNew) { remove<DollFrame>(id, isNew); }
    void removeBoost(int id, bool isNew) { remove<Booster>(id, isNew); }
    void removeProtect(int id, bool isNew) { remove<Protector>(id, isNew); }
    void removeHard(int id, bool isNew) { remove<Hard>(id, isNew); }
    void removeSoftM(int id, bool isNew) { remove<SoftMobile>(id, isNew); }
    void removeSoftA(int id, bool isNew) { remove<SoftAttack>(id, isNew); }
    void removeSoftD(int id, bool isNew) { remove<SoftDeffence>(id, isNew); }

    void removeFittedMotor(const MotorPtr& fitted) { removeFitted(fitted); }
    void removeFittedFrame(const FramePtr& fitted) { removeFitted(fitted); }

    /// Every owned part becomes used (entering a tournament, loading a saved player).
    void useAllParts();
    void removeAllPart();

    /// Two dice times 100 plus 1200: 1400 to 2400.
    void putInitRl(Random& rng);
    /// skillPlay, skillHard, skillSoft, each three dice (3 to 18).
    void putInitAbl(Random& rng);

    // The inventory's shapes, as the kind table gives them.
    static constexpr int kSmallSlots =
        kindInfo(PartKind::Motor).ownedSlots;  ///< motors, frames, computers, software
    static constexpr int kBoosterFillable = kindInfo(PartKind::Booster).fillable;  ///< add fills slots 0..4
    static constexpr int kProtectorFillable = kindInfo(PartKind::Protector).fillable;
    static constexpr int kLargeCovered = kindInfo(PartKind::Booster).covered;  ///< remove/use/clear: 0..9
    static constexpr int kLargeSlots =
        kindInfo(PartKind::Booster).ownedSlots;  ///< slot 10 exists; nothing uses it

private:
    template <class Part>
    using Slots = std::array<std::shared_ptr<Part>, static_cast<size_t>(kindInfo(kindOf<Part>).ownedSlots)>;

    template <class Part>
    Slots<Part>& slotsOf() {
        return std::get<Slots<Part>>(inventory);
    }
    template <class Part>
    const Slots<Part>& slotsOf() const {
        return std::get<Slots<Part>>(inventory);
    }

    PerKind<Slots> inventory;
};

template <class Part>
bool Owner::add(const std::shared_ptr<Part>& p) {
    auto& held = slotsOf<Part>();
    for (int k = 0; k < kindInfo(kindOf<Part>).fillable; ++k) {
        if (isEmptyPart(held[static_cast<size_t>(k)])) {
            held[static_cast<size_t>(k)] = p;
            return true;
        }
    }
    return false;
}

template <class Part>
void Owner::remove(int id, bool isNew) {
    auto& held = slotsOf<Part>();
    const int last = kindInfo(kindOf<Part>).covered - 1;
    bool found = false;
    for (int k = 0; k <= last; ++k) {
        auto& slot = held[static_cast<size_t>(k)];
        if (!found && slot->ID == id && slot->isNew == isNew) {
            found = true;
        }
        if (found && k < last) {
            slot = held[static_cast<size_t>(k + 1)];
        }
    }
    if (found) {
        held[static_cast<size_t>(last)] = emptyPart<Part>();
    }
}

template <class Part>
void Owner::removeFitted(const std::shared_ptr<Part>& fitted) {
    auto& held = slotsOf<Part>();
    const int last = kindInfo(kindOf<Part>).covered - 1;
    for (int k = 0; k <= last; ++k) {
        if (held[static_cast<size_t>(k)] == fitted && !isEmptyPart(fitted)) {
            for (int j = k; j < last; ++j) {
                held[static_cast<size_t>(j)] = held[static_cast<size_t>(j + 1)];
            }
            held[static_cast<size_t>(last)] = emptyPart<Part>();
            return;
        }
    }
    remove<Part>(fitted->ID, fitted->isNew);
}

}  // namespace vargo
