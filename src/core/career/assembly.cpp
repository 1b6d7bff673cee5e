#include "career/assembly.h"

#include "model/doll_parts.h"
#include "model/numbers.h"
#include "model/text_codec.h"
#include "ports/prompts.h"

namespace vargo {

const char* const Assembly::kTakeOff = "（はずす）";

const std::vector<std::string>& Assembly::kindNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n;
        n.reserve(kPartKindInfo.size());
        for (const auto& info : kPartKindInfo) {
            n.push_back(info.label);
        }
        return n;
    }();
    return names;
}

Assembly::Assembly(Game& g, Prompts& p) : game(g), prompts(p) {}

namespace {

std::string num(double x) {
    std::string s = Str(x);
    return s.substr(s[0] == ' ' ? 1 : 0);
}
std::string num(long long n) {
    return std::to_string(n);
}

void costLines(std::vector<DetailLine>& lines, const char* label, const Action& a) {
    lines.push_back({std::string(label) + "(AP)", num(static_cast<long long>(a.AP))});
    lines.push_back({std::string(label) + "(Memory)", num(static_cast<long long>(a.Memory))});
}

}  // namespace

std::vector<std::string> Assembly::dspParts(int kindNumber) const {
    std::vector<std::string> rows;
    const Owner& o = *game.owners[0];
    visitKind(partKindFromInt(kindNumber), [&]<class Part>(KindTag<Part> kind) {
        for (int slot = 0; slot < kind.info().covered; ++slot) {
            if (!isEmptyPart(o.part<Part>(slot))) {
                rows.push_back(o.part<Part>(slot)->name);
            }
        }
    });
    rows.push_back(kTakeOff);
    return rows;
}

int Assembly::ownedCount(int kindNumber) const {
    return static_cast<int>(dspParts(kindNumber).size()) - 1;
}

template <class Part>
void Assembly::showDetail(const Part& p) {
    detailTitle = p.name;
    detailLines.clear();
    if (p.name.empty()) {
        return;
    }
    detailLines.push_back({"Rl ", num(static_cast<long long>(p.Rl))});
    if constexpr (std::is_same_v<Part, Motor>) {
        detailLines.push_back({"Pow ", num(static_cast<long long>(p.pow))});
        detailLines.push_back(
            {"HP ", num(static_cast<long long>(p.HP)) + " / " + num(static_cast<long long>(p.maxHP))});
        detailLines.push_back({"weight ", num(static_cast<long long>(p.weight))});
    } else if constexpr (std::is_same_v<Part, DollFrame>) {
        for (auto [label, v] : {std::pair{"OF ", p.offence},
                                {"DF ", p.defence},
                                {"Move ", p.move},
                                {"Jump ", p.jump},
                                {"Spin ", p.spin}}) {
            detailLines.push_back({label, num(static_cast<long long>(v))});
        }
        detailLines.push_back(
            {"HP ", num(static_cast<long long>(p.HP)) + " / " + num(static_cast<long long>(p.maxHP))});
        detailLines.push_back({"weight ", num(static_cast<long long>(p.weight))});
    } else if constexpr (std::is_same_v<Part, Booster>) {
        for (auto [label, v] : {std::pair{"Move ", p.move},
                                {"Jump ", p.jump},
                                {"Spin ", p.spin},
                                {"DF ", p.defence},
                                {"HP ", p.HP},
                                {"weight ", p.weight}}) {
            detailLines.push_back({label, num(static_cast<long long>(v))});
        }
    } else if constexpr (std::is_same_v<Part, Protector>) {
        detailLines.push_back({"AC ", num(p.AC)});
        detailLines.push_back({"weight ", num(p.weight)});
    } else if constexpr (std::is_same_v<Part, Hard>) {
        detailLines.push_back({"CPU", num(static_cast<long long>(p.CPU))});
        detailLines.push_back({"Memory", num(static_cast<long long>(p.Memory))});
    } else if constexpr (std::is_same_v<Part, SoftMobile>) {
        costLines(detailLines, "Move", *p.move);
        costLines(detailLines, "Jump", *p.jump);
        costLines(detailLines, "Spin", *p.spin);
    } else if constexpr (std::is_same_v<Part, SoftAttack>) {
        costLines(detailLines, "Punch", *p.punch);
        costLines(detailLines, "Kick", *p.kick);
        costLines(detailLines, "kumi", *p.kumi);
        costLines(detailLines, "Throw", *p.drop);
        costLines(detailLines, "Lock", *p.hold);
    } else if constexpr (std::is_same_v<Part, SoftDeffence>) {
        costLines(detailLines, "Block", *p.block);
        costLines(detailLines, "Ukemi", *p.uke);
        costLines(detailLines, "Unlock", *p.hazusi);
    }
}

