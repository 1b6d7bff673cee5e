#include "battle/replay_player.h"

#include <algorithm>

namespace vargo {

namespace {

/// A replay that does not play as it says; caught inside the player, never let out.
struct Broken {
    std::string what;
};

}  // namespace

class ReplayPlayer::Dice final : public Random {
public:
    explicit Dice(const std::vector<double>& d) : dice(d) {}
    double next() override {
        if (used >= dice.size()) {
            throw Broken{"さいころの記録が足りません"};
        }
        return dice[used++];
    }
    size_t used = 0;

private:
    const std::vector<double>& dice;
};

class ReplayPlayer::Orders final : public Commander {
public:
    explicit Orders(const std::vector<ReplayAnswer>& a) : answers(a) {}
    int selectTechnique(const doll&, int) override { return take(ReplayAnswer::Kind::Technique); }
    int selectMove(int) override { return take(ReplayAnswer::Kind::Move); }
    size_t used = 0;

private:
    int take(ReplayAnswer::Kind kind) {
        if (used >= answers.size()) {
            throw Broken{"指示の記録が足りません"};
        }
        const ReplayAnswer& a = answers[used++];
        if (a.kind != kind) {
            throw Broken{"指示の記録が試合と合いません"};
        }
        return a.value;
    }
    const std::vector<ReplayAnswer>& answers;
};

ReplayPlayer::ReplayPlayer(Replay replay, std::string file)
    : replay_(std::move(replay)), file_(std::move(file)), scratch(GameFolder("."), unusedRng) {
    dice_ = std::make_unique<Dice>(replay_.dice);
    orders_ = std::make_unique<Orders>(replay_.answers);
    verify();
    reset();
}

ReplayPlayer::~ReplayPlayer() = default;

void ReplayPlayer::rebuild() {
    dice_->used = 0;
    orders_->used = 0;
    auto a = replay_.dolls[0].build();
    auto b = replay_.dolls[1].build();
    // The outcome puts the HP of the game's pair back: the scratch game's pair is the fighters.
    scratch.dolls = {a, b};
    fight_ = std::make_unique<Fight>(scratch, *dice_, prompts, *orders_, noEnemies);
    // A duel's outcome is told as a duel's; every other bout ends as a simulation does, which
    // draws nothing after the outcome, as the recording stopped there too.
    fight_->setMode(replay_.mode == FightMode::Duel ? FightMode::Duel : FightMode::Street);
    fight_->setComputer(0, replay_.computer[0]);
    fight_->setComputer(1, replay_.computer[1]);
    position_ = 0;
}

void ReplayPlayer::begin() {
    fight_->startBout(scratch.dolls[0], scratch.dolls[1], replay_.opening);
}

void ReplayPlayer::fail(const std::string& what) {
    problem_ = file_ + ": リプレイが壊れています（" + what + "）";
}

// Plays the whole bout once: it must end as recorded, using every die and order.
void ReplayPlayer::verify() {
    rebuild();
    // The report reads the patterns' names from the Dolls it names: these, kept with it.
    reportDolls = scratch.dolls;
    report_ = std::make_unique<FightReport>(*reportDolls[0], *reportDolls[1]);
    try {
        begin();
        // The bout's opening, told before its first step.
        const std::vector<FightEvent>& opening = fight_->stepEvents();
        report_->takeEvents(opening.data(), opening.data() + opening.size());
        while (position_ < replay_.steps && !fight_->closed()) {
            fight_->cmdNext_Click();
            ++position_;
            report_->takeStep(fight_->stepEvents());
        }
    } catch (const Broken& broken) {
        fail(broken.what);
        return;
    }
    const bool decided = replay_.end == ReplayEnd::Decided;
    if (position_ != replay_.steps || fight_->closed() != decided) {
        fail("試合の長さが記録と合いません");
    } else if (decided && fight_->winner() != replay_.winner) {
        fail("勝者が記録と合いません");
    } else if (dice_->used != replay_.dice.size() || orders_->used != replay_.answers.size()) {
        fail("使われない記録が残っています");
    }
}

FightScreen ReplayPlayer::screen() const {
    FightScreen s = fight_->screen();
    const RingState& ring = fight_->ring();
    if (ring.winner != -1) {
        s.motorHP = {ring.endHP[0], ring.endHP[2]};
        s.frameHP = {ring.endHP[1], ring.endHP[3]};
    }
    return s;
}

BoutRecord ReplayPlayer::boutRecord() const {
    BoutRecord record(reportDolls[0], reportDolls[1]);
    record.report = *report_;
    return record;
}

void ReplayPlayer::reset() {
    // A damaged replay shows its two Dolls before the first step and plays nothing further.
    rebuild();
    try {
        begin();
    } catch (const Broken& broken) {
        if (!damaged()) {
            fail(broken.what);
        }
    }
}

bool ReplayPlayer::step() {
    if (atEnd()) {
        return false;
    }
    try {
        fight_->cmdNext_Click();
    } catch (const Broken& broken) {
        // verify() played this very bout to its end; only a fault in the game itself gets here.
        fail(broken.what);
        return false;
    }
    ++position_;
    return true;
}

void ReplayPlayer::seek(int n) {
    const int target = std::clamp(n, 0, stepCount());
    if (target < position_) {
        reset();
    }
    while (position_ < target && step()) {
    }
}

}  // namespace vargo
