// The tournament estimate. Every run is a whole tournament on a fresh game holding a fresh copy of the
// player, fought through the battle screen's own Fight in tournament mode with the computer playing
// the player's side, and read back from the fight's events. The candidates are held in memory, read
// once, so that the runs never touch the registry files and can share them safely.

#include "battle/tournament_odds.h"

#include <cmath>
#include <iomanip>
#include <sstream>
#include <unordered_map>

#include "battle/commander.h"
#include "battle/enemy_source.h"
#include "battle/fight.h"
#include "battle/lab.h"
#include "battle/simulator.h"
#include "battle/tournament_entry.h"
#include "model/game.h"

namespace vargo {

namespace {

/// What the runs of one thread add up to.
struct OddsTally {
    long long runs = 0;
    std::array<long long, TournamentOdds::kStages> reached{};
    std::array<long long, TournamentOdds::kStages> won{};
    long long prize = 0;
    long long repairs = 0;
    long long income = 0;
};

/// One run read from its events: a bout of the player's begins with its BoutStart, ends with an
/// Outcome (or with the run, given up); money comes and goes with Prize, Repair and Income.
class RunReader {
public:
    explicit RunReader(OddsTally& t) : tally(t) {}

    void take(const std::vector<FightEvent>& events, size_t from = 0) {
        for (size_t i = from; i < events.size(); ++i) {
            const FightEvent& e = events[i];
            switch (e.kind) {
                case FightEventKind::BoutStart:
                    // Both fighters are announced; the player's side opens a new bout.
                    if (e.who == 0 && bouts < TournamentOdds::kStages) {
                        ++tally.reached[static_cast<size_t>(bouts++)];
                    }
                    break;
                case FightEventKind::Outcome:
                    if (e.who == 0 && bouts > 0) {
                        ++tally.won[static_cast<size_t>(bouts - 1)];
                    }
                    break;
                case FightEventKind::Prize:
                    tally.prize += e.value;
                    break;
                case FightEventKind::Repair:
                    tally.repairs += e.value;
                    break;
                case FightEventKind::Income:
                    tally.income += e.value;
                    break;
                default:
                    break;
            }
        }
    }

private:
    OddsTally& tally;
    int bouts = 0;
};

class OddsWorker {
public:
    OddsWorker(const PlayerCopy& prototype, EnemySource& pool, DollClass c)
        : player(prototype), candidates(pool), tournamentClass(c) {}

    void run(std::uint64_t seed) {
        GameRandom dice(seed);
        Game game(GameFolder("."), dice);
        PlayerCopy mine = copyPlayer(*player.owner, *player.d);
        game.owners[0] = mine.owner;
        game.dolls[0] = mine.d;
        game.playMusic = false;
        game.guideOn = false;
        Fight fight(game, dice, prompts, nobody, candidates);
        fight.setMode(FightMode::Tornament);
        fight.setClass(tournamentClass);
        RunReader reader(tally);
        fight.load();
        reader.take(fight.stepEvents());
        fight.setComputer(0, true);
        // Two Dolls that cannot hurt each other would fight for ever: the player gives up, and the
        // giving up tells its income and repairs after the last step's events.
        playOutByComputer(fight, [&](size_t from) { reader.take(fight.stepEvents(), from); });
        ++tally.runs;
    }

