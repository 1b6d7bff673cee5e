#include "model/career_history.h"

#include <array>
#include <charconv>

#include "model/game.h"
#include "model/owner.h"

namespace vargo {

namespace {

constexpr const char* kHeader = "VARGO-HISTORY,1";
constexpr std::array<const char*, 4> kMoments{"start", "month", "tournament", "save"};

std::vector<std::string> splitFields(const std::string& line) {
    std::vector<std::string> fields(1);
    for (char c : line) {
        if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

bool parseNumber(const std::string& text, int low, int high, int& out) {
    int v = 0;
    const char* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, v);
    if (ec != std::errc() || p != end || v < low || v > high) {
        return false;
    }
    out = v;
    return true;
}

std::optional<GameDate> parseDate(const std::string& text) {
    if (text.size() != 10 || text[4] != '/' || text[7] != '/') {
        return std::nullopt;
    }
    GameDate d;
    if (!parseNumber(text.substr(0, 4), 1, 9999, d.year) || !parseNumber(text.substr(5, 2), 1, 12, d.month) ||
        !parseNumber(text.substr(8, 2), 1, 31, d.day)) {
        return std::nullopt;
    }
    return d;
}

// Why a snapshot line does not read, or nothing when it does.
std::optional<std::string> readSnapshot(const std::string& line, CareerSnapshot& s) {
    const std::vector<std::string> f = splitFields(line);
    if (f.size() != 9) {
        return "項目が9つではありません";
    }
    const auto date = parseDate(f[0]);
    if (!date) {
        return "日付「" + f[0] + "」が読めません";
    }
    s.date = *date;
    bool known = false;
    for (size_t m = 0; m < kMoments.size(); ++m) {
        if (f[1] == kMoments[m]) {
            s.moment = static_cast<CareerMoment>(m);
            known = true;
        }
    }
    if (!known) {
        return "「" + f[1] + "」は記録の種類ではありません";
    }
    const auto cls = parseDollClass(f[4]);
    if (!cls) {
        return "「" + f[4] + "」はクラスではありません";
    }
    s.dollClass = *cls;
    // The figures are the save's own 16-bit numbers.
    const std::array<int*, 6> numbers{&s.money, &s.value, &s.level, &s.wins, &s.losses, &s.championships};
    const std::array<size_t, 6> columns{2, 3, 5, 6, 7, 8};
    for (size_t k = 0; k < columns.size(); ++k) {
        if (!parseNumber(f[columns[k]], kInt16Min, kInt16Max, *numbers[k])) {
            return "「" + f[columns[k]] + "」は -32768 から 32767 の数値ではありません";
        }
    }
    return std::nullopt;
}

}  // namespace

CareerSnapshot CareerHistory::of(const Game& game, CareerMoment moment) {
    const Owner& o = *game.owners[0];
    // The value as the workshop works it out: a Doll just read from a save has not been recomputed
    // yet. A copy takes the sums, so the game's own Doll stays as it is.
    doll d = *game.dolls[0];
    resetDollParam(d, o);
    CareerSnapshot s;
    s.date = game.gameDate;
    s.moment = moment;
    s.money = o.Rl;
    s.value = d.value;
    s.dollClass = d.dollClass();
    s.level = o.Lv;
    s.wins = o.recWin;
    s.losses = o.recLoose;
    s.championships = o.recChamp;
    return s;
}

void CareerHistory::record(const Game& game, CareerMoment moment) {
    if (points.size() >= kMostPoints) {
        points.erase(points.begin());
    }
    points.push_back(of(game, moment));
}

void CareerHistory::restart(const Game& game) {
    points.clear();
    record(game, CareerMoment::Start);
}

double careerMonths(const GameDate& d) {
    return (d.year - 2013) * 12.0 + (d.month - 1) + (d.day - 1) / 31.0;
}

std::vector<std::string> historyLines(const CareerHistory& h) {
    std::vector<std::string> lines{kHeader};
    for (const CareerSnapshot& s : h.points) {
        lines.push_back(s.date.format() + "," + kMoments[static_cast<size_t>(s.moment)] + "," +
                        std::to_string(s.money) + "," + std::to_string(s.value) + "," +
                        dollClassName(s.dollClass) + "," + std::to_string(s.level) + "," +
                        std::to_string(s.wins) + "," + std::to_string(s.losses) + "," +
                        std::to_string(s.championships));
    }
    return lines;
}

HistoryRead readHistory(const std::vector<std::string>& lines) {
    HistoryRead r;
    if (lines.empty() || lines[0] != kHeader) {
        r.line = 1;
        r.problem = "VARGOの経歴ファイルではありません";
        return r;
    }
    if (lines.size() - 1 > CareerHistory::kMostPoints) {
        r.line = static_cast<int>(CareerHistory::kMostPoints) + 2;
        r.problem = "記録が多すぎます";
        return r;
    }
    CareerHistory h;
    for (size_t i = 1; i < lines.size(); ++i) {
        CareerSnapshot s;
        if (auto why = readSnapshot(lines[i], s)) {
            r.line = static_cast<int>(i) + 1;
            r.problem = *why;
            return r;
        }
        h.points.push_back(s);
    }
    r.history = std::move(h);
    return r;
}

}  // namespace vargo
