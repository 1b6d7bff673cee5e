#pragma once
// A fight for the battle window's tests: real dice from a fixed seed (so a whole fight can be
// played by pressing Next), scripted orders and prompts, enemies held in memory.

#include <cstdint>

#include "battle/battle_support.h"

namespace vargo::test {

struct ScreenBench {
    explicit ScreenBench(std::uint64_t seed)
        : dice(seed), fight(game, dice, prompts, commander, enemies, &sound) {}

    GameRandom dice;
    Game game{GameFolder(VARGO_SOURCE_DIR "/data"), dice};
    ScriptedPrompts prompts;
    ScriptedCommander commander;
    MemoryEnemies enemies;
    RecordingSound sound;
    Fight fight;

    /// The player's order for every turn, cycling through the given pattern numbers.
    void orders(std::initializer_list<int> techniques, int turns = 600) {
        for (int t = 0; t < turns; ++t) {
            for (int v : techniques) {
                commander.pushTechnique(v);
            }
            commander.pushMove(0);
            commander.pushMove(0);
        }
    }
};

/// A striker with five patterns: one-two, grapple and throw, kick, spin, grapple and joint lock.
inline std::shared_ptr<doll> strikerDoll(const std::string& name, int ID, const std::string& image) {
    DollNumbers n;
    n.name = name;
    n.ID = ID;
    n.pow = 9;
    n.offence = 6;
    n.defence = 5;
    n.move = 40;
    n.spin = 30;
    n.AC = 1;
    n.AP = 4;
    n.motorHP = 90;
    n.frameHP = 120;
    auto d = makeDoll(n, {makePattern({kMove, kPunch, kPunch}, 6, "ワンツー"),
                          makePattern({kKumi, kDrop}, 5, "投げ"), makePattern({kMove, kKick}, 4, "キック"),
                          makePattern({kSpin}, 2, "回転"), makePattern({kKumi, kHold}, 4, "組みつき")});
    d->image = image;
    return d;
}

}  // namespace vargo::test
