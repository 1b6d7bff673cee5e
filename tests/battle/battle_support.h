#pragma once
// Dolls, patterns and a fight set up in memory, so that a battle test scripts only the dice and
// the player's answers.

#include <initializer_list>
#include <memory>
#include <string>

#include "battle/commander.h"
#include "battle/enemy_source.h"
#include "battle/fight.h"
#include "model/game.h"
#include "model/random.h"
#include "ports/sound.h"
#include "ports/prompts.h"

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

/// A fight between the game's Doll 0 and an enemy (or the duelist), everything scripted.
struct FightBench {
    FightBench();
    GameRandom gameRng{7};
    Game game;
    ScriptedRandom dice;
    ScriptedPrompts prompts;
    ScriptedCommander commander;
    MemoryEnemies enemies;
    RecordingSound sound;
    Fight fight;

    doll& player() { return *game.dolls[0]; }
    /// Puts a and b straight into the fighter slots and starts the fight (Mode stays Street).
    void start(std::shared_ptr<doll> a, std::shared_ptr<doll> b);
    /// Queues a 2D6 roll as two dice.
    void push2D6(int a, int b) {
        dice.pushDie(6, a);
        dice.pushDie(6, b);
    }
    void pushInitiative(int mine, int theirs) { push2D6(mine, theirs); }
};

}  // namespace vargo::test
