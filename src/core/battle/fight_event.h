#pragma once
// What happens in a fight, told as typed events. Every step of the fight reports its events in
// order; the battle log, the window's labels and scene, and anything that looks back at a fight
// (the tool's step lines, reports) are worked out from them instead of from the fighters' state.

#include <cstdint>

namespace vargo {

enum class FightEventKind : std::uint8_t {
    // --- the bout and the turn ---------------------------------------------------------------------
    BoutStart,      ///< who; value motor HP, after frame HP (both fighters, span 0, no flags)
    Initiative,     ///< who moves first (2: even); value and after the two dice
    ActionPoints,   ///< who; value the points, after the 2D6 in them
    PatternChosen,  ///< who; code the pattern's slot (-1 the empty pattern); value its AP
    PatternEnd,     ///< who; code the slot; value its AP: the shout that closes the pattern
    // --- one basic action --------------------------------------------------------------------------
    Action,           ///< who; code the basic action (kMove ... kHazusi) as it begins
    Pose,             ///< who; code the pose shown (FightPose)
    Roll,             ///< who; code the RollKind; value the number drawn
    SureHit,          ///< who holds the other: its blows land without a test
    CannotWhileDown,  ///< who; code the action a fallen Doll cannot do
    Momentum,         ///< who; code kMove, kJump or kSpin; value the power gained
    Dash,             ///< who; value the distance closed (and the power gained); after the new span
    BackAway,         ///< who; after the new span
    MoveHeld,         ///< who; code 0 moved while grappling, 1 tried to back away and was held
    OutOfReach,       ///< who swung at a distance
    Blocked,          ///< who (the defender) stopped the blow with its guard
    GuardBroken,      ///< who (the defender) was hit through its guard
    Hit,              ///< who; code the action that landed
    Miss,             ///< who; code the action that missed or could not strike
    Ukemi,            ///< who (the target) breaks its fall; value the damage it saves
    Damage,           ///< who (the target); code the DamageKind; part 0 motor 1 frame; value; after HP
    Grapple,          ///< who; value 1 took hold, 0 failed
    HoldBroken,       ///< who lost its hold because it was thrown
    NotHolding,       ///< who; code kDrop or kHold tried without a hold
    Guard,            ///< who raises its guard
    Breakfall,        ///< who gets ready to break its fall
    Escape,           ///< who; code EscapeResult
    Hold,             ///< who; value the new hold flag (0 or -1)
    Fall,             ///< who falls; code 1 when the log tells it
    Stand,            ///< who stands; code 1 when the log tells it
    Spark,            ///< value x, after y in the 800 x 400 scene
    // --- the end of a fight -----------------------------------------------------------------------
    Outcome,     ///< who won (0 or 1)
    Experience,  ///< value the experience gained
    LevelUp,     ///< value the skill gained
    Prize,       ///< value the prize money
    Income,      ///< value the money earned at the end of the tournament
    Repair,      ///< part 0 motor 1 frame; value the cost; after the HP
    PartLost,    ///< part 0 motor 1 frame: destroyed and taken off
    Restore,     ///< who; value motor HP, after frame HP: HP put back after the fight
};

/// Which number a Roll event drew.
enum class RollKind : std::uint8_t {
    Initiative,
    ActionPoints,
    Attack,     ///< the attacker's 2D6
    Defence,    ///< the defender's 2D6
    GuardRoll,  ///< one of the guard's 2D6
    Location,   ///< 0..5: 3 and up strike the motor
    DamageBase,
    UkemiRoll,
    EscapeRoll,
};

/// What a landed technique did: a blow (punch, kick), a throw or a joint lock.
enum class DamageKind : std::uint8_t { Punch = 1, Kick = 2, Throw = 3, Lock = 4 };

/// How an escape ("外し") ended.
enum class EscapeResult : std::uint8_t { BrokeFree, HeldFast, LetGo, Nothing };

/// The poses the scene draws, in the order of their names in poseName().
enum class FightPose : std::uint8_t { Ready, Move, Spin, Punch, Kick, Grapple, Guard };

/// "初期", "移動", "回転", "パンチ", "キック", "組み", "防御".
const char* poseName(FightPose pose);

struct FightEvent {
    FightEventKind kind = FightEventKind::BoutStart;
    std::int16_t who = 0;
    std::int16_t part = 0;
    std::int16_t code = 0;
    int value = 0;
    int after = 0;
};

}  // namespace vargo
