#include "model/doll.h"

#include <cmath>
#include <stdexcept>

#include "model/owner.h"
#include "ports/prompts.h"

namespace vargo {

DollClass dollClass(int value) {
    if (value > 3500) {
        return DollClass::Master;
    }
    if (value > 2500) {
        return DollClass::Expert;
    }
    return DollClass::Novice;
}

const char* dollClassName(DollClass c) {
    switch (c) {
        case DollClass::Novice:
            return "Novice";
        case DollClass::Expert:
            return "Expert";
        case DollClass::Master:
            return "Master";
    }
    return "Novice";
}

std::optional<DollClass> parseDollClass(const std::string& text) {
    for (DollClass c : {DollClass::Novice, DollClass::Expert, DollClass::Master}) {
        if (text == dollClassName(c)) {
            return c;
        }
    }
    return std::nullopt;
}

int classValueLimit(DollClass c) {
    switch (c) {
        case DollClass::Novice:
            return 2500;
        case DollClass::Expert:
            return 3500;
        case DollClass::Master:
            return 9999;
    }
    return 2500;
}

doll::doll()
    : Motor(emptyPart<vargo::Motor>()), frame(emptyPart<DollFrame>()), Hard(emptyPart<vargo::Hard>()) {
    for (auto& p : protectors) {
        p = emptyPart<Protector>();
    }
    for (auto& s : softMs) {
        s = emptyPart<SoftMobile>();
    }
    for (auto& s : softAs) {
        s = emptyPart<SoftAttack>();
    }
    for (auto& s : softDs) {
        s = emptyPart<SoftDeffence>();
    }
    removeAllBoost();
    removeAllLogic();
    programed = false;
}

void doll::setLogics(const LogicPtr& logic, int i) {
    logics.at(static_cast<size_t>(i)) = logic;
}
const LogicPtr& doll::getLogic(int i) const {
    return logics.at(static_cast<size_t>(i));
}

void doll::setSoftA(int i, const SoftAttackPtr& s) {
    if (i >= 0 && i < kSoftSlots) {
        softAs[static_cast<size_t>(i)] = s;
    }
}
void doll::setSoftM(int i, const SoftMobilePtr& s) {
    if (i >= 0 && i < kSoftSlots) {
        softMs[static_cast<size_t>(i)] = s;
    }
}
void doll::setSoftD(int i, const SoftDeffencePtr& s) {
    if (i >= 0 && i < kSoftSlots) {
        softDs[static_cast<size_t>(i)] = s;
    }
}
SoftAttackPtr doll::getSoftA(int i) const {
    return i >= 0 && i < kSoftSlots ? softAs[static_cast<size_t>(i)] : nullptr;
}
SoftMobilePtr doll::getSoftM(int i) const {
    return i >= 0 && i < kSoftSlots ? softMs[static_cast<size_t>(i)] : nullptr;
}
SoftDeffencePtr doll::getSoftD(int i) const {
    return i >= 0 && i < kSoftSlots ? softDs[static_cast<size_t>(i)] : nullptr;
}
const BoosterPtr& doll::getBoost(int i) const {
    return boosters.at(static_cast<size_t>(i));
}
const ProtectorPtr& doll::getProtector(int i) const {
    return protectors.at(static_cast<size_t>(i));
}
void doll::setBoost(int i, const BoosterPtr& b) {
    boosters.at(static_cast<size_t>(i)) = b;
}
void doll::setProtector(int i, const ProtectorPtr& p) {
    protectors.at(static_cast<size_t>(i)) = p;
}

bool doll::addBooster(const BoosterPtr& b) {
    for (auto& slot : boosters) {
        if (isEmptyPart(slot)) {
            slot = b;
            return true;
        }
        if (slot->name == b->name) {
            return false;
        }
    }
    return false;
}

bool doll::addProtector(const ProtectorPtr& p, Prompts& prompts) {
    for (auto& slot : protectors) {
        if (isEmptyPart(slot)) {
            slot = p;
            return true;
        }
        if (slot->name == p->name) {
            return false;
        }
    }
    prompts.msgBox("4枚以上貼れません", BoxButtons::Ok);
    return false;
}

void doll::removeAllBoost() {
    for (auto& b : boosters) {
        b = emptyPart<Booster>();
    }
    move = 0;
    jump = 0;
    spin = 0;
}

void doll::removeAllProtect() {
    for (auto& p : protectors) {
        p = emptyPart<Protector>();
    }
    AC = 0;
    // Weight and value still count the plates just taken off: recompute every total from the parts.
    refresh();
}

void doll::removeAllLogic() {
    for (auto& l : logics) {
        l = std::make_shared<Logic>();
        l->removeAll();
    }
}

void doll::refresh() {
    AC = 0;
    weight = 0;
    pow = offence = defence = move = jump = spin = 0;
    value = 0;
    refreshMotor();
    refreshFrame();
    refreshBoost();
    refreshAC();
}

void doll::refreshMotor() {
    pow = Motor->pow;
    weight += Motor->weight;
    addSkip(value, Motor->Rl);
}

void doll::refreshFrame() {
    offence = frame->offence;
    defence = frame->defence;
    addSkip(move, frame->move);
    addSkip(jump, frame->jump);
    addSkip(spin, frame->spin);
    weight += frame->weight;
    addSkip(value, frame->Rl);
}

void doll::refreshBoost() {
    for (const auto& b : boosters) {
        if (isEmptyPart(b)) {
            continue;
        }
        addSkip(move, b->move);
        addSkip(jump, b->jump);
        addSkip(spin, b->spin);
        weight += b->weight;
        addSkip(value, b->Rl);
    }
}

void doll::refreshAC() {
    for (const auto& p : protectors) {
        if (isEmptyPart(p)) {
            continue;
        }
        AC += p->AC;
        weight += p->weight;
        addSkip(value, p->Rl);
    }
}

bool doll::isBlack() const {
    for (const auto& p : protectors) {
        if (isEmptyPart(p)) {
            continue;
        }
        const std::string& n = p->name;
        if (n.find("Carbon") != std::string::npos || n.find("Steel") != std::string::npos ||
            n.find("Kevler") != std::string::npos) {
            return true;
        }
    }
    return false;
}

void doll::applyImage() {
    if (frame->image == "01") {
        image = "01";
    } else if (frame->image == "02") {
        image = isBlack() ? "0202" : "0201";
    }
}

ActionPtr doll::getAction(int code) const {
    if (code >= kMove && code <= kSpin) {
        return softMs[0]->getAction(code);
    }
    if (code >= kPunch && code <= kHold) {
        return softAs[0]->getAction(code);
    }
    if (code >= kBlock && code <= kHazusi) {
        return softDs[0]->getAction(code);
    }
    return makeAction(kNoAction);
}

bool resetDollParam(doll& d, const Owner& owner) {
    d.refresh();
    // Single precision division, integer part toward minus infinity.
    float perFive = static_cast<float>(owner.skillPlay) / 5.0f;
    long long ap = static_cast<long long>(std::floor(perFive)) + d.Hard->CPU;
    d.AP = fitsInt16(ap) ? static_cast<Int16>(ap) : d.AP;
    d.Memory = d.Hard->Memory;

    bool fitted = true;
    Int16 value = 0;
    auto add = [&](Int16 rl) {
        if (fitted && !addSkip(value, rl)) {
            fitted = false;
        }
    };
    add(d.Motor->Rl);
    add(d.Hard->Rl);
    add(d.frame->Rl);
    for (int i = 0; i < 4; ++i) {
        add(d.getBoost(i)->Rl);
    }
    for (int i = 0; i < doll::kProtectors; ++i) {
        add(d.getProtector(i)->Rl);
    }
    add(d.getSoftA(0)->Rl);
    add(d.getSoftD(0)->Rl);
    add(d.getSoftM(0)->Rl);
    d.value = value;
    d.applyImage();
    return fitted && fitsInt16(ap);
}

}  // namespace vargo
