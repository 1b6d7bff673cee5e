#include <iostream>

#include "checks.h"
#include "commands.h"

namespace vargo::tool {

int cmdCheck(const GameFolder& folder, const Args& args) {
    if (!args.empty()) {
        return usage("check takes no arguments");
    }
    std::vector<DataProblem> problems;
    for (const auto& checker : allCheckers()) {
        auto found = checker(folder);
        problems.insert(problems.end(), found.begin(), found.end());
    }
    for (const auto& p : problems) {
        std::cout << p.text() << "\n";
    }
    return problems.empty() ? 0 : 1;
}

}  // namespace vargo::tool
