#pragma once
// The replays in the game folder's replay/ folder. Every bout the player watches is written there
// as an automatic replay ("auto-000123.rpl"); the 30 newest automatic ones are kept and older ones
// removed. The player may keep any replay for good under a name ("kept-000123-NAME.rpl", with the
// number it was recorded under); kept replays are never removed. Writes go through the Disk layer, so a full
// or read-only folder fails cleanly and a killed write never leaves half a replay under a replay's name.

#include <optional>
#include <string>
#include <vector>

#include "battle/replay.h"
#include "battle/replay_recorder.h"
#include "model/game_folder.h"

namespace vargo {

class Prompts;

/// One replay as the list shows it.
struct ReplayEntry {
    std::string file;  ///< the file's name inside replay/
    std::string recordedAt;
    GameDate gameDate;
    FightMode mode = FightMode::Street;
    DollClass tournamentClass = DollClass::Novice;
    int stage = 1;
    std::string player;    ///< fighter 0's Doll
    std::string opponent;  ///< fighter 1's Doll
    std::string result;    ///< replayResultName
    int steps = 0;
    std::string keptName;  ///< empty for an automatic replay

    bool kept() const { return !keptName.empty(); }
    /// "replay/auto-000123.rpl", as messages name it.
    std::string shownPath() const;
    /// "トーナメント Novice 準決勝", "シミュレーション", "デュエル".
    std::string modeText() const;
};

class ReplayStore {
public:
    static constexpr int kAutomatic = 30;
    static constexpr int kMaxNameLength = 30;  ///< characters of a kept replay's name

    explicit ReplayStore(const GameFolder& folder);

    /// Writes r as the newest automatic replay (the folder is made when missing), then removes the
    /// oldest automatic replays beyond kAutomatic. False with *error (Japanese, naming the file)
    /// when it could not be written.
    bool record(const Replay& r, std::string* error);

    /// Every replay that reads, newest first. Each file that does not read adds one message (in
    /// Japanese, naming the file and line) to *problems and is left out.
    std::vector<ReplayEntry> list(std::vector<std::string>* problems) const;

    /// The replay of an entry; nothing with *error when its file no longer reads.
    std::optional<Replay> load(const ReplayEntry& entry, std::string* error) const;

    /// Keeps the entry's replay for good under `name` (renaming a kept one). False with *error
    /// when the name cannot be used or the file could not be written.
    bool keep(const ReplayEntry& entry, const std::string& name, std::string* error);

    /// What is wrong with a name for a kept replay, in Japanese; empty when it will do. A name must
    /// hold something, be at most kMaxNameLength characters, be writable in Shift_JIS, and be safe
    /// as part of a file name on any system.
    static std::string nameProblem(const std::string& name);

private:
    std::filesystem::path folderPath() const;
    bool makeFolder(std::string* error) const;
    void rotate() const;

    GameFolder folder;
};

/// The wall clock's local time as a replay records it: "2025-05-01 13:45:07".
std::string wallClockText();

/// The sink of one fight screen's recorder: each finished bout is stamped with the time and the
/// game's date and recorded in `store`. A replay that cannot be written is told once per screen
/// (the fight goes on; nothing else is lost).
ReplayRecorder::Sink storeSink(ReplayStore& store, Prompts& prompts, const GameDate& date);

}  // namespace vargo
