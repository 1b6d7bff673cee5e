// Technique resolution: one fighter's pattern carried out action by action, with the hit and block
// tests and the fall rules, all told in the battle log.

#include "battle/commander.h"
#include "battle/fight.h"
#include "model/random.h"
#include "ports/prompts.h"

namespace vargo {

namespace {

std::string S(long long n) {
    return Str(n);
}

// An ability over the Doll's weight, rounded down; a weightless Doll gets nothing from it.
int perWeight(int ability, double weight, double divisor = 1.0) {
    if (weight <= 0) {
        return 0;
    }
    long long q = Int(ability / weight / divisor);
    return static_cast<int>(q > kInt16Max ? kInt16Max : (q < kInt16Min ? kInt16Min : q));
}

void addPow(int& wazaPow, int add) {
    long long sum = static_cast<long long>(wazaPow) + add;
    wazaPow = static_cast<int>(sum > kInt16Max ? kInt16Max : (sum < kInt16Min ? kInt16Min : sum));
}

}  // namespace

SearchSituation Fight::situation(int who) const {
    const int other = 1 - who;
    SearchSituation s;
    s.book = &books[static_cast<size_t>(who)];
    s.playAP = playAP;
    s.span = span;
    s.heldByOther = holding[static_cast<size_t>(other)] != 0;
    s.holdsOther = holding[static_cast<size_t>(who)] != 0;
    s.fallen = fallen[static_cast<size_t>(who)] != 0;
    s.ownMove = fighter(who).move;
    s.otherMove = fighter(other).move;
    return s;
}

const FightPattern& Fight::searchLogic(int who) const {
    return vargo::searchLogic(situation(who));
}

void Fight::waza_rtn(int who, const FightPattern* chosen) {
    const size_t me = static_cast<size_t>(who);
    battleLog.clear();
    ukemiReady[me] = 0;
    guarding[me] = 0;
    const FightPattern& p = chosen ? *chosen : searchLogic(who);
    if (holding[me]) {
        logLine("組んでいる状態では、100％命中します。");
    }
    int wazaPow = 0;
    int level = 0;
    const doll& self = fighter(who);
    for (int pos = 0; pos < 10; ++pos) {
        const int code = p.named[static_cast<size_t>(pos)];
        if (code == 0) {
            break;
        }
        switch (code) {
            case kMove:
                runMove(who, pos, p, wazaPow);
                break;
            case kJump:
                if (!checkTentou2(who, kJump)) {
                    int j = perWeight(self.jump, self.weight);
                    log("ジャンプで＋" + S(j) + "パワー");
                    addPow(wazaPow, j);
                }
                break;
            case kSpin: {
                int s = perWeight(self.spin, self.weight);
                log("回転で＋" + S(s) + "パワー");
                addPow(wazaPow, s);
                checkTentou(who);
                dspFightImage(who, "回転");
                break;
            }
            case kPunch:
            case kKick:
                runBlow(who, code, wazaPow, level);
                break;
            case kKumi:
                level = Hit(who, kKumi);
                if (level >= 1 && span == 0) {
                    log("組みついて");
                    holding[me] = -1;
                } else {
                    logLine("組みつきに失敗。");
                }
                dspFightImage(who, "組み");
                break;
            case kDrop:
                if (holding[me]) {
                    const size_t other = static_cast<size_t>(1 - who);
                    Damage(who, 3, wazaPow, level);
                    holding[me] = 0;
                    fallen[other] = -1;
                    if (holding[other]) {
                        holding[other] = 0;
                        logLine("組み合っていた相手の技が外れました。");
                    }
                } else {
                    logLine("組んでいなければ投げられません。");
                }
                wazaPow = 0;
                break;
            case kHold:
                if (holding[me]) {
                    Damage(who, 4, wazaPow, level);
                } else {
                    logLine("組んでいなければ関節技も決められません。");
                }
                break;
            case kBlock:
                guarding[me] = 1;
                logLine("防御の構えです。");
                dspFightImage(who, "防御");
                wazaPow = 0;
                break;
            case kUke:
                ukemiReady[me] = -1;
                wazaPow = 0;
                break;
            case kHazusi:
                runHazusi(who, wazaPow);
                break;
            default:
                break;
        }
    }
    if (p.AP == 0) {
        logLine("様子見です。");
    } else if (p.AP >= 13) {
        logLine("これが、これが！" + p.name + "だッ！！");
    } else {
        logLine("でたぁっ！" + p.name + "ッ！！！！！");
    }
}

void Fight::runMove(int who, int position, const FightPattern& p, int& wazaPow) {
    const doll& self = fighter(who);
    int direction = human(who) ? commander.selectMove(span) : getHitAway(position, p, span);
    if (direction == 0) {
        if (checkTentou2(who, kMove)) {
            // down: no move at all
        } else if (grappled()) {
            logLine("組み合ったまま移動します。");
        } else if (span == 0) {
            int pw = perWeight(self.move, self.weight, 2.0);
            logLine("移動しつつ勢いをつけて" + S(pw) + "パワー");
            addPow(wazaPow, pw);
        } else {
            int d = perWeight(self.move, self.weight);
            logLine(S(d) + "ダッシュで間合いを詰めた！");
            span = static_cast<Int16>(clampMax(span - d, 10));
            addPow(wazaPow, d);
        }
    } else {
        if (grappled()) {
            logLine("距離を置こうとしたが、ガッチリつかまれている。");
        } else if (!checkTentou2(who, kMove)) {
            logLine("距離を置いた。");
            span = static_cast<Int16>(clampMax(span + perWeight(self.move, self.weight), 10));
        }
    }
    dspFightImage(who, "移動");
}

void Fight::runBlow(int who, int code, int& wazaPow, int& level) {
    const char* name = code == kPunch ? "パンチ" : "キック";
    log(name);
    level = Hit(who, code);
    if (level >= 1 && !checkTentou2(who, code)) {
        log("・・・命中！");
        int dmg = Damage(who, code == kPunch ? 1 : 2, wazaPow, level);
        logLine(damageText);
        logLine("ダメージは" + S(dmg));
    } else {
        logLine("かわされた！");
    }
    dspFightImage(who, name);
}

void Fight::runHazusi(int who, int& wazaPow) {
    const size_t me = static_cast<size_t>(who);
    const size_t other = static_cast<size_t>(1 - who);
    if (holding[other]) {
        int mine = fighter(who).pow + wazaPow + get2D6();
        int theirs = fighter(1 - who).pow + get2D6();
        if (mine >= theirs) {
            holding = {};
            logLine("振りほどいた。");
        } else {
            holding[me] = 0;
            logLine("力が強くて振りほどけない！");
        }
    } else if (holding[me]) {
        holding[me] = 0;
        logLine("自ら技を解いた。");
    } else {
        logLine("振りほどく動き。");
    }
    wazaPow = 0;
}

int Fight::Hit(int who, int code) {
    const int other = 1 - who;
    int hitRoll = roll2D6(rng);
    int defRoll = roll2D6(rng);
    int level = 0;
    const doll& attacker = fighter(who);
    const doll& defender = fighter(other);
    if (holding[static_cast<size_t>(who)]) {
        level = hitRoll;
    } else if (attacker.offence + hitRoll >= defender.defence + defRoll) {
        int guard = guarding[static_cast<size_t>(other)];
        if (code != kKumi && guard >= 1) {
            level = bougyo_rtn(other, hitRoll, attacker.offence, defender.defence, guard);
        } else {
            level = hitRoll;
        }
    }
    if (span >= 1) {
        logLine("・・・届かない！");
        level = 0;
    }
    return level;
}

int Fight::bougyo_rtn(int defender, int hitRoll, int offence, int defence, int guard) {
    int level = hitRoll;
    for (int i = 0; i < guard; ++i) {
        int g = roll2D6(rng);
        if (hitRoll + offence < g + defence) {
            level = 0;
            logLine("攻撃はしかし、" + nameOf(defender) + "の防御に阻まれます。");
            break;
        }
    }
    if (level > 0) {
        logLine(nameOf(defender) + "の防御をかいくぐってヒット！");
    }
    return level;
}

void Fight::checkTentou(int who) {
    const size_t me = static_cast<size_t>(who);
    const size_t other = static_cast<size_t>(1 - who);
    fallChanged[me] = -1;
    if (fallen[me]) {
        fallen[me] = 0;
        logLine(nameOf(who) + "、立ちあがりました。");
    } else {
        fallen[me] = -1;
    }
    if (grappled()) {
        if (fallen[other]) {
            fallen[other] = 0;
        } else {
            fallen[other] = -1;
            logLine(nameOf(1 - who) + "、組まれたまま転倒しました。");
        }
    }
}

bool Fight::checkTentou2(int who, int code) {
    const size_t me = static_cast<size_t>(who);
    switch (code) {
        case kPunch:
        case kKick:
            if (fallen[me] && !fallChanged[me]) {
                logLine("…転倒していては、有効な打撃が加えられません。");
                return true;
            }
            return false;
        case kMove:
            if (fallen[me]) {
                logLine("…転倒していては、移動できません。");
                return true;
            }
            return false;
        case kJump:
            if (fallen[me]) {
                logLine("…転倒していては、ジャンプできません。");
                return true;
            }
            return false;
        default:
            return false;
    }
}

}  // namespace vargo
