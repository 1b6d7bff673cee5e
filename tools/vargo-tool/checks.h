#pragma once
// The validators `check` runs, one per family of data files.

#include <functional>
#include <vector>

#include "model/field_reader.h"
#include "model/game_folder.h"

namespace vargo::tool {

using Checker = std::function<std::vector<DataProblem>(const GameFolder&)>;

std::vector<DataProblem> checkCatalogues(const GameFolder& folder);

/// Every checker in the order `check` runs them.
std::vector<Checker> allCheckers();

}  // namespace vargo::tool
