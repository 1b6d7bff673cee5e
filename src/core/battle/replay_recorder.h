#pragma once
// Records every bout a Fight plays as a Replay. The recorder stands between the fight and its dice
// and orders: the fight is made with random() and commander(), which pass every draw and every
// answer through and note them while a bout is on; the fight tells the recorder (FightRecorder)
// when a bout starts and when it ends, and each finished bout goes to the sink. Nothing is added
// to a fight that is not recorded.

#include <functional>

#include "battle/commander.h"
#include "battle/replay.h"
#include "model/random.h"

namespace vargo {

class ReplayRecorder final : public FightRecorder {
public:
    using Sink = std::function<void(Replay&&)>;

    /// Draws come from `dice`, the player's orders from `orders`; finished bouts go to `sink`.
    ReplayRecorder(Random& dice, Commander& orders, Sink sink);

    Random& random() { return tapDice; }
    Commander& commander() { return tapOrders; }

    void boutStarted(const Fight& fight) override;
    void boutEnded(const Fight& fight, bool gaveUp) override;
    /// A bout still on (a headless fight stopped at its step cap, a screen closed mid-bout) is kept
    /// as unfinished, with the steps it reached.
    void finish(const Fight& fight);
    bool recording() const { return on; }

private:
    class TapRandom final : public Random {
    public:
        TapRandom(Random& in, ReplayRecorder& r) : inner(in), rec(r) {}
        double next() override;
        void reseed() override { inner.reseed(); }

    private:
        Random& inner;
        ReplayRecorder& rec;
    };
    class TapCommander final : public Commander {
    public:
        TapCommander(Commander& in, ReplayRecorder& r) : inner(in), rec(r) {}
        int selectTechnique(const doll& d, int playAP) override;
        int selectMove(int span) override;

    private:
        Commander& inner;
        ReplayRecorder& rec;
    };

    void close(const Fight& fight, ReplayEnd end);

    TapRandom tapDice;
    TapCommander tapOrders;
    Sink sink;
    Replay current;
    bool on = false;
};

}  // namespace vargo
