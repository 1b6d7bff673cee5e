#pragma once
// The message when a class tournament lacks enemies. The class limits themselves live with the
// class (model/doll.h: classValueLimit).

#include <string>

#include "model/doll.h"

namespace vargo {

/// "<class>クラスの敵が足りません。\n敵Dollの登録をして下さい。"
std::string notEnoughEnemies(DollClass c);

}  // namespace vargo
