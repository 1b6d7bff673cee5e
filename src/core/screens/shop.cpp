#include "screens/shop.h"

#include <map>

#include "model/game.h"
#include "ports/sound.h"
#include "ports/prompts.h"

namespace vargo {
namespace {

constexpr int kMotorKind = 1;
constexpr int kFrameKind = 2;
constexpr int kBoosterKind = 3;
constexpr int kProtectorKind = 4;
constexpr int kHardKind = 5;
constexpr int kSoftMKind = 6;
constexpr int kSoftAKind = 7;
constexpr int kSoftDKind = 8;

// A position outside the selector has always meant the motor.
int kindNumberOf(int position) {
    return position >= 0 && position < Shop::kKinds ? position + 1 : kMotorKind;
}

std::string cost(const ActionPtr& a) {
    return Str(static_cast<long long>(a->AP)) + "：" + Str(static_cast<long long>(a->Memory));
}

std::string num(long long n) {
    return Str(n);
}

// Every purchase is a part of its own: two copies of one catalogue entry must never share damage
// or a new/used mark, and software copies get their own action records for the same reason.
template <class Part>
std::shared_ptr<Part> freshCopy(const Part& rec) {
    auto p = std::make_shared<Part>(rec);
    p->isNew = true;
    return p;
}
ActionPtr copyAction(const ActionPtr& a) {
    return std::make_shared<Action>(*a);
}
SoftMobilePtr freshSoft(const SoftMobile& rec) {
    auto p = freshCopy(rec);
    p->move = copyAction(rec.move);
    p->jump = copyAction(rec.jump);
    p->spin = copyAction(rec.spin);
    return p;
}
SoftAttackPtr freshSoft(const SoftAttack& rec) {
    auto p = freshCopy(rec);
    p->punch = copyAction(rec.punch);
    p->kick = copyAction(rec.kick);
    p->kumi = copyAction(rec.kumi);
    p->drop = copyAction(rec.drop);
    p->hold = copyAction(rec.hold);
    return p;
}
SoftDeffencePtr freshSoft(const SoftDeffence& rec) {
    auto p = freshCopy(rec);
    p->block = copyAction(rec.block);
    p->uke = copyAction(rec.uke);
    p->hazusi = copyAction(rec.hazusi);
    return p;
}

template <class Part>
void listSlots(std::array<std::vector<InventoryRow>, 2>& lists, int kindNumber, int count,
               const Part& getter) {
    for (int i = 0; i < count; ++i) {
        const auto& part = getter(i);
        if (isEmptyPart(part)) {
            continue;
        }
        lists[part->isNew ? Shop::kNewList : Shop::kUsedList].push_back(
            {part->name, kindNumber * 1000 + part->ID});
    }
}

const std::string kLineIntro[] = {
    "　ここでDollのパーツを買います。", "",
    "　Dollには最低でも、モーター、フレーム、ハードウェア、ソフトウェアが必要です。",
    "　コンボでパーツの種類を選択し、リストからパーツを選んで下さい。"};
const char* const kSoftLine =
    "数値は使用行動ポイント：使用メモリを表し、"
    "使用行動ポイントの数値が小さいほど複雑な技を出せ、"
    "使用メモリの数値が小さいほど多彩な技を出せる事になります。";

std::string lines(std::initializer_list<std::string> ls) {
    std::string out;
    for (const auto& l : ls) {
        out += l + "\n";
    }
    return out;
}

}  // namespace

const std::array<const char*, Shop::kKinds>& Shop::kindLabels() {
    static const std::array<const char*, kKinds> labels = {
        "モーター",     "フレーム",       "ブースター",     "プロテクタ",
        "コンピュータ", "ソフト（移動）", "ソフト（攻撃）", "ソフト（防御）"};
    return labels;
}

std::string Shop::headerHelp(const std::string& header) {
    static const std::map<std::string, std::string> texts = {
        {"Rl", "値段"},
        {"Pow", "パワー：相手に与えるダメージの他、組みついた時の強さに影響します"},
        {"Offence", "攻撃力：値が大きいほど攻撃が当たりやすくなります"},
        {"Defence", "防御力：値が大きいほど攻撃が当たりにくくなります"},
        {"Move", "移動力：移動の効果が大きくなります"},
        {"Jump", "ジャンプ力：ジャンプ攻撃のダメージが大きくなります"},
        {"Spin", "回転力：回転攻撃のダメージが大きくなります"},
        {"AC", "アーマークラス：ダメージが軽減されます"},
        {"CPU", "CPU処理能力：値が大きいほど派手な技が繰り出せます"},
        {"Memory", "メモリ：値が大きいほど多彩な技が繰り出せます"},
        {"weight", "重量：軽いほど移動やジャンプ、回転力が上がります"},
        {"HP", "ヒットポイント：パーツの丈夫さです"},
    };
    auto it = texts.find(header);
    return it == texts.end() ? std::string() : it->second;
}

std::string Shop::kindGuide(int position) {
    switch (kindNumberOf(position)) {
        case kMotorKind:
            return lines({"モーターはパワーを扱うパーツです。",
                          "Powの数値が高いほど、攻撃が当たった時の効果が大きくなります。▼"});
        case kFrameKind:
            return lines({"フレームは攻撃の命中率、回避率、場合によっては機動力も扱うパーツです。",
                          "数値が高いほど能力が優れている事になります。▼"});
        case kBoosterKind:
            return lines(
                {"ブースターは移動力、ジャンプ力、回転力など機動力を扱うパーツです。",
                 "「ジャンプ＋回転＋キック」などを行う場合、これらの数値が高いほど効果が大きくなります。▼"});
        case kProtectorKind:
            return lines({"プロテクタは防御力を扱うパーツです。",
                          "AC=ArmorClassの数値が高いほどダメージが軽減されます。▼"});
        case kHardKind:
            return lines({"コンピュータはDollの技を管理します。",
                          "CPUの数値が高いほど１ターンの間に複雑な技を出す事ができ、Memoryの数値が高いほど多"
                          "彩な技を持てます。▼"});
        case kSoftMKind:
            return lines({"ソフトウェアはDollの技を管理します。", kSoftLine,
                          "例えば移動を多用するDollを作るなら、Moveの数値が小さいソフトを用意すべきです。▼"});
        case kSoftAKind:
            return lines(
                {kSoftLine,
                 "例えばキックを多用するDollを作るなら、Kickの数値が小さいソフトを用意すべきです。▼"});
        default:
            return lines(
                {kSoftLine,
                 "例えば受身を多用するDollを作るなら、Ukemiの数値が小さいソフトを用意すべきです。▼"});
    }
}

Shop::Shop(Game& g, CatalogueReader& catalogue, Prompts& p, Sound* sound) : game(g), prompts(p) {
    if (game.playMusic && sound) {
        sound->playMusic("jzz33xg", true);
    }
    motors = catalogue.ld_AllMotors();
    frames = catalogue.ld_AllFrame();
    softMs = catalogue.ld_AllSoftM();
    softAs = catalogue.ld_AllSoftA();
    softDs = catalogue.ld_AllSoftD();
    boosters = catalogue.ld_AllBooster();
    protectors = catalogue.ld_AllProtector();
    hards = catalogue.ld_AllHard();
    dsp_Parts(0);
    dspInit();
    if (game.guideOn) {
        std::string intro;
        for (const auto& l : kLineIntro) {
            intro += l + "\n";
        }
        showGuide(intro);
        motorPagePending = true;
    } else {
        guideShown = false;
    }
}

void Shop::dsp_Parts(int position) {
    kindPos = position;
    rows.clear();
    columnTips.clear();
    const int kindNumber = kindNumberOf(position);
    auto add = [&](int id, const std::string& name, std::vector<std::string> values) {
        rows.push_back({id, name, std::move(values)});
    };
    for (int id = kFirstOffered; id <= kLastOffered; ++id) {
        switch (kindNumber) {
            case kMotorKind:
                if (auto m = motors.get(id)) {
                    add(id, m->name, {num(m->Rl), num(m->pow), num(m->HP), num(m->weight)});
                }
                break;
            case kFrameKind:
                if (auto f = frames.get(id)) {
                    add(id, f->name,
                        {num(f->Rl), num(f->offence), num(f->defence), num(f->move), num(f->jump),
                         num(f->spin), num(f->HP), num(f->weight)});
                }
                break;
            case kBoosterKind:
                if (auto b = boosters.get(id)) {
                    add(id, b->name,
                        {num(b->Rl), num(b->move), num(b->jump), num(b->spin), num(b->HP), num(b->weight)});
                }
                break;
            case kProtectorKind:
                if (auto pr = protectors.get(id)) {
                    add(id, pr->name, {num(pr->Rl), Str(pr->AC), Str(pr->weight)});
                }
                break;
            case kHardKind:
                if (auto h = hards.get(id)) {
                    add(id, h->name, {num(h->Rl), num(h->CPU), num(h->Memory)});
                }
                break;
            case kSoftMKind:
                if (auto s = softMs.get(id)) {
                    add(id, s->name, {num(s->Rl), cost(s->move), cost(s->jump), cost(s->spin)});
                }
                break;
            case kSoftAKind:
                if (auto s = softAs.get(id)) {
                    add(id, s->name,
                        {num(s->Rl), cost(s->punch), cost(s->kick), cost(s->kumi), cost(s->drop),
                         cost(s->hold)});
                }
                break;
            default:
                if (auto s = softDs.get(id)) {
                    add(id, s->name, {num(s->Rl), cost(s->block), cost(s->uke), cost(s->hazusi)});
                }
                break;
        }
    }
    switch (kindNumber) {
        case kMotorKind:
            columnHeaders = {"Name", "Rl", "Pow", "HP", "weight"};
            break;
        case kFrameKind:
            columnHeaders = {"Name", "Rl", "Offence", "Defence", "Move", "Jump", "Spin", "HP", "weight"};
            break;
        case kBoosterKind:
            columnHeaders = {"Name", "Rl", "Move", "Jump", "Spin", "HP", "weight"};
            break;
        case kProtectorKind:
            columnHeaders = {"Name", "Rl", "AC", "weight"};
            break;
        case kHardKind:
            columnHeaders = {"Name", "Rl", "CPU", "Memory"};
            break;
        case kSoftMKind:
            columnHeaders = {"Name", "Rl", "Move", "Jump", "Spin"};
            columnTips = {"", "", "移動", "ジャンプ", "回転"};
            break;
        case kSoftAKind:
            columnHeaders = {"Name", "Rl", "Punch", "Kick", "Rock", "Flip", "Hold"};
            columnTips = {"", "", "パンチ", "キック", "組み", "投げ", "折り"};
            break;
        default:
            columnHeaders = {"Name", "Rl", "Defence", "Ukemi", "Unlock"};
            columnTips = {"", "", "防御", "受身", "外し"};
            break;
    }
    columnTips.resize(columnHeaders.size());
    showGuide(kindGuide(position));
}

void Shop::dspInit() {
    lists[0].clear();
    lists[1].clear();
    const Owner& o = game.owner();
    listSlots(lists, kMotorKind, Owner::kSmallSlots, [&](int i) { return o.getMotor(i); });
    listSlots(lists, kFrameKind, Owner::kSmallSlots, [&](int i) { return o.getFrame(i); });
    listSlots(lists, kBoosterKind, Owner::kBoosterFillable, [&](int i) { return o.getBooster(i); });
    listSlots(lists, kProtectorKind, Owner::kProtectorFillable, [&](int i) { return o.getProtector(i); });
    listSlots(lists, kHardKind, Owner::kSmallSlots, [&](int i) { return o.getHard(i); });
    listSlots(lists, kSoftMKind, Owner::kSmallSlots, [&](int i) { return o.getSoftM(i); });
    listSlots(lists, kSoftAKind, Owner::kSmallSlots, [&](int i) { return o.getSoftA(i); });
    listSlots(lists, kSoftDKind, Owner::kSmallSlots, [&](int i) { return o.getSoftD(i); });
}

const std::vector<InventoryRow>& Shop::inventory(int list) const {
    return lists.at(list == kNewList ? 1 : 0);
}

std::string Shop::moneyText() const {
    return Str(static_cast<long long>(game.owner().Rl));
}

int Shop::priceOf(int kindNumber, int id) const {
    auto rl = [](const auto& part) { return part ? static_cast<int>(part->Rl) : 0; };
    switch (kindNumber) {
        case kMotorKind:
            return rl(motors.get(id));
        case kFrameKind:
            return rl(frames.get(id));
        case kBoosterKind:
            return rl(boosters.get(id));
        case kProtectorKind:
            return rl(protectors.get(id));
        case kHardKind:
            return rl(hards.get(id));
        case kSoftMKind:
            return rl(softMs.get(id));
        case kSoftAKind:
            return rl(softAs.get(id));
        default:
            return rl(softDs.get(id));
    }
}

int Shop::getRl(int row) const {
    if (row < 0 || row >= static_cast<int>(rows.size())) {
        return 0;
    }
    return priceOf(kindNumberOf(kindPos), rows[static_cast<size_t>(row)].id);
}

void Shop::clickOffered(int row) {
    if (row < 0 || row >= static_cast<int>(rows.size())) {
        return;
    }
    const OfferedRow& r = rows[static_cast<size_t>(row)];
    if (getRl(row) > game.owner().Rl) {
        prompts.msgBox("お金が足りません");
        return;
    }
    if (prompts.askOkCancelTitled("購入しますか？", r.name) == kOk) {
        buy_rtn(kindPos, r.id);
    }
}

template <class Part>
bool Shop::place(const std::shared_ptr<Part>& part, int kindNumber, int id) {
    Owner& o = game.owner();
    bool placed = false;
    if constexpr (std::is_same_v<Part, Motor>) {
        placed = o.setMotor(part);
    } else if constexpr (std::is_same_v<Part, DollFrame>) {
        placed = o.setFrame(part);
    } else if constexpr (std::is_same_v<Part, Booster>) {
        placed = o.setBooster(part);
    } else if constexpr (std::is_same_v<Part, Protector>) {
        placed = o.setProtector(part);
    } else if constexpr (std::is_same_v<Part, Hard>) {
        placed = o.setHard(part);
    } else if constexpr (std::is_same_v<Part, SoftMobile>) {
        placed = o.setSoftM(part);
    } else if constexpr (std::is_same_v<Part, SoftAttack>) {
        placed = o.setSoftA(part);
    } else {
        placed = o.setSoftD(part);
    }
    if (!placed) {
        prompts.msgBox("これ以上買えません");
        return false;
    }
    addClamped(o.Rl, -static_cast<long long>(part->Rl));
    if constexpr (std::is_same_v<Part, Motor> || std::is_same_v<Part, DollFrame>) {
        part->maxHP = part->HP;
    }
    lists[kNewList].push_back({part->name, kindNumber * 1000 + id});
    return true;
}

bool Shop::buy_rtn(int position, int id) {
    const int kindNumber = kindNumberOf(position);
    switch (kindNumber) {
        case kMotorKind:
            if (auto m = motors.get(id)) {
                return place(freshCopy(*m), kindNumber, id);
            }
            return false;
        case kFrameKind:
            if (auto f = frames.get(id)) {
                return place(freshCopy(*f), kindNumber, id);
            }
            return false;
        case kBoosterKind:
            if (auto b = boosters.get(id)) {
                return place(freshCopy(*b), kindNumber, id);
            }
            return false;
        case kProtectorKind:
            if (auto pr = protectors.get(id)) {
                auto copy = pr->clone();
                int n = game.owner().countProtector(id);
                if (n > 0) {
                    copy->name += std::to_string(n);
                }
                return place(copy, kindNumber, id);
            }
            return false;
        case kHardKind:
            if (auto h = hards.get(id)) {
                return place(freshCopy(*h), kindNumber, id);
            }
            return false;
        case kSoftMKind:
            if (auto s = softMs.get(id)) {
                return place(freshSoft(*s), kindNumber, id);
            }
            return false;
        case kSoftAKind:
            if (auto s = softAs.get(id)) {
                return place(freshSoft(*s), kindNumber, id);
            }
            return false;
        default:
            if (auto s = softDs.get(id)) {
                return place(freshSoft(*s), kindNumber, id);
            }
            return false;
    }
}

void Shop::clickInventory(int list, int row) {
    const auto& l = inventory(list);
    if (row < 0 || row >= static_cast<int>(l.size())) {
        return;
    }
    const InventoryRow& r = l[static_cast<size_t>(row)];
    const int kindNumber = r.tag / 1000;
    if (kindNumber < kMotorKind || kindNumber > kSoftDKind) {
        prompts.msgBox("パーツが見つかりません");
        return;
    }
    long long price = priceOf(kindNumber, r.tag - kindNumber * 1000);
    if (list == kUsedList) {
        price = roundHalfEven(static_cast<double>(price) / 2.0);
    }
    std::string msg = r.name + "（" + Str(price) + "Rl）\n返品しますか？";
    if (prompts.askOkCancel(msg) == kOk) {
        sel_rtn(row, list);
    }
}

void Shop::sel_rtn(int row, int list) {
    auto& l = lists.at(list == kNewList ? 1 : 0);
    if (row < 0 || row >= static_cast<int>(l.size())) {
        return;
    }
    const int tag = l[static_cast<size_t>(row)].tag;
    const int kindNumber = tag / 1000;
    if (kindNumber < kMotorKind || kindNumber > kSoftDKind) {
        return;
    }
    const int id = tag - kindNumber * 1000;
    const int price = priceOf(kindNumber, id);
    Owner& o = game.owner();
    // Money is capped at 32767 rather than wrapping round to a debt.
    if (list == kNewList) {
        addClamped(o.Rl, price);
    } else {
        long long sum = roundHalfEven(static_cast<double>(o.Rl) + static_cast<double>(price) / 2.0);
        addClamped(o.Rl, sum - o.Rl);
    }
    takeOffDoll(kindNumber);
    removeOwned(kindNumber, id, list == kNewList);
    l.erase(l.begin() + row);
}

void Shop::takeOffDoll(int kindNumber) {
    doll& d = game.theDoll();
    switch (kindNumber) {
        case kMotorKind:
            d.Motor = emptyPart<Motor>();
            break;
        case kFrameKind:
            d.frame = emptyPart<DollFrame>();
            break;
        case kBoosterKind:
            d.removeAllBoost();
            break;
        case kProtectorKind:
            d.removeAllProtect();
            break;
        case kHardKind:
            d.Hard = emptyPart<Hard>();
            d.programed = false;
            break;
        case kSoftMKind:
            d.setSoftM(0, emptyPart<SoftMobile>());
            d.programed = false;
            break;
        case kSoftAKind:
            d.setSoftA(0, emptyPart<SoftAttack>());
            d.programed = false;
            break;
        default:
            d.setSoftD(0, emptyPart<SoftDeffence>());
            d.programed = false;
            break;
    }
}

void Shop::removeOwned(int kindNumber, int id, bool isNew) {
    Owner& o = game.owner();
    switch (kindNumber) {
        case kMotorKind:
            o.removeMotor(id, isNew);
            break;
        case kFrameKind:
            o.removeFrame(id, isNew);
            break;
        case kBoosterKind:
            o.removeBoost(id, isNew);
            break;
        case kProtectorKind:
            o.removeProtect(id, isNew);
            break;
        case kHardKind:
            o.removeHard(id, isNew);
            break;
        case kSoftMKind:
            o.removeSoftM(id, isNew);
            break;
        case kSoftAKind:
            o.removeSoftA(id, isNew);
            break;
        default:
            o.removeSoftD(id, isNew);
            break;
    }
}

void Shop::showGuide(const std::string& text) {
    guideShown = game.guideOn;
    if (guideShown) {
        guide = text;
    }
}

void Shop::guideClicked() {
    if (motorPagePending) {
        showGuide(kindGuide(0));
        motorPagePending = false;
    } else {
        guideShown = false;
    }
}

void Shop::hoverHeader(int column) {
    if (column < 0 || column >= static_cast<int>(columnHeaders.size())) {
        return;
    }
    // The action columns of software share captions with part columns ("Move", "Defence") but
    // have no help of their own: their tool tips name the action instead.
    const int kindNumber = kindNumberOf(kindPos);
    if (kindNumber >= kSoftMKind && column >= 2) {
        help.clear();
        return;
    }
    help = headerHelp(columnHeaders[static_cast<size_t>(column)]);
}

void Shop::hoverValues() {
    if (kindPos >= 5 && kindPos <= 7) {
        help = "使用行動ポイント：メモリ：小さいほど多くの技が出せます";
    }
}

}  // namespace vargo
