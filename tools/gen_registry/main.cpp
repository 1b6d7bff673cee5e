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
    std::map<std::string, std::vector<int>> parts;
    std::vector<std::pair<std::string, std::vector<int>>> patterns;
};

[[noreturn]] void fail(int line, const std::string& what) {
    throw std::runtime_error("line " + std::to_string(line) + ": " + what);
}

int actionCode(const std::string& word, int line) {
    for (int c = 1; c <= 11; ++c) {
        if (actionName(c) == word) {
            return c;
        }
    }
    fail(line, "unknown action \"" + word + "\"");
}

std::vector<int> numbersOf(const std::string& text, int line) {
    std::vector<int> out;
    std::stringstream ss(text);
    std::string item;
    while (std::getline(ss, item, '/')) {
        try {
            out.push_back(std::stoi(item));
        } catch (const std::exception&) {
            fail(line, "\"" + item + "\" is not a part ID");
        }
    }
    return out;
}

// "motor=ID frame=ID ... boosters=ID/ID ..." into d's parts.
void readParts(const std::string& rest, int line, SourceDoll& d) {
    std::stringstream ps(rest);
    std::string item;
    while (ps >> item) {
        auto eq = item.find('=');
        if (eq == std::string::npos) {
            fail(line, "part \"" + item + "\" needs KIND=ID");
        }
        d.parts[item.substr(0, eq)] = numbersOf(item.substr(eq + 1), line);
    }
}

// "NAME: ACTION ..." as the pattern's name and its action codes.
std::pair<std::string, std::vector<int>> readPattern(const std::string& rest, int line) {
    auto colon = rest.find(':');
    if (colon == std::string::npos) {
        fail(line, "a pattern is NAME: ACTION ...");
    }
    std::string name = rest.substr(0, colon);
    while (!name.empty() && name.back() == ' ') {
        name.pop_back();
    }
    std::vector<int> codes;
    std::stringstream as(rest.substr(colon + 1));
    std::string word;
    while (as >> word) {
        codes.push_back(actionCode(word, line));
    }
    if (codes.empty() || codes.size() > 10) {
        fail(line, "a pattern holds 1 to 10 actions");
    }
    return {name, codes};
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
            readParts(rest, line, d);
        } else if (key == "pattern") {
            d.patterns.push_back(readPattern(rest, line));
        } else {
            fail(line, "unknown key \"" + key + "\"");
        }
    }
    return dolls;
}

int one(const SourceDoll& s, const std::string& kind) {
    auto it = s.parts.find(kind);
    if (it == s.parts.end() || it->second.size() != 1) {
        fail(s.line, s.name + ": needs exactly one " + kind);
    }
    return it->second[0];
}

std::vector<int> many(const SourceDoll& s, const std::string& kind) {
    auto it = s.parts.find(kind);
    return it == s.parts.end() ? std::vector<int>{} : it->second;
}

template <class Ptr>
Ptr need(Ptr p, const SourceDoll& s, const std::string& kind, int id) {
    if (isEmptyPart(p)) {
        fail(s.line, s.name + ": no " + kind + " with ID " + std::to_string(id) + " in the catalogue");
    }
    return p;
}

struct Built {
    std::shared_ptr<doll> d;
    int usedMemory = 0;
    int longestAP = 0;
};

Built build(const SourceDoll& s, CatalogueReader& cat, Prompts& prompts, bool trial) {
    auto d = std::make_shared<doll>();
    d->name = s.name;
    d->Motor = need(cat.ld_Motor(one(s, "motor")), s, "motor", one(s, "motor"));
    d->frame = need(cat.ld_Frame(one(s, "frame")), s, "frame", one(s, "frame"));
    d->Hard = need(cat.ld_Hard(one(s, "hard")), s, "hard", one(s, "hard"));
    std::vector<int> soft = many(s, "soft");
    if (soft.size() != 3) {
        fail(s.line, s.name + ": soft=M/A/D needs three IDs");
    }
    d->setSoftM(0, need(cat.ld_SoftM(soft[0]), s, "software1", soft[0]));
    d->setSoftA(0, need(cat.ld_SoftA(soft[1]), s, "software2", soft[1]));
    d->setSoftD(0, need(cat.ld_SoftD(soft[2]), s, "software3", soft[2]));
    for (int id : many(s, "boosters")) {
        if (!d->addBooster(need(cat.ld_Boost(id), s, "booster", id))) {
            fail(s.line, s.name + ": booster " + std::to_string(id) + " does not fit");
        }
    }
    std::vector<int> plates = many(s, "protectors");
    if (plates.size() > 4) {
        fail(s.line, s.name + ": at most four protectors");
    }
    for (size_t i = 0; i < plates.size(); ++i) {
        auto p = need(cat.ld_Protect(plates[i]), s, "protector", plates[i]);
        countUpProtector2(*p, *d, static_cast<int>(i) - 1);
        d->addProtector(p, prompts);
    }
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
    bool opensWithMove = false, hasSpin = false, hasUnlock = false;
    for (size_t k = 0; k < s.patterns.size(); ++k) {
        auto l = std::make_shared<Logic>();
        l->name = s.patterns[k].first;
        for (int code : s.patterns[k].second) {
            l->addAction(d->getAction(code), prompts);
        }
        opensWithMove |= s.patterns[k].second.front() == kMove;
        for (int code : s.patterns[k].second) {
            hasSpin |= code == kSpin;
            hasUnlock |= code == kHazusi;
        }
        b.usedMemory += l->Memory;
        b.longestAP = std::max<int>(b.longestAP, l->AP);
        d->setLogics(l, static_cast<int>(k));
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
