#pragma once
// At start the game (and every vargo-tool command that reads saves) settles what a crash cut
// off: a save or a registry change is either finished or undone, never left half-written.

#include <string>
#include <vector>

#include "model/game_folder.h"

namespace vargo {

/// Finishes or undoes every interrupted write in the save folder. Returns what to tell the
/// player, one message per set (empty when there was nothing to settle).
std::vector<std::string> recoverSaveFolder(const GameFolder& folder);

/// The player's name for a set being written: "セーブ3", "敵Dollファイル".
std::string transactionDisplayName(const std::string& setName);

}  // namespace vargo
