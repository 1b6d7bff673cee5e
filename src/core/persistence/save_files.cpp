#include "persistence/save_files.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "model/field_reader.h"
#include "model/file_transaction.h"
#include "model/text_codec.h"
#include "ports/prompts.h"

namespace vargo {
namespace {

template <class Getter>
std::string idList(int count, Getter get) {
    std::string s;
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            s += ',';
        }
        s += std::to_string(get(i));
    }
    return s;
}

// The copy number a protector name carries: 0 for the catalogue name itself, n for "name n",
// nothing for a name that belongs to another protector.
std::optional<int> copyNumber(const std::string& found, const std::string& base) {
    if (found.rfind(base, 0) != 0) {
        return std::nullopt;
    }
    if (found.size() == base.size()) {
        return 0;
    }
    if (found[base.size()] != ' ' || found.size() == base.size() + 1) {
        return std::nullopt;
    }
    int n = 0;
    for (size_t i = base.size() + 1; i < found.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(found[i])) || n > 9999) {
            return std::nullopt;
        }
        n = n * 10 + (found[i] - '0');
    }
    return n;
}

void numberAgainst(Protector& p, int start, const std::function<std::string(int)>& nameAt) {
    // The highest copy number among the earlier slots plus one keeps every copy apart: counting
    // the copies, or reading a single digit of "X 10", could hand out a name already in use.
    if (p.name.empty()) {
        return;  // a blank plate marks a free slot and must stay blank
    }
    std::optional<int> highest;
    for (int j = start; j >= 0; --j) {
        if (auto n = copyNumber(nameAt(j), p.name)) {
            highest = std::max(highest.value_or(0), *n);
        }
    }
    if (highest) {
        p.name += " " + std::to_string(*highest + 1);
    }
}

}  // namespace

void countUpProtector(Protector& p, const Owner& owner, int start) {
    numberAgainst(p, start, [&](int j) { return owner.getProtector(j)->name; });
}

void countUpProtector2(Protector& p, const doll& d, int start) {
    numberAgainst(p, std::min(start, doll::kProtectors - 1), [&](int j) { return d.getProtector(j)->name; });
}

std::string saveNameField(const std::string& raw) {
    std::string name;
    for (char c : raw) {
        name += (c == '\r' || c == '\n') ? ' ' : c;
    }
    // A leading full stop is quoted too: the name then cannot pass for a block header.
    bool plain = name.find(',') == std::string::npos &&
                 (name.empty() || (name[0] != '"' && name[0] != '.')) &&
                 (name.empty() ||
                  (name.front() != ' ' && name.front() != '\t' && name.back() != ' ' && name.back() != '\t'));
    if (plain) {
        return name;
    }
    std::string out = "\"";
    for (char c : name) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + "\"";
}

std::optional<GameDate> parseSaveDate(const std::string& text) {
    int parts[3] = {0, 0, 0};
    int count = 0;
    int yearDigits = 0;
    bool inNumber = false;
    for (char c : text) {
        if (std::isdigit(static_cast<unsigned char>(c))) {
            if (!inNumber) {
                if (count == 3) {
                    return std::nullopt;
                }
                ++count;
                inNumber = true;
            }
            if (count == 1) {
                ++yearDigits;
            }
            int& v = parts[count - 1];
            if (v > 9999) {
                return std::nullopt;
            }
            v = v * 10 + (c - '0');
        } else {
            inNumber = false;
        }
    }
    if (count != 3 || parts[1] < 1 || parts[1] > 12 || parts[2] < 1 || parts[2] > 31 || parts[0] < 1) {
        return std::nullopt;
    }
    // A two-digit year is read the way the calendar reads its own dates: 00 to 29 fall in this
    // century, 30 to 99 in the last ("13/05/01" is 2013).
    if (count == 3 && parts[0] < 100 && yearDigits <= 2) {
        parts[0] += parts[0] < 30 ? 2000 : 1900;
    }
    GameDate d;
    d.year = parts[0];
    d.month = parts[1];
    d.day = parts[2];
    return d;
}

SaveFiles::SaveFiles(Game& g, Prompts& p) : game(g), prompts(p), catalogue(g.folder) {}

namespace {

// The player types 0 to 32767; an autosave's negative number becomes "A1".."A3", a name no typed
// number can take.
std::string setKey(int n) {
    return n < 0 ? "A" + std::to_string(-static_cast<long>(n)) : std::to_string(n);
}

}  // namespace

std::string SaveFiles::playerFile(int n) {
    return "save/Playersv" + setKey(n) + ".ini";
}
std::string SaveFiles::dollFile(int n) {
    return "save/PlayDollsv" + setKey(n) + ".ini";
}
std::string SaveFiles::logicFile(int n) {
    return "save/Logicsv" + setKey(n) + ".ini";
}
std::string SaveFiles::historyFile(int n) {
    return "save/Historysv" + setKey(n) + ".ini";
}

// --- Writing --------------------------------------------------------------------------------------

