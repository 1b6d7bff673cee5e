#include "battle/tournament_entry.h"

namespace vargo {

int classLimit(const std::string& className) {
    if (className == "Novice") {
        return 2500;
    }
    if (className == "Expert") {
        return 3500;
    }
    return 9999;
}

std::string notEnoughEnemies(const std::string& className) {
    return className + "クラスの敵が足りません。\n敵Dollの登録をして下さい。";
}

}  // namespace vargo
