// The writing half of the registry: entering a Doll, deleting records, the reset to the shipped files.

#include <algorithm>
#include <array>
#include <filesystem>

#include "model/field_reader.h"
#include "model/file_transaction.h"
#include "model/numbers.h"
#include "model/text_codec.h"
#include "persistence/enemy_registry.h"
#include "persistence/registry_format.h"
#include "ports/prompts.h"

namespace vargo {
namespace {

constexpr const char* kDollFile = kRegistryDollFile;
constexpr const char* kLogicFile = kRegistryLogicFile;
constexpr const char* kDollImg = "save/EDollsv.img";
constexpr const char* kLogicImg = "save/ELogicsv.img";
constexpr int kMaxNumber = kLastEnemyNumber;
constexpr int kTable = 100;  // numbers 0..100 are tracked
constexpr const char* kRegistryTransaction = "Registry";

int smallestFree(const std::vector<std::string>& lines) {
    std::array<bool, kTable + 1> used{};
    for (const auto& span : indexRegistry(lines)) {
        // Numbers outside the table cannot collide with a new entry; they are left alone.
        if (span.number >= 0 && span.number <= kTable) {
            used[static_cast<size_t>(span.number)] = true;
        }
    }
    for (int n = 1; n <= kTable; ++n) {
        if (!used[static_cast<size_t>(n)]) {
            return n;
        }
    }
    return kTable + 1;
}

// The pattern file with every header renumbered 1, 2, 3 ... and d's patterns 0..5 appended.
std::vector<std::string> withPatterns(const std::vector<std::string>& lines, int number, const doll& d) {
    std::vector<std::string> out;
    out.reserve(lines.size() + 30);
    int c = 0;
    for (const auto& l : lines) {
        out.push_back(isHeader(l) ? "." + std::to_string(++c) : l);
    }
    for (int s = 0; s < 6; ++s) {
        for (auto& l : patternBlockLines(c + s + 1, number, *d.getLogic(s))) {
            out.push_back(std::move(l));
        }
    }
    return out;
}

// The Doll file without the records numbered as given; lines before the first header stay.
std::vector<std::string> withoutDolls(const std::vector<std::string>& lines,
                                      const std::vector<int>& numbers) {
    auto spans = indexRegistry(lines);
    std::vector<std::string> out(
        lines.begin(), lines.begin() + static_cast<long>(spans.empty() ? lines.size() : spans[0].header));
    for (const auto& span : spans) {
        if (std::find(numbers.begin(), numbers.end(), span.number) == numbers.end()) {
            out.insert(out.end(), lines.begin() + static_cast<long>(span.header),
                       lines.begin() + static_cast<long>(span.end));
        }
    }
    return out;
}

// The pattern file without the blocks of the Dolls numbered as given; kept headers keep their numbers.
std::vector<std::string> withoutPatterns(const std::vector<std::string>& lines,
                                         const std::vector<int>& numbers) {
    auto spans = indexRegistry(lines);
    std::vector<std::string> out(
        lines.begin(), lines.begin() + static_cast<long>(spans.empty() ? lines.size() : spans[0].header));
    for (const auto& span : spans) {
        bool drop = false;
        try {
            drop = std::find(numbers.begin(), numbers.end(), readPatternOwner(lines, span.header)) !=
                   numbers.end();
        } catch (const FieldError&) {
            // A block whose owner cannot be read belongs to nobody we delete: keep it as it is.
        }
        if (drop) {
            continue;
        }
        out.push_back("." + std::to_string(span.number));
        out.insert(out.end(), lines.begin() + static_cast<long>(span.header) + 1,
                   lines.begin() + static_cast<long>(span.end));
    }
    return out;
}

}  // namespace

int EnemyRegistry::entryEnemy(const doll& d) {
    if (prompts.msgBox(d.name + "を敵として登録しますか？", BoxButtons::YesNo) != kYes) {
        return 0;
    }
    auto dolls = readDolls();
    auto logics = dolls ? readLogics() : std::nullopt;
    if (!dolls || !logics) {
        return 0;
    }
    int number = smallestFree(*dolls);
    if (number > kMaxNumber) {
        prompts.msgBox("現在" + Str(static_cast<long long>(kTable)) + "体以上は登録できません。",
                       BoxButtons::Ok);
        return 0;
    }
    std::vector<std::string> newDolls = *dolls;
    for (auto& l : enemyRecordLines(number, d)) {
        newDolls.push_back(std::move(l));
    }
    // The record and its patterns reach the disk together or not at all.
    return commitRegistry(&newDolls, withPatterns(*logics, number, d)) ? number : 0;
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
    return commitRegistry(&out, std::nullopt) ? number : 0;
}

void EnemyRegistry::saveEnemyLogic(int number, const doll& d) {
    if (auto lines = readLogics()) {
        commitRegistry(nullptr, withPatterns(*lines, number, d));
    }
}

void EnemyRegistry::delEnemyDoll(int number) {
    if (auto lines = readDolls()) {
        std::vector<std::string> kept = withoutDolls(*lines, {number});
        commitRegistry(&kept, std::nullopt);
    }
}

void EnemyRegistry::delEnemyLogic(int number) {
    if (auto lines = readLogics()) {
        commitRegistry(nullptr, withoutPatterns(*lines, {number}));
    }
}

bool EnemyRegistry::deleteEnemies(const std::vector<int>& numbers) {
    auto dolls = readDolls();
    auto logics = dolls ? readLogics() : std::nullopt;
    if (!dolls || !logics) {
        return false;
    }
    // Records and their patterns go together: patterns left behind would pass to the next Doll
    // entered under the same number.
    std::vector<std::string> newDolls = withoutDolls(*dolls, numbers);
    return commitRegistry(&newDolls, withoutPatterns(*logics, numbers));
}

bool EnemyRegistry::commitRegistry(const std::vector<std::string>* dolls,
                                   const std::optional<std::vector<std::string>>& logics) {
    const std::pair<const char*, const char*> names[] = {{kDollFile, kDollImg}, {kLogicFile, kLogicImg}};
    const std::vector<std::string>* contents[] = {dolls, logics ? &*logics : nullptr};
    const std::filesystem::path folder = gameFolder.resolve(kDollFile).parent_path();
    FileTransaction set(folder, kRegistryTransaction);
    std::string error;
    for (size_t i = 0; i < 2; ++i) {
        if (!contents[i]) {
            continue;
        }
        // The scratch copy is the file as it was before this change.
        const std::filesystem::path path = gameFolder.resolve(names[i].first);
        std::optional<std::string> old = readBytes(path);
        if (old && !writeFileAtomic(gameFolder.resolve(names[i].second), *old, &error)) {
            prompts.msgBox("書き込めませんでした\n" + error, BoxButtons::Ok);
            return false;
        }
        try {
            std::string bytes = encodeLines(*contents[i]);
            if (!readsBackAsShiftJis(bytes)) {
                prompts.msgBox(std::string("書き込めませんでした\n") + GameFolder::display(names[i].first) +
                                   ": 名前の文字の組み合わせのため、読み込めないファイルになります",
                               BoxButtons::Ok);
                return false;
            }
            set.put(path.filename().string(), std::move(bytes));
        } catch (const EncodingError&) {
            prompts.msgBox(std::string("書き込めませんでした\n") + GameFolder::display(names[i].first) +
                               ": Shift_JISで書けない文字が名前にあります",
                           BoxButtons::Ok);
            return false;
        }
    }
    if (!set.commit(&error)) {
        prompts.msgBox("書き込めませんでした（敵Dollファイルは以前のままです）\n" + error, BoxButtons::Ok);
        return false;
    }
    return true;
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
    FileTransaction set(gameFolder.resolve(kDollFile).parent_path(), kRegistryTransaction);
    set.put(gameFolder.resolve(kDollFile).filename().string(), *dolls);
    set.put(gameFolder.resolve(kLogicFile).filename().string(), *logics);
    std::string error;
    if (!set.commit(&error)) {
        prompts.msgBox("書き込めませんでした（敵Dollファイルは以前のままです）\n" + error, BoxButtons::Ok);
        return false;
    }
    return true;
}

}  // namespace vargo
