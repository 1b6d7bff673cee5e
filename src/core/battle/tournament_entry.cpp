#include "battle/tournament_entry.h"

namespace vargo {

std::string notEnoughEnemies(DollClass c) {
    return std::string(dollClassName(c)) + "クラスの敵が足りません。\n敵Dollの登録をして下さい。";
}

}  // namespace vargo
