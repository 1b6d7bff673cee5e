#pragma once
// Dolls, patterns and a fight set up in memory, so that a battle test scripts only the dice and
// the player's answers.

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "battle/commander.h"
#include "battle/enemy_source.h"
#include "battle/fight.h"
#include "model/game.h"
#include "model/random.h"
#include "ports/prompts.h"
#include "ports/sound.h"

namespace vargo::test {

struct DollNumbers {
    std::string name = "Doll";
    int ID = 0;
    int pow = 10;
    int offence = 5;
    int defence = 5;
    int move = 20;
    int jump = 20;
    int spin = 20;
    double AC = 0;
    int AP = 3;
    int value = 2000;
    double weight = 10;
    int motorHP = 100;
    int frameHP = 100;
};

/// A pattern of the given action codes, with its cost and name.
LogicPtr makePattern(std::initializer_list<int> codes, int AP, const std::string& name = "技");

/// A Doll with the given numbers, motor and frame at full HP, and patterns in slots 0, 1, ...
std::shared_ptr<doll> makeDoll(const DollNumbers& n, std::initializer_list<LogicPtr> patterns = {});

}  // namespace vargo::test

namespace vargo {

/// The tests' way into the fight: a situation is set up and a single rule run through here, never
/// by reaching into the fight from a test body.
struct FightTestAccess {
    static RingState& ring(Fight& f) { return f.ring_; }
    static TournamentState& tournament(Fight& f) { return f.tour_; }
    static void initFight(Fight& f) { f.initFight(); }
    /// Runs pattern slot `slot` of fighter who's Doll (-1 the empty pattern), its book made afresh
    /// from the Doll.
    static void waza(Fight& f, int who, int slot);
    static int damage(Fight& f, int who, int kind, int wazaPow, int level) {
        return f.Damage(who, kind, wazaPow, level);
    }
    static void checkTentou(Fight& f, int who) { f.checkTentou(who); }
    static void endFace(Fight& f) { f.endFace(); }
    static void levelUp(Fight& f, int win) { f.levelUp(win); }
    static void Shunyu(Fight& f) { f.Shunyu(); }
    static void Shuri(Fight& f) { f.Shuri(); }
    static bool makeKumiawase(Fight& f, int n) { return f.makeKumiawase(n); }
    static doll& getAutoWinner(Fight& f) { return f.getAutoWinner(); }
    /// Tells the fight's screen and log these events, as a step would: a new log begins with them.
    static void tell(Fight& f, const std::vector<FightEvent>& events) {
        f.startLog();
        for (const FightEvent& e : events) {
            f.report(e.kind, e.who, e.code, e.value, e.after, e.part);
        }
    }
    /// Blows landed since the last drawing, for the sparks the next refresh places.
    static void setEffects(Fight& f, int count, int target, int height) {
        f.effects_.count = count;
        f.effects_.target = target;
        f.effects_.height = height;
    }
    static int effectCount(const Fight& f) { return f.effects_.count; }
    static int effectHeight(const Fight& f) { return f.effects_.height; }
    static int effectTarget(const Fight& f) { return f.effects_.target; }
};

}  // namespace vargo

namespace vargo::test {

/// A fight between the game's Doll 0 and an enemy (or the duelist), everything scripted.
struct FightBench {
    FightBench();
    /// One generator for everything: making the game draws nothing, so the script is the fight's.
    ScriptedRandom dice;
    Game game;
    ScriptedPrompts prompts;
    ScriptedCommander commander;
    MemoryEnemies enemies;
    RecordingSound sound;
    Fight fight;

    doll& player() { return *game.dolls[0]; }
    /// Puts a and b straight into the fighter slots and starts the fight (the mode stays Street).
    void start(std::shared_ptr<doll> a, std::shared_ptr<doll> b);
    /// The fighters' Dolls as the fight holds them.
    doll& fighter(int who) { return *fight.ring().fighters[static_cast<size_t>(who)].d; }
    const FighterState& flags(int who) const { return fight.ring().fighters[static_cast<size_t>(who)]; }

    // --- situations ---------------------------------------------------------------------------
    void setSpan(int span) { FightTestAccess::ring(fight).span = static_cast<Int16>(span); }
    void setHolding(int who, bool on) { mutableFlags(who).holding = on ? -1 : 0; }
    void setFallen(int who, bool on) { mutableFlags(who).fallen = on ? -1 : 0; }
    void setGuard(int who, int guard) { mutableFlags(who).guarding = static_cast<Int16>(guard); }
    void setUkemi(int who, bool on) { mutableFlags(who).ukemiReady = on ? -1 : 0; }

    // --- single rules -------------------------------------------------------------------------
    void waza(int who, int slot = 0) { FightTestAccess::waza(fight, who, slot); }
    int damage(int who, int kind, int wazaPow, int level = 5) {
        return FightTestAccess::damage(fight, who, kind, wazaPow, level);
    }
    void levelUp(int win) { FightTestAccess::levelUp(fight, win); }
    void Shuri() { FightTestAccess::Shuri(fight); }
    void Shunyu() { FightTestAccess::Shunyu(fight); }
    void endFace() { FightTestAccess::endFace(fight); }
    /// Opens the screen again after an outcome closed it, to try the next outcome.
    void reopen() { FightTestAccess::ring(fight).closed = false; }
    void setFighter(int who, std::shared_ptr<doll> d) {
        FightTestAccess::ring(fight).fighters[static_cast<size_t>(who)].d = std::move(d);
    }

private:
    FighterState& mutableFlags(int who) {
        return FightTestAccess::ring(fight).fighters[static_cast<size_t>(who)];
    }

public:
    /// Queues a 2D6 roll as two dice.
    void push2D6(int a, int b) {
        dice.pushDie(6, a);
        dice.pushDie(6, b);
    }
    void pushInitiative(int mine, int theirs) { push2D6(mine, theirs); }
};

}  // namespace vargo::test
