#include "checks.h"

#include "model/catalogue_report.h"
#include "persistence/persist_checks.h"

namespace vargo::tool {

std::vector<DataProblem> checkCatalogues(const GameFolder& folder) {
    return checkAllCatalogues(folder);
}

std::vector<DataProblem> checkRegistries(const GameFolder& folder) {
    // The shipped registry must be there; the working copy in save/ is seeded from it when missing.
    auto all = checkRegistry(folder, "ini/Dollsv.ini", "ini/Logicsv.ini", true);
    auto working = checkRegistry(folder, "save/EDollsv.ini", "save/ELogicsv.ini", false);
    all.insert(all.end(), working.begin(), working.end());
    return all;
}

std::vector<DataProblem> checkSaves(const GameFolder& folder) {
    std::vector<DataProblem> all;
    for (int n : saveNumbers(folder)) {
        auto found = checkSaveSet(folder, n);
        all.insert(all.end(), found.begin(), found.end());
    }
    return all;
}

std::vector<Checker> allCheckers() {
    return {checkCatalogues, checkRegistries, checkSaves, checkInterruptedWrites};
}

}  // namespace vargo::tool
