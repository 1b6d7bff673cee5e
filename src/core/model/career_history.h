#pragma once
// The career's history: a snapshot at each month-end, tournament and save (date, money, Doll value
// and class, level, record), kept with the game so the career chart can draw the months. It is saved
// as a fourth file beside the three save files, whose layout it leaves alone; a save without it
// loads as before, with the history starting at the load.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/doll.h"
#include "model/game_date.h"

namespace vargo {

struct Game;

enum class CareerMoment : std::uint8_t { Start, MonthEnd, Tournament, Save };

struct CareerSnapshot {
    GameDate date;
    CareerMoment moment = CareerMoment::Start;
    int money = 0;
    int value = 0;
    DollClass dollClass = DollClass::Novice;
    int level = 0;
    int wins = 0;
    int losses = 0;
    int championships = 0;
    bool operator==(const CareerSnapshot&) const = default;
};

struct CareerHistory {
    /// A 36-month career with a save every day of it stays far below this; a file beyond it is
    /// not a history the game wrote.
    static constexpr std::size_t kMostPoints = 4000;

    std::vector<CareerSnapshot> points;

    /// The player's side of the game as it stands now.
    static CareerSnapshot of(const Game& game, CareerMoment moment);
    /// Adds the snapshot of the game now; the oldest goes when the history is full.
    void record(const Game& game, CareerMoment moment);
    /// A history that begins now (a new game, or a save without a history file).
    void restart(const Game& game);
};

/// Months since the career began on 2013/01/01, the day as a fraction: where a snapshot stands on
/// the career chart's time axis (0 to 36).
double careerMonths(const GameDate& d);

/// The file's lines: a header, then one line per snapshot
/// ("2013/02/01,month,2450,2160,Novice,3,1,0,0").
std::vector<std::string> historyLines(const CareerHistory& h);

/// Reads a history file's lines. A damaged line comes back as the problem (its 1-based line and
/// what is wrong) and no history.
struct HistoryRead {
    std::optional<CareerHistory> history;
    int line = 0;
    std::string problem;
};
HistoryRead readHistory(const std::vector<std::string>& lines);

}  // namespace vargo
