#include "career/career_report.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <sstream>

namespace vargo {

namespace {

/// Months in a row without a Doll that can fight before a career counts as stuck.
constexpr int kStuckMonths = 3;

double share(long long part, long long whole) {
    return whole > 0 ? static_cast<double>(part) / static_cast<double>(whole) : 0.0;
}

double nearestRank(const std::vector<double>& sorted, double p) {
    const auto n = static_cast<double>(sorted.size());
    const auto rank = static_cast<size_t>(std::max(1.0, std::ceil(p * n)));
    return sorted.at(std::min(rank, sorted.size()) - 1);
}

/// The median month among all careers, a career that never got there counting as later than any;
/// none when the median career never got there.
std::optional<int> medianMonth(const std::vector<CareerRun>& runs, int CareerRun::*month) {
    std::vector<double> months;
    months.reserve(runs.size());
    for (const auto& r : runs) {
        months.push_back(r.*month < 0 ? 1e9 : r.*month);
    }
    const double m = spreadOf(months).p50;
    return m < 1e9 ? std::optional<int>(static_cast<int>(m)) : std::nullopt;
}

CareerMonthSummary summarizeMonth(const std::vector<CareerRun>& runs, int m) {
    std::vector<double> money, value, entries, wins;
    std::array<long long, 3> classes{};
    for (const auto& r : runs) {
        const CareerMonth& c = r.months.at(static_cast<size_t>(m));
        money.push_back(c.money);
        value.push_back(c.value);
        entries.push_back(c.entries);
        wins.push_back(c.wins);
        ++classes.at(static_cast<size_t>(c.dollClass));
    }
    CareerMonthSummary ms{m, spreadOf(money), spreadOf(value), spreadOf(entries), spreadOf(wins), {}};
    for (size_t k = 0; k < classes.size(); ++k) {
        ms.classShare.at(k) = share(classes.at(k), static_cast<long long>(runs.size()));
    }
    return ms;
}

}  // namespace

Spread spreadOf(std::vector<double> values) {
    if (values.empty()) {
        return {};
    }
    std::sort(values.begin(), values.end());
    return {nearestRank(values, 0.1), nearestRank(values, 0.5), nearestRank(values, 0.9)};
}

CareerSummary summarizeCareers(const std::vector<CareerRun>& runs, BotStrategy strategy, std::uint64_t seed) {
    CareerSummary s;
    s.strategy = strategy;
    s.runs = static_cast<int>(runs.size());
    s.seed = seed;
    const auto n = static_cast<long long>(runs.size());
    for (int m = 0; m <= kCareerMonths; ++m) {
        s.months.push_back(summarizeMonth(runs, m));
    }
    std::vector<double> wins, losses, titles;
    long long tournamentGain = 0, tournamentMonths = 0, workGain = 0, workMonths = 0;
    long long expert = 0, master = 0, masterTitle = 0, stuck = 0, fielded = 0, zeroMove = 0, zeroJump = 0,
              zeroSpin = 0;
    for (const auto& r : runs) {
        wins.push_back(r.recWin);
        losses.push_back(r.recLoose);
        titles.push_back(r.recChamp);
        ++s.championshipShare.at(static_cast<size_t>(std::clamp(r.recChamp, 0, 5)));
        tournamentGain += r.tournamentGain;
        tournamentMonths += r.tournamentMonths;
        workGain += r.workGain;
        workMonths += r.workMonths;
        expert += r.monthExpert >= 0 ? 1 : 0;
        master += r.monthMaster >= 0 ? 1 : 0;
        masterTitle += r.masterChampionships > 0 ? 1 : 0;
        stuck += r.longestStuck >= kStuckMonths ? 1 : 0;
        for (const auto& c : r.months) {
            if (c.fieldable) {
                ++fielded;
                zeroMove += c.move == 0 ? 1 : 0;
                zeroJump += c.jump == 0 ? 1 : 0;
                zeroSpin += c.spin == 0 ? 1 : 0;
            }
        }
    }
    for (double& x : s.championshipShare) {
        x = n > 0 ? x / static_cast<double>(n) : 0.0;
    }
    s.finalWins = spreadOf(wins);
    s.finalLosses = spreadOf(losses);
    s.championships = spreadOf(titles);
    s.reachedExpert = share(expert, n);
    s.reachedMaster = share(master, n);
    s.medianMonthExpert = medianMonth(runs, &CareerRun::monthExpert);
    s.medianMonthMaster = medianMonth(runs, &CareerRun::monthMaster);
    s.masterChampionship = share(masterTitle, n);
    s.stuck = share(stuck, n);
    s.gainPerTournament = share(tournamentGain, tournamentMonths);
    s.gainPerWorkMonth = share(workGain, workMonths);
    s.zeroMove = share(zeroMove, fielded);
    s.zeroJump = share(zeroJump, fielded);
    s.zeroSpin = share(zeroSpin, fielded);
    return s;
}

namespace {

std::string triple(const Spread& x) {
    std::ostringstream o;
    o << std::setw(6) << std::llround(x.p10) << std::setw(6) << std::llround(x.p50) << std::setw(6)
      << std::llround(x.p90);
    return o.str();
}

std::string pct(double x) {
    std::ostringstream o;
    o << std::fixed << std::setprecision(1) << 100 * x << "%";
    return o.str();
}

std::string monthOrNever(const std::optional<int>& m) {
    return m ? "month " + std::to_string(*m) : "not by the median career";
}

}  // namespace

std::string careerSummaryText(const CareerSummary& s) {
    std::ostringstream o;
    o << "strategy " << botStrategyName(s.strategy) << ", " << s.runs << " careers, seed " << s.seed << "\n";
    o << "month |  money p10/p50/p90 |  value p10/p50/p90 | Novice Expert Master | entries p10/p50/p90 |"
         "  wins p10/p50/p90\n";
    for (const auto& m : s.months) {
        o << std::setw(5) << m.month << " |" << triple(m.money) << " |" << triple(m.value) << " |"
          << std::setw(7) << pct(m.classShare[0]) << std::setw(7) << pct(m.classShare[1]) << std::setw(7)
          << pct(m.classShare[2]) << " |" << triple(m.entries) << " |" << triple(m.wins) << "\n";
    }
    o << "final record: wins" << triple(s.finalWins) << ", losses" << triple(s.finalLosses) << ", titles"
      << triple(s.championships) << " (p10 p50 p90)\n";
    o << "titles: ";
    for (size_t k = 0; k < s.championshipShare.size(); ++k) {
        o << (k == 5 ? "5+" : std::to_string(k)) << " " << pct(s.championshipShare[k])
          << (k + 1 < 6 ? ", " : "\n");
    }
    o << "reached Expert " << pct(s.reachedExpert) << " (" << monthOrNever(s.medianMonthExpert)
      << "), Master " << pct(s.reachedMaster) << " (" << monthOrNever(s.medianMonthMaster) << ")\n";
    o << "at least one Master title " << pct(s.masterChampionship) << ", stuck " << pct(s.stuck) << "\n";
    o << "a tournament month adds " << std::llround(s.gainPerTournament) << " Rl, a work month "
      << std::llround(s.gainPerWorkMonth) << " Rl (money and the Doll's value)\n";
    o << "Dolls that never move " << pct(s.zeroMove) << ", never jump " << pct(s.zeroJump) << ", never spin "
      << pct(s.zeroSpin) << " (of the month-ends with a Doll that can fight)\n";
    return o.str();
}

}  // namespace vargo
