#pragma once
// The workshop's entry test for a class tournament, and the class limits the draw uses.

#include <string>

#include "model/doll.h"

namespace vargo {

class EnemySource;
class Prompts;

/// The highest enemy value a class text admits: "Novice" 2500, "Expert" 3500, anything else 9999.
int classLimit(const std::string& className);

/// "<class>クラスの敵が足りません。\n敵Dollの登録をして下さい。"
std::string notEnoughEnemies(const std::string& className);

/// The entry test: a stored program, eight eligible enemies, and the player's OK. Returns the class
/// text to hand to the battle screen, or empty when the entry is refused or declined.
std::string tournamentEntry(const doll& d, EnemySource& enemies, Prompts& prompts);

}  // namespace vargo
