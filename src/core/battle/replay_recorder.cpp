#include "battle/replay_recorder.h"

namespace vargo {

ReplayRecorder::ReplayRecorder(Random& dice, Commander& orders, Sink s)
    : tapDice(dice, *this), tapOrders(orders, *this), sink(std::move(s)) {}

double ReplayRecorder::TapRandom::next() {
    const double r = inner.next();
    if (rec.on) {
        rec.current.dice.push_back(r);
    }
    return r;
}

// Every answer outside 1..6 withdraws the order, and every move but 0 backs away: the replay keeps
// the answer in the form that does the same.
int ReplayRecorder::TapCommander::selectTechnique(const doll& d, int playAP) {
    const int v = inner.selectTechnique(d, playAP);
    if (rec.on) {
        rec.current.answers.push_back({ReplayAnswer::Kind::Technique, v >= 1 && v <= 6 ? v : 0});
    }
    return v;
}

int ReplayRecorder::TapCommander::selectMove(int span) {
    const int v = inner.selectMove(span);
    if (rec.on) {
        rec.current.answers.push_back({ReplayAnswer::Kind::Move, v == 0 ? 0 : 1});
    }
    return v;
}

void ReplayRecorder::boutStarted(const Fight& fight) {
    // A bout still on when the next begins (a headless run that stopped one at its cap) is kept as
    // it stood: the fight has not yet reset its steps.
    if (on) {
        close(fight, ReplayEnd::Unfinished);
    }
    current = Replay{};
    // A bout draws a few hundred numbers; room for them at once.
    current.dice.reserve(256);
    current.mode = fight.mode();
    current.tournamentClass = fight.tournament().tournamentClass;
    current.stage = fight.tournament().stage;
    current.opening = fight.opening();
    current.dolls = {ReplayDoll::of(fight.fighter(0)), ReplayDoll::of(fight.fighter(1))};
    on = true;
}

void ReplayRecorder::boutEnded(const Fight& fight, bool gaveUp) {
    if (on) {
        close(fight, gaveUp ? ReplayEnd::GaveUp : ReplayEnd::Decided);
    }
}

void ReplayRecorder::finish(const Fight& fight) {
    if (on) {
        close(fight, ReplayEnd::Unfinished);
    }
}

void ReplayRecorder::close(const Fight& fight, ReplayEnd end) {
    on = false;
    // Who the computer plays is read at the end: a headless run may hand the player's side to the
    // computer after the screen has loaded.
    current.computer = {fight.computer(0), fight.computer(1)};
    current.end = end;
    current.winner = end == ReplayEnd::Decided ? fight.winner() : -1;
    current.steps = fight.steps();
    if (sink) {
        sink(std::move(current));
    }
    current = Replay{};
}

}  // namespace vargo
