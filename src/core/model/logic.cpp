#include "model/logic.h"

#include "ports/prompts.h"

namespace vargo {

Logic::Logic() {
    removeAll();
}

void Logic::removeAll() {
    AP = 0;
    Memory = 0;
    for (auto& s : steps) {
        s = makeAction(kNoAction);
    }
}

bool Logic::tryAdd(const ActionPtr& a) {
    for (auto& s : steps) {
        if (s->ID == 0) {
            s = a;
            addSkip(AP, a->AP);
            addSkip(Memory, a->Memory);
            return true;
        }
    }
    return false;
}

bool Logic::addAction(const ActionPtr& a, Prompts& prompts) {
    if (tryAdd(a)) {
        return true;
    }
    prompts.msgBox("これ以上複雑な動きにはできません", BoxButtons::Ok);
    return false;
}

std::shared_ptr<Logic> Logic::clone() const {
    auto copy = std::make_shared<Logic>();
    copy->ID = ID;
    copy->name = name;
    // An empty step lands in the first free step and still counts as free, so the later steps
    // close the gap.
    for (const auto& s : steps) {
        copy->tryAdd(s);
    }
    return copy;
}

void Logic::setAction(const ActionPtr& a, int i) {
    if (i < 0 || i >= kSteps || !a) {
        return;
    }
    steps[static_cast<size_t>(i)] = a;
}

ActionPtr Logic::getActions(int i) const {
    if (i < 0 || i >= kSteps) {
        return nullptr;
    }
    return steps[static_cast<size_t>(i)];
}

std::string Logic::getActionsname(int i) const {
    if (i < 0 || i >= kSteps) {
        return {};
    }
    return steps[static_cast<size_t>(i)]->name;
}

Int16 Logic::getTotalAP() {
    Int16 sum = 0;
    for (const auto& s : steps) {
        addSkip(sum, s->AP);
    }
    AP = sum;
    return AP;
}

Int16 Logic::getTotalMem() {
    Int16 sum = 0;
    for (const auto& s : steps) {
        addSkip(sum, s->Memory);
    }
    Memory = sum;
    return Memory;
}

}  // namespace vargo
