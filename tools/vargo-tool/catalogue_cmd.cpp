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
            JsonWriter j;
            writePart(j, *p);
            std::cout << j.str() << "\n";
        }
    }
}

template <class Part>
void printOne(const std::shared_ptr<Part>& p) {
    JsonWriter j;
    writePart(j, *p);
    std::cout << j.str() << "\n";
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
        return usage("catalogue KIND [--id N]");
    }

    CatalogueReader reader(folder);
    if (id) {
        switch (*kind) {
            case PartKind::Motor:
                printOne(reader.ld_Motor(*id));
                break;
            case PartKind::Frame:
                printOne(reader.ld_Frame(*id));
                break;
            case PartKind::Booster:
                printOne(reader.ld_Boost(*id));
                break;
            case PartKind::Protector:
                printOne(reader.ld_Protect(*id));
                break;
            case PartKind::Hardware:
                printOne(reader.ld_Hard(*id));
                break;
            case PartKind::SoftMobile:
                printOne(reader.ld_SoftM(*id));
                break;
            case PartKind::SoftAttack:
                printOne(reader.ld_SoftA(*id));
                break;
            case PartKind::SoftDeffence:
                printOne(reader.ld_SoftD(*id));
                break;
        }
    } else {
        switch (*kind) {
            case PartKind::Motor:
                printTable(reader.ld_AllMotors());
                break;
            case PartKind::Frame:
                printTable(reader.ld_AllFrame());
                break;
            case PartKind::Booster:
                printTable(reader.ld_AllBooster());
                break;
            case PartKind::Protector:
                printTable(reader.ld_AllProtector());
                break;
            case PartKind::Hardware:
                printTable(reader.ld_AllHard());
                break;
            case PartKind::SoftMobile:
                printTable(reader.ld_AllSoftM());
                break;
            case PartKind::SoftAttack:
                printTable(reader.ld_AllSoftA());
                break;
            case PartKind::SoftDeffence:
                printTable(reader.ld_AllSoftD());
                break;
        }
    }
    reportProblems(reader);
    return reader.missingFiles().empty() ? 0 : 1;
}

}  // namespace vargo::tool