    OddsTally tally;

private:
    const PlayerCopy& player;
    EnemySource& candidates;
    DollClass tournamentClass;
    SilentPrompts prompts;
    ScriptedCommander nobody;  // the computer plays the player's side: nobody is asked
};

template <class Part>
using PartCopies = std::unordered_map<const Part*, std::shared_ptr<Part>>;

/// Copies each part once: a part met again (in the inventory and on the Doll) is the same copy.
class PartCopier {
public:
    template <class Part>
    std::shared_ptr<Part> operator()(const std::shared_ptr<Part>& p) {
        if (!p) {
            return nullptr;
        }
        auto& copies = std::get<PartCopies<Part>>(made);
        auto it = copies.find(p.get());
        if (it != copies.end()) {
            return it->second;
        }
        auto fresh = std::make_shared<Part>(*p);
        copies.emplace(p.get(), fresh);
        return fresh;
    }

private:
    PerKind<PartCopies> made;
};

double share(long long part, long long whole) {
    return whole > 0 ? static_cast<double>(part) / static_cast<double>(whole) : 0.0;
}

std::string percent(double x) {
    std::ostringstream o;
    o << std::fixed << std::setprecision(1) << 100 * x << "%";
    return o.str();
}

std::string rl(double x) {
    return "約" + std::to_string(std::llround(x)) + "Rl";
}

}  // namespace

PlayerCopy copyPlayer(const Owner& owner, const doll& d) {
    PlayerCopy c{std::make_shared<Owner>(owner), std::make_shared<doll>(d)};
    PartCopier copy;
    forEachKind([&]<class Part>(KindTag<Part> kind) {
        for (int k = 0; k < kind.info().ownedSlots; ++k) {
            c.owner->setPart<Part>(k, copy(owner.part<Part>(k)));
        }
    });
    doll& x = *c.d;
    x.Motor = copy(d.Motor);
    x.frame = copy(d.frame);
    x.Hard = copy(d.Hard);
    for (int i = 0; i < doll::kBoosters; ++i) {
        x.setBoost(i, copy(d.getBoost(i)));
    }
    for (int i = 0; i < doll::kProtectors; ++i) {
        x.setProtector(i, copy(d.getProtector(i)));
    }
    for (int i = 0; i < doll::kSoftSlots; ++i) {
        x.setSoftA(i, copy(d.getSoftA(i)));
        x.setSoftM(i, copy(d.getSoftM(i)));
        x.setSoftD(i, copy(d.getSoftD(i)));
    }
    for (int i = 0; i < doll::kLogics; ++i) {
        const LogicPtr& logic = d.getLogic(i);
        x.setLogics(logic ? std::make_shared<Logic>(*logic) : nullptr, i);
    }
    return c;
}

double TournamentOdds::stageWinRate(int stage) const {
    return share(won.at(static_cast<size_t>(stage)), reached.at(static_cast<size_t>(stage)));
}

double TournamentOdds::stageWinFromStart(int stage) const {
    return share(won.at(static_cast<size_t>(stage)), runs);
}

double TournamentOdds::expectedPrize() const {
    return share(prize, runs);
}

double TournamentOdds::expectedRepairs() const {
    return share(repairs, runs);
}

double TournamentOdds::expectedIncome() const {
    return share(income, runs);
}

std::variant<TournamentOdds, FightRunProblem> estimateTournament(const Owner& owner, const doll& d,
                                                                 DollClass c, EnemySource& enemies,
                                                                 const TournamentOddsOptions& options,
                                                                 FightProgress* progress) {
    if (auto why = cannotFight(d)) {
        return FightRunProblem{*why};
    }
    if (options.runs < 1) {
        return FightRunProblem{"試行回数は1以上にして下さい。"};
    }
    // The candidates as the tournament's draw sees them, in the registry's order.
    const int limit = classValueLimit(c);
    MemoryEnemies candidates;
    for (int id : enemies.ldTekiIDs(limit)) {
        if (id == 0) {
            break;
        }
        if (auto enemy = enemies.ldTekiDoll(id)) {
            candidates.add(std::move(enemy));
        }
    }
    if (candidates.countTekiDoll(limit, nullptr) < 8) {
        return FightRunProblem{notEnoughEnemies(c)};
    }
    const PlayerCopy player = copyPlayer(owner, d);
    const auto total = static_cast<size_t>(options.runs);
    if (progress) {
        progress->done = 0;
        progress->total = options.runs;
    }
    const auto workers = runFightPool<OddsWorker>(
        options.jobs, total, [&] { return std::make_unique<OddsWorker>(player, candidates, c); },
        [&](OddsWorker& w, size_t run) { w.run(fightSeed(options.seed, kTournamentStream, run)); }, progress);

    TournamentOdds odds;
    odds.tournamentClass = c;
    for (const auto& w : workers) {
        const OddsTally& t = w->tally;
        odds.runs += t.runs;
        for (size_t s = 0; s < odds.reached.size(); ++s) {
            odds.reached[s] += t.reached[s];
            odds.won[s] += t.won[s];
        }
        odds.prize += t.prize;
        odds.repairs += t.repairs;
        odds.income += t.income;
    }
    odds.cancelled = odds.runs < options.runs;
    return odds;
}

std::string tournamentOddsText(const TournamentOdds& odds) {
    static const std::array<const char*, TournamentOdds::kStages> kStageNames = {"1回戦", "準決勝", "決勝"};
    static const std::array<const char*, TournamentOdds::kStages> kIfReached = {"", "（1回戦に勝った場合）",
                                                                                "（準決勝に勝った場合）"};
    std::string s =
        "【推定】コンピュータ同士の対戦による推定です（トーナメント" + std::to_string(odds.runs) + "回）\n";
    for (int stage = 0; stage < TournamentOdds::kStages; ++stage) {
        const auto k = static_cast<size_t>(stage);
        s += std::string(kStageNames[k]) + "の勝率 ";
        s += odds.reached[k] > 0 ? percent(odds.stageWinRate(stage)) + kIfReached[k] : "－（勝ち進めず）";
        s += "\n";
    }
    s += "優勝の確率 " + percent(odds.championRate()) + "\n";
    s += "賞金の期待値 " + rl(odds.expectedPrize()) + "\n";
    s += "修理代の期待値 " + rl(odds.expectedRepairs()) + "\n";
    s += "臨時収入の期待値 " + rl(odds.expectedIncome());
    return s;
}

std::string tournamentEstimateText(const Owner& owner, const doll& d, DollClass c, EnemySource& enemies,
                                   const TournamentOddsOptions& options) {
    const auto estimate = estimateTournament(owner, d, c, enemies, options);
    if (const auto* odds = std::get_if<TournamentOdds>(&estimate)) {
        return tournamentOddsText(*odds);
    }
    return "【推定】推定できません: " + std::get<FightRunProblem>(estimate).message;
}

}  // namespace vargo
