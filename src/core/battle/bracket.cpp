#include "battle/bracket.h"

#include "ports/prompts.h"

namespace vargo {

void Bracket::setKumiawase(int position, std::shared_ptr<doll> d) {
    dolls.at(static_cast<size_t>(position)) = std::move(d);
}

int Bracket::getShusoku(int stage) {
    int first = 0;
    for (int i = 1; i <= stage; ++i) {
        first += 8 >> (i - 1);
    }
    return first;
}

void Bracket::setWin(int winnerID, int /*bout*/, int stage) {
    if (stage < 1 || stage > 3) {
        return;
    }
    for (int position = 0; position < kPositions; ++position) {
        const auto& d = dolls[static_cast<size_t>(position)];
        if (!d || d->ID != winnerID) {
            continue;
        }
        prompts.showMsg(d->name + " Win");
        // The segment leading up from the winner's place in this stage; the final's own line is
        // drawn by the window from the championship.
        int segment = position / (1 << (stage - 1)) + getShusoku(stage - 1);
        if (segment < 12) {
            red[static_cast<size_t>(segment)] = true;
        }
    }
}

void Bracket::resetWin() {
    red.fill(false);
}

std::string Bracket::lblName(int position) const {
    const auto& d = dolls.at(static_cast<size_t>(position));
    return d ? d->name : std::string();
}

}  // namespace vargo
