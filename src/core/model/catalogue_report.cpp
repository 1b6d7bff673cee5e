#include "model/catalogue_report.h"

#include <set>

#include "model/catalogue.h"
#include "ports/prompts.h"

namespace vargo {

std::vector<DataProblem> checkAllCatalogues(const GameFolder& folder) {
    std::vector<DataProblem> all;
    for (const auto& info : kPartKindInfo) {
        auto found = checkCatalogue(folder, info.kind);
        all.insert(all.end(), found.begin(), found.end());
    }
    return all;
}

std::string problemMessage(const std::string& heading, const std::vector<DataProblem>& problems) {
    std::string msg = heading;
    std::set<std::string> shown;
    for (const auto& p : problems) {
        std::string line = p.playerText();
        if (shown.insert(line).second) {
            msg += "\n" + line;
        }
    }
    return msg;
}

bool reportCatalogueProblems(const GameFolder& folder, Prompts& prompts) {
    auto problems = checkAllCatalogues(folder);
    if (problems.empty()) {
        return false;
    }
    prompts.msgBox(problemMessage("部品カタログに問題があります。\n"
                                  "問題のある部品は店に並ばず、セーブデータからも読み込まれません。",
                                  problems),
                   BoxButtons::Ok);
    return true;
}

}  // namespace vargo
