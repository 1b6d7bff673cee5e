#include "career/start_screen.h"

#include "model/game.h"

namespace vargo {

void returnToStart(Game& game) {
    game.resetPairs();
    game.guideOn = true;
}

void beginNewGame(Game& game) {
    game.newGame = true;
}

void beginLoadedGame(Game& game) {
    game.newGame = false;
}

}  // namespace vargo
