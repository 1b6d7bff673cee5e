#include "battle/simulator.h"

namespace vargo {

namespace {
std::string flags(const Fight& f, int i) {
    const FighterState& k = f.ring().fighters[static_cast<size_t>(i)];
    std::string s;
    s += k.guarding ? "G" : "-";
    s += k.ukemiReady ? "U" : "-";
    s += k.holding ? "H" : "-";
    s += k.fallen ? "F" : "-";
    return s;
}
}  // namespace

std::string stateLine(const Fight& f) {
    const RingState& ring = f.ring();
    std::string s = "span" + Str(static_cast<long long>(ring.span));
    // Once a Doll is destroyed the outcome restores both; show the HP it ended with instead.
    const bool over = ring.winner != -1;
    for (int i = 0; i < 2; ++i) {
        const doll& d = f.fighter(i);
        const long long motor = over ? ring.endHP[static_cast<size_t>(2 * i)] : d.Motor->HP;
        const long long frame = over ? ring.endHP[static_cast<size_t>(2 * i + 1)] : d.frame->HP;
        s += " | " + d.name + " motor" + Str(motor) + " frame" + Str(frame) + " " + flags(f, i);
    }
    return s;
}

std::string describeStep(const Fight& f, int /*phaseBefore*/) {
    std::string s = "--- step " + std::to_string(f.steps()) + "\n";
    // A decided initiative is told with the points it gave; anything else by the battle log.
    int first = -1;
    for (const FightEvent& e : f.stepEvents()) {
        if (e.kind == FightEventKind::Initiative && e.who != 2) {
            first = e.who;
        } else if (e.kind == FightEventKind::ActionPoints && e.who == first) {
            s += "initiative: " + f.fighter(first).name + " (AP" + Str(static_cast<long long>(e.value)) +
                 ")\n";
            return s + stateLine(f) + "\n";
        }
    }
    return s + f.battleLog() + stateLine(f) + "\n";
}

Simulator::Simulator(Random& r)
    : rng(r), game(GameFolder("."), unusedRng), fight(game, rng, prompts, nobody, noEnemies) {
    fight.setComputer(0, true);
    fight.setComputer(1, true);
    fight.setMode(FightMode::Street);
}

BoutResult Simulator::play(const std::shared_ptr<doll>& a, const std::shared_ptr<doll>& b, int stepCap,
                           const std::function<void(const Fight&, int)>& onStep) {
    for (const auto& d : {a, b}) {
        d->Motor->HP = d->Motor->maxHP;
        d->frame->HP = d->frame->maxHP;
    }
    // The outcome restores the player's pair; point it at the fighters so nothing else is touched.
    game.dolls[0] = a;
    game.dolls[1] = b;
    fight.startBout(a, b);
    BoutResult result;
    while (!fight.closed() && result.steps < stepCap) {
        int before = fight.ring().phase;
        fight.cmdNext_Click();
        ++result.steps;
        if (onStep) {
            onStep(fight, before);
        }
    }
    result.winner = fight.closed() ? fight.winner() : kDrawWinner;
    return result;
}

bool playOutByComputer(Fight& fight, const std::function<void(size_t firstNew)>& seen) {
    while (!fight.closed()) {
        if (fight.steps() >= Simulator::kStepCap) {
            const size_t told = fight.stepEvents().size();
            fight.cmdTap_Click();
            if (seen) {
                seen(told);
            }
            return true;
        }
        fight.cmdNext_Click();
        if (seen) {
            seen(0);
        }
    }
    return false;
}

}  // namespace vargo
