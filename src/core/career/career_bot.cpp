// The headless careers. Each career is a fresh Game with its own dice, played by a bot through the
// same objects the windows drive: the pilot's creation, the shop, the assembly panel, the logic
// editor, the workshop's month of work and tournament entry, and the battle screen's tournament with
// the computer fighting the bot's side. The bot only chooses; every rule is the game's.

#include "career/career_bot.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>

#include "battle/commander.h"
#include "battle/enemy_source.h"
#include "battle/fight.h"
#include "battle/lab.h"
#include "battle/simulator.h"
#include "battle/tournament_odds.h"
#include "career/assembly.h"
#include "career/bot_library.h"
#include "career/char_make.h"
#include "career/start_screen.h"
#include "career/workshop.h"
#include "model/catalogue.h"
#include "model/game.h"
#include "persistence/enemy_registry.h"
#include "ports/sound.h"
#include "screens/program.h"
#include "screens/shop.h"

namespace vargo {

const char* botStrategyName(BotStrategy s) {
    switch (s) {
        case BotStrategy::Worker:
            return "worker";
        case BotStrategy::Fighter:
            return "fighter";
        case BotStrategy::Planner:
            return "planner";
    }
    return "planner";
}

std::optional<BotStrategy> parseBotStrategy(std::string_view name) {
    for (BotStrategy s : {BotStrategy::Worker, BotStrategy::Fighter, BotStrategy::Planner}) {
        if (name == botStrategyName(s)) {
            return s;
        }
    }
    return std::nullopt;
}

namespace {
double expectedMoney(const TournamentOdds& odds, const doll& d);
const BotPatternSet* fittingSet(const BotLibrary& library, const BotBuild& b, const doll& d);
}  // namespace

LadderRung rateBuild(const BotLibrary& library, int build, int skillPlay, EnemySource& enemies,
                     CatalogueReader& catalogue, int runs, std::uint64_t seed) {
    const BotBuild& b = library.builds.at(static_cast<size_t>(build));
    LadderRung rung;
    rung.name = b.name;
    SilentPrompts prompts;
    AssembledDoll made = assembleDoll(b.parts, catalogue, prompts);
    if (!made.d) {
        return rung;
    }
    doll& d = *made.d;
    // A pilot whose skill the estimate holds still: no level comes within three bouts, and money
    // enough for every repair.
    Owner pilot;
    pilot.skillPlay = static_cast<Int16>(skillPlay);
    pilot.Lv = 99;
    pilot.Rl = 20000;
    d.refresh();
    resetDollParam(d, pilot);
    rung.value = d.value;
    rung.dollClass = d.dollClass();
    if (d.weight > 0) {
        rung.move = static_cast<int>(d.move / d.weight);
        rung.jump = static_cast<int>(d.jump / d.weight);
        rung.spin = static_cast<int>(d.spin / d.weight);
    }
    const BotPatternSet* set = fittingSet(library, b, d);
    if (set == nullptr) {
        return rung;
    }
    rung.patternSet = set->name;
    programDoll(d, set->patterns, prompts);
    d.programed = true;
    TournamentOddsOptions options;
    options.runs = runs;
    options.seed = seed;
    options.jobs = 1;
    const auto result = estimateTournament(pilot, d, d.dollClass(), enemies, options);
    if (const auto* odds = std::get_if<TournamentOdds>(&result)) {
        rung.fights = true;
        rung.champion = odds->championRate();
        rung.firstRound = odds->stageWinRate(0);
        rung.expected = expectedMoney(*odds, d);
        rung.prize = odds->expectedPrize();
        rung.income = odds->expectedIncome();
        rung.repairs = odds->expectedRepairs();
        rung.lostPart = rung.prize + rung.income - rung.repairs - rung.expected;
    }
    return rung;
}

namespace {

/// What a month of work is expected to bring: two four-sided dice, (a + b + 3) x 50.
constexpr double kWorkIncome = 400;
/// Rl a fighter keeps back after an upgrade, for the first repair.
constexpr int kFighterReserve = 300;
/// Rl the planner keeps back: a lost bout's repair and a new motor or frame of its class.
constexpr int kPlannerReserve = 500;
/// What a Master title is worth to a careful player beyond its prize: the summit of the career.
constexpr double kMasterTitleWorth = 2500;
/// How much more a month in the tournament must be worth before the planner changes its Doll and
/// loses half the price of the parts it sells.
constexpr double kUpgradeMargin = 100;

/// A part by kind and catalogue ID, as a shop inventory row's tag names it.
using PartKey = std::pair<PartKind, int>;

std::map<PartKey, int> wantedParts(const BotBuild& b) {
    std::map<PartKey, int> want;
    auto add = [&](PartKind k, const std::vector<int>& ids) {
        for (int id : ids) {
            ++want[{k, id}];
        }
    };
    add(PartKind::Motor, allIds(b.parts, "motor"));
    add(PartKind::Frame, allIds(b.parts, "frame"));
    add(PartKind::Hardware, allIds(b.parts, "hard"));
    const std::vector<int> soft = allIds(b.parts, "soft");
    const PartKind softKinds[] = {PartKind::SoftMobile, PartKind::SoftAttack, PartKind::SoftDeffence};
    for (size_t i = 0; i < soft.size() && i < 3; ++i) {
        ++want[{softKinds[i], soft[i]}];
    }
    add(PartKind::Booster, allIds(b.parts, "boosters"));
    add(PartKind::Protector, allIds(b.parts, "protectors"));
    return want;
}

int cataloguePrice(const PerKind<CatalogueTable>& tables, PartKey key) {
    return visitKind(key.first, [&]<class Part>(KindTag<Part>) {
        auto p = std::get<CatalogueTable<Part>>(tables).get(key.second);
        return p ? static_cast<int>(p->Rl) : 0;
    });
}

/// The first of the build's pattern sets that the Doll's computer can hold and its pilot can run
/// (every pattern within the most action points a turn can bring), or null.
const BotPatternSet* fittingSet(const BotLibrary& library, const BotBuild& b, const doll& d) {
    for (const auto& name : b.sets) {
        const BotPatternSet* set = library.set(name);
        if (set == nullptr) {
            continue;
        }
        int memory = 0;
        bool runnable = true;
        for (const auto& p : set->patterns) {
            int ap = 0;
            for (int code : p.actions) {
                const ActionPtr a = d.getAction(code);
                ap += a ? a->AP : 0;
                memory += a ? a->Memory : 0;
            }
            runnable = runnable && ap <= d.AP + 12;
        }
        if (runnable && memory <= d.Memory) {
            return set;
        }
    }
    return nullptr;
}

/// Rl a tournament is expected to bring: prize and consolation income, less repairs and, when a bout
/// is lost, the motor or frame it takes (either, so half of both).
double expectedMoney(const TournamentOdds& odds, const doll& d) {
    const double lossCost = (d.Motor->Rl + d.frame->Rl) / 2.0;
    return odds.expectedPrize() + odds.expectedIncome() - odds.expectedRepairs() -
           (1.0 - odds.championRate()) * lossCost;
}

/// The odds behind the planner's choices, shared by every career of a run. An estimate depends only
/// on the build and the pilot's skill step (action points come in steps of five skill), and is
/// seeded from those alone, so it is the same whichever career asks first and on whichever thread.
class PlannerOdds {
public:
    PlannerOdds(const BotLibrary& l, EnemySource& e, int r) : library(l), enemies(e), runs(r) {}

