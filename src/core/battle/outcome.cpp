// The end of a fight: who won, the announcements, experience, prize money, income and repairs.
// Money, experience, records and skill stop at 32767 instead of wrapping.

#include "battle/fight.h"
#include "career/upkeep.h"
#include "model/game.h"
#include "model/random.h"
#include "ports/prompts.h"

namespace vargo {

namespace {
const std::string kLineBreak = "\n";
std::string S(long long n) {
    return Str(n);
}
void addMoney(Int16& Rl, long long add) {
    addClamped(Rl, add, kInt16Min, kMaxMoney);
}
}  // namespace

// Repairs one part of the player's Doll as far as the money goes, and reports it.
Repair Fight::repaired(Int16& HP, Int16 maxHP, Int16& money, int who, int part) {
    const Repair r = repairPart(HP, maxHP, money);
    if (r.kind != Repair::None) {
        report(FightEventKind::Repair, who, 0, static_cast<int>(r.charged), HP, part);
    }
    return r;
}

bool Fight::destroyed(const doll& d) {
    return d.Motor->HP <= 0 || d.frame->HP <= 0;
}

void Fight::endFace() {
    dspDollImage();
    if (destroyed(fighter(0)) || destroyed(fighter(1))) {
        ring_.endHP = {fighter(0).Motor->HP, fighter(0).frame->HP, fighter(1).Motor->HP,
                       fighter(1).frame->HP};
    }
    if (!ring_.closed && destroyed(fighter(1))) {
        decide(0);
        if (mode_ == FightMode::Tornament) {
            tour_.frmTornament.setWin(0, tour_.bout, tour_.stage);
            levelUp(1);
        }
        winFight();
    }
    if (!ring_.closed && destroyed(fighter(0))) {
        decide(1);
        if (mode_ == FightMode::Tornament) {
            tour_.frmTornament.setWin(fighter(1).ID, tour_.bout, tour_.stage);
            addClamped(game.owner(0).recLoose, 1);
            levelUp(0);
            Shunyu();
            Shuri();
        } else if (mode_ == FightMode::Duel) {
            prompts.showMsgTitled(nameOf(1) + "勝利", "DUEL");
            initParam();
        } else {
            prompts.showMsgTitled(nameOf(0) + "敗北", "Simulation");
            initParam();
        }
        close();
    }
    ring_.fighters[0].fallChanged = 0;
    ring_.fighters[1].fallChanged = 0;
}

void Fight::decide(int who) {
    ring_.winner = who;
    report(FightEventKind::Outcome, who);
    if (recorder_) {
        recorder_->boutEnded(*this, false);
    }
}

void Fight::winFight() {
    switch (mode_) {
        case FightMode::Street:
            prompts.showMsgTitled(nameOf(0) + "勝利", "Simulation");
            initParam();
            close();
            return;
        case FightMode::Duel:
            prompts.showMsgTitled(nameOf(0) + "勝利", "DUEL");
            initParam();
            close();
            return;
        case FightMode::Tornament:
            break;
    }
    Owner& owner = game.owner(0);
    addClamped(owner.recWin, 1);
    if (tour_.stage == 3) {
        addMoney(owner.Rl, 500);
        report(FightEventKind::Prize, 0, 0, 500);
        addClamped(owner.recChamp, 1);
        prompts.showMsg("優勝" + kLineBreak + "賞金" + S(500) + "Rl");
        Shuri();
        close();
        return;
    }
    Shuri();
    tour_.bracket[static_cast<size_t>(tour_.bout)] = 0;
    ++tour_.bout;
    runTornament();
}

void Fight::levelUp(int win) {
    Owner& owner = game.owner(0);
    addClamped(owner.exp, 1000);
    report(FightEventKind::Experience, 0, 0, 1000);
    std::string msg = "経験値＋1000" + kLineBreak;
    const long long threshold = (static_cast<long long>(owner.Lv) - 1) * 1000;
    if (owner.exp >= threshold) {
        addClamped(owner.exp, -threshold);
        addClamped(owner.Lv, 1);
        msg += "レベル＋１" + kLineBreak;
        // Draw: the skill a new level brings.
        int gain = static_cast<int>(Int(4 * rng.next() + 1));
        report(FightEventKind::LevelUp, 0, 0, gain);
        addClamped(owner.skillPlay, gain);
        msg += "操作能力＋" + S(gain) + kLineBreak;
    }
    if (win == 1) {
        int prize = clampMax(fighter(1).value - fighter(0).value, 9999) + 100;
        addMoney(owner.Rl, prize);
        report(FightEventKind::Prize, 0, 0, prize);
        msg += "賞金" + S(prize) + kLineBreak;
        prompts.showMsgTall(msg, "勝利", 5);
    } else {
        prompts.showMsgTitled(msg, "敗北");
    }
}

void Fight::Shunyu() {
    const long long income = collectIncome(game.owner(0), rng, prompts);
    report(FightEventKind::Income, 0, 0, static_cast<int>(income));
}

void Fight::Shuri() {
    doll& own = *game.dolls[0];
    const doll& fought = fighter(0);
    // The events tell the screen of the fighter only when the repaired Doll is the one it shows.
    const int shown = &own == &fought ? 0 : -1;
    if (&own != &fought) {
        own.Motor->HP = fought.Motor->HP;
        own.frame->HP = fought.frame->HP;
    }
    Owner& owner = game.owner(0);
    std::string msg;
    if (own.Motor->HP <= 0) {
        msg = "モータは完全に破壊されています" + kLineBreak;
        owner.removeFittedMotor(own.Motor);
        own.Motor = emptyPart<Motor>();
        report(FightEventKind::PartLost, shown, 0, 0, own.Motor->HP, 0);
    } else {
        msg += repairNotice("モータ", repaired(own.Motor->HP, own.Motor->maxHP, owner.Rl, shown, 0), true);
    }
    if (own.frame->HP <= 0) {
        msg += "フレームは完全に破壊されています" + kLineBreak;
        owner.removeFittedFrame(own.frame);
        own.frame = emptyPart<DollFrame>();
        report(FightEventKind::PartLost, shown, 0, 0, own.frame->HP, 1);
    } else {
        msg += repairNotice("フレーム", repaired(own.frame->HP, own.frame->maxHP, owner.Rl, shown, 1), false);
    }
    if (!msg.empty()) {
        prompts.msgBox(msg);
    }
}

}  // namespace vargo
