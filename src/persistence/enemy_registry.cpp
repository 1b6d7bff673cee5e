#include "persistence/enemy_registry.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>

#include "model/field_reader.h"
#include "model/text_codec.h"
#include "persistence/registry_format.h"
#include "ui/prompts/prompts.h"

namespace vargo {
namespace {

constexpr const char* kDollFile = "save/EDollsv.ini";
constexpr const char* kLogicFile = "save/ELogicsv.ini";
constexpr const char* kShippedDolls = "ini/Dollsv.ini";
constexpr const char* kShippedLogics = "ini/Logicsv.ini";
constexpr int kMaxNumber = 99;
constexpr int kIdSlots = 101;

}  // namespace

EnemyRegistry::EnemyRegistry(GameFolder folder, Prompts& p)
    : gameFolder(std::move(folder)), prompts(p), catalogue(gameFolder) {}

// --- File access ----------------------------------------------------------------------------------

std::optional<std::vector<std::string>> EnemyRegistry::readRegistryFile(const char* relative,
                                                                        const char* shipped) {
    std::filesystem::path path = gameFolder.resolve(relative);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        // A registry that went missing comes back as shipped rather than leaving every fight
        // without an opponent.
        std::optional<std::string> seed = readBytes(gameFolder.resolve(shipped));
        std::string error;
        if (!seed || !writeFileAtomic(path, *seed, &error)) {
            prompts.msgBox("ファイルが見つかりません\n" + GameFolder::display(relative), BoxButtons::Ok);
            return std::nullopt;
        }
        prompts.msgBox(GameFolder::display(relative) + " が見つからないため、" +
                           GameFolder::display(shipped) + " から作り直しました",
                       BoxButtons::Ok);
    }
    try {
        auto lines = readTextFile(path);
        if (!lines) {
            prompts.msgBox("ファイルが見つかりません\n" + GameFolder::display(relative), BoxButtons::Ok);
        }
        return lines;
    } catch (const EncodingError& e) {
        reportProblem(DataProblem{GameFolder::display(relative), 0, e.what()});
        return std::nullopt;
    }
}

std::optional<std::vector<std::string>> EnemyRegistry::readDolls() {
    return readRegistryFile(kDollFile, kShippedDolls);
}

std::optional<std::vector<std::string>> EnemyRegistry::readLogics() {
    return readRegistryFile(kLogicFile, kShippedLogics);
}

bool EnemyRegistry::rewrite(const char* relative, const char* scratch,
                            const std::vector<std::string>& lines) {
    // The scratch copy is the file as it was before this rewrite; the new text replaces the file
    // only once it is completely on disk.
    std::string error;
    std::optional<std::string> old = readBytes(gameFolder.resolve(relative));
    if (old && !writeFileAtomic(gameFolder.resolve(scratch), *old, &error)) {
        prompts.msgBox("書き込めませんでした\n" + error, BoxButtons::Ok);
        return false;
    }
    std::string bytes;
    try {
        bytes = encodeLines(lines);
    } catch (const EncodingError& e) {
        prompts.msgBox(std::string("書き込めませんでした\n") + e.what(), BoxButtons::Ok);
        return false;
    }
    if (!writeFileAtomic(gameFolder.resolve(relative), bytes, &error)) {
        prompts.msgBox("書き込めませんでした\n" + error, BoxButtons::Ok);
        return false;
    }
    return true;
}

void EnemyRegistry::reportProblem(const DataProblem& problem) {
    prompts.msgBox("敵Dollファイルが読めません\n" + problem.text(), BoxButtons::Ok);
}

// --- Battle side ----------------------------------------------------------------------------------

std::shared_ptr<doll> EnemyRegistry::ldTekiDoll(int number) {
    auto lines = readDolls();
    if (!lines) {
        return nullptr;
    }
    std::optional<EnemyRecord> found;
    for (size_t i = 0; i < lines->size(); ++i) {
        if (!isHeader((*lines)[i])) {
            continue;
        }
        int id = headerId((*lines)[i]);
        if (id == number) {
            try {
                found = readEnemyRecord(*lines, i);
            } catch (const FieldError& e) {
                reportProblem(DataProblem{GameFolder::display(kDollFile), e.line, e.what()});
                return nullptr;
            }
        }
        if (id >= kMaxNumber) {
            break;
        }
    }
    if (!found) {
        return nullptr;
    }
    auto d = std::make_shared<doll>();
    d->ID = static_cast<Int16>(number);
    d->name = found->name;
    d->AC = found->AC;
    d->AP = found->AP;
    d->defence = found->defence;
    d->frame = catalogue.ldFrame(found->frameID);
    d->jump = found->jump;
    d->junkParts = found->junkParts;
    d->Memory = found->Memory;
    d->Motor = catalogue.ldMotor(found->motorID);
    d->move = found->move;
    d->offence = found->offence;
    d->ownerID = found->ownerID;
    d->pow = found->pow;
    d->spin = found->spin;
    d->value = found->value;
    d->weight = found->weight;
    d->image = found->image;
    d->removeAllLogic();
    ldLogics(number, *d);
    return d;
}