    /// What the build's class tournament holds for its Doll with a pilot of this skill step.
    const LadderRung& rung(int build, int skillStep, CatalogueReader& catalogue) {
        const std::pair key{build, skillStep};
        {
            std::lock_guard lock(guard);
            if (auto it = known.find(key); it != known.end()) {
                return it->second;
            }
        }
        LadderRung rated = rateBuild(library, build, skillStep * 5, enemies, catalogue, runs,
                                     fightSeed(0x706c616e6e6572ULL, static_cast<std::uint64_t>(build),
                                               static_cast<std::uint64_t>(skillStep)));
        std::lock_guard lock(guard);
        // std::map never moves its entries, so the reference stays good while others are added.
        return known.emplace(key, std::move(rated)).first->second;
    }

private:
    const BotLibrary& library;
    EnemySource& enemies;
    int runs;
    std::mutex guard;
    std::map<std::pair<int, int>, LadderRung> known;
};

/// What every career of a run shares: read-only after the start, but for the planner's odds.
struct CareerWorld {
    GameFolder folder;
    const BotLibrary& library;
    MemoryEnemies enemies;
    PlannerOdds odds;
    CareerWorld(GameFolder f, const BotLibrary& l, int plannerRuns)
        : folder(std::move(f)), library(l), odds(l, enemies, plannerRuns) {}
};

/// One thread's catalogues: the shop's tables and the reader the planner's trial Dolls come from.
struct CareerDesk {
    explicit CareerDesk(const GameFolder& folder) : catalogue(folder) {
        forEachKind([&]<class Part>(KindTag<Part>) {
            std::get<CatalogueTable<Part>>(tables) = catalogue.loadAll<Part>();
        });
    }
    CatalogueReader catalogue;
    PerKind<CatalogueTable> tables;
};

class CareerBot {
public:
    CareerBot(CareerWorld& w, CareerDesk& d, BotStrategy s, std::uint64_t seed)
        : world(w),
          desk(d),
          strategy(s),
          dice(seed),
          game(GameFolder("."), dice),
          workshop(game, prompts, sound) {}

