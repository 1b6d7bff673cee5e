#pragma once
// A date of the career's calendar.

#include <compare>
#include <string>

namespace vargo {

/// A calendar date of the career (2013/01/01 to 2016/01/01).
struct GameDate {
    int year = 2013;
    int month = 1;
    int day = 1;

    /// Adds months, keeping the day where the month allows it.
    GameDate addMonths(int n) const;
    /// "yyyy/mm/dd".
    std::string format() const;
    auto operator<=>(const GameDate&) const = default;
};

}  // namespace vargo
