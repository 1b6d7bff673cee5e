#include "persistence/autosave.h"

#include <system_error>

#include "model/text_codec.h"
#include "persistence/save_files.h"
#include "ports/prompts.h"

namespace vargo {

int lastAutosave(const GameFolder& folder) {
    try {
        auto lines = readTextFile(folder.resolve(kAutosaveOrderFile));
        if (lines && !lines->empty()) {
            const std::string& s = lines->front();
            if (s.size() == 1 && s[0] >= '1' && s[0] < '1' + kAutosaveSets) {
                return s[0] - '0';
            }
        }
    } catch (const EncodingError&) {
        // A damaged order file only loses the rotation's place: start again from the first set.
    }
    return 0;
}

int nextAutosave(const GameFolder& folder) {
    return lastAutosave(folder) % kAutosaveSets + 1;
}

std::string autosaveLabel(int svNum) {
    return "オートセーブ" + std::to_string(-svNum);
}

std::vector<AutosaveEntry> listAutosaves(const GameFolder& folder) {
    std::vector<AutosaveEntry> out;
    const int last = lastAutosave(folder);
    for (int i = 0; i < kAutosaveSets; ++i) {
        // Newest first: the last one written, then back round the rotation.
        const int k = last == 0 ? i + 1 : (last - 1 - i + kAutosaveSets) % kAutosaveSets + 1;
        SlotLook look = lookAtSlot(folder, autosaveNumber(k));
        if (look.state != SlotLook::Free) {
            out.push_back({autosaveNumber(k), std::move(look)});
        }
    }
    return out;
}

bool Autosaver::write(Game& game) {
    const int k = nextAutosave(game.folder);
    SaveFiles files(game, prompts);
    files.svNum = autosaveNumber(k);
    SaveFiles::WriteProblem problem;
    const std::string orderName = game.folder.resolve(kAutosaveOrderFile).filename().string();
    std::string order;
    try {
        order = encodeLines({std::to_string(k)});
    } catch (const EncodingError&) {
        // Digits always encode.
    }
    if (files.writeSet({{orderName, order}}, &problem)) {
        return true;
    }
    if (!told) {
        told = true;
        prompts.msgBox("オートセーブできませんでした（番号のセーブはそのまま残っています）\n" +
                           problem.detail + "\nこのあとのオートセーブの失敗はお知らせしません。",
                       BoxButtons::Ok);
    }
    return false;
}

}  // namespace vargo
