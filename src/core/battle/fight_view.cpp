#include "battle/fight_view.h"

#include <cstring>

namespace vargo {

namespace {
std::string S(long long n) {
    return Str(n);
}
long long perWeight(int ability, double weight) {
    return weight > 0 ? Int(ability / weight) : 0;
}
const doll& dollOf(const Fight& f, int i) {
    return f.fighter(i);
}
const std::string kLb = "\n";
}  // namespace

std::string ablTitles() {
    return "POW\nOF\nDF\n\nmove\njump\nspin\n\nAC\nweight\nAP\nMemory\n\nvalue";
}

std::string dspName(const Fight& f, int i) {
    return dollOf(f, i).name;
}

std::string dspAbl(const Fight& f, int i) {
    const doll& d = dollOf(f, i);
    const std::string& lb = kLb;
    return S(d.pow) + lb + S(d.offence) + lb + S(d.defence) + lb + lb + S(perWeight(d.move, d.weight)) + lb +
           S(perWeight(d.jump, d.weight)) + lb + S(perWeight(d.spin, d.weight)) + lb + lb + Str(d.AC) + lb +
           Str(d.weight) + lb + S(d.AP) + lb + S(d.Memory) + lb + lb + S(d.value);
}

std::string dspHP(const Fight& f, int i) {
    return dspHP(f.screen(), i);
}

std::string dspHP(const FightScreen& s, int i) {
    const size_t k = static_cast<size_t>(i);
    return "Motor:" + kLb + S(s.motorHP[k]) + kLb + "Frame:" + kLb + S(s.frameHP[k]);
}

std::string dspJoutai(const Fight& f, int i) {
    const FightScreen& v = f.screen();
    std::string s;
    if (v.holding[static_cast<size_t>(1 - i)]) {
        s += "組まれている" + kLb;
    }
    if (v.fallen[static_cast<size_t>(i)]) {
        s += "転倒している" + kLb;
    }
    return s;
}

std::string dspSpan(const Fight& f) {
    return "距離　" + S(f.screen().span);
}

HpBar barHP(const Fight& f, int bar) {
    return barHP(f.screen(), bar);
}

HpBar barHP(const FightScreen& s, int bar) {
    const int who = bar % 2;
    const size_t k = static_cast<size_t>(who);
    const int hp = bar < 2 ? s.motorHP[k] : s.frameHP[k];
    HpBar b;
    // A destroyed part shows an empty bar rather than one of negative width.
    b.width = hp > 0 ? 20 * hp : 0;
    if (who == 1) {
        b.rightAligned = true;
        b.left = 9500 - b.width;
    }
    return b;
}

int poseColumn(const char* action) {
    if (std::strcmp(action, "回転") == 0) {
        return kSpinPose;
    }
    if (std::strcmp(action, "パンチ") == 0) {
        return kPunchPose;
    }
    if (std::strcmp(action, "キック") == 0) {
        return kKickPose;
    }
    if (std::strcmp(action, "組み") == 0 || std::strcmp(action, "防御") == 0) {
        return kGrapplePose;
    }
    return kStand;
}

std::array<FighterSprite, 2> scene(const Fight& fight, const FightPicture* shown) {
    const FightScreen& f = fight.screen();
    std::array<FighterSprite, 2> s;
    s[0].x = f.grappled() ? 220 : 220 - 10 * f.span;
    s[1].x = 240 + 10 * f.span;
    for (int i = 0; i < 2; ++i) {
        FighterSprite& sp = s[static_cast<size_t>(i)];
        sp.row = 240 * i;
        if (f.fallen[static_cast<size_t>(i)]) {
            sp.column = kDown;
        } else if (f.grappled()) {
            sp.column = kGrapplePose;
        } else if (shown && shown->fighter == i) {
            sp.column = poseColumn(shown->action);
        } else {
            sp.column = kStand;
        }
    }
    return s;
}

SpriteFiles spriteFiles(const std::string& image) {
    if (image == "01") {
        return {"\\img\\VARGO01.jpg", "\\img\\VARGO01M.jpg"};
    }
    if (image == "0202") {
        return {"\\img\\VARGO0202.jpg", "\\img\\VARGO02M.jpg"};
    }
    return {"\\img\\VARGO0201.jpg", "\\img\\VARGO02M.jpg"};
}

}  // namespace vargo
