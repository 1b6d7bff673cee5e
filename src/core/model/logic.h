#pragma once
// One action pattern: up to ten basic actions run in order, with its total costs. Steps refer to
// the very action records of the installed software, so a step costs what that software says.

#include <array>
#include <memory>
#include <string>

#include "model/action.h"
#include "model/numbers.h"

namespace vargo {

class Prompts;

class Logic {
public:
    static constexpr int kSteps = 10;

    Logic();

    Int16 dollID = 0; /**< the Doll the pattern belongs to, in the enemy pattern file */
    Int16 ID = 0;     /**< the pattern's number in the pattern files */
    std::string name;
    Int16 AP = 0;
    Int16 Memory = 0;

    /// A copy holding the same action records without gaps, with fresh totals.
    std::shared_ptr<Logic> clone() const;
    void removeAll();
    /// Into the first empty step; when all ten are taken, "これ以上複雑な動きにはできません" and false.
    bool addAction(const ActionPtr& a, Prompts& prompts);
    /// Replaces step i (0..9) without touching the totals; other indexes do nothing.
    void setAction(const ActionPtr& a, int i);
    /// Step i, or null outside 0..9.
    ActionPtr getActions(int i) const;
    std::string getActionsname(int i) const;
    /// Recompute and store the totals; a sum that would leave 16 bits skips that step.
    Int16 getTotalAP();
    Int16 getTotalMem();

private:
    bool tryAdd(const ActionPtr& a);
    std::array<ActionPtr, kSteps> steps;
};
using LogicPtr = std::shared_ptr<Logic>;

}  // namespace vargo
