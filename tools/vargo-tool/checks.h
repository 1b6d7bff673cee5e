#pragma once
// The validators `check` runs, one per family of data files.

#include <functional>
#include <vector>

#include "model/field_reader.h"
#include "model/game_folder.h"

namespace vargo::tool {

using Checker = std::function<std::vector<DataProblem>(const GameFolder&)>;

std::vector<DataProblem> checkCatalogues(const GameFolder& folder);
/// The shipped registry in ini/ and the working one in save/.
std::vector<DataProblem> checkRegistries(const GameFolder& folder);
/// Every save set in save/.
std::vector<DataProblem> checkSaves(const GameFolder& folder);

/// Every checker in the order `check` runs them.
std::vector<Checker> allCheckers();

}  // namespace vargo::tool
