// The fight's set-up and turn cycle: loading the fighters, initiative, action points, one step per
// "Next", giving up; and how a step records its events.

#include "battle/fight.h"

#include <algorithm>

#include "battle/battle_log.h"
#include "battle/commander.h"
#include "battle/enemy_source.h"
#include "model/game.h"
#include "model/random.h"
#include "ports/prompts.h"
#include "ports/sound.h"

namespace vargo {

Fight::Fight(Game& g, Random& r, Prompts& p, Commander& c, EnemySource& e, Sound* s)
    : game(g), rng(r), prompts(p), commander(c), enemies(e), sound(s), tour_(p) {
    ring_.fighters[0].d = game.dolls[0];
    ring_.fighters[1].d = game.dolls[1];
    events_.reserve(64);
    logFrom_.reserve(64);
}

void Fight::load() {
    events_.clear();
    startLog();
    if (game.playMusic && sound && !sound->playMusic("fight", true)) {
        soundFailed = true;
        tellCannotPlay(prompts, game.cannotPlayTold);
    }
    switch (mode_) {
        case FightMode::Street:
            initStreet();
            break;
        case FightMode::Duel:
            initDuel();
            break;
        default:
            initTornament();
            if (!ring_.closed) {
                tour_.frmTornament.resetWin();
                tour_.bout = 0;
                tour_.stage = 1;
                runTornament();
            }
            break;
    }
    screen_.guideText = game.guideOn ? "試合画面です。Nextを押して進行し、指示にしたがって下さい。" : "";
}

void Fight::startBout(std::shared_ptr<doll> a, std::shared_ptr<doll> b) {
    events_.clear();
    ring_.fighters[0].d = std::move(a);
    ring_.fighters[1].d = std::move(b);
    ring_.closed = false;
    ring_.phase = 0;
    initFight();
}

void Fight::startBout(std::shared_ptr<doll> a, std::shared_ptr<doll> b, const BoutOpening& opening) {
    ring_.phase = opening.phase;
    ring_.firstMover = opening.firstMover;
    ring_.playAP = opening.playAP;
    screen_.dspAP = opening.dspAP;
    screen_.dspInitiative = opening.dspInitiative;
    events_.clear();
    ring_.fighters[0].d = std::move(a);
    ring_.fighters[1].d = std::move(b);
    ring_.closed = false;
    initFight();
}

BoutOpening Fight::opening() const {
    return {ring_.phase, ring_.firstMover, ring_.playAP, screen_.dspAP, screen_.dspInitiative};
}

void Fight::initDuel() {
    screen_.caption = "Duel";
    computer_ = {false, false};
    ldPlayDoll(0);
    ldPlayDoll(1);
    initFight();
}

void Fight::initStreet() {
    screen_.caption = "StreetFight";
    computer_ = {false, true};
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
    // Draw: the opponent, one of the n listed.
    int k = static_cast<int>(Int(n * rng.next())) + 1;
    if (!ldTekiDoll(tour_.enemyIDs[static_cast<size_t>(k)], 1, false)) {
        close();
        return;
    }
    initFight();
}

void Fight::ldPlayDoll(int who) {
    state(who).d = game.dolls[static_cast<size_t>(who)];
}

bool Fight::ldTekiDoll(int number, int who, bool /*noPictures*/) {
    auto d = enemies.ldTekiDoll(number);
    if (!d) {
        // The fight cannot go on without its opponent: say so rather than closing without a word.
        prompts.msgBox("敵Doll（ID" + std::to_string(number) + "）を読み込めませんでした。");
        return false;
    }
    state(who).d = std::move(d);
    return true;
}

int Fight::countTekiDoll(int limit) {
    return enemies.countTekiDoll(limit, &tour_.enemyIDs);
}

void Fight::initFight() {
    if (recorder_) {
        recorder_->boutStarted(*this);
    }
    for (auto& f : ring_.fighters) {
        f.guarding = f.ukemiReady = f.holding = f.fallen = f.fallChanged = 0;
    }
    ring_.span = 0;
    ring_.winner = -1;
    ring_.steps = 0;
    effects_.count = 0;
    startLog();
    // Patterns do not change within a screen, so a Doll fighting again keeps its book.
    for (size_t i = 0; i < 2; ++i) {
        if (bookOwners[i] != ring_.fighters[i].d) {
            books[i] = PatternBook::from(*ring_.fighters[i].d);
            bookOwners[i] = ring_.fighters[i].d;
        }
    }
    for (int i = 0; i < 2; ++i) {
        report(FightEventKind::BoutStart, i, 0, fighter(i).Motor->HP, fighter(i).frame->HP);
    }
    dspFightImage(0, FightPose::Ready);
    endFace();
}

int Fight::get2D6() {
    rng.reseed();
    return roll2D6(rng);
}

int Fight::getInitiative() {
    int mine = roll(RollKind::Initiative, 0, rollDie(rng, 6));
    int theirs = roll(RollKind::Initiative, 1, rollDie(rng, 6));
    int first = mine > theirs ? 0 : (theirs > mine ? 1 : 2);
    if (first == 2) {
        // An even initiative has its own words in the log, in place of the last action's.
        startLog();
    }
    report(FightEventKind::Initiative, first, 0, mine, theirs);
    return first;
}

void Fight::getAP(int who) {
    int dice = roll(RollKind::ActionPoints, who, get2D6());
    int ap = dice + fighter(who).AP;
    ring_.playAP = static_cast<Int16>(ap > kInt16Max ? kInt16Max : ap);
    report(FightEventKind::ActionPoints, who, 0, ring_.playAP, dice);
}

void Fight::cmdNext_Click() {
    if (mode_ == FightMode::Duel) {
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
    int value = commander.selectTechnique(fighter(who), ring_.playAP);
    if (value >= 1 && value <= 6) {
        waza_rtn(who, &books[static_cast<size_t>(who)].patterns[static_cast<size_t>(value - 1)]);
    }
}

void Fight::nextFight() {
    if (ring_.closed) {
        return;
    }
    // The shown log stays with the step it began in; this step's events start afresh.
    if (logInThisStep_) {
        std::swap(events_, logFrom_);
        logInThisStep_ = false;
    }
    events_.clear();
    screen_.beginStep();
    ++ring_.steps;
    switch (ring_.phase) {
        case 0:
            ring_.firstMover = static_cast<Int16>(getInitiative());
            if (ring_.firstMover == 0) {
                getAP(0);
                ring_.phase = 3;
            } else if (ring_.firstMover == 1) {
                getAP(1);
                ring_.phase = 4;
            }
            break;
        case 3:
            act(0);
            if (ring_.firstMover == 0) {
                getAP(1);
                ring_.phase = 4;
            } else {
                ring_.phase = 0;
            }
            break;
        case 4:
            act(1);
            if (ring_.firstMover == 1) {
                getAP(0);
                ring_.phase = 3;
            } else {
                ring_.phase = 0;
            }
            break;
        default:
            ring_.phase = 0;
            break;
    }
    endFace();
}

// In a duel the player orders both sides; act() asks the technique dialog for whichever Doll is due.
void Fight::nextDuel() {
    nextFight();
}

void Fight::cmdTap_Click() {
    if (ring_.closed) {
        return;
    }
    if (prompts.askYesNo("ギブアップして試合を中断しますか？", kAppTitle) != kYes) {
        return;
    }
    if (recorder_) {
        recorder_->boutEnded(*this, true);
    }
    if (mode_ == FightMode::Tornament) {
        Shunyu();
        Shuri();
    } else {
        initParam();
    }
    close();
}

void Fight::initParam() {
    for (const auto& d : {ring_.fighters[0].d, game.dolls[0], game.dolls[1]}) {
        if (!d) {
            continue;
        }
        d->frame->HP = d->frame->maxHP;
        d->Motor->HP = d->Motor->maxHP;
    }
    for (int i = 0; i < 2; ++i) {
        const auto& d = state(i).d;
        if (i == 0 || d == game.dolls[0] || d == game.dolls[1]) {
            report(FightEventKind::Restore, i, 0, d->Motor->HP, d->frame->HP);
        }
    }
}

void Fight::dspFightImage(int who, FightPose pose) {
    report(FightEventKind::Pose, who, static_cast<int>(pose));
}

// The refresh after every step places the sparks of the blows that landed since the last one.
void Fight::dspDollImage() {
    for (int k = 1; k <= effects_.count; ++k) {
        // Draw: a spark's sideways scatter. Only the picture uses it, but it is part of the
        // fight's sequence of draws like any roll.
        int x = 40 * effects_.target + static_cast<int>(Int(10.0 * k * rng.next()));
        int y = effects_.height + 20 * k + 10;
        report(FightEventKind::Spark, effects_.target, 0, x + 300, y + 10);
    }
    effects_.count = 0;
}

// A machine without sound says so once a run; the fight goes on silently.
void Fight::stSound(const char* name) {
    if (!sound || soundFailed) {
        return;
    }
    if (!sound->playEffect(name)) {
        soundFailed = true;
        tellCannotPlay(prompts, game.cannotPlayTold);
    }
}

void Fight::report(FightEventKind kind, int who, int code, int value, int after, int part) {
    FightEvent e;
    e.kind = kind;
    e.who = static_cast<std::int16_t>(who);
    e.part = static_cast<std::int16_t>(part);
    e.code = static_cast<std::int16_t>(code);
    e.value = value;
    e.after = after;
    events_.push_back(e);
    screen_.take(e);
    logStale_ = true;
}

int Fight::roll(RollKind kind, int who, int value) {
    report(FightEventKind::Roll, who, static_cast<int>(kind), value);
    return value;
}

void Fight::startLog() {
    logInThisStep_ = true;
    logStart_ = events_.size();
    logStale_ = true;
}

const std::string& Fight::battleLog() const {
    if (logStale_) {
        const std::vector<FightEvent>& from = logInThisStep_ ? events_ : logFrom_;
        LogContext context{{bookOwners[0].get(), bookOwners[1].get()}, {&books[0], &books[1]}};
        logText_ =
            battleLogText(from.data() + std::min(logStart_, from.size()), from.data() + from.size(), context);
        logStale_ = false;
    }
    return logText_;
}

void Fight::setHolding(int who, Int16 v) {
    state(who).holding = v;
    report(FightEventKind::Hold, who, 0, v);
}

void Fight::setFallen(int who, Int16 v, bool told) {
    state(who).fallen = v;
    report(v ? FightEventKind::Fall : FightEventKind::Stand, who, told ? 1 : 0);
}

void Fight::setSpan(int v) {
    ring_.span = static_cast<Int16>(v);
}

}  // namespace vargo
