#pragma once
// A WorkshopActions that records what the workshop asked for and answers from fields.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "battle/fight.h"
#include "career/workshop_actions.h"
#include "model/doll.h"
#include "persistence/save_slot.h"

namespace vargo::test {

class FakeActions final : public WorkshopActions {
public:
    std::vector<std::string> calls;
    std::optional<int> slot;
    int enemies = 10;
    std::function<void()> duringFight;  ///< what happens while the battle screen is open
    int entryNumber = 1;                ///< what entryEnemy answers: 0 when the entry did not happen
    bool duelistLoaded = true;          ///< what loadDuelist answers

    void openShop() override { calls.push_back("shop"); }
    void openProgram() override { calls.push_back("program"); }
    std::optional<int> chooseSaveSlot(SaveSlotMode mode) override {
        calls.push_back(mode == SaveSlotMode::Save ? "slot-save" : "slot-load");
        return slot;
    }
    void runFight(FightMode mode, std::optional<DollClass> cls = std::nullopt) override {
        calls.push_back("fight" + std::to_string(static_cast<int>(mode)) + (cls ? dollClassName(*cls) : ""));
        if (duringFight) {
            duringFight();
        }
    }
    void openEnemyList() override { calls.push_back("enemies"); }
    void openFightReport() override { calls.push_back("report"); }
    void openReplays() override { calls.push_back("replays"); }
    void openLab() override { calls.push_back("lab"); }
    void openCareerChart(bool finalRecord) override {
        calls.push_back(finalRecord ? "chart-final" : "chart");
    }
    bool estimates = true;
    bool estimatesShown() override { return estimates; }
    void setEstimatesShown(bool on) override { estimates = on; }
    int volume() override { return volumePercent; }
    void setVolume(int percent) override { volumePercent = percent; }
    int volumePercent = 100;
    std::string tournamentEstimate(DollClass c) override {
        calls.push_back(std::string("estimate") + dollClassName(c));
        return "推定";
    }
    bool saveGame(int n) override {
        calls.push_back("save" + std::to_string(n));
        return true;
    }
    bool loadGame(int n) override {
        calls.push_back("load" + std::to_string(n));
        return true;
    }
    bool loadDuelist(int n) override {
        calls.push_back("duelist" + std::to_string(n));
        return duelistLoaded;
    }
    int entryEnemy() override {
        calls.push_back("entry");
        return entryNumber;
    }
    int countTekiDoll(int) override { return enemies; }
    void backToStart() override { calls.push_back("start"); }
};

}  // namespace vargo::test
