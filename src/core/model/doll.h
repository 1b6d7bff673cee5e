#pragma once
// One assembled Doll: references to its parts and patterns, and the numbers derived from them
// that the battle fights with. Its durability is the HP of its motor and frame.

#include <array>
#include <optional>
#include <string>

#include "model/logic.h"
#include "model/numbers.h"
#include "model/parts.h"

namespace vargo {

class Owner;
class Prompts;

enum class DollClass { Novice, Expert, Master };
/// 2500 or less Novice, 2501 to 3500 Expert, above 3500 Master.
DollClass dollClass(int value);
const char* dollClassName(DollClass c);
/// The class a text names ("Novice", "Expert", "Master"); nothing for any other text.
std::optional<DollClass> parseDollClass(const std::string& text);
/// The highest value a class tournament admits: 2500, 3500, 9999.
int classValueLimit(DollClass c);

class doll {
public:
    static constexpr int kBoosters = 8;
    static constexpr int kProtectors = 4;
    static constexpr int kSoftSlots = 4;
    static constexpr int kLogics = 13;

    doll();

    Int16 ID = 0;
    std::string name = "PlayerDoll";
    Int16 ownerID = 0;
    Int16 pow = 0;
    Int16 offence = 0;
    Int16 defence = 0;
    Int16 move = 0;
    Int16 jump = 0;
    Int16 spin = 0;
    double AC = 0;
    Int16 AP = 0;
    Int16 Memory = 0;
    MotorPtr Motor;
    FramePtr frame;
    HardPtr Hard;
    Int16 junkParts = 0; /**< kept in the Doll file and the registry; no rule reads it */
    Int16 value = 0;
    double weight = 0;
    bool programed = false;
    std::string image = "01";

    void setLogics(const LogicPtr& logic, int i);
    const LogicPtr& getLogic(int i) const;
    void setSoftA(int i, const SoftAttackPtr& s);
    void setSoftM(int i, const SoftMobilePtr& s);
    void setSoftD(int i, const SoftDeffencePtr& s);
    /// Null outside 0..3.
    SoftAttackPtr getSoftA(int i) const;
    SoftMobilePtr getSoftM(int i) const;
    SoftDeffencePtr getSoftD(int i) const;
    const BoosterPtr& getBoost(int i) const;
    const ProtectorPtr& getProtector(int i) const;

    /// Into the first free slot; false when a booster of that name is fitted or all eight are taken.
    bool addBooster(const BoosterPtr& b);
    /// The same over four slots; a full Doll says "4枚以上貼れません".
    bool addProtector(const ProtectorPtr& p, Prompts& prompts);
    void removeAllBoost();
    /// Takes every plate off and recomputes the part totals.
    void removeAllProtect();
    void removeAllLogic();
    /// The slot itself, for the assembly screen's removals of single parts.
    void setBoost(int i, const BoosterPtr& b);
    void setProtector(int i, const ProtectorPtr& p);

    /// Derives pow ... value from the parts; a sum that would leave 16 bits is skipped.
    void refresh();
    void refreshMotor();
    void refreshFrame();
    void refreshBoost();
    void refreshAC();

    /// Dark armour: a plate whose name contains "Carbon", "Steel" or "Kevler".
    bool isBlack() const;
    /// The picture code from the frame: "01", "0201" or "0202"; other frames keep the current code.
    void applyImage();

    /// The workshop's action lookup: codes 1-3, 4-8, 9-11 from the software in slot 0.
    ActionPtr getAction(int code) const;

    DollClass dollClass() const { return vargo::dollClass(value); }

private:
    std::array<BoosterPtr, kBoosters> boosters;
    std::array<ProtectorPtr, kProtectors> protectors;
    std::array<SoftMobilePtr, kSoftSlots> softMs;
    std::array<SoftAttackPtr, kSoftSlots> softAs;
    std::array<SoftDeffencePtr, kSoftSlots> softDs;
    std::array<LogicPtr, kLogics> logics;
};

/// The workshop's full recomputation of a Doll with its owner: refresh, then AP from the pilot's
/// skill and the computer, memory, the value from scratch (booster slots 4 to 7 not counted) and
/// the picture. A value beyond 32767 cannot be represented: the value stops at the last sum that
/// fitted and the call returns false so the caller can say so.
bool resetDollParam(doll& d, const Owner& owner);

}  // namespace vargo