void Assembly::pick(int kindNumber, int row) {
    PartKind kind = partKindFromInt(kindNumber);
    const Owner& o = *game.owners[0];
    doll& d = *game.dolls[0];
    bool takeOff = row >= ownedCount(kindNumber) || row < 0;
    visitKind(kind, [&]<class Part>(KindTag<Part>) {
        if (!takeOff) {
            const std::shared_ptr<Part>& part = o.part<Part>(row);
            showDetail(*part);
            fitPart(d, part, prompts);
            return;
        }
        // Taking off boosters or plates takes them all off; the other kinds leave one empty slot.
        if constexpr (std::is_same_v<Part, Booster>) {
            removeBooster();
            return;
        }
        if constexpr (std::is_same_v<Part, Protector>) {
            removeProtect();
            return;
        }
        setDollPart(d, 0, emptyPart<Part>());
        showDetail(*dollPart<Part>(d, 0));
    });
    game.savedFlag = false;
    dspDoll();
}

const DollPanel& Assembly::dspDoll() {
    doll& d = *game.dolls[0];
    game.resetDollParam(0);
    DollPanel& p = dollPanel;
    p.name = d.name;
    p.motorName = d.Motor->name;
    p.frameName = d.frame->name;
    p.hardName = d.Hard->name;
    p.boosters.clear();
    for (int i = 0; i < doll::kBoosters; ++i) {
        if (!isEmptyPart(d.getBoost(i))) {
            p.boosters.push_back(d.getBoost(i)->name);
        }
    }
    p.protectors.clear();
    for (int i = 0; i < doll::kProtectors; ++i) {
        if (!isEmptyPart(d.getProtector(i))) {
            p.protectors.push_back(d.getProtector(i)->name);
        }
    }
    p.software.clear();
    if (!isEmptyPart(d.getSoftM(0))) {
        p.software.push_back({d.getSoftM(0)->name, 0});
    }
    if (!isEmptyPart(d.getSoftA(0))) {
        p.software.push_back({d.getSoftA(0)->name, 1});
    }
    if (!isEmptyPart(d.getSoftD(0))) {
        p.software.push_back({d.getSoftD(0)->name, 2});
    }
    p.weight = d.weight;
    p.value = d.value;
    p.Memory = d.Memory;
    p.AP = d.AP;
    p.AC = d.AC;
    p.spin = d.spin;
    p.jump = d.jump;
    p.move = d.move;
    p.defence = d.defence;
    p.offence = d.offence;
    p.pow = d.pow;
    p.dollClass = dollClassName(d.dollClass());
    if (d.frame->image == "01") {
        p.picture = "img/VARGO01S.jpg";
    } else if (d.frame->image == "02") {
        p.picture = d.isBlack() ? "img/VARGO0202S.jpg" : "img/VARGO0201S.jpg";
    }
    return p;
}

bool Assembly::programEnabled() const {
    bool kinds[3] = {false, false, false};
    for (const auto& s : dollPanel.software) {
        kinds[s.kind] = true;
    }
    return kinds[0] && kinds[1] && kinds[2] && !dollPanel.hardName.empty();
}

bool Assembly::fightEnabled() const {
    return !dollPanel.motorName.empty() && !dollPanel.frameName.empty() && !dollPanel.hardName.empty();
}

void Assembly::removeBooster() {
    game.dolls[0]->removeAllBoost();
    dollPanel.boosters.clear();
}

void Assembly::removeProtect() {
    game.dolls[0]->removeAllProtect();
    dollPanel.protectors.clear();
}

void Assembly::cmdClear() {
    forEachKind([&](auto kind) { takeOffKind(*game.dolls[0], kind.kind); });
    game.savedFlag = false;
    dspDoll();
}

bool Assembly::regist(const std::string& newName) {
    // A name the save files cannot hold would make the next save fail; refuse it here instead.
    if (!encodableInCp932(newName)) {
        prompts.msgBox("この名前には使えない文字が含まれています", BoxButtons::Ok);
        return false;
    }
    if (prompts.askOkCancel("ドールの名前を" + newName + "に変更しますか？") != kOk) {
        return false;
    }
    game.dolls[0]->name = newName;
    dollPanel.name = newName;
    game.savedFlag = false;
    return true;
}

}  // namespace vargo
