// gen-registry: builds the shipped enemy registry (ini/Dollsv.ini, ini/Logicsv.ini and their
// starting copies in save/) from the readable source assets/enemies/enemies.txt. Every Doll is
// assembled from catalogue parts and recomputed by the game's own refresh and resetDollParam, so
// the stored numbers are exactly what the workshop would show for it.
//
//   gen-registry DATA_DIR SOURCE      write the four files and print a summary
//   gen-registry --check DATA_DIR SOURCE   only say whether the committed files are up to date
//   gen-registry --trial DATA_DIR SOURCE   write Dolls that need not be shipped enemies: the three
//                                          patterns every shipped enemy carries are not demanded
//                                          (tools/check_catalogue.py fights its example Dolls so)

#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "career/doll_recipe.h"
#include "model/catalogue.h"
#include "model/owner.h"
#include "model/random.h"
#include "model/text_codec.h"
#include "persistence/registry_format.h"
#include "persistence/save_files.h"
#include "ports/prompts.h"

namespace {

using namespace vargo;

struct SourceDoll {
    int line = 0;
    std::string name;
    int skill = 10;
    PartIds parts;
    std::vector<PatternRecipe> patterns;
};

[[noreturn]] void fail(int line, const std::string& what) {
    throw std::runtime_error("line " + std::to_string(line) + ": " + what);
}

std::vector<SourceDoll> parse(std::istream& in) {
    std::vector<SourceDoll> dolls;
    std::string text;
    int line = 0;
    while (std::getline(in, text)) {
        ++line;
        if (!text.empty() && text.back() == '\r') {
            text.pop_back();
        }
        std::stringstream ss(text);
        std::string key;
        ss >> key;
        if (key.empty() || key[0] == '#') {
            continue;
        }
        std::string rest;
        std::getline(ss >> std::ws, rest);
        if (key == "doll") {
            dolls.push_back(SourceDoll{});
            dolls.back().line = line;
            dolls.back().name = rest;
            continue;
        }
        if (dolls.empty()) {
            fail(line, "\"" + key + "\" before the first doll");
        }
        SourceDoll& d = dolls.back();
        if (key == "skill") {
            d.skill = std::stoi(rest);
        } else if (key == "parts") {
            if (auto problem = readPartIds(rest, d.parts)) {
                fail(line, *problem);
            }
        } else if (key == "pattern") {
            PatternRecipe p;
            if (auto problem = readPatternRecipe(rest, p)) {
                fail(line, *problem);
            }
            d.patterns.push_back(std::move(p));
        } else {
            fail(line, "unknown key \"" + key + "\"");
        }
    }
    return dolls;
}

struct Built {
    std::shared_ptr<doll> d;
    int usedMemory = 0;
    int longestAP = 0;
};

Built build(const SourceDoll& s, CatalogueReader& cat, Prompts& prompts, bool trial) {
    AssembledDoll assembled = assembleDoll(s.parts, cat, prompts);
    if (!assembled.d) {
        fail(s.line, s.name + ": " + assembled.problem);
    }
    std::shared_ptr<doll> d = assembled.d;
    d->name = s.name;
    Owner pilot;
    pilot.skillPlay = static_cast<Int16>(s.skill);
    d->refresh();
    if (!resetDollParam(*d, pilot)) {
        fail(s.line, s.name + ": value beyond 16 bits");
    }

    if (s.patterns.size() != 6) {
        fail(s.line, s.name + ": needs six patterns");
    }
    Built b{d};
    programDoll(*d, s.patterns, prompts);
    bool opensWithMove = false, hasSpin = false, hasUnlock = false;
    for (size_t k = 0; k < s.patterns.size(); ++k) {
        const std::vector<int>& codes = s.patterns[k].actions;
        opensWithMove |= codes.front() == kMove;
        for (int code : codes) {
            hasSpin |= code == kSpin;
            hasUnlock |= code == kHazusi;
        }
        const Logic& l = *d->getLogic(static_cast<int>(k));
        b.usedMemory += l.Memory;
        b.longestAP = std::max<int>(b.longestAP, l.AP);
    }
    if (!trial && (!opensWithMove || !hasSpin || !hasUnlock)) {
        fail(s.line, s.name + ": needs a pattern opening with 移動, one with 回転 and one with 外し");
    }
    if (b.usedMemory > d->Memory) {
        fail(s.line, s.name + ": patterns need " + std::to_string(b.usedMemory) +
                         " memory, the computer has " + std::to_string(d->Memory));
    }
    if (b.longestAP > d->AP + 12) {
        fail(s.line, s.name + ": a pattern of " + std::to_string(b.longestAP) + " AP can never run");
    }
    d->programed = true;
    return b;
}

// The four files: written, or with check only compared with what is there. Returns how many
// differ (always 0 when writing).
int writeOrCheck(const GameFolder& folder, const std::string& dolls, const std::string& logics, bool check) {
    const std::pair<const char*, const std::string*> outputs[] = {{"ini/Dollsv.ini", &dolls},
                                                                  {"ini/Logicsv.ini", &logics},
                                                                  {"save/EDollsv.ini", &dolls},
                                                                  {"save/ELogicsv.ini", &logics}};
    int stale = 0;
    for (const auto& [rel, bytes] : outputs) {
        auto path = folder.resolve(rel);
        if (check) {
            if (readBytes(path) != *bytes) {
                std::cerr << rel << " is not up to date\n";
                ++stale;
            }
        } else {
            std::string error;
            if (!writeFileAtomic(path, *bytes, &error)) {
                throw std::runtime_error(error);
            }
        }
    }
    return stale;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const bool check = !args.empty() && args[0] == "--check";
    const bool trial = !args.empty() && args[0] == "--trial";
    if (check || trial) {
        args.erase(args.begin());
    }
    if (args.size() != 2) {
        std::cerr << "usage: gen-registry [--check | --trial] DATA_DIR SOURCE\n";
        return 2;
    }
    try {
        std::ifstream src(args[1]);
        if (!src) {
            throw std::runtime_error("cannot open " + args[1]);
        }
        auto source = parse(src);
        GameFolder folder(args[0]);
        CatalogueReader cat(folder);
        ScriptedPrompts prompts;
        std::vector<std::string> dollLines, logicLines;
        int counts[3] = {0, 0, 0};
        int number = 0;
        for (const auto& s : source) {
            Built b = build(s, cat, prompts, trial);
            ++number;
            if (number > 99) {
                throw std::runtime_error("more than 99 Dolls");
            }
            for (auto& l : enemyRecordLines(number, *b.d)) {
                dollLines.push_back(std::move(l));
            }
            for (int k = 0; k < 6; ++k) {
                for (auto& l : patternBlockLines((number - 1) * 6 + k + 1, number, *b.d->getLogic(k))) {
                    logicLines.push_back(std::move(l));
                }
            }
            ++counts[static_cast<int>(b.d->dollClass())];
            if (!check) {
                std::cout << number << "\t" << b.d->name << "\t" << dollClassName(b.d->dollClass())
                          << "\tvalue " << b.d->value << "\tAP " << b.d->AP << " (longest " << b.longestAP
                          << ")\tmemory " << b.usedMemory << "/" << b.d->Memory << "\n";
            }
        }
        if (!cat.problems().empty()) {
            throw std::runtime_error(cat.problems().front().text());
        }
        const int stale = writeOrCheck(folder, encodeLines(dollLines), encodeLines(logicLines), check);
        if (!check) {
            std::cout << "Novice " << counts[0] << ", Expert " << counts[1] << ", Master " << counts[2]
                      << "\n";
        }
        return stale == 0 ? 0 : 1;
    } catch (const std::exception& e) {
        std::cerr << "gen-registry: " << e.what() << "\n";
        return 1;
    }
}