    CareerRun play() {
        begin();
        snapshot(0);
        for (int month = 1; month <= kCareerMonths && !workshop.careerOver(); ++month) {
            const bool fieldable = ensureDoll();
            stuck = fieldable ? 0 : stuck + 1;
            run.longestStuck = std::max(run.longestStuck, stuck);
            if (fieldable) {
                upgrade();
            }
            const long long before = wealth();
            const bool fought = fieldable && wantsToFight() && tournament();
            if (!fought) {
                workshop.cmdWork();
            }
            (fought ? run.tournamentGain : run.workGain) += wealth() - before;
            ++(fought ? run.tournamentMonths : run.workMonths);
            snapshot(month);
        }
        const Owner& o = game.owner();
        run.recWin = o.recWin;
        run.recLoose = o.recLoose;
        run.recChamp = o.recChamp;
        return run;
    }

private:
    void begin() {
        returnToStart(game);
        beginNewGame(game);
        FCharMake pilot(game);
        pilot.cmdEntry("ボット");
        game.guideOn = false;
        workshop.openNewGame();
        game.playMusic = false;
        const int first = strategy == BotStrategy::Worker    ? 0
                          : strategy == BotStrategy::Planner ? worthiestAffordable(kFighterReserve)
                                                             : bestAffordable(0, -1);
        if (first >= 0) {
            equip(first);
        }
    }

    /// The planner's first Doll: of those the starting money buys with `reserve` kept, the one whose
    /// tournament is worth most.
    int worthiestAffordable(int reserve) {
        int best = -1;
        for (int b = 0; b < static_cast<int>(world.library.builds.size()); ++b) {
            if (affordable(b, reserve) && (best < 0 || worth(rated(b)) > worth(rated(best)))) {
                best = b;
            }
        }
        return best;
    }

    // ---------------------------------------------------------------- the shop and the workshop

    /// Rl the shop pays for what the bot holds and the build does not use, less what the build
    /// still needs: the money the change takes (negative when it brings money in).
    long long changeCost(int build) {
        Shop shop(game, desk.tables, prompts, nullptr);
        std::map<PartKey, int> want = wantedParts(world.library.builds.at(static_cast<size_t>(build)));
        long long cost = 0;
        for (int list : {Shop::kNewList, Shop::kUsedList}) {
            for (const auto& row : shop.inventory(list)) {
                const auto key = Shop::partOfTag(row.tag);
                if (!key) {
                    continue;
                }
                if (auto it = want.find(*key); it != want.end() && it->second > 0) {
                    --it->second;
                    continue;
                }
                const long long price = cataloguePrice(desk.tables, *key);
                cost -= list == Shop::kNewList ? price : roundHalfEven(static_cast<double>(price) / 2.0);
            }
        }
        for (const auto& [key, count] : want) {
            cost += static_cast<long long>(count) * cataloguePrice(desk.tables, key);
        }
        return cost;
    }

    bool affordable(int build, int reserve) { return changeCost(build) + reserve <= game.owner().Rl; }

    /// The dearest build the bot can change to keeping `reserve`, above `above` in the ladder's
    /// price order; -1 when there is none.
    int bestAffordable(int reserve, int above) {
        int best = -1;
        for (int b = 0; b < static_cast<int>(world.library.builds.size()); ++b) {
            if (price(b) > (above >= 0 ? price(above) : -1) && affordable(b, reserve) &&
                (best < 0 || price(b) > price(best))) {
                best = b;
            }
        }
        return best;
    }

