#include "screens/shop.h"

#include <map>
#include <optional>

#include "model/doll_parts.h"
#include "model/game.h"
#include "ports/prompts.h"
#include "ports/sound.h"

namespace vargo {
namespace {

std::string cost(const ActionPtr& a) {
    return Str(static_cast<long long>(a->AP)) + "：" + Str(static_cast<long long>(a->Memory));
}

std::string num(long long n) {
    return Str(n);
}

// Every purchase is a part of its own: two copies of one catalogue entry must never share damage
// or a new/used mark, and software copies get their own action records for the same reason.
template <class Part>
std::shared_ptr<Part> copyOf(const Part& rec) {
    auto p = std::make_shared<Part>(rec);
    p->isNew = true;
    return p;
}
ActionPtr copyAction(const ActionPtr& a) {
    return std::make_shared<Action>(*a);
}
template <class Part>
std::shared_ptr<Part> freshCopy(const Part& rec) {
    return copyOf(rec);
}
ProtectorPtr freshCopy(const Protector& rec) {
    return rec.clone();
}
SoftMobilePtr freshCopy(const SoftMobile& rec) {
    auto p = copyOf(rec);
    p->move = copyAction(rec.move);
    p->jump = copyAction(rec.jump);
    p->spin = copyAction(rec.spin);
    return p;
}
SoftAttackPtr freshCopy(const SoftAttack& rec) {
    auto p = copyOf(rec);
    p->punch = copyAction(rec.punch);
    p->kick = copyAction(rec.kick);
    p->kumi = copyAction(rec.kumi);
    p->drop = copyAction(rec.drop);
    p->hold = copyAction(rec.hold);
    return p;
}
SoftDeffencePtr freshCopy(const SoftDeffence& rec) {
    auto p = copyOf(rec);
    p->block = copyAction(rec.block);
    p->uke = copyAction(rec.uke);
    p->hazusi = copyAction(rec.hazusi);
    return p;
}

// The value columns of an offered row, Rl first, in the order of the kind's headers.
std::vector<std::string> offeredValues(const Motor& m) {
    return {num(m.Rl), num(m.pow), num(m.HP), num(m.weight)};
}
std::vector<std::string> offeredValues(const DollFrame& f) {
    return {num(f.Rl),   num(f.offence), num(f.defence), num(f.move),
            num(f.jump), num(f.spin),    num(f.HP),      num(f.weight)};
}
std::vector<std::string> offeredValues(const Booster& b) {
    return {num(b.Rl), num(b.move), num(b.jump), num(b.spin), num(b.HP), num(b.weight)};
}
std::vector<std::string> offeredValues(const Protector& p) {
    return {num(p.Rl), Str(p.AC), Str(p.weight)};
}
std::vector<std::string> offeredValues(const Hard& h) {
    return {num(h.Rl), num(h.CPU), num(h.Memory)};
}
std::vector<std::string> offeredValues(const SoftMobile& s) {
    return {num(s.Rl), cost(s.move), cost(s.jump), cost(s.spin)};
}
std::vector<std::string> offeredValues(const SoftAttack& s) {
    return {num(s.Rl), cost(s.punch), cost(s.kick), cost(s.kumi), cost(s.drop), cost(s.hold)};
}
std::vector<std::string> offeredValues(const SoftDeffence& s) {
    return {num(s.Rl), cost(s.block), cost(s.uke), cost(s.hazusi)};
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

// How the shop shows a kind: its column captions, the action names over software columns, the
// guide page. One entry per kind, in PartKind order.
struct ShopKind {
    std::vector<std::string> headers;
    std::vector<std::string> tips;
    std::string guide;
};

const std::array<ShopKind, kPartKinds>& shopKinds() {
    static const std::array<ShopKind, kPartKinds> kinds = {{
        {// motor
         {"Name", "Rl", "Pow", "HP", "weight"},
         {},
         lines({"モーターはパワーを扱うパーツです。",
                "Powの数値が高いほど、攻撃が当たった時の効果が大きくなります。▼"})},
        {// frame
         {"Name", "Rl", "Offence", "Defence", "Move", "Jump", "Spin", "HP", "weight"},
         {},
         lines({"フレームは攻撃の命中率、回避率、場合によっては機動力も扱うパーツです。",
                "数値が高いほど能力が優れている事になります。▼"})},
        {// booster
         {"Name", "Rl", "Move", "Jump", "Spin", "HP", "weight"},
         {},
         lines({"ブースターは移動力、ジャンプ力、回転力など機動力を扱うパーツです。",
                "「ジャンプ＋回転＋キック」などを行う場合、これらの数値が高いほど効果が大きくなります。▼"})},
        {// protector
         {"Name", "Rl", "AC", "weight"},
         {},
         lines({"プロテクタは防御力を扱うパーツです。",
                "AC=ArmorClassの数値が高いほどダメージが軽減されます。▼"})},
        {// computer
         {"Name", "Rl", "CPU", "Memory"},
         {},
         lines({"コンピュータはDollの技を管理します。",
                "CPUの数値が高いほど１ターンの間に複雑な技を出す事ができ、Memoryの数値が高いほど多"
                "彩な技を持てます。▼"})},
        {// movement software
         {"Name", "Rl", "Move", "Jump", "Spin"},
         {"", "", "移動", "ジャンプ", "回転"},
         lines({"ソフトウェアはDollの技を管理します。", kSoftLine,
                "例えば移動を多用するDollを作るなら、Moveの数値が小さいソフトを用意すべきです。▼"})},
        {// attack software
         {"Name", "Rl", "Punch", "Kick", "Rock", "Flip", "Hold"},
         {"", "", "パンチ", "キック", "組み", "投げ", "折り"},
         lines({kSoftLine,
                "例えばキックを多用するDollを作るなら、Kickの数値が小さいソフトを用意すべきです。▼"})},
        {// defence software
         {"Name", "Rl", "Defence", "Ukemi", "Unlock"},
         {"", "", "防御", "受身", "外し"},
         lines({kSoftLine,
                "例えば受身を多用するDollを作るなら、Ukemiの数値が小さいソフトを用意すべきです。▼"})},
    }};
    return kinds;
}

const ShopKind& shopKind(PartKind kind) {
    return shopKinds()[static_cast<size_t>(kind)];
}

}  // namespace

const std::array<const char*, Shop::kKinds>& Shop::kindLabels() {
    static const std::array<const char*, kKinds> labels = [] {
        std::array<const char*, kKinds> l{};
        for (const auto& info : kPartKindInfo) {
            l[static_cast<size_t>(info.kind)] = info.label;
        }
        return l;
    }();
    return labels;
}

std::optional<std::pair<PartKind, int>> Shop::partOfTag(int tag) {
    const int kindNumber = tag / 1000;
    if (kindNumber < 1 || kindNumber > kPartKinds) {
        return std::nullopt;
    }
    return std::pair{static_cast<PartKind>(kindNumber - 1), tag - kindNumber * 1000};
}

int Shop::tagOf(PartKind kind, int id) {
    return (static_cast<int>(kind) + 1) * 1000 + id;
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

std::string Shop::kindGuide(PartKind kind) {
    return shopKind(kind).guide;
}

namespace {

PerKind<CatalogueTable> loadTables(CatalogueReader& catalogue) {
    PerKind<CatalogueTable> tables;
    forEachKind([&]<class Part>(KindTag<Part>) {
        std::get<CatalogueTable<Part>>(tables) = catalogue.loadAll<Part>();
    });
    return tables;
}

}  // namespace

Shop::Shop(Game& g, CatalogueReader& catalogue, Prompts& p, Sound* sound)
    : Shop(g, loadTables(catalogue), p, sound) {}

Shop::Shop(Game& g, const PerKind<CatalogueTable>& tables, Prompts& p, Sound* sound)
    : game(g), prompts(p), catalogues(tables) {
    if (game.playMusic && sound && !sound->playMusic("jzz33xg", true)) {
        tellCannotPlay(prompts, game.cannotPlayTold);
    }
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
    // A position outside the selector has always meant the motor.
    const PartKind kind = partKindFromInt(position);
    kindPos = position;
    rows.clear();
    visitKind(kind, [&]<class Part>(KindTag<Part>) {
        for (int id = kFirstOffered; id <= kLastOffered; ++id) {
            if (auto part = table<Part>().get(id)) {
                rows.push_back({id, part->name, offeredValues(*part)});
            }
        }
    });
    columnHeaders = shopKind(kind).headers;
    columnTips = shopKind(kind).tips;
    columnTips.resize(columnHeaders.size());
    showGuide(kindGuide(kind));
}

void Shop::dspInit() {
    lists[0].clear();
    lists[1].clear();
    const Owner& o = game.owner();
    forEachKind([&]<class Part>(KindTag<Part> kind) {
        for (int i = 0; i < kind.info().fillable; ++i) {
            const auto& part = o.part<Part>(i);
            if (!isEmptyPart(part)) {
                lists[part->isNew ? kNewList : kUsedList].push_back({part->name, tagOf(kind.kind, part->ID)});
            }
        }
    });
}

const std::vector<InventoryRow>& Shop::inventory(int list) const {
    return lists.at(list == kNewList ? 1 : 0);
}

std::string Shop::moneyText() const {
    return Str(static_cast<long long>(game.owner().Rl));
}

int Shop::priceOf(PartKind kind, int id) const {
    return visitKind(kind, [&]<class Part>(KindTag<Part>) {
        auto part = table<Part>().get(id);
        return part ? static_cast<int>(part->Rl) : 0;
    });
}

int Shop::getRl(int row) const {
    if (row < 0 || row >= static_cast<int>(rows.size())) {
        return 0;
    }
    return priceOf(partKindFromInt(kindPos), rows[static_cast<size_t>(row)].id);
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
bool Shop::place(const std::shared_ptr<Part>& part, int id) {
    Owner& o = game.owner();
    if (!o.add(part)) {
        prompts.msgBox("これ以上買えません");
        return false;
    }
    addClamped(o.Rl, -static_cast<long long>(part->Rl));
    if constexpr (requires { part->maxHP; }) {
        part->maxHP = part->HP;
    }
    lists[kNewList].push_back({part->name, tagOf(kindOf<Part>, id)});
    return true;
}

bool Shop::buy_rtn(int position, int id) {
    return visitKind(partKindFromInt(position), [&]<class Part>(KindTag<Part>) {
        auto rec = table<Part>().get(id);
        if (!rec) {
            return false;
        }
        auto copy = freshCopy(*rec);
        if constexpr (std::is_same_v<Part, Protector>) {
            // Plates of one kind are told apart by the count already owned after the name.
            int n = game.owner().countProtector(id);
            if (n > 0) {
                copy->name += std::to_string(n);
            }
        }
        return place(copy, id);
    });
}

void Shop::clickInventory(int list, int row) {
    const auto& l = inventory(list);
    if (row < 0 || row >= static_cast<int>(l.size())) {
        return;
    }
    const InventoryRow& r = l[static_cast<size_t>(row)];
    auto part = Shop::partOfTag(r.tag);
    if (!part) {
        prompts.msgBox("パーツが見つかりません");
        return;
    }
    long long price = priceOf(part->first, part->second);
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
    auto part = Shop::partOfTag(l[static_cast<size_t>(row)].tag);
    if (!part) {
        return;
    }
    const auto [kind, id] = *part;
    const int price = priceOf(kind, id);
    Owner& o = game.owner();
    // Money is capped at 32767 rather than wrapping round to a debt.
    if (list == kNewList) {
        addClamped(o.Rl, price);
    } else {
        long long sum = roundHalfEven(static_cast<double>(o.Rl) + static_cast<double>(price) / 2.0);
        addClamped(o.Rl, sum - o.Rl);
    }
    takeOffDoll(kind);
    visitKind(kind, [&, id = id]<class Part>(KindTag<Part>) { o.remove<Part>(id, list == kNewList); });
    l.erase(l.begin() + row);
}

void Shop::takeOffDoll(PartKind kind) {
    doll& d = game.theDoll();
    takeOffKind(d, kind);
    if (kindInfo(kind).carriesProgram) {
        d.programed = false;
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
        showGuide(kindGuide(PartKind::Motor));
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
    if (isSoftware(partKindFromInt(kindPos)) && column >= 2) {
        help.clear();
        return;
    }
    help = headerHelp(columnHeaders[static_cast<size_t>(column)]);
}

void Shop::hoverValues() {
    if (isSoftware(partKindFromInt(kindPos))) {
        help = "使用行動ポイント：メモリ：小さいほど多くの技が出せます";
    }
}

}  // namespace vargo
