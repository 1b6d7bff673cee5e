#include "persistence/save_slot.h"

#include "model/text_codec.h"
#include "ui/prompts/prompts.h"

namespace vargo {
namespace {

const char* const kUsedNote = "（ロード時には新品のパーツも中古として扱われます）";

// A text read as a field ends at the first comma, with leading blanks skipped.
std::string field(const std::string& line) {
    size_t start = line.find_first_not_of(' ');
    if (start == std::string::npos) {
        return {};
    }
    return line.substr(start, line.find(',', start) - start);
}

}  // namespace

std::optional<SavePreview> readSavePreview(const GameFolder& folder, int n) {
    const std::string num = std::to_string(n);
    auto player = readTextFile(folder.resolve("save/Playersv" + num + ".ini"));
    auto dollFile = readTextFile(folder.resolve("save/PlayDollsv" + num + ".ini"));
    if (!player || !dollFile || player->size() < 2 || dollFile->empty()) {
        return std::nullopt;
    }
    return SavePreview{field((*player)[0]), field((*player)[1]), field((*dollFile)[0])};
}

SaveSlotPad::SaveSlotPad(GameFolder f, int m, Prompts& p) : folder(std::move(f)), mode(m), prompts(p) {}

int SaveSlotPad::typedNumber() const {
    int n = 0;
    for (char c : typed) {
        n = n * 10 + (c - '0');
    }
    return n;
}

void SaveSlotPad::digit(int d) {
    if (d < 0 || d > 9) {
        return;
    }
    // svNum is 16-bit: refuse a digit that would carry it past 32767 (leading zeros stay harmless,
    // but five of them are as many as the label needs).
    if (typed.size() >= 5 || typedNumber() * 10 + d > kLargestNumber) {
        return;
    }
    typed += static_cast<char>('0' + d);
}

void SaveSlotPad::back() {
    confirmed = false;
}

bool SaveSlotPad::decide() {
    const int n = typedNumber();
    auto preview = readSavePreview(folder, n);
    std::string question;
    if (mode == kLoad) {
        if (!preview) {
            prompts.msgBox("ファイルが見つかりません");
            return false;
        }
        question = labNum() + " " + preview->playerName + " " + preview->dollName + "\n" + preview->date +
                   "\n" + "これをロードしますか？";
    } else {
        // An existing file always gets the overwrite question, even when its player name is empty:
        // the player should never confirm an overwrite without being told.
        if (preview) {
            question = labNum() + "には以下のデータがあります。\n" + preview->playerName + " " +
                       preview->dollName + " " + preview->date + "\n上書きしますか？";
        } else {
            question = labNum() + "でセーブしますか？";
        }
        question += std::string("\n") + kUsedNote;
    }
    if (prompts.msgBox(question, BoxButtons::OkCancel) != kOk) {
        return false;
    }
    confirmed = true;
    number = n;
    return true;
}

}  // namespace vargo
