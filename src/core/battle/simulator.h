#pragma once
// Headless fights between two computer-played Dolls, for vargo-tool, the balance table, the golden
// log and the benchmarks. Both sides choose by the computer's rules, each seen from its own side.

#include <functional>
#include <memory>
#include <string>

#include "battle/commander.h"
#include "battle/enemy_source.h"
#include "battle/fight.h"
#include "model/game.h"
#include "ports/prompts.h"

namespace vargo {

/// Prompts that show nothing and agree to everything: a headless fight has nobody to ask.
class SilentPrompts final : public Prompts {
public:
    int askOkCancel(const std::string&) override { return kOk; }
    int askOkCancelTitled(const std::string&, const std::string&) override { return kOk; }
    int askYesNo(const std::string&, const std::string&) override { return kYes; }
    void showMsg(const std::string&) override {}
    void showMsgTitled(const std::string&, const std::string&) override {}
    void showMsgTall(const std::string&, const std::string&, int) override {}
    int msgBox(const std::string&, BoxButtons) override { return kOk; }
};

/// A fight that never ended within the cap counts as a draw.
constexpr int kDrawWinner = -1;

struct BoutResult {
    int winner = kDrawWinner;  ///< 0 or 1, or kDrawWinner
    int steps = 0;
};

/// The state after a step in one line: distance, both Dolls' HP and flags.
std::string stateLine(const Fight& f);

/// Steps a fight the computer plays on both sides (a tournament, say) until the battle screen would
/// close. A bout still going after Simulator::kStepCap steps is given up, as a player facing two
/// Dolls that cannot hurt each other would. After each step, and after the giving up, `seen` hears
/// from which of the fight's step events on the news is. True when a bout was given up.
bool playOutByComputer(Fight& fight, const std::function<void(size_t firstNew)>& seen = {});

/// One step as the fight tool prints it: a header, the initiative or the battle log, the state line.
std::string describeStep(const Fight& f, int phaseBefore);

/// Plays computer against computer until a Doll is destroyed or stepCap steps have passed.
class Simulator {
public:
    explicit Simulator(Random& rng);

    /// One fight between a and b (fighter 0 and 1). Both are restored to full HP first; onStep sees
    /// the fight after every step with the phase it started from.
    BoutResult play(const std::shared_ptr<doll>& a, const std::shared_ptr<doll>& b, int stepCap = kStepCap,
                    const std::function<void(const Fight&, int phaseBefore)>& onStep = {});

    /// Tells `recorder` (may be null) of every bout from now on; the Random given to the simulator
    /// should then be the recorder's.
    void setRecorder(FightRecorder* recorder) { fight.setRecorder(recorder); }

    static constexpr int kStepCap = 2000;
    /// The fight as the last bout left it.
    const Fight& lastFight() const { return fight; }

private:
    Random& rng;
    GameRandom unusedRng{1};
    Game game;
    SilentPrompts prompts;
    ScriptedCommander nobody;
    MemoryEnemies noEnemies;
    Fight fight;
};

}  // namespace vargo