std::vector<std::string> SaveFiles::playerLines() const {
    const Owner& o = *game.owners[0];
    std::vector<std::string> lines = {
        game.gameDate.format(),
        saveNameField(o.name),
        joinNumbers({o.Lv, o.exp, o.Rl}),
        joinNumbers({o.skillPlay, o.skillHard, o.skillSoft}),
    };
    // The inventory, one line per kind: the slots removal covers (booster slot 10 is not kept).
    forEachKind([&]<class Part>(KindTag<Part> kind) {
        lines.push_back(idList(kind.info().covered, [&](int i) { return o.part<Part>(i)->ID; }));
    });
    lines.push_back(joinNumbers({game.playMusic ? 1 : 0, game.guideOn ? 1 : 0}));
    lines.push_back(joinNumbers({o.recWin, o.recLoose, o.recChamp}));
    return lines;
}

std::vector<std::string> SaveFiles::dollLines() const {
    const doll& d = *game.dolls[0];
    return {
        saveNameField(d.name),
        joinNumbers({d.ownerID, d.Motor->ID, d.frame->ID}),
        idList(5, [&](int i) { return d.getBoost(i)->ID; }),
        idList(4, [&](int i) { return d.getProtector(i)->ID; }),
        std::to_string(d.Hard->ID),
        idList(4, [&](int i) { return d.getSoftM(i)->ID; }),
        idList(4, [&](int i) { return d.getSoftA(i)->ID; }),
        idList(4, [&](int i) { return d.getSoftD(i)->ID; }),
        std::to_string(d.junkParts),
        joinNumbers({d.Motor->HP, d.frame->HP}),
        d.programed ? "True" : "False",
    };
}

std::vector<std::string> SaveFiles::logicLines() const {
    const doll& d = *game.dolls[0];
    std::vector<std::string> out;
    for (int k = 1; k <= 7; ++k) {
        const Logic& l = *d.getLogic(k - 1);
        out.push_back(". " + std::to_string(k));
        out.push_back(saveNameField(l.name));
        out.push_back(joinNumbers({l.AP, l.Memory}));
        out.push_back(idList(Logic::kSteps, [&](int i) {
            ActionPtr a = l.getActions(i);
            return a ? a->ID : 0;
        }));
    }
    return out;
}

std::string SaveFiles::transactionName(int n) {
    return "Save" + setKey(n);
}

bool SaveFiles::save_rtn() {
    // The career's history goes with the set, in the same all-or-nothing write.
    game.history.record(game, CareerMoment::Save);
    WriteProblem problem;
    if (writeSet({}, &problem)) {
        return true;
    }
    prompts.msgBox(problem.head + "\n" + problem.detail, BoxButtons::Ok);
    return false;
}

bool SaveFiles::writeSet(const std::vector<std::pair<std::string, std::string>>& extra,
                         WriteProblem* problem) const {
    const std::string relatives[] = {playerFile(svNum), dollFile(svNum), logicFile(svNum),
                                     historyFile(svNum)};
    const std::vector<std::string> contents[] = {playerLines(), dollLines(), logicLines(),
                                                 historyLines(game.history)};
    const std::filesystem::path folder = game.folder.resolve(relatives[0]).parent_path();
    FileTransaction set(folder, transactionName(svNum));
    for (size_t i = 0; i < std::size(relatives); ++i) {
        try {
            std::string bytes = encodeLines(contents[i]);
            if (!readsBackAsShiftJis(bytes)) {
                // Written, the file would read as UTF-8 and never load again.
                *problem = {"セーブできませんでした",
                            GameFolder::display(relatives[i]) +
                                ": 名前の文字の組み合わせのため、読み込めないファイルになります"};
                return false;
            }
            set.put(game.folder.resolve(relatives[i]).filename().string(), std::move(bytes));
        } catch (const EncodingError&) {
            *problem = {"セーブできませんでした",
                        GameFolder::display(relatives[i]) + ": Shift_JISで書けない文字が名前にあります"};
            return false;
        }
    }
    for (const auto& [name, bytes] : extra) {
        set.put(name, bytes);
    }
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        *problem = {"セーブできませんでした", "save フォルダが見つかりません"};
        return false;
    }
    std::string error;
    if (!set.commit(&error)) {
        *problem = {"セーブできませんでした（以前のセーブはそのまま残っています）", error};
        return false;
    }
    return true;
}

// --- Reading --------------------------------------------------------------------------------------

std::optional<std::vector<std::string>> SaveFiles::openForLoad(const std::string& relative) {
    try {
        auto lines = readTextFile(game.folder.resolve(relative));
        if (!lines) {
            prompts.msgBox("ファイルが見つかりません", BoxButtons::Ok);
            game.duelistState = 1;
        }
        return lines;
    } catch (const EncodingError& e) {
        readFailed(relative, e.line, e.what());
        return std::nullopt;
    }
}

void SaveFiles::readFailed(const std::string& relative, int line, const std::string& why) {
    prompts.msgBox("ファイルが読めません\n" + DataProblem{GameFolder::display(relative), line, why}.message(),
                   BoxButtons::Ok);
    game.duelistState = 1;
}

}  // namespace vargo
