#pragma once
// The game's shared state (both sides' owners and Dolls, the calendar, the flags) in one object that
// screens and routines take by reference.

#include <array>
#include <memory>
#include <string>

#include "model/career_history.h"
#include "model/doll.h"
#include "model/game_date.h"
#include "model/game_folder.h"
#include "model/owner.h"
#include "model/random.h"

namespace vargo {

struct Game {
    Game(GameFolder folder, Random& rng);

    GameFolder folder;
    Random& rng;

    /// Index 0 the player's side, 1 the duel opponent's side. Loading replaces the objects.
    std::array<std::shared_ptr<Owner>, 2> owners;
    std::array<std::shared_ptr<doll>, 2> dolls;

    /// The player's career month by month, for the career chart; saved beside the save files.
    CareerHistory history;

    bool guideOn = true;
    bool newGame = false;
    bool workshopGuidePending = false;
    bool selectGuidePending = false;

    GameDate gameDate;
    bool playMusic = true;
    /// The player has heard, this run, that the machine cannot play music or effects. Every screen
    /// keeps quiet about it from then on, until the player switches BGM on again. Never saved.
    bool cannotPlayTold = false;
    bool savedFlag = true;
    int duelistState = 1; /**< 2 when a duel opponent is loaded and usable, else 1 */

    Owner& owner(int i = 0) { return *owners.at(static_cast<size_t>(i)); }
    doll& theDoll(int i = 0) { return *dolls.at(static_cast<size_t>(i)); }

    /// Fresh owners and Dolls on both sides, as the start screen makes them. Draws: each owner's
    /// starting money, side 0 then side 1. (Constructing a Game draws nothing: its owners are blank.)
    void resetPairs();
    /// resetDollParam for Doll i with owner i.
    bool resetDollParam(int i);
};

}  // namespace vargo
