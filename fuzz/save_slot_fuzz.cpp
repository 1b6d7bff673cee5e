// The save-slot keypad's preview: the input, cut at 0xFF, becomes save/Playersv1.ini and
// PlayDollsv1.ini. The preview reads them or gives nothing; the keypad, in either mode, asks its
// question and hands back the number typed, and never fails on what the files hold.

#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "persistence/save_files.h"
#include "persistence/save_slot.h"
#include "ports/prompts.h"

using namespace vargo;

namespace {

const fuzz::ScratchFolder& scratch() {
    static fuzz::ScratchFolder dir(fuzz::ScratchFolder::Ini::Shipped);
    return dir;
}

std::optional<SavePreview> preview(int n) {
#ifdef VARGO_FUZZ_TOLERATE_KNOWN
    // Known: bytes that are not CP932 escape the preview as EncodingError.
    try {
        return readSavePreview(scratch().folder(), n);
    } catch (const std::exception&) {
        return std::nullopt;
    }
#else
    return readSavePreview(scratch().folder(), n);
#endif
}

void decideIn(SaveSlotMode mode, bool hasPreview) {
    ScriptedPrompts prompts;  // OK to every question
    SaveSlotPad pad(scratch().folder(), mode, prompts);
    pad.digit(1);
    bool closed = false;
#ifdef VARGO_FUZZ_TOLERATE_KNOWN
    try {
        closed = pad.decide();
    } catch (const std::exception&) {
        return;
    }
#else
    closed = pad.decide();
#endif
    FUZZ_CHECK(prompts.calls.size() == 1);
    if (mode == SaveSlotMode::Load) {
        // Only a game that can be previewed can be loaded.
        FUZZ_CHECK(closed == hasPreview);
    } else {
        FUZZ_CHECK(closed);
        // The player file is there, readable or not: it is never overwritten unasked, and the
        // question quotes the old save whenever it can be read.
        FUZZ_CHECK(prompts.calls[0].msg.find("上書きしますか？") != std::string::npos);
        FUZZ_CHECK(hasPreview == (prompts.calls[0].msg.find("読めないデータ") == std::string::npos));
    }
    FUZZ_CHECK(pad.value() == closed);
    FUZZ_CHECK(!closed || pad.svNum() == 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto parts = fuzz::splitFiles(data, size);
    scratch().clearSave();
    scratch().write(SaveFiles::playerFile(1), parts[0]);
    if (parts.size() > 1) {
        scratch().write(SaveFiles::dollFile(1), parts[1]);
    }
    const auto pv = preview(1);
    if (pv) {
        // The preview shows the very fields a load reads, one line each.
        FUZZ_CHECK(pv->date.find_first_of("\r\n") == std::string::npos);
        FUZZ_CHECK(pv->playerName.find_first_of("\r\n") == std::string::npos);
        FUZZ_CHECK(pv->dollName.find_first_of("\r\n") == std::string::npos);
    }
    FUZZ_CHECK(!preview(2));  // no other number holds anything
    decideIn(SaveSlotMode::Save, pv.has_value());
    decideIn(SaveSlotMode::Load, pv.has_value());
    return 0;
}