    int price(int build) {
        int total = 0;
        for (const auto& [key, count] : wantedParts(world.library.builds.at(static_cast<size_t>(build)))) {
            total += count * cataloguePrice(desk.tables, key);
        }
        return total;
    }

    /// Sells what the build does not use, buys what it lacks, fits it all and programs it; true when
    /// the Doll is whole and programmed. Every step is the shop's, the assembly's and the editor's.
    bool equip(int build) {
        const BotBuild& b = world.library.builds.at(static_cast<size_t>(build));
        sellUnwanted(b);
        if (!buyMissing(b)) {
            return false;
        }
        Assembly assembly(game, prompts);
        assembly.cmdClear();
        for (int kind = 0; kind < kPartKinds; ++kind) {
            const int owned = static_cast<int>(assembly.dspParts(kind).size()) - 1;
            for (int row = 0; row < owned; ++row) {
                assembly.pick(kind, row);
            }
        }
        assembly.dspDoll();
        if (!assembly.programEnabled() || !assembly.fightEnabled()) {
            return false;
        }
        current = build;
        return program(b);
    }

    void sellUnwanted(const BotBuild& b) {
        Shop shop(game, desk.tables, prompts, nullptr);
        std::map<PartKey, int> keep = wantedParts(b);
        // A sale takes the row out of its list: look again from the top after each.
        for (bool sold = true; sold;) {
            sold = false;
            std::map<PartKey, int> left = keep;
            for (int list : {Shop::kNewList, Shop::kUsedList}) {
                const auto& rows = shop.inventory(list);
                for (size_t r = 0; r < rows.size() && !sold; ++r) {
                    const auto key = Shop::partOfTag(rows[r].tag);
                    if (key && left[*key] > 0) {
                        --left[*key];
                        continue;
                    }
                    shop.clickInventory(list, static_cast<int>(r));
                    sold = true;
                }
            }
        }
    }

    bool buyMissing(const BotBuild& b) {
        Shop shop(game, desk.tables, prompts, nullptr);
        std::map<PartKey, int> want = wantedParts(b);
        for (int list : {Shop::kNewList, Shop::kUsedList}) {
            for (const auto& row : shop.inventory(list)) {
                if (const auto key = Shop::partOfTag(row.tag); key && want[*key] > 0) {
                    --want[*key];
                }
            }
        }
        for (const auto& [part, count] : want) {
            const int id = part.second;
            shop.dsp_Parts(static_cast<int>(part.first));
            for (int n = 0; n < count; ++n) {
                const auto& rows = shop.offered();
                const auto it =
                    std::find_if(rows.begin(), rows.end(), [id](const OfferedRow& r) { return r.id == id; });
                const size_t had = shop.inventory(Shop::kNewList).size();
                if (it == rows.end()) {
                    return false;
                }
                shop.clickOffered(static_cast<int>(it - rows.begin()));
                if (shop.inventory(Shop::kNewList).size() == had) {
                    return false;  // the shop refused: not enough money, or no room
                }
            }
        }
        return true;
    }

    bool program(const BotBuild& b) {
        const BotPatternSet* set = fittingSet(world.library, b, game.theDoll());
        if (set == nullptr) {
            return false;
        }
        ProgramEditor editor(game, prompts);
        for (int p = 0; p < ProgramEditor::kPatterns; ++p) {
            editor.clear(p);
            const PatternRecipe& recipe = set->patterns.at(static_cast<size_t>(p));
            editor.setPatternName(p, recipe.name);
            for (size_t i = 0; i < recipe.actions.size(); ++i) {
                editor.hoverPalette(recipe.actions[i]);
                editor.dropOnCell(p * Logic::kSteps + static_cast<int>(i));
            }
        }
        return editor.regist();
    }

    bool whole() {
        const doll& d = game.theDoll();
        return d.programed && !d.Motor->name.empty() && !d.frame->name.empty() && !d.Hard->name.empty();
    }

    /// After a lost bout the Doll lacks a motor or a frame: buy it again, or change to the best
    /// Doll the money and a sale of the rest can buy. False when no Doll can fight this month.
    bool ensureDoll() {
        if (whole()) {
            return true;
        }
        if (current >= 0 && affordable(current, 0) && equip(current)) {
            return true;
        }
        const int fallback = bestAffordable(0, -1);
        return fallback >= 0 && equip(fallback);
    }

