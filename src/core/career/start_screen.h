#pragma once
// The start screen's career rules: what the game holds when the player is back at the start, and
// which kind of career the two buttons begin. The start window and the application call these and
// open the screens they lead to.

namespace vargo {

struct Game;

/// Back at the start: fresh owners and Dolls on both sides, and the guide on again.
void returnToStart(Game& game);
/// "New game": the career about to begin is a new one (player creation, then the workshop).
void beginNewGame(Game& game);
/// "Load": the career about to begin comes from a saved game.
void beginLoadedGame(Game& game);

}  // namespace vargo
