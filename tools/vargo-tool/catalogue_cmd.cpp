#include <iostream>

#include "commands.h"
#include "model/catalogue.h"
#include "part_json.h"

namespace vargo::tool {
namespace {

template <class Part>
void printTable(const CatalogueTable<Part>& table) {
    for (const auto& p : table.byId) {
        if (p) {
            std::cout << jsonText(partJson(*p)) << "\n";
        }
    }
}

template <class Part>
void printOne(const std::shared_ptr<Part>& p) {
    std::cout << jsonText(partJson(*p)) << "\n";
}

void reportProblems(const CatalogueReader& reader) {
    for (const auto& p : reader.problems()) {
        std::cerr << p.text() << "\n";
    }
}

}  // namespace

int cmdCatalogue(const GameFolder& folder, const Args& args) {
    if (args.empty()) {
        return usage("catalogue needs a KIND");
    }
    auto kind = partKindFromKeyword(args[0]);
    if (!kind) {
        return usage("unknown kind \"" + args[0] + "\"");
    }
    std::optional<int> id;
    if (args.size() == 3 && args[1] == "--id") {
        try {
            id = std::stoi(args[2]);
        } catch (const std::exception&) {
            return usage("--id needs a number");
        }
    } else if (args.size() != 1) {
        return usageOf("catalogue");
    }

    CatalogueReader reader(folder);
    visitKind(*kind, [&]<class Part>(KindTag<Part>) {
        if (id) {
            printOne(reader.load<Part>(*id));
        } else {
            printTable(reader.loadAll<Part>());
        }
    });
    reportProblems(reader);
    return reader.missingFiles().empty() ? 0 : 1;
}

}  // namespace vargo::tool