    void upgrade() {
        switch (strategy) {
            case BotStrategy::Worker:
                return;
            case BotStrategy::Fighter: {
                const int better = bestAffordable(kFighterReserve, current);
                if (better >= 0) {
                    equip(better);
                }
                return;
            }
            case BotStrategy::Planner:
                plannerUpgrade();
                return;
        }
    }

    int skillStep() const { return game.owners[0]->skillPlay / 5; }

    const LadderRung& rated(int build) { return world.odds.rung(build, skillStep(), desk.catalogue); }

    /// What a month in the tournament is worth to the planner: the money it is expected to bring
    /// and, in Master, the title's chance at what a Master title is worth to a careful player.
    static double worth(const LadderRung& r) {
        if (!r.fights) {
            return -1e9;
        }
        return r.expected + (r.dollClass == DollClass::Master ? kMasterTitleWorth * r.champion : 0.0);
    }

    /// The planner climbs: it changes to a Doll it can afford with its reserve kept, of a higher class
    /// whose tournament is worth more than a month's work, or of its own class and worth clearly
    /// more; the highest class first, then the worthiest. So it never climbs into a class where
    /// fighting would not pay, and it does not stay below one where it would.
    void plannerUpgrade() {
        if (current < 0) {
            return;
        }
        int best = current;
        for (int b = 0; b < static_cast<int>(world.library.builds.size()); ++b) {
            if (price(b) <= price(current) || !affordable(b, kPlannerReserve)) {
                continue;
            }
            const LadderRung& candidate = rated(b);
            const LadderRung& now = rated(best);
            const double w = worth(candidate);
            const bool climbs = candidate.dollClass > now.dollClass && w > kWorkIncome;
            const bool better = candidate.dollClass == now.dollClass && w > worth(now) + kUpgradeMargin;
            if (climbs || better) {
                best = b;
            }
        }
        if (best != current) {
            equip(best);
        }
    }

    bool wantsToFight() {
        switch (strategy) {
            case BotStrategy::Worker:
                return false;
            case BotStrategy::Fighter:
                return true;
            case BotStrategy::Planner: {
                // A Doll still damaged from the last tournament waits for the month-end repair.
                const doll& d = game.theDoll();
                if (d.Motor->HP < d.Motor->maxHP || d.frame->HP < d.frame->maxHP) {
                    return false;
                }
                if (current < 0 || !rated(current).fights) {
                    return false;
                }
                // Worth more than a month's work, and, for a title chase, money left to replace the
                // motor or frame a lost bout takes.
                const LadderRung& r = rated(current);
                const doll& fighter = game.theDoll();
                const bool affordsALoss = game.owner().Rl >= std::max(fighter.Motor->Rl, fighter.frame->Rl);
                return worth(r) > kWorkIncome && (r.expected > kWorkIncome || affordsALoss);
            }
        }
        return false;
    }

    /// Enters the Doll's class tournament as the workshop allows and lets the computer fight it.
    bool tournament() {
        const auto entered =
            workshop.cmdTornament([&](int limit) { return world.enemies.countTekiDoll(limit, nullptr); });
        if (!entered) {
            return false;
        }
        ++entries;
        const int titlesBefore = game.owner().recChamp;
        ScriptedCommander nobody;
        Fight fight(game, dice, prompts, nobody, world.enemies);
        fight.setMode(FightMode::Tornament);
        fight.setClass(*entered);
        fight.load();
        fight.setComputer(0, true);
        playOutByComputer(fight);
        workshop.afterTournament();
        if (*entered == DollClass::Master && game.owner().recChamp > titlesBefore) {
            ++run.masterChampionships;
        }
        return true;
    }

    /// Money and the Doll's value together: what a month adds to or takes from the career.
    long long wealth() {
        game.resetDollParam(0);
        return static_cast<long long>(game.owner().Rl) + game.theDoll().value;
    }

