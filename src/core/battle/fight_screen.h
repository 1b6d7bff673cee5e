#pragma once
// What the battle window shows, kept up to date from the fight's events alone: the caption, the
// action-point and initiative labels, the poses of the latest step, its sparks, the distance, who
// holds and who is down, and both Doll's HP. The window draws this and reads nothing else of the
// fight's state.

#include <array>
#include <string>
#include <vector>

#include "battle/fight_event.h"

namespace vargo {

/// One picture the scene showed during a step: a fighter in the pose of an action.
struct FightPicture {
    int fighter = 0;
    const char* action = "";  ///< "初期", "移動", "回転", "パンチ", "キック", "組み", "防御"
};

/// Where one hit spark lands in the 800 x 400 scene.
struct EffectSpark {
    int x = 0;
    int y = 0;
};

struct FightScreen {
    std::string caption;
    std::string guideText;
    std::array<std::string, 2> dspAP;
    std::array<std::string, 2> dspInitiative;
    /// Pictures shown during the latest step, in order.
    std::vector<FightPicture> pictures;
    /// Sparks placed at the end of the latest step.
    std::vector<EffectSpark> sparks;

    int span = 0;
    std::array<bool, 2> holding{};
    std::array<bool, 2> fallen{};
    std::array<int, 2> motorHP{};
    std::array<int, 2> frameHP{};
    bool grappled() const { return holding[0] || holding[1]; }

    /// A new step begins: its pictures replace the last one's.
    void beginStep() {
        pictures.clear();
        sparks.clear();
    }
    /// Takes one event into the picture.
    void take(const FightEvent& e);
};

}  // namespace vargo
