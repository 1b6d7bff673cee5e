#include "checks.h"

#include "model/catalogue.h"

namespace vargo::tool {

std::vector<DataProblem> checkCatalogues(const GameFolder& folder) {
    std::vector<DataProblem> all;
    for (int k = 0; k < kPartKinds; ++k) {
        auto found = checkCatalogue(folder, static_cast<PartKind>(k));
        all.insert(all.end(), found.begin(), found.end());
    }
    return all;
}

std::vector<Checker> allCheckers() {
    return {checkCatalogues};
}

}  // namespace vargo::tool
