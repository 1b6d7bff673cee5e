#pragma once
// What the headless careers' bots may build and program: a ladder of builds (real catalogue parts)
// and the pattern sets each may carry, kept as data (assets/career/bots.txt, compiled into the core)
// so that the measured careers change with the text and not with code.

#include <string>
#include <string_view>
#include <vector>

#include "career/doll_recipe.h"

namespace vargo {

struct BotPatternSet {
    std::string name;
    std::vector<PatternRecipe> patterns;  ///< six
};

struct BotBuild {
    std::string name;
    int line = 0;  ///< where it is written, for messages
    PartIds parts;
    std::vector<std::string> sets;  ///< pattern set names in order of preference
};

struct BotLibrary {
    std::vector<BotPatternSet> sets;
    std::vector<BotBuild> builds;  ///< in the file's order: the ladder, cheapest first

    const BotPatternSet* set(const std::string& name) const;
};

struct BotLibraryRead {
    BotLibrary library;
    int line = 0;         ///< the line of the first problem, 0 when there is none
    std::string problem;  ///< empty when the text was read whole
};

/// Reads the library's text. A set needs six patterns, a build its parts line and at least one
/// known set; the first problem stops the reading.
BotLibraryRead readBotLibrary(std::string_view text);

/// The library compiled into the game. A damaged one is a fault in the build: it throws.
const BotLibrary& shippedBotLibrary();

}  // namespace vargo
