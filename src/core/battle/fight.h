#pragma once
// One fight, or one whole tournament. The battle window calls cmdNext_Click once per "Next" and
// draws screen(); the player's orders come through the Commander, messages through Prompts, dice
// through Random, tunes through Sound. Every step reports what happened as events (stepEvents());
// the battle log and the screen are worked out from them.

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "battle/bracket.h"
#include "battle/fight_event.h"
#include "battle/fight_screen.h"
#include "battle/search.h"
#include "career/upkeep.h"
#include "model/doll.h"
#include "model/numbers.h"

namespace vargo {

class Commander;
class EnemySource;
class Prompts;
class Random;
class Sound;
struct Game;

/// 0 simulation, 1 tournament, 2 duel.
enum class FightMode : int { Street = 0, Tornament = 1, Duel = 2 };

/// One fighter in the ring: its Doll and the flags the rules keep on it (0 or -1, guard 0 or 1).
struct FighterState {
    std::shared_ptr<doll> d;
    Int16 guarding = 0;
    Int16 ukemiReady = 0;
    Int16 holding = 0;
    Int16 fallen = 0;
    Int16 fallChanged = 0;
};

/// Both fighters and what lies between them, with the turn's progress.
struct RingState {
    std::array<FighterState, 2> fighters;
    Int16 span = 0;
    Int16 playAP = 0;
    Int16 phase = 0;       ///< 0 roll initiative, 3 fighter 0 acts, 4 fighter 1 acts
    Int16 firstMover = 0;  ///< 0 or 1, 2 after an even initiative
    int steps = 0;         ///< steps since the bout started (initiative rolls and actions)
    int winner = -1;       ///< 0 or 1 once a Doll has been destroyed
    bool closed = false;   ///< the screen is done (fight over, or given up)
    /// Motor and frame HP of both fighters (m0, f0, m1, f1) when a Doll was destroyed, before the
    /// outcome restored or repaired anything.
    std::array<int, 4> endHP{};
    bool grappled() const { return fighters[0].holding != 0 || fighters[1].holding != 0; }
};

/// The tournament the screen runs: the draw, the stage (1..3) and the bout within it.
struct TournamentState {
    explicit TournamentState(Prompts& p) : frmTornament(p) {}
    DollClass tournamentClass = DollClass::Master;
    Bracket frmTornament;
    std::array<int, 17> bracket{};  ///< entrants, then each stage's winners from entry 0; 0 the player
    int stage = 1;
    int bout = 0;
    std::vector<int> enemyIDs = std::vector<int>(101, 0);
};

/// Where a bout takes up the turn. A tournament's next bout goes on from the turn the last one
/// ended in (the phase, first mover and action points carry over) and the window still shows the
/// labels it showed then; a replay starts its bout from the same place.
struct BoutOpening {
    Int16 phase = 0;
    Int16 firstMover = 0;
    Int16 playAP = 0;
    std::array<std::string, 2> dspAP;
    std::array<std::string, 2> dspInitiative;
};

class Fight;

/// Hears of every bout a fight plays, so that it can be kept as a replay: when the fighters stand
/// ready (before the bout's first die), and when it is decided or given up (before anything that
/// follows, such as a tournament's prize rolls, is drawn).
class FightRecorder {
public:
    virtual ~FightRecorder() = default;
    virtual void boutStarted(const Fight& fight) = 0;
    virtual void boutEnded(const Fight& fight, bool gaveUp) = 0;
};

class Fight {
public:
    Fight(Game& game, Random& rng, Prompts& prompts, Commander& commander, EnemySource& enemies,
          Sound* sound = nullptr);
    Fight(const Fight&) = delete;
    Fight& operator=(const Fight&) = delete;

    // --- set-up, before load() -----------------------------------------------------------------
    void setMode(FightMode m) { mode_ = m; }
    /// The class whose tournament is held.
    void setClass(DollClass c) { tour_.tournamentClass = c; }
    /// Fighter `who` picks its patterns by the computer's rules (fighter 1 outside duels; the
    /// headless tools set both).
    void setComputer(int who, bool on) { computer_[static_cast<size_t>(who)] = on; }
    /// Shows the bracket window modally; a headless run leaves it empty.
    void setBracketViewer(std::function<void(const Bracket&)> show) { showBracket_ = std::move(show); }
    bool hasBracketViewer() const { return static_cast<bool>(showBracket_); }
    /// Tells `recorder` (may be null) of every bout from now on.
    void setRecorder(FightRecorder* recorder) { recorder_ = recorder; }

    // --- the screen's gestures -----------------------------------------------------------------
    /// The screen's load: tune, then the kind of fight by mode, then the guide.
    void load();
    void cmdNext_Click();
    void cmdTap_Click();
    /// A headless bout between a and b (the simulator): no load, no tune, the fighters as given.
    void startBout(std::shared_ptr<doll> a, std::shared_ptr<doll> b);
    /// The same bout taken up from `opening` (a replay of a tournament's later bout).
    void startBout(std::shared_ptr<doll> a, std::shared_ptr<doll> b, const BoutOpening& opening);

