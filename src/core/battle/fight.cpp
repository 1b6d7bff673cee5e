// The fight's set-up and turn cycle: loading the fighters, initiative, action points, one step per
// "Next", giving up.

#include "battle/fight.h"

#include <algorithm>

#include "battle/commander.h"
#include "battle/enemy_source.h"
#include "model/game.h"
#include "model/random.h"
#include "ports/sound.h"
#include "ports/prompts.h"

namespace vargo {

Fight::Fight(Game& g, Random& r, Prompts& p, Commander& c, EnemySource& e, Sound* s)
    : frmTornament(p), game(g), rng(r), prompts(p), commander(c), enemies(e), sound(s) {
    fightDolls[0] = game.dolls[0];
    fightDolls[1] = game.dolls[1];
}

void Fight::load() {
    if (game.playMusic && sound && !sound->playMusic("fight", true)) {
        soundFailed = true;
        prompts.msgBox(kCannotPlayMusic);
    }
    switch (Mode) {
        case FightMode::Street:
            initStreet();
            break;
        case FightMode::Duel:
            initDuel();
            break;
        default:
            initTornament();
            if (!closed) {
                frmTornament.resetWin();
                bout = 0;
                stage = 1;
                runTornament();
            }
            break;
    }
    guideText = game.guideOn ? "試合画面です。Nextを押して進行し、指示にしたがって下さい。" : "";
}

void Fight::initDuel() {
    caption = "Duel";
    computer = {false, false};
    ldPlayDoll(0);
    ldPlayDoll(1);
    initFight();
}

void Fight::initStreet() {
    caption = "StreetFight";
    computer = {false, true};
    ldPlayDoll(0);
    rng.reseed();
    // The list holds at most 100 numbers even when more enemies qualify.
    int n = std::min(countTekiDoll(9999), 100);
    // With nobody to fight, the draw would pick from an empty list: say so and leave instead.
    if (n <= 0) {
        prompts.msgBox("対戦できる敵Dollが登録されていません。");
        close();
        return;
    }
    int k = static_cast<int>(Int(n * rng.next())) + 1;
    if (!ldTekiDoll(enemyIDs[static_cast<size_t>(k)], 1, false)) {
        close();
        return;
    }
    initFight();
}

void Fight::ldPlayDoll(int who) {
    fightDolls[static_cast<size_t>(who)] = game.dolls[static_cast<size_t>(who)];
}

bool Fight::ldTekiDoll(int number, int who, bool /*noPictures*/) {
    auto d = enemies.ldTekiDoll(number);
    if (!d) {
        // The fight cannot go on without its opponent: say so rather than closing without a word.
        prompts.msgBox("敵Doll（ID" + std::to_string(number) + "）を読み込めませんでした。");
        return false;
    }
    fightDolls[static_cast<size_t>(who)] = std::move(d);
    return true;
}

int Fight::countTekiDoll(int limit) {
    return enemies.countTekiDoll(limit, &enemyIDs);
}

void Fight::initFight() {
    guarding = {};
    ukemiReady = {};
    holding = {};
    fallen = {};
    fallChanged = {};
    span = 0;
    battleLog.clear();
    winner = -1;
    steps = 0;
    effectCount = 0;
    pictures.clear();
    // Patterns do not change within a screen, so a Doll fighting again keeps its book.
    for (size_t i = 0; i < 2; ++i) {
        if (bookOwners[i] != fightDolls[i]) {
            books[i] = PatternBook::from(*fightDolls[i]);
            bookOwners[i] = fightDolls[i];
        }
    }
    dspFightImage(0, "初期");
    endFace();
}

int Fight::get2D6() {
    rng.reseed();
    return roll2D6(rng);
}

int Fight::getInitiative() {
    int mine = rollDie(rng, 6);
    int theirs = rollDie(rng, 6);
    if (mine > theirs) {
        dspInitiative = {"先手", "後手"};
        return 0;
    }
    if (theirs > mine) {
        dspInitiative = {"後手", "先手"};
        return 1;
    }
    battleLog =
        "（両者のイニシアチヴチェックは互角です）" + lineBreak + "極限の精神状態が生み出す緊迫した攻防！";
    return 2;
}

void Fight::getAP(int who) {
    int ap = get2D6() + fighter(who).AP;
    playAP = static_cast<Int16>(ap > kInt16Max ? kInt16Max : ap);
    dspAP[static_cast<size_t>(who)] = "行動ポイント" + Str(static_cast<long long>(playAP));
    dspAP[static_cast<size_t>(1 - who)].clear();
}

bool Fight::human(int who) const {
    return !computer[static_cast<size_t>(who)];
}

void Fight::cmdNext_Click() {
    if (Mode == FightMode::Duel) {
        nextDuel();
    } else {
        nextFight();
    }
}

// One fighter's action: the technique dialog for a player's side, the searches for the computer's.
void Fight::act(int who) {
    if (!human(who)) {
        waza_rtn(who);
        return;
    }
    int value = commander.selectTechnique(fighter(who), playAP);
    if (value >= 1 && value <= 6) {
        waza_rtn(who, &books[static_cast<size_t>(who)].patterns[static_cast<size_t>(value - 1)]);
    }
}

void Fight::nextFight() {
    if (closed) {
        return;
    }
    ++steps;
    pictures.clear();
    switch (phase) {
        case 0:
            firstMover = static_cast<Int16>(getInitiative());
            if (firstMover == 0) {
                getAP(0);
                phase = 3;
            } else if (firstMover == 1) {
                getAP(1);
                phase = 4;
            }
            break;
        case 3:
            act(0);
            if (firstMover == 0) {
                getAP(1);
                phase = 4;
            } else {
                phase = 0;
            }
            break;
        case 4:
            act(1);
            if (firstMover == 1) {
                getAP(0);
                phase = 3;
            } else {
                phase = 0;
            }
            break;
        default:
            phase = 0;
            break;
    }
    endFace();
}

// In a duel the player orders both sides; act() asks the technique dialog for whichever Doll is due.
void Fight::nextDuel() {
    nextFight();
}

void Fight::cmdTap_Click() {
    if (closed) {
        return;
    }
    if (prompts.askYesNo("ギブアップして試合を中断しますか？", kAppTitle) != kYes) {
        return;
    }
    if (Mode == FightMode::Tornament) {
        Shunyu();
        Shuri();
    } else {
        initParam();
    }
    close();
}

void Fight::initParam() {
    for (const auto& d : {fightDolls[0], game.dolls[0], game.dolls[1]}) {
        if (!d) {
            continue;
        }
        d->frame->HP = d->frame->maxHP;
        d->Motor->HP = d->Motor->maxHP;
    }
}

void Fight::close() {
    closed = true;
}

void Fight::dspFightImage(int who, const char* action) {
    pictures.push_back({who, action});
}

// The refresh after every step places the sparks of the blows that landed since the last one.
void Fight::dspDollImage() {
    sparks.clear();
    for (int k = 1; k <= effectCount; ++k) {
        int x = 40 * effectTarget + static_cast<int>(Int(10.0 * k * rng.next()));
        int y = effectHeight + 20 * k + 10;
        sparks.push_back({x + 300, y + 10});
    }
    effectCount = 0;
}

// A machine without sound says so once; the fight goes on silently.
void Fight::stSound(const char* name) {
    if (!sound || soundFailed) {
        return;
    }
    if (!sound->playEffect(name)) {
        soundFailed = true;
        prompts.msgBox(kCannotPlayMusic);
    }
}

}  // namespace vargo