void EnemyRegistry::ldLogics(int number, doll& d) {
    auto lines = readLogics();
    if (!lines) {
        return;
    }
    int k = 0;
    for (size_t i = 0; i < lines->size(); ++i) {
        if (!isHeader((*lines)[i])) {
            continue;
        }
        EnemyPatternBlock block;
        try {
            Int16 owner = readPatternOwner(*lines, i);
            if (owner == number && k < doll::kLogics) {
                block = readPatternBlock(*lines, i, 6);
                auto l = std::make_shared<Logic>();
                l->ID = static_cast<Int16>(block.sequence);
                l->dollID = block.dollID;
                l->name = block.name;
                for (int s = 0; s < 6; ++s) {
                    l->addAction(makeAction(block.actions[static_cast<size_t>(s)]), prompts);
                }
                // The battle's actions carry no costs: the pattern keeps what the entry stored.
                l->AP = block.AP;
                l->Memory = block.Memory;
                d.setLogics(l, k);
                ++k;
            }
            if (owner >= kMaxNumber) {
                break;
            }
        } catch (const FieldError& e) {
            reportProblem(DataProblem{GameFolder::display(kLogicFile), e.line, e.what()});
        }
    }
}

std::vector<EnemyRegistry::Counted> EnemyRegistry::scanValues(bool stopAt99) {
    std::vector<Counted> out;
    auto lines = readDolls();
    if (!lines) {
        return out;
    }
    for (size_t i = 0; i < lines->size(); ++i) {
        if (!isHeader((*lines)[i])) {
            continue;
        }
        int id = headerId((*lines)[i]);
        if (id > 0) {
            try {
                EnemyRecord r = readEnemyRecordValues(*lines, i);
                out.push_back(Counted{id, r.value});
            } catch (const FieldError& e) {
                // One damaged record drops out of the count; the others still fight.
                reportProblem(DataProblem{GameFolder::display(kDollFile), e.line, e.what()});
            }
        }
        if (stopAt99 && id >= kMaxNumber) {
            break;
        }
    }
    return out;
}

std::vector<int> EnemyRegistry::ldTekiIDs(int limit) {
    std::vector<int> ids(kIdSlots, 0);
    size_t n = 0;
    for (const Counted& c : scanValues(true)) {
        if (c.value <= limit && n < ids.size()) {
            ids[n++] = c.number;
        }
    }
    return ids;
}

int EnemyRegistry::countTekiDoll(int limit, std::vector<int>* enemyIDs) {
    if (enemyIDs) {
        enemyIDs->assign(kIdSlots, 0);
    }
    int count = 0;
    for (const Counted& c : scanValues(false)) {
        if (c.value <= limit) {
            ++count;
            if (enemyIDs && count < kIdSlots) {
                (*enemyIDs)[static_cast<size_t>(count)] = c.number;
            }
        }
    }
    return count;
}

// --- Enemy list screen ----------------------------------------------------------------------------

std::vector<EnemyRegistry::ListEntry> EnemyRegistry::dspEnemyList() {
    std::vector<ListEntry> out;
    auto lines = readDolls();
    if (!lines) {
        return out;
    }
    for (size_t i = 0; i < lines->size(); ++i) {
        if (!isHeader((*lines)[i])) {
            continue;
        }
        int id = headerId((*lines)[i]);
        if (i + 1 < lines->size()) {
            out.push_back(ListEntry{id, (*lines)[i + 1]});
            ++i;
        }
        if (id >= kMaxNumber) {
            break;
        }
    }
    return out;
}

std::shared_ptr<doll> EnemyRegistry::readEnemyDoll(int number) {
    auto lines = readDolls();
    if (!lines) {
        return nullptr;
    }
    for (size_t i = 0; i < lines->size(); ++i) {
        if (!isHeader((*lines)[i]) || headerId((*lines)[i]) != number) {
            continue;
        }
        try {
            EnemyRecord r = readEnemyRecord(*lines, i);
            auto d = std::make_shared<doll>();
            d->ID = static_cast<Int16>(number);
            d->name = r.name;
            d->ownerID = r.ownerID;
            d->pow = r.pow;
            d->offence = r.offence;
            d->defence = r.defence;
            d->move = r.move;
            d->jump = r.jump;
            d->spin = r.spin;
            d->AC = r.AC;
            d->AP = r.AP;
            d->Memory = r.Memory;
            d->junkParts = r.junkParts;
            d->value = r.value;
            d->weight = r.weight;
            d->image = r.image;
            return d;
        } catch (const FieldError& e) {
            reportProblem(DataProblem{GameFolder::display(kDollFile), e.line, e.what()});
            return nullptr;
        }
    }
    return nullptr;
}

}  // namespace vargo
