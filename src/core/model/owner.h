#pragma once
// The player (or the duel opponent's player): money, skills, records and the parts owned.

#include <array>
#include <string>

#include "model/numbers.h"
#include "model/parts.h"

namespace vargo {

class Random;

class Owner {
public:
    /// A blank owner: no money, nothing owned, skills 0. Constructing one draws no dice; a new
    /// player's money and skills are rolled by putInitRl and putInitAbl where the rules make one.
    Owner();

    std::string name = "鋼野拳士";
    Int16 Rl = 0;
    Int16 recWin = 0;
    Int16 recLoose = 0;
    Int16 recChamp = 0;
    Int16 skillHard = 0; /**< kept and saved; no rule reads it */
    Int16 skillSoft = 0; /**< kept and saved; no rule reads it */
    Int16 skillPlay = 0; /**< one action point per five points */
    Int16 Lv = 0;
    Int16 exp = 0;

    bool setMotor(const MotorPtr& m);
    bool setFrame(const FramePtr& f);
    bool setBooster(const BoosterPtr& b);
    bool setProtector(const ProtectorPtr& p);
    bool setHard(const HardPtr& h);
    bool setSoftM(const SoftMobilePtr& s);
    bool setSoftA(const SoftAttackPtr& s);
    bool setSoftD(const SoftDeffencePtr& s);

    const MotorPtr& getMotor(int i) const { return motors.at(static_cast<size_t>(i)); }
    const FramePtr& getFrame(int i) const { return frames.at(static_cast<size_t>(i)); }
    const BoosterPtr& getBooster(int i) const { return boosters.at(static_cast<size_t>(i)); }
    const ProtectorPtr& getProtector(int i) const { return protectors.at(static_cast<size_t>(i)); }
    const HardPtr& getHard(int i) const { return hards.at(static_cast<size_t>(i)); }
    const SoftMobilePtr& getSoftM(int i) const { return softMs.at(static_cast<size_t>(i)); }
    const SoftAttackPtr& getSoftA(int i) const { return softAs.at(static_cast<size_t>(i)); }
    const SoftDeffencePtr& getSoftD(int i) const { return softDs.at(static_cast<size_t>(i)); }

    /// Protectors in slots 0..9 with this ID (ID 0 counts the free slots).
    int countProtector(int id) const;

    void removeMotor(int id, bool isNew);
    void removeFrame(int id, bool isNew);
    void removeBoost(int id, bool isNew);
    void removeProtect(int id, bool isNew);
    void removeHard(int id, bool isNew);
    void removeSoftM(int id, bool isNew);
    void removeSoftA(int id, bool isNew);
    void removeSoftD(int id, bool isNew);

    /// A fitted motor or frame that is lost (destroyed in a fight): that very part leaves the
    /// inventory, not a twin with the same ID and isNew in a lower slot. A part the inventory does
    /// not hold falls back to removeMotor / removeFrame with its ID and isNew.
    void removeFittedMotor(const MotorPtr& fitted);
    void removeFittedFrame(const FramePtr& fitted);

    /// Every owned part becomes used (entering a tournament, loading a saved player).
    void useAllParts();
    void removeAllPart();

    /// Two dice times 100 plus 1200: 1400 to 2400.
    void putInitRl(Random& rng);
    /// skillPlay, skillHard, skillSoft, each three dice (3 to 18).
    void putInitAbl(Random& rng);

    static constexpr int kSmallSlots = 4;       ///< motors, frames, computers, each software kind
    static constexpr int kBoosterFillable = 5;  ///< the add operation fills slots 0..4
    static constexpr int kProtectorFillable = 10;
    static constexpr int kLargeCovered = 10;  ///< remove/use/clear cover slots 0..9
    static constexpr int kLargeSlots = 11;    ///< slot 10 exists but nothing uses it

private:
    std::array<MotorPtr, kSmallSlots> motors;
    std::array<FramePtr, kSmallSlots> frames;
    std::array<BoosterPtr, kLargeSlots> boosters;
    std::array<ProtectorPtr, kLargeSlots> protectors;
    std::array<HardPtr, kSmallSlots> hards;
    std::array<SoftMobilePtr, kSmallSlots> softMs;
    std::array<SoftAttackPtr, kSmallSlots> softAs;
    std::array<SoftDeffencePtr, kSmallSlots> softDs;
};

}  // namespace vargo
