#include "model/parts.h"

namespace vargo {

PartKind partKindFromInt(int partKind) {
    if (partKind < 0 || partKind >= kPartKinds) {
        return PartKind::Motor;
    }
    return static_cast<PartKind>(partKind);
}

std::shared_ptr<Protector> Protector::clone() const {
    auto p = std::make_shared<Protector>();
    p->AC = AC;
    p->ID = ID;
    p->name = name;
    p->Rl = Rl;
    p->weight = weight;
    return p;
}

namespace {
void copyCosts(Action& to, const Action& from) {
    to.AP = from.AP;
    to.Memory = from.Memory;
}
}  // namespace

SoftMobile::SoftMobile() : move(makeAction(kMove)), jump(makeAction(kJump)), spin(makeAction(kSpin)) {}

void SoftMobile::init(Int16 id, const std::string& n, Int16 rl) {
    ID = id;
    name = n;
    Rl = rl;
}

void SoftMobile::init2(const Action& m, const Action& j, const Action& s) {
    copyCosts(*move, m);
    copyCosts(*jump, j);
    copyCosts(*spin, s);
}

ActionPtr SoftMobile::getAction(int code) const {
    switch (code) {
        case kMove:
            return move;
        case kJump:
            return jump;
        case kSpin:
            return spin;
        default:
            return makeAction(kNoAction);
    }
}

SoftAttack::SoftAttack()
    : punch(makeAction(kPunch)),
      kick(makeAction(kKick)),
      kumi(makeAction(kKumi)),
      drop(makeAction(kDrop)),
      hold(makeAction(kHold)) {}

void SoftAttack::init(Int16 id, const std::string& n, Int16 rl) {
    ID = id;
    name = n;
    Rl = rl;
}

void SoftAttack::init2(const Action& p, const Action& k, const Action& km, const Action& d, const Action& h) {
    copyCosts(*punch, p);
    copyCosts(*kick, k);
    copyCosts(*kumi, km);
    copyCosts(*drop, d);
    copyCosts(*hold, h);
}

ActionPtr SoftAttack::getAction(int code) const {
    switch (code) {
        case kPunch:
            return punch;
        case kKick:
            return kick;
        case kKumi:
            return kumi;
        case kDrop:
            return drop;
        case kHold:
            return hold;
        default:
            return makeAction(kNoAction);
    }
}

SoftDeffence::SoftDeffence()
    : hazusi(makeAction(kHazusi)), uke(makeAction(kUke)), block(makeAction(kBlock)) {}

void SoftDeffence::init(Int16 id, const std::string& n, Int16 rl) {
    ID = id;
    name = n;
    Rl = rl;
}

void SoftDeffence::init2(const Action& b, const Action& u, const Action& h) {
    copyCosts(*block, b);
    copyCosts(*uke, u);
    copyCosts(*hazusi, h);
}

ActionPtr SoftDeffence::getAction(int code) const {
    switch (code) {
        case kBlock:
            return block;
        case kUke:
            return uke;
        case kHazusi:
            return hazusi;
        default:
            return makeAction(kNoAction);
    }
}

}  // namespace vargo
