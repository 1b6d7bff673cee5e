#pragma once
// The battle log: the words the log pane shows for a run of fight events.

#include <array>
#include <string>

#include "battle/fight_event.h"

namespace vargo {

class doll;
struct PatternBook;

/// Whose names and patterns the events speak of.
struct LogContext {
    std::array<const doll*, 2> dolls{};
    std::array<const PatternBook*, 2> books{};
};

/// The log text of the events [begin, end).
std::string battleLogText(const FightEvent* begin, const FightEvent* end, const LogContext& context);

}  // namespace vargo
