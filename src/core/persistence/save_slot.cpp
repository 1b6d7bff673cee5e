#include "persistence/save_slot.h"

#include <filesystem>

#include "model/field_reader.h"
#include "model/text_codec.h"
#include "persistence/autosave.h"
#include "persistence/save_files.h"
#include "ports/prompts.h"

namespace vargo {
namespace {

const char* const kUsedNote = "（ロード時には新品のパーツも中古として扱われます）";

}  // namespace

// The preview reads the fields the way the loaders do, so it names exactly what a load would bring.
SlotLook lookAtSlot(const GameFolder& folder, int n) {
    SlotLook look;
    const std::string files[] = {SaveFiles::playerFile(n), SaveFiles::dollFile(n), SaveFiles::logicFile(n)};
    bool any = false;
    for (const auto& f : files) {
        std::error_code ec;
        any = any || std::filesystem::exists(folder.resolve(f), ec);
    }
    if (!any) {
        return look;
    }
    look.state = SlotLook::Unreadable;
    std::string current = files[0];
    try {
        auto player = readTextFile(folder.resolve(files[0]));
        if (!player) {
            look.problem = GameFolder::display(files[0]) + ": ファイルが見つかりません";
            return look;
        }
        FieldReader p(*player, 0);
        look.preview.date = p.text();
        if (auto date = parseSaveDate(look.preview.date)) {
            look.preview.date = date->format();
        }
        look.preview.playerName = p.name();
        current = files[1];
        auto dollFile = readTextFile(folder.resolve(files[1]));
        if (!dollFile) {
            look.problem = GameFolder::display(files[1]) + ": ファイルが見つかりません";
            return look;
        }
        FieldReader d(*dollFile, 0);
        look.preview.dollName = d.name();
    } catch (const FieldError& e) {
        look.problem = DataProblem{GameFolder::display(current), e.line, e.what()}.message();
        return look;
    } catch (const EncodingError& e) {
        look.problem = DataProblem{GameFolder::display(current), e.line, e.what()}.message();
        return look;
    }
    look.state = SlotLook::Used;
    return look;
}

std::optional<SavePreview> readSavePreview(const GameFolder& folder, int n) {
    SlotLook look = lookAtSlot(folder, n);
    if (look.state != SlotLook::Used) {
        return std::nullopt;
    }
    return look.preview;
}

SaveSlotPad::SaveSlotPad(GameFolder f, SaveSlotMode m, Prompts& p)
    : folder(std::move(f)), mode(m), prompts(p) {}

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

bool SaveSlotPad::confirmLoad(const std::string& label, int n) {
    const SlotLook look = lookAtSlot(folder, n);
    if (look.state != SlotLook::Used) {
        prompts.msgBox("ファイルが見つかりません");
        return false;
    }
    const SavePreview& preview = look.preview;
    const std::string question = label + " " + preview.playerName + " " + preview.dollName + "\n" +
                                 preview.date + "\n" + "これをロードしますか？";
    if (prompts.msgBox(question, BoxButtons::OkCancel) != kOk) {
        return false;
    }
    confirmed = true;
    number = n;
    return true;
}

bool SaveSlotPad::decideAutosave(int n) {
    if (mode != SaveSlotMode::Load || !isAutosave(n)) {
        return false;
    }
    return confirmLoad(autosaveLabel(n), n);
}

bool SaveSlotPad::decide() {
    const int n = typedNumber();
    if (mode == SaveSlotMode::Load) {
        return confirmLoad(labNum(), n);
    }
    const SlotLook look = lookAtSlot(folder, n);
    const SavePreview& preview = look.preview;
    std::string question;
    // An existing file always gets the overwrite question, even when its player name is empty
    // or the files cannot be read: the player should never confirm an overwrite untold.
    if (look.state == SlotLook::Used) {
        question = labNum() + "には以下のデータがあります。\n" + preview.playerName + " " + preview.dollName +
                   " " + preview.date + "\n上書きしますか？";
    } else if (look.state == SlotLook::Unreadable) {
        question = labNum() + "には読めないデータがあります。\n" + look.problem + "\n上書きしますか？";
    } else {
        question = labNum() + "でセーブしますか？";
    }
    question += std::string("\n") + kUsedNote;
    if (prompts.msgBox(question, BoxButtons::OkCancel) != kOk) {
        return false;
    }
    confirmed = true;
    number = n;
    return true;
}

}  // namespace vargo
