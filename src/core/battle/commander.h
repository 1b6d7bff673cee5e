#pragma once
// The player's orders in a fight. The battle asks; the Qt layer answers with the technique and
// movement dialogs, tests and tools answer from a script.

#include <deque>
#include <stdexcept>

namespace vargo {

class doll;

class Commander {
public:
    virtual ~Commander() = default;
    /// The technique dialog for Doll d (its pattern slots 0..5), with playAP points this turn:
    /// 0 when the order is withdrawn, n = 1..6 for pattern n - 1.
    virtual int selectTechnique(const doll& d, int playAP) = 0;
    /// The movement dialog at distance span: 0 approach, 1 withdraw.
    virtual int selectMove(int span) = 0;
};

/// Answers from queues; running dry is a fault in the test.
class ScriptedCommander final : public Commander {
public:
    void pushTechnique(int value) { techniques.push_back(value); }
    void pushMove(int value) { moves.push_back(value); }

    int selectTechnique(const doll&, int) override {
        if (techniques.empty()) {
            throw std::logic_error("no scripted technique left");
        }
        int v = techniques.front();
        techniques.pop_front();
        return v;
    }
    int selectMove(int) override {
        if (moves.empty()) {
            throw std::logic_error("no scripted move left");
        }
        int v = moves.front();
        moves.pop_front();
        return v;
    }

private:
    std::deque<int> techniques;
    std::deque<int> moves;
};

}  // namespace vargo
