// The battle window's picture of the fight, kept from the events alone.

#include "battle/fight_screen.h"

#include "model/numbers.h"

namespace vargo {

const char* poseName(FightPose pose) {
    static constexpr const char* kNames[] = {"初期", "移動", "回転", "パンチ", "キック", "組み", "防御"};
    return kNames[static_cast<size_t>(pose)];
}

void FightScreen::take(const FightEvent& e) {
    using K = FightEventKind;
    const size_t who = e.who >= 0 && e.who < 2 ? static_cast<size_t>(e.who) : 0;
    switch (e.kind) {
        case K::BoutStart:
            pictures.clear();
            sparks.clear();
            span = 0;
            holding[who] = false;
            fallen[who] = false;
            motorHP[who] = e.value;
            frameHP[who] = e.after;
            break;
        case K::Initiative:
            if (e.who == 0) {
                dspInitiative = {"先手", "後手"};
            } else if (e.who == 1) {
                dspInitiative = {"後手", "先手"};
            }
            break;
        case K::ActionPoints:
            dspAP[who] = "行動ポイント" + Str(static_cast<long long>(e.value));
            dspAP[1 - who].clear();
            break;
        case K::Pose:
            pictures.push_back({e.who, poseName(static_cast<FightPose>(e.code))});
            break;
        case K::Dash:
        case K::BackAway:
            span = e.after;
            break;
        case K::Hold:
            holding[who] = e.value != 0;
            break;
        case K::Fall:
            fallen[who] = true;
            break;
        case K::Stand:
            fallen[who] = false;
            break;
        case K::Damage:
            (e.part == 0 ? motorHP : frameHP)[who] = e.after;
            break;
        case K::Spark:
            sparks.push_back({e.value, e.after});
            break;
        case K::Repair:
        case K::PartLost:
            if (e.who == 0) {
                (e.part == 0 ? motorHP : frameHP)[0] = e.after;
            }
            break;
        case K::Restore:
            motorHP[who] = e.value;
            frameHP[who] = e.after;
            break;
        default:
            break;
    }
}

}  // namespace vargo
