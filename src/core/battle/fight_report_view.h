#pragma once
// The fight report as the report window lays it out: the title of a bout, a Doll's pattern and
// action tables and its summary, in the game's words. The window only places these texts.

#include <string>
#include <vector>

#include "battle/fight_report.h"

namespace vargo {

/// "A 対 B　勝者 A（12ステップ）", or "決着なし" when nobody won.
std::string reportTitle(const FightReport& r);

/// One row per pattern chosen: name ("様子見" for the empty pattern), times chosen, AP spent.
std::vector<std::vector<std::string>> reportPatternRows(const DollReport& d);

/// One row per basic action begun at least once: name, tries, hits, misses.
std::vector<std::vector<std::string>> reportActionRows(const DollReport& d);

/// Label and figure: damage dealt and taken on the motor and the frame, falls, grapples, escapes.
std::vector<std::pair<std::string, std::string>> reportSummary(const DollReport& d);

/// The name of bout `index` of a screen: a tournament's "1回戦", "準決勝", "決勝"; otherwise "試合".
std::string boutLabel(size_t index, bool tournament);

}  // namespace vargo
