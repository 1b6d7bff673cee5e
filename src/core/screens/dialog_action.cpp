#include "screens/dialog_action.h"

#include "model/game.h"
#include "ports/prompts.h"

namespace vargo {

std::string patternLabel(const Logic& l) {
    std::string out = l.getActionsname(0);
    for (int i = 1; i < Logic::kSteps; ++i) {
        std::string n = l.getActionsname(i);
        if (!n.empty()) {
            out += "＋" + n;
        }
    }
    return out;
}

TechniqueChoice::TechniqueChoice(Game& g, Prompts& p) : game(g), prompts(p) {}

void TechniqueChoice::setLogics(const LogicPtr& logic, int index) {
    if (index < 0 || index >= kSlots) {
        return;
    }
    logics[static_cast<size_t>(index)] = logic;
}

void TechniqueChoice::setDialog(const std::string& dollName) {
    name = dollName;
}

int TechniqueChoice::cost(int i) const {
    const auto& l = logics.at(static_cast<size_t>(i));
    return l ? l->AP : 0;
}

TechniqueChoice::Row TechniqueChoice::row(int i) const {
    Row r;
    const auto& l = logics.at(static_cast<size_t>(i));
    if (l) {
        r.name = l->name;
        r.pattern = patternLabel(*l);
    }
    const int c = cost(i);
    r.cost = std::to_string(c);
    r.white = c <= playAP || c == 0;
    return r;
}

void TechniqueChoice::open() {
    guideShown = game.guideOn && game.selectGuidePending;
}

const char* TechniqueChoice::guideText() {
    return "技を選択して下さい。背景の白い技が選択可能です。";
}

void TechniqueChoice::guideClicked() {
    guideShown = false;
    game.selectGuidePending = false;
}

bool TechniqueChoice::choose(int i) {
    if (i < 0 || i >= kShown || playAP < cost(i)) {
        return false;
    }
    const auto& l = logics.at(static_cast<size_t>(i));
    std::string patternName = l ? l->name : std::string();
    std::string msg =
        patternName.empty() ? std::string("この技でいいですか？") : patternName + "でいいですか？";
    if (prompts.askOkCancelTitled(msg, name) != kOk) {
        return false;
    }
    result = i + 1;
    return true;
}

bool TechniqueChoice::withdraw() {
    if (prompts.askYesNo("命令を中止しますか？", kAppTitle) != kYes) {
        return false;
    }
    result = 0;
    return true;
}

}  // namespace vargo
