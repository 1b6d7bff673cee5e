#pragma once
// Player creation: rolls the new player's operating skill and money, takes a name, and either
// registers the player ("Entry") or gives up ("Quit").

#include <string>

#include "model/game.h"

namespace vargo {

class FCharMake {
public:
    explicit FCharMake(Game& game);

    /// Name back to the default, three dice for skillPlay, two dice x 100 + 1200 for money.
    void initPlayer();
    /// "Entry": the typed name (empty allowed) becomes the player's; value true. A name the save
    /// files cannot hold is refused (false), since no save of that career could ever be written.
    bool cmdEntry(const std::string& name);
    /// "Reset": roll again.
    void cmdReset() { initPlayer(); }
    /// "Quit": value false; the rolls stay in the record.
    void cmdQuit() { value = false; }

    /// What dspPlayer shows.
    std::string dspName() const;
    std::string dspRl() const;
    std::string dspOparate() const;
    static const char* const kMessage;
    /// The guide text when the guide is on, else empty.
    std::string guideText() const;

    bool value = false;

private:
    Game& game;
};

}  // namespace vargo
