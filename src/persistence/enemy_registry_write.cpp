// The writing half of the registry: entering a Doll, deleting records, the reset to the shipped files.

#include <array>

#include "model/field_reader.h"
#include "model/numbers.h"
#include "model/text_codec.h"
#include "persistence/enemy_registry.h"
#include "persistence/registry_format.h"
#include "ui/prompts/prompts.h"

namespace vargo {
namespace {

constexpr const char* kDollFile = "save/EDollsv.ini";
constexpr const char* kLogicFile = "save/ELogicsv.ini";
constexpr const char* kDollImg = "save/EDollsv.img";
constexpr const char* kLogicImg = "save/ELogicsv.img";
constexpr int kMaxNumber = 99;
constexpr int kTable = 100;  // numbers 0..100 are tracked

int smallestFree(const std::vector<std::string>& lines) {
    std::array<bool, kTable + 1> used{};
    for (const auto& l : lines) {
        if (isHeader(l)) {
            int id = headerId(l);
            // Numbers outside the table cannot collide with a new entry; they are left alone.
            if (id >= 0 && id <= kTable) {
                used[static_cast<size_t>(id)] = true;
            }
        }
    }
    for (int n = 1; n <= kTable; ++n) {
        if (!used[static_cast<size_t>(n)]) {
            return n;
        }
    }
    return kTable + 1;
}

}  // namespace

int EnemyRegistry::nextFreeNumber() {
    auto lines = readDolls();
    if (!lines) {
        return 0;
    }
    int n = smallestFree(*lines);
    return n > kMaxNumber ? 0 : n;
}

int EnemyRegistry::entryEnemy(const doll& d) {
    if (prompts.msgBox(d.name + "を敵として登録しますか？", BoxButtons::YesNo) != kYes) {
        return 0;
    }
    int number = saveEnemyDoll(d);
    if (number > 0 && !appendLogics(number, d)) {
        // A Doll without its patterns would stand still in every fight: take the record back out.
        delEnemyDoll(number);
        return 0;
    }
    return number;
}

int EnemyRegistry::saveEnemyDoll(const doll& d) {
    auto lines = readDolls();
    if (!lines) {
        return 0;
    }
    int number = smallestFree(*lines);
    if (number > kMaxNumber) {
        prompts.msgBox("現在" + Str(static_cast<long long>(kTable)) + "体以上は登録できません。",
                       BoxButtons::Ok);
        return 0;
    }
    std::vector<std::string> out = *lines;
    for (auto& l : enemyRecordLines(number, d)) {
        out.push_back(std::move(l));
    }
    return rewrite(kDollFile, kDollImg, out) ? number : 0;
}

void EnemyRegistry::saveEnemyLogic(int number, const doll& d) {
    appendLogics(number, d);
}

bool EnemyRegistry::appendLogics(int number, const doll& d) {
    auto lines = readLogics();
    if (!lines) {
        return false;
    }
    std::vector<std::string> out;
    out.reserve(lines->size() + 30);
    int c = 0;
    for (const auto& l : *lines) {
        if (isHeader(l)) {
            out.push_back("." + std::to_string(++c));
        } else {
            out.push_back(l);
        }
    }
    for (int s = 0; s < 6; ++s) {
        for (auto& l : patternBlockLines(c + s + 1, number, *d.getLogic(s))) {
            out.push_back(std::move(l));
        }
    }
    return rewrite(kLogicFile, kLogicImg, out);
}

void EnemyRegistry::delEnemyDoll(int number) {
    auto lines = readDolls();
    if (!lines) {
        return;
    }
    std::vector<std::string> out;
    bool dropping = false;
    for (const auto& l : *lines) {
        if (isHeader(l)) {
            dropping = headerId(l) == number;
        }
        if (!dropping) {
            out.push_back(l);
        }
    }
    rewrite(kDollFile, kDollImg, out);
}

void EnemyRegistry::delEnemyLogic(int number) {
    auto lines = readLogics();
    if (!lines) {
        return;
    }
    std::vector<std::string> out;
    bool dropping = false;
    for (size_t i = 0; i < lines->size(); ++i) {
        const std::string& l = (*lines)[i];
        if (isHeader(l)) {
            try {
                dropping = readPatternOwner(*lines, i) == number;
            } catch (const FieldError&) {
                // A block whose owner cannot be read belongs to nobody we delete: keep it as it is.
                dropping = false;
            }
            if (!dropping) {
                out.push_back("." + std::to_string(headerId(l)));
            }
            continue;
        }
        if (!dropping) {
            out.push_back(l);
        }
    }
    rewrite(kLogicFile, kLogicImg, out);
}

bool EnemyRegistry::initFiles() {
    auto dolls = readBytes(gameFolder.resolve("ini/Dollsv.ini"));
    auto logics = readBytes(gameFolder.resolve("ini/Logicsv.ini"));
    if (!dolls || !logics) {
        prompts.msgBox(
            std::string("ファイルが見つかりません\n") + (dolls ? "ini/Logicsv.ini" : "ini/Dollsv.ini"),
            BoxButtons::Ok);
        return false;
    }
    std::string error;
    if (!writeFileAtomic(gameFolder.resolve(kDollFile), *dolls, &error) ||
        !writeFileAtomic(gameFolder.resolve(kLogicFile), *logics, &error)) {
        prompts.msgBox("書き込めませんでした\n" + error, BoxButtons::Ok);
        return false;
    }
    return true;
}

}  // namespace vargo
