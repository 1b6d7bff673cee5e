#include "persistence/save_parts_check.h"

#include <map>
#include <optional>

#include "model/catalogue.h"
#include "model/catalogue_report.h"
#include "model/text_codec.h"
#include "persistence/save_files.h"
#include "ports/prompts.h"

namespace vargo {
namespace {

// The IDs one line names, kind by kind, in the order they were read.
using LineParts = std::map<int, std::vector<std::pair<PartKind, int>>>;

bool inCatalogue(CatalogueReader& cat, PartKind kind, int id) {
    return visitKind(kind, [&]<class Part>(KindTag<Part>) { return !isEmptyPart(cat.load<Part>(id)); });
}

// Reads `count` IDs; the first `used` of them are the ones the loader turns into parts.
void readIds(FieldReader& in, PartKind kind, int count, int used, LineParts& out) {
    for (int i = 0; i < count; ++i) {
        int id = in.integer();
        if (i < used && id > 0) {
            out[in.lineNumber()].push_back({kind, id});
        }
    }
}

// The player file's inventory: the IDs in the order and places loadPlayerRtn reads them (booster
// slots 5 to 9 are kept but never restored).
void playerParts(FieldReader& in, LineParts& out) {
    in.text();
    in.escapedText();
    for (int i = 0; i < 6; ++i) {
        in.integer();
    }
    for (const auto& info : kPartKindInfo) {
        readIds(in, info.kind, info.covered, info.fillable, out);
    }
}

// The Doll file's fitted parts, as loadDollRtn reads them (only slot 0 of each program kind is
// fitted).
void dollParts(FieldReader& in, LineParts& out) {
    in.escapedText();
    in.integer();  // ownerID
    for (const auto& info : kPartKindInfo) {
        readIds(in, info.kind, info.dollFileIds, info.dollFileFitted, out);
    }
}

// "モーター 7, 9 (ini/Motor.ini)" and its English twin for the tool, for each kind on the line.
void describe(const std::vector<std::pair<PartKind, int>>& missing, std::string& en, std::string& ja) {
    std::optional<PartKind> kind;
    auto close = [&] {
        if (kind) {
            en += std::string(" (") + kindInfo(*kind).file + ")";
            ja += std::string(" (") + kindInfo(*kind).file + ")";
        }
    };
    for (const auto& [k, id] : missing) {
        if (kind == k) {
            en += ", " + std::to_string(id);
            ja += ", " + std::to_string(id);
            continue;
        }
        close();
        if (kind) {
            en += ", ";
            ja += "、";
        }
        kind = k;
        en += std::string(kindInfo(k).keyword) + " " + std::to_string(id);
        ja += std::string(kindInfo(k).label) + " " + std::to_string(id);
    }
    close();
}

void checkFile(CatalogueReader& cat, const std::string& relative, void (*read)(FieldReader&, LineParts&),
               std::vector<DataProblem>& out) {
    std::optional<std::vector<std::string>> lines;
    try {
        lines = readTextFile(cat.folder().resolve(relative));
    } catch (const EncodingError&) {
        return;
    }
    if (!lines) {
        return;
    }
    LineParts parts;
    try {
        FieldReader in(*lines, 0);
        read(in, parts);
    } catch (const FieldError&) {
        // The loader reports the broken line; the IDs read before it are still worth naming.
    }
    for (const auto& [line, named] : parts) {
        std::vector<std::pair<PartKind, int>> missing;
        for (const auto& [kind, id] : named) {
            if (!inCatalogue(cat, kind, id)) {
                missing.push_back({kind, id});
            }
        }
        if (missing.empty()) {
            continue;
        }
        std::string en = "not in the catalogue: ", ja = "カタログにない部品: ";
        describe(missing, en, ja);
        out.push_back({GameFolder::display(relative), line, en, ja});
    }
}

}  // namespace

std::vector<DataProblem> missingSaveParts(CatalogueReader& catalogue, int svNum, SaveSide side) {
    std::vector<DataProblem> out;
    if (side == SaveSide::Player) {
        checkFile(catalogue, SaveFiles::playerFile(svNum), playerParts, out);
    }
    checkFile(catalogue, SaveFiles::dollFile(svNum), dollParts, out);
    return out;
}

void reportMissingSaveParts(CatalogueReader& catalogue, int svNum, SaveSide side, Prompts& prompts) {
    auto missing = missingSaveParts(catalogue, svNum, side);
    if (missing.empty()) {
        return;
    }
    prompts.msgBox(problemMessage("セーブデータに部品カタログにない部品があります。\n"
                                  "これらの部品は読み込まれません。",
                                  missing),
                   BoxButtons::Ok);
}

}  // namespace vargo
