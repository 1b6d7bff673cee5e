#pragma once
// Autosaves: at each month-end and after each tournament the game keeps the player's side in a
// rotating set of three (save/PlayersvA1.ini ... A3), beside the numbered saves the player chose
// and never in place of one. Each is the same three-file set as a numbered save, written
// all-or-nothing and settled by the same recovery at start; save/Autosave.ini names the one
// written last, and is part of the same transaction, so the rotation never points at a half set.

#include <string>
#include <vector>

#include "model/game.h"
#include "persistence/save_slot.h"

namespace vargo {

class Prompts;

inline constexpr int kAutosaveSets = 3;
/// The file that names the autosave written last, relative to the game folder.
inline constexpr const char* kAutosaveOrderFile = "save/Autosave.ini";

/// Autosave k (1 to 3) travels as the save number -k, which the keypad can never type.
constexpr int autosaveNumber(int k) {
    return -k;
}
constexpr bool isAutosave(int svNum) {
    return svNum < 0;
}

/// One autosave that exists, as the save-slot screen lists it.
struct AutosaveEntry {
    int svNum = 0; /**< autosaveNumber(k) */
    SlotLook look;
};

/// The autosaves that exist, the newest first.
std::vector<AutosaveEntry> listAutosaves(const GameFolder& folder);
/// The autosave written last (1 to 3), or 0 when none is known.
int lastAutosave(const GameFolder& folder);
/// The autosave the next write replaces: the one after the last, so the oldest goes first.
int nextAutosave(const GameFolder& folder);
/// How the screen names an autosave: "オートセーブ2".
std::string autosaveLabel(int svNum);

/// Writes the player's side as the next autosave. A failure never touches a numbered save; it is
/// told once per run (the Autosaver lives as long as the run), then kept quiet.
class Autosaver {
public:
    explicit Autosaver(Prompts& p) : prompts(p) {}
    bool write(Game& game);
    bool failureTold() const { return told; }

private:
    Prompts& prompts;
    bool told = false;
};

}  // namespace vargo
