#pragma once
// vargo-tool tournament: a saved game's Doll enters a class tournament as the workshop would let it,
// and the computer fights every bout for both sides. The save is only read, never written back.

#include <cstdint>
#include <optional>
#include <ostream>

#include "model/doll.h"
#include "model/game_folder.h"

namespace vargo::tool {

struct TournamentOptions {
    int save = 0;                     /**< the save number whose Doll enters */
    std::optional<DollClass> entered; /**< the class entered; the Doll's own when unset */
    std::uint64_t seed = 1;
};

/// Loads the save, runs the workshop's entry test and then the whole tournament, telling the draw,
/// every bout, every message the game shows and the player's record before and after on `out`.
/// Returns 0 when the tournament was held, 1 when the save could not be loaded or the entry was
/// refused.
int runTournament(const GameFolder& folder, const TournamentOptions& options, std::ostream& out);

}  // namespace vargo::tool