    // --- what there is to see ------------------------------------------------------------------
    FightMode mode() const { return mode_; }
    /// Whether fighter `who` picks its patterns by the computer's rules.
    bool computer(int who) const { return computer_[static_cast<size_t>(who)]; }
    /// The turn and labels as they stand: what a bout starting now takes up.
    BoutOpening opening() const;
    const doll& fighter(int who) const { return *ring_.fighters[static_cast<size_t>(who)].d; }
    const std::shared_ptr<doll>& fighterPtr(int who) const {
        return ring_.fighters[static_cast<size_t>(who)].d;
    }
    const RingState& ring() const { return ring_; }
    const TournamentState& tournament() const { return tour_; }
    const FightScreen& screen() const { return screen_; }
    /// Everything that happened in the latest step (or load), in order.
    const std::vector<FightEvent>& stepEvents() const { return events_; }
    /// The text of the latest action (or even initiative), as the log pane shows it.
    const std::string& battleLog() const;
    bool closed() const { return ring_.closed; }
    int winner() const { return ring_.winner; }
    int steps() const { return ring_.steps; }

    static bool destroyed(const doll& d);

private:
    friend struct FightTestAccess;  // the tests' and benchmarks' bench sets up situations

    // --- set-up ---------------------------------------------------------------------------------
    void initStreet();
    void initDuel();
    void initTornament();
    void ldPlayDoll(int who);
    bool ldTekiDoll(int number, int who, bool noPictures);
    int countTekiDoll(int limit);
    void initFight();
    // --- turn cycle -----------------------------------------------------------------------------
    int get2D6();
    int getInitiative();
    void getAP(int who);
    void nextFight();
    void nextDuel();
    void act(int who);
    void initParam();
    // --- choice and resolution ------------------------------------------------------------------
    SearchSituation situation(int who) const;
    const FightPattern& searchLogic(int who) const;
    void waza_rtn(int who, const FightPattern* p = nullptr);
    void runMove(int who, int position, const FightPattern& p, int& wazaPow);
    void runBlow(int who, int code, int& wazaPow, int& level);
    void runKumi(int who, int& level);
    void runDrop(int who, int& wazaPow, int level);
    void runHazusi(int who, int& wazaPow);
    int Hit(int who, int code);
    int bougyo_rtn(int defender, int hitRoll, int offence, int defence, int guard);
    void checkTentou(int who);
    bool checkTentou2(int who, int code);
    int Damage(int who, int kind, int wazaPow, int level);
    // --- outcome --------------------------------------------------------------------------------
    void endFace();
    /// Fighter `who` has won the bout: the outcome is told, and so is the recorder.
    void decide(int who);
    void winFight();
    void levelUp(int win);
    void Shunyu();
    void Shuri();
    Repair repaired(Int16& HP, Int16 maxHP, Int16& money, int who, int part);
    // --- tournament -----------------------------------------------------------------------------
    bool makeKumiawase(int n);
    void runTornament();
    doll& getAutoWinner();
    // --- helpers --------------------------------------------------------------------------------
    bool human(int who) const { return !computer_[static_cast<size_t>(who)]; }
    void close() { ring_.closed = true; }
    void dspFightImage(int who, FightPose pose);
    void dspDollImage();
    void stSound(const char* name);
    void report(FightEventKind kind, int who, int code = 0, int value = 0, int after = 0, int part = 0);
    int roll(RollKind kind, int who, int value);
    /// The log begins again from the next event: an action, an even initiative, a new bout.
    void startLog();
    void setHolding(int who, Int16 v);
    void setFallen(int who, Int16 v, bool told);
    void setSpan(int v);
    FighterState& state(int who) { return ring_.fighters[static_cast<size_t>(who)]; }
    const FighterState& state(int who) const { return ring_.fighters[static_cast<size_t>(who)]; }
    doll& fighterRef(int who) { return *ring_.fighters[static_cast<size_t>(who)].d; }
    const std::string& nameOf(int who) const { return fighter(who).name; }

    Game& game;
    Random& rng;
    Prompts& prompts;
    Commander& commander;
    EnemySource& enemies;
    Sound* sound;
    FightMode mode_ = FightMode::Street;
    RingState ring_;
    TournamentState tour_;
    FightScreen screen_;
    std::function<void(const Bracket&)> showBracket_;
    FightRecorder* recorder_ = nullptr;
    bool soundFailed = false;
    std::array<bool, 2> computer_{false, true};
    std::array<PatternBook, 2> books;
    /// The Dolls the books were made from, held so that a new Doll never reuses the old address.
    std::array<std::shared_ptr<const doll>, 2> bookOwners;

    /// Blows landed since the last refresh, and where the last one struck: the sparks to place.
    struct Effects {
        int count = 0;
        int height = 0;
        int target = 0;
    } effects_;

    std::vector<FightEvent> events_;   ///< this step's events
    std::vector<FightEvent> logFrom_;  ///< the events of the step whose log is shown, when older
    size_t logStart_ = 0;              ///< where the shown log begins in its step's events
    bool logInThisStep_ = false;       ///< the shown log began in this step
    mutable std::string logText_;
    mutable bool logStale_ = true;
};

}  // namespace vargo
