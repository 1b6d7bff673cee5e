#include "battle/simulator.h"

namespace vargo {

namespace {
std::string flags(const Fight& f, int i) {
    const size_t k = static_cast<size_t>(i);
    std::string s;
    s += f.guarding[k] ? "G" : "-";
    s += f.ukemiReady[k] ? "U" : "-";
    s += f.holding[k] ? "H" : "-";
    s += f.fallen[k] ? "F" : "-";
    return s;
}
}  // namespace

std::string stateLine(const Fight& f) {
    std::string s = "span" + Str(static_cast<long long>(f.span));
    // Once a Doll is destroyed the outcome restores both; show the HP it ended with instead.
    const bool over = f.winner != -1;
    for (int i = 0; i < 2; ++i) {
        const doll& d = *f.fightDolls[static_cast<size_t>(i)];
        const long long motor = over ? f.endHP[static_cast<size_t>(2 * i)] : d.Motor->HP;
        const long long frame = over ? f.endHP[static_cast<size_t>(2 * i + 1)] : d.frame->HP;
        s += " | " + d.name + " motor" + Str(motor) + " frame" + Str(frame) + " " + flags(f, i);
    }
    return s;
}

std::string describeStep(const Fight& f, int phaseBefore) {
    std::string s = "--- step " + std::to_string(f.steps) + "\n";
    if (phaseBefore == 0 && f.firstMover != 2) {
        s += "initiative: " + f.fightDolls[static_cast<size_t>(f.firstMover)]->name + " (AP" +
             Str(static_cast<long long>(f.playAP)) + ")\n";
    } else {
        s += f.battleLog;
    }
    return s + stateLine(f) + "\n";
}

Simulator::Simulator(Random& r)
    : rng(r), game(GameFolder("."), unusedRng), fight(game, rng, prompts, nobody, noEnemies) {
    fight.setComputer(0, true);
    fight.setComputer(1, true);
    fight.Mode = FightMode::Street;
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
    fight.fightDolls[0] = a;
    fight.fightDolls[1] = b;
    fight.closed = false;
    fight.phase = 0;
    fight.initFight();
    BoutResult result;
    while (!fight.closed && result.steps < stepCap) {
        int before = fight.phase;
        fight.nextFight();
        ++result.steps;
        if (onStep) {
            onStep(fight, before);
        }
    }
    result.winner = fight.closed ? fight.winner : kDrawWinner;
    return result;
}

}  // namespace vargo
