#pragma once
// Plays a Replay again, step by step, on a scratch game: fresh Dolls built from the record, the
// recorded dice and orders, nobody to ask and nothing to show. The career's own Game is never
// touched. Going back re-runs the bout from its start: a bout takes microseconds.
//
// A replay that does not play as it says (dice or orders running out or left over, an order of
// the wrong kind, another winner or step count) is damaged: the player says so in a message that
// names the file, and plays nothing. It checks this once, when it is made, by playing the bout to
// its end; the fight report of the whole bout comes from that run.

#include <memory>
#include <string>

#include "battle/enemy_source.h"
#include "battle/fight_report.h"
#include "battle/replay.h"
#include "battle/simulator.h"

namespace vargo {

class ReplayPlayer {
public:
    /// `file` names the replay in messages ("replay/auto-000012.rpl").
    ReplayPlayer(Replay replay, std::string file);
    ~ReplayPlayer();
    ReplayPlayer(const ReplayPlayer&) = delete;
    ReplayPlayer& operator=(const ReplayPlayer&) = delete;

    /// Whether the replay cannot be played; problem() then says why, in Japanese, with the file.
    bool damaged() const { return !problem_.empty(); }
    const std::string& problem() const { return problem_; }

    const Replay& replay() const { return replay_; }
    const std::string& file() const { return file_; }
    /// The steps the bout took (0 for a damaged replay).
    int stepCount() const { return damaged() ? 0 : replay_.steps; }
    /// The steps played so far.
    int position() const { return position_; }
    bool atStart() const { return position_ == 0; }
    bool atEnd() const { return position_ >= stepCount(); }

    /// Back to the bout's start, before its first step.
    void reset();
    /// One step forward; false at the end.
    bool step();
    /// To just after step n (0 the start), clamped to the bout; going back plays again from the start.
    void seek(int n);

    /// The fight as the replay stands: its screen, battle log and the latest step's events.
    const Fight& fight() const { return *fight_; }
    /// The fight's screen, except that a decided bout shows the HP it was decided with: the
    /// outcome puts a simulation's and a duel's HP back, which the replay does not show.
    FightScreen screen() const;
    /// The report of the whole bout.
    const FightReport& report() const { return *report_; }
    /// The same with the Dolls it names, as the report window takes a bout.
    BoutRecord boutRecord() const;

private:
    class Dice;
    class Orders;

    /// A fresh fight on fresh Dolls built from the record; begin() starts its bout.
    void rebuild();
    void begin();
    void verify();
    void fail(const std::string& what);

    Replay replay_;
    std::string file_;
    std::string problem_;
    int position_ = 0;

    GameRandom unusedRng{1};
    Game scratch;
    SilentPrompts prompts;
    MemoryEnemies noEnemies;
    std::unique_ptr<Dice> dice_;
    std::unique_ptr<Orders> orders_;
    std::unique_ptr<Fight> fight_;
    /// The Dolls the report names and reads the patterns of, kept for its lifetime.
    std::array<std::shared_ptr<doll>, 2> reportDolls;
    std::unique_ptr<FightReport> report_;
};

}  // namespace vargo
