// The battle log's words for each event. Blows, throws and locks put their damage and any
// breakfall into one sentence, so the breakfall waits for the damage that follows it.

#include "battle/battle_log.h"

#include "battle/search.h"
#include "model/action.h"
#include "model/doll.h"
#include "model/numbers.h"

namespace vargo {

namespace {

const std::string kBreak = "\n";

std::string S(long long n) {
    return Str(n);
}

class LogWriter {
public:
    LogWriter(const LogContext& c, std::string& o) : context(c), out(o) {}
    void write(const FightEvent& e);

private:
    const std::string& name(int who) const { return context.dolls[static_cast<size_t>(who)]->name; }
    void line(const std::string& text) {
        out += text;
        out += kBreak;
    }
    void damage(const FightEvent& e);
    void patternEnd(const FightEvent& e);

    const LogContext& context;
    std::string& out;
    std::string ukemi;  ///< the breakfall of the damage about to be told
};

void LogWriter::write(const FightEvent& e) {
    using K = FightEventKind;
    switch (e.kind) {
        case K::Initiative:
            if (e.who == 2) {
                out += "（両者のイニシアチヴチェックは互角です）" + kBreak +
                       "極限の精神状態が生み出す緊迫した攻防！";
            }
            break;
        case K::SureHit:
            line("組んでいる状態では、100％命中します。");
            break;
        case K::Action:
            if (e.code == kPunch) {
                out += "パンチ";
            } else if (e.code == kKick) {
                out += "キック";
            }
            break;
        case K::CannotWhileDown:
            line(e.code == kMove   ? "…転倒していては、移動できません。"
                 : e.code == kJump ? "…転倒していては、ジャンプできません。"
                                   : "…転倒していては、有効な打撃が加えられません。");
            break;
        case K::Momentum:
            if (e.code == kJump) {
                out += "ジャンプで＋" + S(e.value) + "パワー";
            } else if (e.code == kSpin) {
                out += "回転で＋" + S(e.value) + "パワー";
            } else {
                line("移動しつつ勢いをつけて" + S(e.value) + "パワー");
            }
            break;
        case K::Dash:
            line(S(e.value) + "ダッシュで間合いを詰めた！");
            break;
        case K::BackAway:
            line("距離を置いた。");
            break;
        case K::MoveHeld:
            line(e.code == 0 ? "組み合ったまま移動します。"
                             : "距離を置こうとしたが、ガッチリつかまれている。");
            break;
        case K::OutOfReach:
            line("・・・届かない！");
            break;
        case K::Blocked:
            line("攻撃はしかし、" + name(e.who) + "の防御に阻まれます。");
            break;
        case K::GuardBroken:
            line(name(e.who) + "の防御をかいくぐってヒット！");
            break;
        case K::Hit:
            out += "・・・命中！";
            break;
        case K::Miss:
            line("かわされた！");
            break;
        case K::Ukemi:
            ukemi = "受身効果で" + S(e.value) + "ダメージが軽減されます。";
            break;
        case K::Damage:
            damage(e);
            break;
        case K::Grapple:
            if (e.value) {
                out += "組みついて";
            } else {
                line("組みつきに失敗。");
            }
            break;
        case K::HoldBroken:
            line("組み合っていた相手の技が外れました。");
            break;
        case K::NotHolding:
            line(e.code == kDrop ? "組んでいなければ投げられません。"
                                 : "組んでいなければ関節技も決められません。");
            break;
        case K::Guard:
            line("防御の構えです。");
            break;
        case K::Escape:
            switch (static_cast<EscapeResult>(e.code)) {
                case EscapeResult::BrokeFree:
                    line("振りほどいた。");
                    break;
                case EscapeResult::HeldFast:
                    line("力が強くて振りほどけない！");
                    break;
                case EscapeResult::LetGo:
                    line("自ら技を解いた。");
                    break;
                case EscapeResult::Nothing:
                    line("振りほどく動き。");
                    break;
            }
            break;
        case K::Fall:
            if (e.code) {
                line(name(e.who) + "、組まれたまま転倒しました。");
            }
            break;
        case K::Stand:
            if (e.code) {
                line(name(e.who) + "、立ちあがりました。");
            }
            break;
        case K::PatternEnd:
            patternEnd(e);
            break;
        default:
            break;
    }
}

void LogWriter::damage(const FightEvent& e) {
    switch (static_cast<DamageKind>(e.code)) {
        case DamageKind::Punch:
        case DamageKind::Kick:
            line(ukemi);
            line("ダメージは" + S(e.value));
            break;
        case DamageKind::Throw:
            if (e.part == 0) {
                out += "投げ！" + ukemi + kBreak + "ダメージはモーターに" + S(e.value) + "。";
            } else {
                line("フレームに" + S(e.value) + "！");
            }
            break;
        case DamageKind::Lock:
            line("間接技を極めて行きます。ダメージはフレームに" + S(e.value));
            break;
    }
    if (e.code != static_cast<int>(DamageKind::Throw) || e.part != 0) {
        ukemi.clear();
    }
}

void LogWriter::patternEnd(const FightEvent& e) {
    if (e.value == 0) {
        line("様子見です。");
        return;
    }
    const std::string& pattern =
        context.books[static_cast<size_t>(e.who)]->patterns[static_cast<size_t>(e.code)].name;
    if (e.value >= 13) {
        line("これが、これが！" + pattern + "だッ！！");
    } else {
        line("でたぁっ！" + pattern + "ッ！！！！！");
    }
}

}  // namespace

std::string battleLogText(const FightEvent* begin, const FightEvent* end, const LogContext& context) {
    std::string out;
    LogWriter w(context, out);
    for (const FightEvent* e = begin; e != end; ++e) {
        w.write(*e);
    }
    return out;
}

}  // namespace vargo
