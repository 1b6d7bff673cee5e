// The tournament inside the battle screen: the draw, the bouts in bracket order, and the automatic
// bouts between two computer Dolls.

#include <algorithm>

#include "battle/enemy_source.h"
#include "battle/fight.h"
#include "battle/tournament_entry.h"
#include "model/game.h"
#include "model/random.h"
#include "ports/prompts.h"

namespace vargo {

void Fight::initTornament() {
    screen_.caption = "TornamentFight";
    computer_ = {false, true};
    ldPlayDoll(0);
    int n = countTekiDoll(classValueLimit(tour_.tournamentClass));
    // The entry test guards this; should the registry have shrunk since, there is no bracket to draw.
    if (n < Bracket::kPositions) {
        prompts.msgBox(notEnoughEnemies(tour_.tournamentClass));
        close();
        return;
    }
    if (!makeKumiawase(n)) {
        prompts.msgBox(notEnoughEnemies(tour_.tournamentClass));
        close();
        return;
    }
    for (int position = 0; position < Bracket::kPositions; ++position) {
        int entry = tour_.bracket[static_cast<size_t>(position)];
        if (entry == 0) {
            tour_.frmTornament.setKumiawase(position, game.dolls[0]);
        } else if (ldTekiDoll(entry, 1, true)) {
            tour_.frmTornament.setKumiawase(position, state(1).d);
        }
    }
    if (showBracket_) {
        showBracket_(tour_.frmTornament);
    }
}

bool Fight::makeKumiawase(int n) {
    rng.reseed();
    std::vector<int> candidates = enemies.ldTekiIDs(classValueLimit(tour_.tournamentClass));
    std::array<int, 33> pool{};
    for (size_t i = 0; i < 32 && i < candidates.size(); ++i) {
        pool[i] = candidates[i];
    }
    // Draw only among the candidates the pool really holds: at most 32, however many qualify.
    int listed = static_cast<int>(std::find(pool.begin(), pool.begin() + 32, 0) - pool.begin());
    const int m = std::min(n, listed);
    std::array<int, 17>& bracket = tour_.bracket;
    bracket.fill(0);
    // Every position is drawn from the pool before the player takes one: with fewer enemies in
    // it than positions, the draw would reach past them.
    if (m < Bracket::kPositions) {
        return false;
    }
    for (int d = 0; d < Bracket::kPositions; ++d) {
        // Draw: the entrant for position d among those still in the pool.
        int k = static_cast<int>(Int(rng.next() * (m - d)));
        bracket[static_cast<size_t>(d)] = pool[static_cast<size_t>(k)];
        for (int j = k; j <= 31 - d; ++j) {
            pool[static_cast<size_t>(j)] = pool[static_cast<size_t>(j + 1)];
        }
        pool[static_cast<size_t>(32 - d)] = 0;
    }
    // Draw: the player's position, taken from the enemy drawn there.
    int p = static_cast<int>(Int(rng.next() * 8));
    bracket[static_cast<size_t>(p)] = 0;
    return true;
}

void Fight::runTornament() {
    if (ring_.closed) {
        return;
    }
    int& stage = tour_.stage;
    int& bout = tour_.bout;
    std::array<int, 17>& bracket = tour_.bracket;
    if ((1 << stage) * bout >= 8) {
        ++stage;
        if (showBracket_) {
            showBracket_(tour_.frmTornament);
        }
        bout = 0;
    }
    const int a = bracket[static_cast<size_t>(2 * bout)];
    const int b = bracket[static_cast<size_t>(2 * bout + 1)];
    if (a == 0 || b == 0) {
        ldPlayDoll(0);
        if (!ldTekiDoll(a == 0 ? b : a, 1, false)) {
            close();
            return;
        }
        initFight();
        return;
    }
    if (!ldTekiDoll(b, 1, true) || !ldTekiDoll(a, 0, true)) {
        close();
        return;
    }
    const int id = getAutoWinner().ID;
    bracket[static_cast<size_t>(bout)] = id;
    tour_.frmTornament.setWin(id, bout, stage);
    ++bout;
    runTornament();
}

doll& Fight::getAutoWinner() {
    int scores[2];
    for (int i = 0; i < 2; ++i) {
        // Draw: two rolls of luck for each side of an automatic bout.
        int r1 = static_cast<int>(Int(150 * rng.next()));
        int r2 = static_cast<int>(Int(150 * rng.next()));
        scores[i] = fighter(i).value + r1 + r2;
    }
    return scores[0] >= scores[1] ? fighterRef(0) : fighterRef(1);
}

}  // namespace vargo
