#pragma once
// Validation of the registry and of saved games for `vargo-tool check`. Nothing here writes: a
// missing registry in save/ is not seeded, it is simply not checked.

#include <string>
#include <vector>

#include "model/field_reader.h"
#include "model/game_folder.h"

namespace vargo {

/// Every problem in one registry pair (e.g. "ini/Dollsv.ini" and "ini/Logicsv.ini"): records cut
/// short or unreadable, numbers outside 1 to 99 or used twice, unknown motors and frames, picture
/// codes the battle cannot draw, pattern blocks that are damaged or belong to no Doll, Dolls
/// without patterns or whose patterns need more memory than their computer holds.
std::vector<DataProblem> checkRegistry(const GameFolder& folder, const std::string& dolls,
                                       const std::string& logics, bool required);

/// Writes that a crash cut off and that the next start of the game will finish or undo: their
/// journals and the new or old files waiting beside the save files and the registry.
std::vector<DataProblem> checkInterruptedWrites(const GameFolder& folder);

/// The save numbers that have at least one of their three files in save/.
std::vector<int> saveNumbers(const GameFolder& folder);

/// Every problem in saved game n, found by loading it the way the workshop does, and every part
/// ID in it that the catalogues lack (with file and line).
std::vector<DataProblem> checkSaveSet(const GameFolder& folder, int n);

}  // namespace vargo
