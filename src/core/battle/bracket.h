#pragma once
// The tournament bracket as its window shows it: the eight entrants by position, which line
// segments are red, and the " Win" announcements. The Qt window draws this; the rules live here.

#include <array>
#include <memory>
#include <string>

#include "model/doll.h"

namespace vargo {

class Prompts;

class Bracket {
public:
    static constexpr int kPositions = 8;
    static constexpr int kSegments = 16;

    explicit Bracket(Prompts& p) : prompts(p) {}

    /// The entrant at a bracket position (0..7).
    void setKumiawase(int position, std::shared_ptr<doll> d);
    /// Colours the winner's segment of the stage and announces "<name> Win" for every position whose
    /// Doll carries `winnerID` (0 is the player). Stages outside 1..3 do nothing.
    void setWin(int winnerID, int bout, int stage);
    void resetWin();
    /// The index of the first segment of a stage: 0, 8, 12, 14.
    static int getShusoku(int stage);

    /// The name shown in lblName(position); empty for an unfilled position.
    std::string lblName(int position) const;
    bool isRed(int segment) const { return red.at(static_cast<size_t>(segment)); }
    const std::shared_ptr<doll>& entrant(int position) const {
        return dolls.at(static_cast<size_t>(position));
    }

private:
    Prompts& prompts;
    std::array<std::shared_ptr<doll>, kPositions> dolls;
    std::array<bool, kSegments> red{};
};

}  // namespace vargo
