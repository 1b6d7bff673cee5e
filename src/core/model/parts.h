#pragma once
// The eight kinds of part a Doll is built from. Records are shared by reference: a Doll slot and an
// inventory slot hold the same object, so damage to one is damage to both. A record whose name is
// empty is an empty part and marks a free slot; slots never hold null.

#include <memory>
#include <string>

#include "model/action.h"
#include "model/numbers.h"

namespace vargo {

/// The fixed order of the kinds everywhere in the game.
enum class PartKind : int {
    Motor = 0,
    Frame = 1,
    Booster = 2,
    Protector = 3,
    Hardware = 4,
    SoftMobile = 5,
    SoftAttack = 6,
    SoftDeffence = 7,
};
constexpr int kPartKinds = 8;

/// A kind from its number; anything outside 0..7 is a motor, as the screens have always treated it.
PartKind partKindFromInt(int partKind);

struct Motor {
    Int16 ID = 0;
    std::string name;
    Int16 pow = 0;
    Int16 Rl = 0;
    Int16 HP = 0;
    Int16 maxHP = 0;
    Int16 weight = 0;
    bool isNew = true;
};

struct DollFrame {
    Int16 ID = 0;
    std::string name;
    Int16 offence = 0;
    Int16 defence = 0;
    Int16 move = 0;
    Int16 jump = 0;
    Int16 spin = 0;
    Int16 Rl = 0;
    Int16 HP = 0;
    Int16 maxHP = 0;
    Int16 weight = 0;
    bool isNew = true;
    std::string image = "00"; /**< body-shape code: "01" slim, "02" heavy */
};

struct Booster {
    Int16 ID = 0;
    std::string name;
    Int16 defence = 0; /**< never filled from the catalogue; the workshop shows it */
    Int16 armPow = 0;  /**< never filled from the catalogue; the workshop shows it */
    Int16 move = 0;
    Int16 jump = 0;
    Int16 spin = 0;
    Int16 HP = 0;
    Int16 Rl = 0;
    Int16 weight = 0;
    bool isNew = true;
};

struct Protector {
    Int16 ID = 0;
    std::string name; /**< "Carbon", "Steel" or "Kevler" in it makes the armour dark */
    double AC = 0;
    Int16 Rl = 0;
    double weight = 0;
    bool isNew = true;

    /// A new plate with the same catalogue numbers, unused. The shop hands one out per purchase.
    std::shared_ptr<Protector> clone() const;
};

struct Hard {
    Int16 ID = 0;
    std::string name;
    Int16 Rl = 0;
    Int16 CPU = 0;    /**< added to the Doll's action points */
    Int16 Memory = 0; /**< the Doll's memory budget for patterns */
    bool isNew = true;
};

/// Movement software: move, jump, spin.
struct SoftMobile {
    SoftMobile();
    Int16 ID = 0;
    std::string name;
    ActionPtr move, jump, spin;
    Int16 Rl = 0;
    bool isNew = true;

    void init(Int16 id, const std::string& n, Int16 rl);
    /// Copies only AP and Memory from the given actions into the record's own.
    void init2(const Action& m, const Action& j, const Action& s);
    /// The record's own action for codes 1 to 3; a new empty action for any other code.
    ActionPtr getAction(int code) const;
};

/// Attack software: punch, kick, grapple, throw, joint lock.
struct SoftAttack {
    SoftAttack();
    Int16 ID = 0;
    std::string name;
    ActionPtr punch, kick, kumi, drop, hold;
    Int16 Rl = 0;
    bool isNew = true;

    void init(Int16 id, const std::string& n, Int16 rl);
    void init2(const Action& p, const Action& k, const Action& km, const Action& d, const Action& h);
    ActionPtr getAction(int code) const;
};

/// Defence software: block, breakfall, unlock.
struct SoftDeffence {
    SoftDeffence();
    Int16 ID = 0;
    std::string name;
    ActionPtr hazusi, uke, block;
    Int16 Rl = 0;
    bool isNew = true;

    void init(Int16 id, const std::string& n, Int16 rl);
    void init2(const Action& b, const Action& u, const Action& h);
    ActionPtr getAction(int code) const;
};

using MotorPtr = std::shared_ptr<Motor>;
using FramePtr = std::shared_ptr<DollFrame>;
using BoosterPtr = std::shared_ptr<Booster>;
using ProtectorPtr = std::shared_ptr<Protector>;
using HardPtr = std::shared_ptr<Hard>;
using SoftMobilePtr = std::shared_ptr<SoftMobile>;
using SoftAttackPtr = std::shared_ptr<SoftAttack>;
using SoftDeffencePtr = std::shared_ptr<SoftDeffence>;

/// Whether a slot's record is an empty part.
template <class Part>
bool isEmptyPart(const std::shared_ptr<Part>& p) {
    return !p || p->name.empty();
}

/// A fresh empty record of a kind.
template <class Part>
std::shared_ptr<Part> emptyPart() {
    return std::make_shared<Part>();
}

}  // namespace vargo
