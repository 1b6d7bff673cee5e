#include "model/action.h"

#include <array>

namespace vargo {

const std::string& actionName(int code) {
    static const std::array<std::string, 12> names = {"",     "移動", "ジャンプ", "回転", "パンチ", "キック",
                                                      "組み", "投げ", "折り",     "防御", "受身",   "外し"};
    static const std::string none;
    if (code < 0 || code >= static_cast<int>(names.size())) {
        return none;
    }
    return names[static_cast<size_t>(code)];
}

ActionPtr makeAction(int code) {
    auto a = std::make_shared<Action>();
    if (code >= 1 && code <= 11) {
        a->ID = static_cast<Int16>(code);
        a->name = actionName(code);
    }
    return a;
}

}  // namespace vargo
