#include "persistence/enemy_registry.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>

#include "model/field_reader.h"
#include "model/text_codec.h"
#include "persistence/registry_format.h"
#include "ports/prompts.h"

namespace vargo {
namespace {

constexpr const char* kDollFile = kRegistryDollFile;
constexpr const char* kLogicFile = kRegistryLogicFile;
constexpr const char* kShippedDolls = "ini/Dollsv.ini";
constexpr const char* kShippedLogics = "ini/Logicsv.ini";
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
        reportProblem(DataProblem{GameFolder::display(relative), e.line, e.what()});
        return std::nullopt;
    }
}

std::optional<std::vector<std::string>> EnemyRegistry::readDolls() {
    return readRegistryFile(kDollFile, kShippedDolls);
}

std::optional<std::vector<std::string>> EnemyRegistry::readLogics() {
    return readRegistryFile(kLogicFile, kShippedLogics);
}

void EnemyRegistry::reportProblem(const DataProblem& problem) {
    prompts.msgBox("敵Dollファイルが読めません\n" + problem.message(), BoxButtons::Ok);
}

// --- Battle side ----------------------------------------------------------------------------------

std::shared_ptr<doll> EnemyRegistry::ldTekiDoll(int number) {
    auto lines = readDolls();
    if (!lines) {
        return nullptr;
    }
    std::optional<EnemyRecord> found;
    for (const auto& span : enemyDollRecords(*lines)) {
        if (span.number != number) {
            continue;
        }
        try {
            found = readEnemyRecord(*lines, span.header);
        } catch (const FieldError& e) {
            reportProblem(DataProblem{GameFolder::display(kDollFile), e.line, e.what()});
            return nullptr;
        }
        break;
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
    if (ldLogics(number, *d) == 0) {
        // A Doll without a single pattern would stand still through every fight.
        reportProblem(DataProblem{GameFolder::display(kLogicFile), 0,
                                  "敵Doll（ID" + std::to_string(number) + "）の技パターンがありません"});
    }
    return d;
}

int EnemyRegistry::ldLogics(int number, doll& d) {
    auto lines = readLogics();
    if (!lines) {
        return 0;
    }
    int k = 0;
    for (const auto& span : indexRegistry(*lines)) {
        try {
            if (readPatternOwner(*lines, span.header) != number || k >= doll::kLogics) {
                continue;
            }
            EnemyPatternBlock block = readPatternBlock(*lines, span.header, 6);
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
        } catch (const FieldError& e) {
            reportProblem(DataProblem{GameFolder::display(kLogicFile), e.line, e.what()});
        }
    }
    return k;
}

std::vector<EnemyRegistry::Counted> EnemyRegistry::scanValues() {
    std::vector<Counted> out;
    auto lines = readDolls();
    if (!lines) {
        return out;
    }
    for (const auto& span : enemyDollRecords(*lines)) {
        try {
            EnemyRecord r = readEnemyRecordValues(*lines, span.header);
            out.push_back(Counted{span.number, r.value});
        } catch (const FieldError& e) {
            // One damaged record drops out of the draw; the others still fight.
            reportProblem(DataProblem{GameFolder::display(kDollFile), e.line, e.what()});
        }
    }
    return out;
}

std::vector<int> EnemyRegistry::ldTekiIDs(int limit) {
    std::vector<int> ids(kIdSlots, 0);
    size_t n = 0;
    for (const Counted& c : scanValues()) {
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
    for (const Counted& c : scanValues()) {
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
    for (const auto& span : enemyDollRecords(*lines)) {
        // A record cut short before its name is still listed, so that it can be deleted.
        bool named = span.header + 1 < span.end;
        out.push_back(ListEntry{span.number, named ? (*lines)[span.header + 1] : std::string()});
    }
    return out;
}

std::shared_ptr<doll> EnemyRegistry::readEnemyDoll(int number) {
    auto lines = readDolls();
    if (!lines) {
        return nullptr;
    }
    for (const auto& span : enemyDollRecords(*lines)) {
        if (span.number != number) {
            continue;
        }
        const size_t i = span.header;
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
