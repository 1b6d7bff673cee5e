#pragma once
// The class limits a tournament draws by, and the message when a class lacks enemies.

#include <string>

#include "model/doll.h"

namespace vargo {

/// The highest enemy value a class text admits: "Novice" 2500, "Expert" 3500, anything else 9999.
int classLimit(const std::string& className);

/// "<class>クラスの敵が足りません。\n敵Dollの登録をして下さい。"
std::string notEnoughEnemies(const std::string& className);

}  // namespace vargo
