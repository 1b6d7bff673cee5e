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
    caption = "TornamentFight";
    computer = {false, true};
    ldPlayDoll(0);
    int n = countTekiDoll(classValueLimit(tournamentClass));
    // The entry test guards this; should the registry have shrunk since, there is no bracket to draw.
    if (n < Bracket::kPositions) {
        prompts.msgBox(notEnoughEnemies(tournamentClass));
        close();
        return;
    }
    if (!makeKumiawase(n)) {
        prompts.msgBox(notEnoughEnemies(tournamentClass));
        close();
        return;
    }
    for (int position = 0; position < Bracket::kPositions; ++position) {
        int entry = bracket[static_cast<size_t>(position)];
        if (entry == 0) {
            frmTornament.setKumiawase(position, game.dolls[0]);
        } else if (ldTekiDoll(entry, 1, true)) {
            frmTornament.setKumiawase(position, fightDolls[1]);
        }
    }
    if (showBracket) {
        showBracket(frmTornament);
    }
}

bool Fight::makeKumiawase(int n) {
    rng.reseed();
    std::vector<int> candidates = enemies.ldTekiIDs(classValueLimit(tournamentClass));
    std::array<int, 33> pool{};
    for (size_t i = 0; i < 32 && i < candidates.size(); ++i) {
        pool[i] = candidates[i];
    }
    // Draw only among the candidates the pool really holds: at most 32, however many qualify.
    int listed = static_cast<int>(std::find(pool.begin(), pool.begin() + 32, 0) - pool.begin());
    const int m = std::min(n, listed);
    bracket.fill(0);
    // Every position is drawn from the pool before the player takes one: with fewer enemies in
    // it than positions, the draw would reach past them.
    if (m < Bracket::kPositions) {
        return false;
    }
    for (int d = 0; d < Bracket::kPositions; ++d) {
        int k = static_cast<int>(Int(rng.next() * (m - d)));
        bracket[static_cast<size_t>(d)] = pool[static_cast<size_t>(k)];
        for (int j = k; j <= 31 - d; ++j) {
            pool[static_cast<size_t>(j)] = pool[static_cast<size_t>(j + 1)];
        }
        pool[static_cast<size_t>(32 - d)] = 0;
    }
    int p = static_cast<int>(Int(rng.next() * 8));
    bracket[static_cast<size_t>(p)] = 0;
    return true;
}

void Fight::runTornament() {
    if (closed) {
        return;
    }
    if ((1 << stage) * bout >= 8) {
        ++stage;
        if (showBracket) {
            showBracket(frmTornament);
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
    frmTornament.setWin(id, bout, stage);
    ++bout;
    runTornament();
}

doll& Fight::getAutoWinner() {
    int scores[2];
    for (int i = 0; i < 2; ++i) {
        int r1 = static_cast<int>(Int(150 * rng.next()));
        int r2 = static_cast<int>(Int(150 * rng.next()));
        scores[i] = fighter(i).value + r1 + r2;
    }
    return scores[0] >= scores[1] ? fighter(0) : fighter(1);
}

}  // namespace vargo
