#pragma once
// The save-slot keypad (SVLD): the player types a save number, the screen previews what that
// number holds and, once confirmed, hands the number back. It never saves or loads itself.

#include <optional>
#include <string>

#include "model/game_folder.h"

namespace vargo {

class Prompts;

/// What the keypad is choosing a number for.
enum class SaveSlotMode { Save, Load };

/// What a saved game shows before it is loaded or overwritten.
struct SavePreview {
    std::string date;       /**< player file line 1, "yyyy/mm/dd" */
    std::string playerName; /**< player file line 2 */
    std::string dollName;   /**< Doll file line 1 */
};

/// What a save number holds, as the keypad tells it.
struct SlotLook {
    enum State {
        Free,       /**< none of its three files is there */
        Unreadable, /**< some of its files are there, but the preview cannot be read from them */
        Used,       /**< the preview was read */
    };
    State state = Free;
    SavePreview preview;
    std::string problem; /**< for Unreadable: what is wrong, with file and line */
};

/// Looks at save number n. Never throws: a damaged file is a finding, not a failure.
SlotLook lookAtSlot(const GameFolder& folder, int n);

/// Reads the preview of save number n; nothing when either file cannot be read.
std::optional<SavePreview> readSavePreview(const GameFolder& folder, int n);

class SaveSlotPad {
public:
    static constexpr int kLargestNumber = 32767;

    SaveSlotPad(GameFolder folder, SaveSlotMode mode, Prompts& prompts);

    std::string caption() const { return mode == SaveSlotMode::Load ? "ロード画面" : "セーブ画面"; }
    /// Lab_num: "save" and the typed digits.
    std::string labNum() const { return "save" + typed; }
    static const char* helpText() { return "セーブ番号を打ち込んでください"; }
    const std::string& typedText() const { return typed; }

    /// A digit button. A digit that would carry the number past 32767 is not taken.
    void digit(int d);
    /// "取消".
    void clear() { typed.clear(); }
    /// "戻る", or the window closed by other means.
    void back();
    /// "決定": the preview, the question and, on OK, the confirmed number. True when the screen closes.
    bool decide();
    /// Load mode: an autosave chosen from the list beside the keypad, with the same preview and
    /// question as a typed number. True when the screen closes.
    bool decideAutosave(int svNum);

    bool value() const { return confirmed; }
    int svNum() const { return number; }
    /// The number the typed text stands for (0 when empty).
    int typedNumber() const;

private:
    bool confirmLoad(const std::string& label, int n);

    GameFolder folder;
    SaveSlotMode mode;
    Prompts& prompts;
    std::string typed;
    bool confirmed = false;
    int number = 0;
};

}  // namespace vargo
