#pragma once
// A replay: one bout kept so that it can be played again exactly. It holds both Dolls as they
// entered the ring (everything the fight and the battle window read of them, the pattern book
// included), the turn the bout took up, every die it drew and every order the player gave, in
// order, and how it ended. The dice are kept rather than the generator, so a bout fought with any
// Random plays again the same, and the file stays small: a bout draws a few hundred numbers.
//
// On disk a replay is a small text file like the game's others (CP932, CR LF): a tag line, then
// one "key=value" per line.

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "battle/fight.h"
#include "model/field_reader.h"
#include "model/game.h"

namespace vargo {

/// One pattern slot as the fight reads it: its name, its cost, and the action ID and the action
/// named at each position of its scan.
struct ReplayPattern {
    std::string name;
    int AP = 0;
    std::array<int, FightPattern::kScan> ids{};
    std::array<int, FightPattern::kScan> codes{};
};

/// A Doll as it entered the bout.
struct ReplayDoll {
    std::string name;
    int ID = 0;
    int value = 0;
    int pow = 0;
    int offence = 0;
    int defence = 0;
    int move = 0;
    int jump = 0;
    int spin = 0;
    int AP = 0;
    int Memory = 0;
    double AC = 0;
    double weight = 0;
    std::string image;
    int motorHP = 0;
    int motorMaxHP = 0;
    int frameHP = 0;
    int frameMaxHP = 0;
    std::array<ReplayPattern, PatternBook::kSlots> patterns;

    /// The Doll as the fight sees it now.
    static ReplayDoll of(const doll& d);
    /// A fresh Doll that fights exactly as the one recorded: same numbers, HP and pattern book.
    std::shared_ptr<doll> build() const;
};

/// One order of the player: a technique (0 withdrawn, 1..6 pattern slot 0..5) or a move (0 close
/// in, 1 back away).
struct ReplayAnswer {
    enum class Kind : unsigned char { Technique, Move };
    Kind kind = Kind::Technique;
    int value = 0;
    bool operator==(const ReplayAnswer&) const = default;
};

/// How a recorded bout ended.
enum class ReplayEnd : unsigned char {
    Decided,     ///< a Doll was destroyed: `winner` won
    GaveUp,      ///< the player gave up after `steps` steps
    Unfinished,  ///< the bout stopped without an outcome (a headless fight's step cap)
};

struct Replay {
    std::string recordedAt;  ///< the wall clock's time, as the caller wrote it
    GameDate gameDate;
    FightMode mode = FightMode::Street;
    DollClass tournamentClass = DollClass::Novice;  ///< a tournament's class
    int stage = 1;                                  ///< a tournament's stage, 1..3
    std::array<bool, 2> computer{false, true};
    BoutOpening opening;
    std::array<ReplayDoll, 2> dolls;
    std::vector<double> dice;
    std::vector<ReplayAnswer> answers;
    ReplayEnd end = ReplayEnd::Unfinished;
    int winner = -1;  ///< 0 or 1 when decided
    int steps = 0;
    std::string keptName;  ///< the name the player kept it under; empty for an automatic one
};

/// The lines of the file (UTF-8; encodeLines makes the bytes).
std::vector<std::string> replayLines(const Replay& r);

/// The replay written in `lines`, or the problem with the file (named `file`) and the line.
struct ReplayRead {
    std::optional<Replay> replay;
    DataProblem problem;
};
ReplayRead readReplay(const std::vector<std::string>& lines, const std::string& file);

/// The most bytes a replay file may hold: the longest bout stays far below.
inline constexpr std::size_t kMaxReplayBytes = 8u << 20;

/// The same from the bytes of a file: a file that is not CP932 text, or far too large for a
/// replay, is a problem like any other.
ReplayRead readReplayBytes(const std::string& bytes, const std::string& file);

/// "シミュレーション", "トーナメント", "デュエル".
const char* replayModeName(FightMode mode);
/// The outcome from the player's side: "勝利", "敗北", "ギブアップ", "中断".
const char* replayResultName(const Replay& r);

}  // namespace vargo
