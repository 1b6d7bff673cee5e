#include "persistence/save_slot.h"

#include "model/field_reader.h"
#include "model/text_codec.h"
#include "persistence/save_files.h"
#include "ui/prompts/prompts.h"

namespace vargo {
namespace {

const char* const kUsedNote = "（ロード時には新品のパーツも中古として扱われます）";

}  // namespace

// The preview reads the fields the way the loaders do, so it names exactly what a load would bring.
std::optional<SavePreview> readSavePreview(const GameFolder& folder, int n) {
    auto player = readTextFile(folder.resolve(SaveFiles::playerFile(n)));
    auto dollFile = readTextFile(folder.resolve(SaveFiles::dollFile(n)));
    if (!player || !dollFile) {
        return std::nullopt;
    }
    try {
        SavePreview pv;
        FieldReader p(*player, 0);
        pv.date = p.text();
        if (auto date = parseSaveDate(pv.date)) {
            pv.date = date->format();
        }
        pv.playerName = p.escapedText();
        FieldReader d(*dollFile, 0);
        pv.dollName = d.escapedText();
        return pv;
    } catch (const FieldError&) {
        return std::nullopt;
    }
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
