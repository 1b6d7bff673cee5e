// The end of a fight: who won, the announcements, experience, prize money, income and repairs.
// Money, experience, records and skill stop at 32767 instead of wrapping.

#include "battle/fight.h"
#include "career/upkeep.h"
#include "model/game.h"
#include "model/random.h"
#include "ports/prompts.h"

namespace vargo {

namespace {
std::string S(long long n) {
    return Str(n);
}
void addMoney(Int16& Rl, long long add) {
    addClamped(Rl, add, kInt16Min, kMaxMoney);
}
}  // namespace

bool Fight::destroyed(const doll& d) {
    return d.Motor->HP <= 0 || d.frame->HP <= 0;
}

void Fight::endFace() {
    dspDollImage();
    if (destroyed(fighter(0)) || destroyed(fighter(1))) {
        endHP = {fighter(0).Motor->HP, fighter(0).frame->HP, fighter(1).Motor->HP, fighter(1).frame->HP};
    }
    if (!closed && destroyed(fighter(1))) {
        winner = 0;
        if (Mode == FightMode::Tornament) {
            frmTornament.setWin(0, bout, stage);
            levelUp(1);
        }
        winFight();
    }
    if (!closed && destroyed(fighter(0))) {
        winner = 1;
        if (Mode == FightMode::Tornament) {
            frmTornament.setWin(fighter(1).ID, bout, stage);
            addClamped(game.owner(0).recLoose, 1);
            levelUp(0);
            Shunyu();
            Shuri();
        } else if (Mode == FightMode::Duel) {
            prompts.showMsgTitled(nameOf(1) + "勝利", "DUEL");
            initParam();
        } else {
            prompts.showMsgTitled(nameOf(0) + "敗北", "Simulation");
            initParam();
        }
        close();
    }
    fallChanged = {};
}

void Fight::winFight() {
    switch (Mode) {
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
    if (stage == 3) {
        addMoney(owner.Rl, 500);
        addClamped(owner.recChamp, 1);
        prompts.showMsg("優勝" + lineBreak + "賞金" + S(500) + "Rl");
        Shuri();
        close();
        return;
    }
    Shuri();
    bracket[static_cast<size_t>(bout)] = 0;
    ++bout;
    runTornament();
}

void Fight::levelUp(int win) {
    Owner& owner = game.owner(0);
    addClamped(owner.exp, 1000);
    std::string msg = "経験値＋1000" + lineBreak;
    const long long threshold = (static_cast<long long>(owner.Lv) - 1) * 1000;
    if (owner.exp >= threshold) {
        addClamped(owner.exp, -threshold);
        addClamped(owner.Lv, 1);
        msg += "レベル＋１" + lineBreak;
        int gain = static_cast<int>(Int(4 * rng.next() + 1));
        addClamped(owner.skillPlay, gain);
        msg += "操作能力＋" + S(gain) + lineBreak;
    }
    if (win == 1) {
        int prize = clampMax(fighter(1).value - fighter(0).value, 9999) + 100;
        addMoney(owner.Rl, prize);
        msg += "賞金" + S(prize) + lineBreak;
        prompts.showMsgTall(msg, "勝利", 5);
    } else {
        prompts.showMsgTitled(msg, "敗北");
    }
}

void Fight::Shunyu() {
    collectIncome(game.owner(0), rng, prompts);
}

void Fight::Shuri() {
    doll& own = *game.dolls[0];
    const doll& fought = fighter(0);
    if (&own != &fought) {
        own.Motor->HP = fought.Motor->HP;
        own.frame->HP = fought.frame->HP;
    }
    Owner& owner = game.owner(0);
    std::string msg;
    if (own.Motor->HP <= 0) {
        msg = "モータは完全に破壊されています" + lineBreak;
        owner.removeFittedMotor(own.Motor);
        own.Motor = emptyPart<Motor>();
    } else {
        msg += repairNotice("モータ", repairPart(own.Motor->HP, own.Motor->maxHP, owner.Rl), true);
    }
    if (own.frame->HP <= 0) {
        msg += "フレームは完全に破壊されています" + lineBreak;
        owner.removeFittedFrame(own.frame);
        own.frame = emptyPart<DollFrame>();
    } else {
        msg += repairNotice("フレーム", repairPart(own.frame->HP, own.frame->maxHP, owner.Rl), false);
    }
    if (!msg.empty()) {
        prompts.msgBox(msg);
    }
}

}  // namespace vargo
