#pragma once
// What the game tells the player about its data files. A missing or broken catalogue would
// otherwise only show as an empty shop and as owned parts silently dropped from a loaded game, so
// the game lists every catalogue problem once at start, in one message.

#include <string>
#include <vector>

#include "model/field_reader.h"
#include "model/game_folder.h"

namespace vargo {

class Prompts;

/// Every problem of the eight catalogues, kind by kind in the game's order (what `vargo-tool
/// check` lists for them too).
std::vector<DataProblem> checkAllCatalogues(const GameFolder& folder);

/// One message: the heading, then each problem on its own line as "file:line: what" in Japanese.
/// A problem listed twice is shown once.
std::string problemMessage(const std::string& heading, const std::vector<DataProblem>& problems);

/// The start-up report: every catalogue problem in one plain message box. False, and nothing
/// shown, when the catalogues are sound.
bool reportCatalogueProblems(const GameFolder& folder, Prompts& prompts);

}  // namespace vargo