    void snapshot(int month) {
        game.resetDollParam(0);
        const doll& d = game.theDoll();
        const Owner& o = game.owner();
        CareerMonth& m = run.months.at(static_cast<size_t>(month));
        m.money = o.Rl;
        m.value = d.value;
        m.dollClass = d.dollClass();
        m.entries = entries;
        m.wins = o.recWin;
        m.championships = o.recChamp;
        m.fieldable = whole();
        if (d.weight > 0) {
            m.move = static_cast<int>(d.move / d.weight);
            m.jump = static_cast<int>(d.jump / d.weight);
            m.spin = static_cast<int>(d.spin / d.weight);
        }
        if (run.monthExpert < 0 && m.dollClass != DollClass::Novice) {
            run.monthExpert = month;
        }
        if (run.monthMaster < 0 && m.dollClass == DollClass::Master) {
            run.monthMaster = month;
        }
    }

    CareerWorld& world;
    CareerDesk& desk;
    BotStrategy strategy;
    GameRandom dice;
    Game game;
    SilentPrompts prompts;
    RecordingSound sound;
    Workshop workshop;
    CareerRun run;
    int current = -1;
    int entries = 0;
    int stuck = 0;
};

class CareerWorker {
public:
    CareerWorker(CareerWorld& w, BotStrategy s) : world(w), desk(w.folder), strategy(s) {}
    CareerRun play(std::uint64_t seed) { return CareerBot(world, desk, strategy, seed).play(); }

private:
    CareerWorld& world;
    CareerDesk desk;
    BotStrategy strategy;
};

/// Checks that every build of the library can be assembled from the folder's catalogues and reads
/// the whole registry into `enemies`; the problem in the player's words when something is wrong.
std::optional<std::string> readCareerWorld(const GameFolder& folder, const BotLibrary& library,
                                           MemoryEnemies& enemies) {
    CatalogueReader catalogue(folder);
    SilentPrompts prompts;
    for (const auto& b : library.builds) {
        if (AssembledDoll made = assembleDoll(b.parts, catalogue, prompts); !made.d) {
            return "ボットの構成 " + b.name + " が組めません: " + made.problem;
        }
    }
    if (!catalogue.problems().empty()) {
        return catalogue.problems().front().text();
    }
    EnemyRegistry registry(folder, prompts);
    RegistryEnemies registered(registry);
    for (int id : registered.ldTekiIDs(classValueLimit(DollClass::Master))) {
        if (id == 0) {
            break;
        }
        if (auto enemy = registered.ldTekiDoll(id)) {
            enemies.add(std::move(enemy));
        }
    }
    return std::nullopt;
}

}  // namespace

std::variant<std::vector<LadderRung>, FightRunProblem> rateLadder(const GameFolder& folder, int skillPlay,
                                                                  int runs, std::uint64_t seed) {
    const BotLibrary& library = shippedBotLibrary();
    MemoryEnemies enemies;
    if (auto problem = readCareerWorld(folder, library, enemies)) {
        return FightRunProblem{*problem};
    }
    CatalogueReader catalogue(folder);
    std::vector<LadderRung> rungs;
    rungs.reserve(library.builds.size());
    for (int b = 0; b < static_cast<int>(library.builds.size()); ++b) {
        rungs.push_back(
            rateBuild(library, b, skillPlay, enemies, catalogue, runs,
                      fightSeed(seed, static_cast<std::uint64_t>(b), static_cast<std::uint64_t>(skillPlay))));
    }
    return rungs;
}

std::variant<std::vector<CareerRun>, FightRunProblem> playCareers(const GameFolder& folder,
                                                                  const CareerOptions& options,
                                                                  FightProgress* progress) {
    return playCareers(folder, shippedBotLibrary(), options, progress);
}

std::variant<std::vector<CareerRun>, FightRunProblem> playCareers(const GameFolder& folder,
                                                                  const BotLibrary& library,
                                                                  const CareerOptions& options,
                                                                  FightProgress* progress) {
    if (options.runs < 1) {
        return FightRunProblem{"試行回数は1以上にして下さい。"};
    }
    CareerWorld world(folder, library, std::max(1, options.plannerRuns));
    if (auto problem = readCareerWorld(folder, library, world.enemies)) {
        return FightRunProblem{*problem};
    }
    std::vector<CareerRun> runs(static_cast<size_t>(options.runs));
    if (progress) {
        progress->done = 0;
        progress->total = options.runs;
    }
    runFightPool<CareerWorker>(
        options.jobs, runs.size(), [&] { return std::make_unique<CareerWorker>(world, options.strategy); },
        [&](CareerWorker& w, size_t r) { runs[r] = w.play(fightSeed(options.seed, kCareerStream, r)); },
        progress);
    return runs;
}

}  // namespace vargo
