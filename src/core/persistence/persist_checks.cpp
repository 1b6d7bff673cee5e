#include "persistence/persist_checks.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <regex>
#include <set>

#include "model/catalogue.h"
#include "model/doll_parts.h"
#include "model/file_transaction.h"
#include "model/game.h"
#include "model/random.h"
#include "model/text_codec.h"
#include "persistence/registry_format.h"
#include "persistence/save_files.h"
#include "persistence/save_parts_check.h"
#include "ports/prompts.h"

namespace vargo {
namespace {

std::optional<std::vector<std::string>> readForCheck(const GameFolder& folder, const std::string& rel,
                                                     bool required, std::vector<DataProblem>& out) {
    try {
        auto lines = readTextFile(folder.resolve(rel));
        if (!lines && required) {
            out.push_back({rel, 0, "ファイルが見つかりません"});
        }
        return lines;
    } catch (const EncodingError& e) {
        out.push_back({rel, e.line, e.what()});
        return std::nullopt;
    }
}

// The Doll records read so far, by registry number, with the line of each header.
struct RegistryRecords {
    std::map<int, EnemyRecord> records;
    std::map<int, int> recordLine;
};

// Each record of the Doll file: its number, its parts in the catalogue, its picture code.
RegistryRecords checkDollRecords(const std::vector<std::string>& dolls, const std::string& dollsRel,
                                 CatalogueReader& cat, std::vector<DataProblem>& out) {
    RegistryRecords found;
    for (size_t i = 0; i < dolls.size(); ++i) {
        if (!isHeader(dolls[i])) {
            continue;
        }
        int line = static_cast<int>(i) + 1;
        int n = headerId(dolls[i]);
        if (n < 1 || n > 99) {
            out.push_back({dollsRel, line, "registry number " + std::to_string(n) + " is outside 1 to 99"});
        }
        if (found.records.count(n)) {
            out.push_back({dollsRel, line, "registry number " + std::to_string(n) + " is used twice"});
        }
        try {
            EnemyRecord r = readEnemyRecord(dolls, i);
            if (isEmptyPart(cat.ld_Motor(r.motorID))) {
                out.push_back({dollsRel, line, "no motor with ID " + std::to_string(r.motorID)});
            }
            if (isEmptyPart(cat.ld_Frame(r.frameID))) {
                out.push_back({dollsRel, line, "no frame with ID " + std::to_string(r.frameID)});
            }
            if (r.image != "01" && r.image != "0201" && r.image != "0202") {
                out.push_back({dollsRel, line, "picture code \"" + r.image + "\" is not 01, 0201 or 0202"});
            }
            found.records[n] = r;
            found.recordLine[n] = line;
        } catch (const FieldError& e) {
            out.push_back({dollsRel, e.line, e.what()});
        }
    }
    return found;
}

// The action codes of the pattern block whose header is logics[header], each on its own line.
void checkActionCodes(const std::vector<std::string>& logics, size_t header, const std::string& logicsRel,
                      std::vector<DataProblem>& out) {
    // The codes are read again only to learn their lines: a block may spread its numbers
    // over fewer or more lines than the game writes.
    FieldReader codes(logics, header + 3);
    codes.integer();  // AP
    codes.integer();  // Memory
    for (int s = 0; s < Logic::kSteps; ++s) {
        Int16 code = codes.integer();
        if (code < 0 || code > 11) {
            out.push_back(
                {logicsRel, codes.lineNumber(), "action code " + std::to_string(code) + " is not 0 to 11"});
        }
    }
}

}  // namespace

std::vector<DataProblem> checkRegistry(const GameFolder& folder, const std::string& dollsRel,
                                       const std::string& logicsRel, bool required) {
    std::vector<DataProblem> out;
    auto dolls = readForCheck(folder, dollsRel, required, out);
    auto logics = readForCheck(folder, logicsRel, required, out);
    if (!dolls || !logics) {
        return out;
    }
    CatalogueReader cat(folder);
    const auto [records, recordLine] = checkDollRecords(*dolls, dollsRel, cat, out);

    std::map<int, int> memoryUsed;
    std::set<int> withPatterns;
    for (size_t i = 0; i < logics->size(); ++i) {
        if (!isHeader((*logics)[i])) {
            continue;
        }
        int line = static_cast<int>(i) + 1;
        try {
            EnemyPatternBlock b = readPatternBlock(*logics, i, Logic::kSteps);
            checkActionCodes(*logics, i, logicsRel, out);
            if (!records.count(b.dollID)) {
                out.push_back({logicsRel, line + 1,
                               "pattern of Doll " + std::to_string(b.dollID) + ", which is not entered"});
                continue;
            }
            withPatterns.insert(b.dollID);
            memoryUsed[b.dollID] += b.Memory;
        } catch (const FieldError& e) {
            out.push_back({logicsRel, e.line, e.what()});
        }
    }
    for (const auto& [n, r] : records) {
        if (!withPatterns.count(n)) {
            out.push_back({dollsRel, recordLine.at(n), r.name + " has no patterns in " + logicsRel});
        } else if (memoryUsed[n] > r.Memory) {
            out.push_back({dollsRel, recordLine.at(n),
                           r.name + ": patterns need " + std::to_string(memoryUsed[n]) + " memory of " +
                               std::to_string(r.Memory)});
        }
    }
    return out;
}

std::vector<DataProblem> checkInterruptedWrites(const GameFolder& folder) {
    std::vector<DataProblem> out;
    std::error_code ec;
    const auto save = folder.resolve("save");
    if (!std::filesystem::is_directory(save, ec)) {
        return out;
    }
    for (const auto& line : pendingTransactions(save)) {
        out.push_back({"save/" + line.substr(0, line.find(':')), 0, line.substr(line.find(':') + 2)});
    }
    return out;
}

std::vector<int> saveNumbers(const GameFolder& folder) {
    std::set<int> found;
    std::error_code ec;
    auto dir = folder.resolve("save");
    static const std::regex name("(playersv|playdollsv|logicsv)([0-9]{1,5})\\.ini");
    for (const auto& e : std::filesystem::directory_iterator(dir, ec)) {
        std::string file = e.path().filename().string();
        std::transform(file.begin(), file.end(), file.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        std::smatch m;
        if (std::regex_match(file, m, name)) {
            int n = std::stoi(m[2]);
            if (n <= 32767) {
                found.insert(n);
            }
        }
    }
    return {found.begin(), found.end()};
}

namespace {

// Every part fitted on the Doll is one the player owns: the workshop fits inventory parts only.
// A fitted part missing from the inventory means the Doll file and the player file do not
// belong together (files of two different saves).
std::vector<DataProblem> mismatchedParts(Game& game, int n) {
    std::vector<DataProblem> out;
    const Owner& o = *game.owners[0];
    const doll& d = *game.dolls[0];
    // The single parts are named first, then boosters and plates.
    for (bool many : {false, true}) {
        forEachKind([&]<class Part>(KindTag<Part> kind) {
            if (fitsMany(kind.kind) != many) {
                return;
            }
            // The slots the Doll file restores, counted by ID: two fitted plates of one ID need two owned.
            std::map<int, int> fitted;
            for (int i = 0; i < kind.info().dollFileFitted; ++i) {
                ++fitted[dollPart<Part>(d, i)->ID];
            }
            for (const auto& [id, count] : fitted) {
                int owned = 0;
                for (int i = 0; i < kind.info().covered; ++i) {
                    owned += o.part<Part>(i)->ID == id ? 1 : 0;
                }
                if (id > 0 && owned < count) {
                    out.push_back(
                        {SaveFiles::dollFile(n), 0,
                         std::string("Dollの") + kind.info().phrase + "（ID " + std::to_string(id) + "）が " +
                             SaveFiles::playerFile(n) +
                             " の所持品にありません。別のセーブのファイルが混ざっているかもしれません"});
                }
            }
        });
    }
    return out;
}

}  // namespace

std::vector<DataProblem> checkSaveSet(const GameFolder& folder, int n) {
    std::vector<DataProblem> out;
    GameRandom rng(1);
    Game game(folder, rng);
    ScriptedPrompts prompts;
    SaveFiles sv(game, prompts);
    sv.svNum = n;
    const std::pair<std::string, bool (SaveFiles::*)(int)> files[] = {
        {SaveFiles::playerFile(n), &SaveFiles::loadPlayerRtn},
        {SaveFiles::dollFile(n), &SaveFiles::loadDollRtn},
        {SaveFiles::logicFile(n), &SaveFiles::loadLogicRtn},
    };
    for (const auto& [rel, load] : files) {
        prompts.calls.clear();
        if (!std::filesystem::exists(folder.resolve(rel))) {
            out.push_back({rel, 0, "ファイルが見つかりません"});
            continue;
        }
        (sv.*load)(0);
        for (const auto& m : prompts.messages()) {
            std::string text = m;
            std::replace(text.begin(), text.end(), '\n', ' ');
            out.push_back({rel, 0, text});
        }
    }
    CatalogueReader catalogue(folder);
    auto missing = missingSaveParts(catalogue, n, SaveSide::Player);
    out.insert(out.end(), missing.begin(), missing.end());
    if (out.empty()) {
        for (auto& p : mismatchedParts(game, n)) {
            out.push_back(std::move(p));
        }
    }
    return out;
}

}  // namespace vargo
