#pragma once
// One fight, or one whole tournament: the fighter state, the turn cycle, technique resolution,
// damage and the outcome. The battle window calls cmdNext_Click once per "Next" and draws what the
// fight describes (labels, scene, effects: battle/fight_view.h); the player's orders come through
// the Commander, messages through Prompts, dice through Random, tunes through Sound.

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "battle/bracket.h"
#include "battle/search.h"
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

/// One picture the scene showed during a step: a fighter in the pose of an action.
struct FightPicture {
    int fighter = 0;
    const char* action = "";  ///< "初期", "移動", "回転", "パンチ", "キック", "組み", "防御"
};

/// Where one hit spark lands in the 800 x 400 scene.
struct EffectSpark {
    int x = 0;
    int y = 0;
};

class Fight {
public:
    Fight(Game& game, Random& rng, Prompts& prompts, Commander& commander, EnemySource& enemies,
          Sound* sound = nullptr);
    Fight(const Fight&) = delete;
    Fight& operator=(const Fight&) = delete;

    // --- set-up ----------------------------------------------------------------------------------
    FightMode Mode = FightMode::Street;
    /// The class whose tournament is held.
    void setClass(DollClass c) { tournamentClass = c; }
    /// The screen's load: tune, then the kind of fight by Mode, then the guide.
    void load();
    void initStreet();
    void initDuel();
    void initTornament();
    void ldPlayDoll(int who);
    /// A fresh enemy from the registry into slot `who`; false when it cannot be read.
    bool ldTekiDoll(int number, int who, bool noPictures);
    int countTekiDoll(int limit);
    void initFight();
    /// Fighter `who` picks its patterns by the computer's rules (fighter 1 outside duels; the
    /// headless tools set both).
    void setComputer(int who, bool on) { computer[static_cast<size_t>(who)] = on; }

    // --- turn cycle ------------------------------------------------------------------------------
    int get2D6();
    int getInitiative();
    void getAP(int who);
    void cmdNext_Click();
    void nextFight();
    void nextDuel();
    void cmdTap_Click();
    void initParam();

    // --- choice and resolution -------------------------------------------------------------------
    const FightPattern& searchLogic(int who) const;
    SearchSituation situation(int who) const;
    /// Runs pattern p for fighter who (the computer's choice when p is null).
    void waza_rtn(int who, const FightPattern* p = nullptr);
    int Hit(int who, int code);
    int bougyo_rtn(int defender, int hitRoll, int offence, int defence, int guard);
    void checkTentou(int who);
    bool checkTentou2(int who, int code);
    int Damage(int who, int kind, int wazaPow, int level);

    // --- outcome ---------------------------------------------------------------------------------
    void endFace();
    void winFight();
    void levelUp(int win);
    void Shunyu();
    void Shuri();

    // --- tournament ------------------------------------------------------------------------------
    /// False (and no bracket) when the pool holds too few enemies to draw.
    bool makeKumiawase(int n);
    void runTornament();
    doll& getAutoWinner();
    Bracket frmTornament;
    std::array<int, 17> bracket{};  ///< entrants, then each stage's winners from entry 0; 0 the player
    int stage = 1;
    int bout = 0;
    /// Shows the bracket window modally; a headless run leaves it empty.
    std::function<void(const Bracket&)> showBracket;

    // --- fighter state ---------------------------------------------------------------------------
    std::array<std::shared_ptr<doll>, 3> fightDolls;
    std::array<Int16, 2> guarding{};
    std::array<Int16, 2> ukemiReady{};
    std::array<Int16, 2> holding{};
    std::array<Int16, 2> fallen{};
    std::array<Int16, 2> fallChanged{};
    Int16 span = 0;
    Int16 playAP = 0;
    Int16 phase = 0;
    Int16 firstMover = 0;
    std::string battleLog;
    const std::string lineBreak = "\n";
    std::vector<int> enemyIDs = std::vector<int>(101, 0);
    DollClass tournamentClass = DollClass::Master;

    // --- what the window shows -------------------------------------------------------------------
    std::string caption;
    std::array<std::string, 2> dspAP;
    std::array<std::string, 2> dspInitiative;
    std::string damageText;
    int effectCount = 0;
    int effectHeight = 0;
    int effectTarget = 0;
    /// Sparks placed by the latest refresh (dspDollImage), for the window to draw.
    std::vector<EffectSpark> sparks;
    /// Pictures shown during the latest step, in order.
    std::vector<FightPicture> pictures;
    std::string guideText;
    bool grappled() const { return holding[0] != 0 || holding[1] != 0; }

    /// The screen has been closed (fight over, or given up); further steps do nothing.
    bool closed = false;
    /// 0 or 1 once a Doll has been destroyed; -1 while nobody has won.
    int winner = -1;
    /// Motor and frame HP of both fighters (m0, f0, m1, f1) when a Doll was destroyed, before the
    /// outcome restored or repaired anything.
    std::array<int, 4> endHP{};
    /// Steps taken since the fight started (initiative rolls and actions).
    int steps = 0;

    static bool destroyed(const doll& d);

private:
    void dspFightImage(int who, const char* action);
    void dspDollImage();
    void stSound(const char* name);
    void act(int who);
    bool human(int who) const;
    void close();
    void log(const std::string& text) { battleLog += text; }
    void logLine(const std::string& text) {
        battleLog += text;
        battleLog += lineBreak;
    }
    const std::string& nameOf(int who) const { return fightDolls[static_cast<size_t>(who)]->name; }
    doll& fighter(int who) { return *fightDolls[static_cast<size_t>(who)]; }
    const doll& fighter(int who) const { return *fightDolls[static_cast<size_t>(who)]; }
    void runMove(int who, int position, const FightPattern& p, int& wazaPow);
    void runBlow(int who, int code, int& wazaPow, int& level);
    void runHazusi(int who, int& wazaPow);

    Game& game;
    Random& rng;
    Prompts& prompts;
    Commander& commander;
    EnemySource& enemies;
    Sound* sound;
    bool soundFailed = false;
    std::array<bool, 2> computer{false, true};
    std::array<PatternBook, 2> books;
    /// The Dolls the books were made from, held so that a new Doll never reuses the old address.
    std::array<std::shared_ptr<const doll>, 2> bookOwners;
};

}  // namespace vargo
