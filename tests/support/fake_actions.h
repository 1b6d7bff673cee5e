#pragma once
// A WorkshopActions that records what the workshop asked for and answers from fields.

#include <optional>
#include <string>
#include <vector>

#include "career/workshop_actions.h"

namespace vargo::test {

class FakeActions final : public WorkshopActions {
public:
    std::vector<std::string> calls;
    std::optional<int> slot;
    int enemies = 10;

    void openShop() override { calls.push_back("shop"); }
    void openProgram() override { calls.push_back("program"); }
    std::optional<int> chooseSaveSlot(int mode) override {
        calls.push_back("slot" + std::to_string(mode));
        return slot;
    }
    void runFight(int mode, const std::string& cls) override {
        calls.push_back("fight" + std::to_string(mode) + cls);
    }
    void openEnemyList() override { calls.push_back("enemies"); }
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
        return true;
    }
    int entryEnemy() override {
        calls.push_back("entry");
        return 1;
    }
    int countTekiDoll(int) override { return enemies; }
    void backToStart() override { calls.push_back("start"); }
};

}  // namespace vargo::test
