#include "screens/program.h"

#include <cstdlib>

#include "model/game.h"
#include "model/text_codec.h"
#include "ports/prompts.h"

namespace vargo {
namespace {

struct ActionInfo {
    const char* frame;
    const char* help;
};

const ActionInfo kInfo[ProgramEditor::kActions] = {
    {"frmMove", "接近・離脱に使う他、移動攻撃により攻撃力が上がります"},
    {"frmJump", "ジャンプ後に攻撃すると、攻撃力が上がります"},
    {"frmSpin", "立ち上がるのに使う他、回転攻撃により攻撃力が上がります"},
    {"frmPunch", "パンチ"},
    {"frmKick", "パンチよりも与えるダメージが大きくなります"},
    {"frmLock", "組むと攻撃が100%当たるようになります。組まないと投げや折りはできません"},
    {"frmDrop", "相手のモーターとフレームにダメージを与えます。組まないと投げられません"},
    {"frmHold", "相手のフレームに確実にダメージを与えます。組まないと折りはできません"},
    {"frmBlock", "相手の攻撃に備えます"},
    {"frmUke", "ダメージが軽減されます"},
    {"frmUnlock", "組まれていたら外します。"},
};

bool validId(int id) {
    return id >= 1 && id <= ProgramEditor::kActions;
}

int idOfName(const std::string& name) {
    for (int id = 1; id <= ProgramEditor::kActions; ++id) {
        if (vargo::actionName(id) == name) {
            return id;
        }
    }
    return 0;
}

// A label's number; an empty label counts 0.
double labelValue(const std::string& s) {
    return s.empty() ? 0.0 : std::strtod(s.c_str(), nullptr);
}

void stamp(const ActionPtr& a, int id) {
    a->ID = static_cast<Int16>(id);
    a->name = vargo::actionName(id);
}

}  // namespace

const std::string& ProgramEditor::actionName(int id) {
    return vargo::actionName(id);
}

std::string ProgramEditor::actionHelp(int id) {
    return validId(id) ? kInfo[id - 1].help : std::string();
}

std::string ProgramEditor::frameHelp(int id) {
    if (id == kHazusi) {
        return "組まれていたら外します";
    }
    return actionHelp(id);
}

const char* ProgramEditor::frameName(int id) {
    return validId(id) ? kInfo[id - 1].frame : "";
}

ProgramEditor::ProgramEditor(Game& g, Prompts& p) : game(g), prompts(p), d(g.theDoll()) {
    // The installed software's action records carry the codes and names the grid goes by.
    const auto softM = d.getSoftM(0);
    const auto softA = d.getSoftA(0);
    const auto softD = d.getSoftD(0);
    stamp(softM->move, kMove);
    stamp(softM->jump, kJump);
    stamp(softM->spin, kSpin);
    stamp(softA->punch, kPunch);
    stamp(softA->kick, kKick);
    stamp(softA->kumi, kKumi);
    stamp(softA->drop, kDrop);
    stamp(softA->hold, kHold);
    stamp(softD->block, kBlock);
    stamp(softD->uke, kUke);
    stamp(softD->hazusi, kHazusi);

    // The Doll's own patterns are rebound to the installed software even if the player cancels.
    // The working copies are taken from the rebound patterns, so that a pattern registered
    // untouched costs what the installed software says and not what a sold one said.
    for (int k = 0; k < kPatterns; ++k) {
        LogicPtr l = d.getLogic(k);
        if (!l) {
            l = std::make_shared<Logic>();
        }
        for (int i = 0; i < Logic::kSteps; ++i) {
            if (auto a = installed(l->getActionsname(i))) {
                l->setAction(a, i);
            }
        }
        d.setLogics(l, k);
        work[static_cast<size_t>(k)] = l->clone();
        names[static_cast<size_t>(k)] = l->name;
        showPattern(k);
    }
    refreshTotal();
    if (game.guideOn) {
        showGuide(
            "　ここでDollの動きをプログラムします。\n"
            "\n"
            "　基本行動を行動パターンにドラッグ＆ドロップして、「移動＋ジャンプ＋キック」のように設定して下さ"
            "い。\n"
            "　「移動＋パンチ＋移動」のようにすれば、ヒット＆アウェイも可能です。▼\n");
        page = 0;
    }
}

ActionPtr ProgramEditor::installed(const std::string& name) const {
    const int id = idOfName(name);
    if (id == 0) {
        return nullptr;
    }
    if (id <= kSpin) {
        return d.getSoftM(0)->getAction(id);
    }
    if (id <= kHold) {
        return d.getSoftA(0)->getAction(id);
    }
    return d.getSoftD(0)->getAction(id);
}

std::string ProgramEditor::chipCost(int id) const {
    auto a = installed(actionName(id));
    if (!a) {
        return {};
    }
    return std::to_string(a->AP) + "：" + std::to_string(a->Memory);
}

std::string ProgramEditor::softName(int which) const {
    switch (which) {
        case 0:
            return d.getSoftM(0)->name;
        case 1:
            return d.getSoftA(0)->name;
        default:
            return d.getSoftD(0)->name;
    }
}

std::string ProgramEditor::dollAPText() const {
    return Str(static_cast<long long>(d.AP) + 2) + "～" + Str(static_cast<long long>(d.AP) + 12);
}

std::string ProgramEditor::dollMemText() const {
    return Str(static_cast<long long>(d.Memory));
}

int ProgramEditor::cellTile(int cell) const {
    const int id = idOfName(cellName(cell));
    return id == 0 ? kEmptyTile : id - 1;
}

std::string ProgramEditor::cellName(int cell) const {
    if (cell < 0 || cell >= kCells) {
        return {};
    }
    return work[static_cast<size_t>(cell / Logic::kSteps)]->getActionsname(cell % Logic::kSteps);
}

bool ProgramEditor::setPatternName(int p, const std::string& n) {
    if (!encodableInCp932(n)) {
        prompts.msgBox("この技名には使えない文字が含まれています", BoxButtons::Ok);
        return false;
    }
    names.at(static_cast<size_t>(p)) = n;
    return true;
}

void ProgramEditor::hoverPalette(int id) {
    if (!validId(id)) {
        return;
    }
    source = -1;
    dragged = actionName(id);
    help = actionHelp(id);
}

void ProgramEditor::hoverFrame(int id) {
    if (!validId(id)) {
        return;
    }
    dragged = actionName(id);
    help = frameHelp(id);
}

void ProgramEditor::hoverCell(int cell) {
    if (cell < 0 || cell >= kCells) {
        return;
    }
    source = cell;
    dragged = cellName(cell);
    if (!dragged.empty()) {
        help = actionHelp(idOfName(dragged));
    }
}

void ProgramEditor::dropOnCell(int target) {
    if (dragged.empty() || target < 0 || target >= kCells) {
        return;
    }
    const int p = target / Logic::kSteps;
    const int i = target % Logic::kSteps;
    ActionPtr remembered = work[static_cast<size_t>(p)]->getActions(i);
    if (!remembered || remembered->name.empty()) {
        remembered = makeAction(kNoAction);
    }
    if (source >= 0) {
        work[static_cast<size_t>(source / Logic::kSteps)]->setAction(remembered, source % Logic::kSteps);
    }
    if (auto a = installed(dragged)) {
        work[static_cast<size_t>(p)]->setAction(a, i);
    }
    showPattern(p);
    if (source >= 0) {
        showPattern(source / Logic::kSteps);
    }
    refreshTotal();
    forgetEmptyHand();
}

void ProgramEditor::dropOnTrash() {
    if (source < 0) {
        return;
    }
    const int p = source / Logic::kSteps;
    work[static_cast<size_t>(p)]->setAction(makeAction(kNoAction), source % Logic::kSteps);
    showPattern(p);
    refreshTotal();
    forgetEmptyHand();
}

void ProgramEditor::clear(int p) {
    if (p < 0 || p >= kPatterns) {
        return;
    }
    names[static_cast<size_t>(p)].clear();
    apLabels[static_cast<size_t>(p)].clear();
    memLabels[static_cast<size_t>(p)].clear();
    work[static_cast<size_t>(p)]->removeAll();
    refreshTotal();
    forgetEmptyHand();
}

void ProgramEditor::showPattern(int p) {
    Logic& l = *work[static_cast<size_t>(p)];
    apLabels[static_cast<size_t>(p)] = std::to_string(l.getTotalAP());
    memLabels[static_cast<size_t>(p)] = std::to_string(l.getTotalMem());
}

void ProgramEditor::refreshTotal() {
    long long sum = 0;
    for (int k = 0; k < kPatterns; ++k) {
        sum += Int(labelValue(memLabels[static_cast<size_t>(k)]));
    }
    memLabels[kTotalLabel] = std::to_string(sum);
}

bool ProgramEditor::movePaletteCursor(int by) {
    if (!validId(palCursor + by)) {
        return false;
    }
    setPaletteCursor(palCursor + by);
    return true;
}

void ProgramEditor::setPaletteCursor(int id) {
    if (!validId(id)) {
        return;
    }
    palCursor = id;
    help = actionHelp(id);
}

bool ProgramEditor::moveGridCursor(int rows, int steps) {
    const int p = gridCur / Logic::kSteps + rows;
    const int i = gridCur % Logic::kSteps + steps;
    if (p < 0 || p >= kPatterns || i < 0 || i >= Logic::kSteps) {
        return false;
    }
    setGridCursor(p * Logic::kSteps + i);
    return true;
}

void ProgramEditor::setGridCursor(int cell) {
    if (cell < 0 || cell >= kCells) {
        return;
    }
    gridCur = cell;
    explainCell(cell);
}

void ProgramEditor::explainCell(int cell) {
    // Like the mouse over a cell: an empty cell leaves the help line as it was.
    const int id = idOfName(cellName(cell));
    if (id != 0) {
        help = actionHelp(id);
    }
}

void ProgramEditor::pickAtPaletteCursor() {
    handCell = -1;
    handAction = handAction == palCursor ? 0 : palCursor;
    help = actionHelp(palCursor);
}

void ProgramEditor::enterAtGridCursor() {
    if (handAction != 0) {
        source = -1;
        dragged = actionName(handAction);
        dropOnCell(gridCur);
        // The next chip of the chain goes to the right of this one.
        if (gridCur % Logic::kSteps < Logic::kSteps - 1) {
            ++gridCur;
        }
        explainCell(gridCur);
        return;
    }
    if (handCell >= 0) {
        const int from = handCell;
        handCell = -1;
        if (from != gridCur) {
            source = from;
            dragged = cellName(from);
            dropOnCell(gridCur);
        }
        explainCell(gridCur);
        return;
    }
    if (!cellName(gridCur).empty()) {
        handCell = gridCur;
        explainCell(gridCur);
    }
}

void ProgramEditor::removeAtGridCursor() {
    if (cellName(gridCur).empty()) {
        return;
    }
    source = gridCur;
    dropOnTrash();
}

bool ProgramEditor::releaseHand() {
    const bool held = handAction != 0 || handCell >= 0;
    handAction = 0;
    handCell = -1;
    return held;
}

void ProgramEditor::forgetEmptyHand() {
    // A moved or emptied cell no longer holds the chip that was taken from it.
    if (handCell >= 0 && cellName(handCell).empty()) {
        handCell = -1;
    }
}

long long ProgramEditor::maxTurnAP() const {
    return static_cast<long long>(d.AP) + 12;
}

bool ProgramEditor::overAP(int p) const {
    return p >= 0 && p < kPatterns &&
           labelValue(apLabels[static_cast<size_t>(p)]) > static_cast<double>(maxTurnAP());
}

std::string ProgramEditor::apWarning(int p) const {
    if (!overAP(p)) {
        return {};
    }
    return "この技はこのDollの行動ポイントでは出せません（必要 " + apLabels[static_cast<size_t>(p)] +
           "／最大 " + std::to_string(maxTurnAP()) + "）";
}

bool ProgramEditor::overMemory() const {
    return labelValue(memLabels[kTotalLabel]) > d.Memory;
}

std::string ProgramEditor::memoryWarning() const {
    if (!overMemory()) {
        return {};
    }
    return "メモリが足りません（使用 " + memLabels[kTotalLabel] + "／容量 " + std::to_string(d.Memory) + "）";
}

bool ProgramEditor::checkInput() {
    for (int k = 0; k < kPatterns; ++k) {
        bool seenEmpty = false;
        for (int i = 0; i < Logic::kSteps; ++i) {
            const bool empty = work[static_cast<size_t>(k)]->getActionsname(i).empty();
            if (!empty && seenEmpty) {
                prompts.msgBox(Str(static_cast<long long>(k) + 1) +
                               "番目の技の入力が正しくありません\n左寄せに入力して下さい");
                return false;
            }
            seenEmpty = seenEmpty || empty;
        }
    }
    if (overMemory()) {
        prompts.msgBox("メモリが足りません");
        return false;
    }
    return true;
}

bool ProgramEditor::regist() {
    if (!checkInput()) {
        return false;
    }
    for (int k = 0; k < kPatterns; ++k) {
        Logic& l = *work[static_cast<size_t>(k)];
        l.name = names[static_cast<size_t>(k)];
        l.AP = CInt(labelValue(apLabels[static_cast<size_t>(k)]));
        l.Memory = CInt(labelValue(memLabels[static_cast<size_t>(k)]));
        d.setLogics(work[static_cast<size_t>(k)], k);
    }
    d.programed = true;
    return true;
}

void ProgramEditor::showGuide(const std::string& text) {
    guideShown = game.guideOn;
    guide = text;
}

void ProgramEditor::guideClicked() {
    const long long ap = d.AP;
    const long long mem = d.Memory;
    switch (page) {
        case 0:
            showGuide(
                "　基本行動を複雑に組み合わせるほど、行動パターンの使用行動ポイントと使用メモリも増えて行きま"
                "す。\n"
                "①使用行動ポイントが大きい程、その技を出せる確率が低くなります。\n"
                "　このDollの行動ポイントは" +
                Str(ap + 2) + "～" + Str(ap + 12) + "　なので、" + Str(ap + 12) + "以内、" + Str(ap + 7) +
                "ポイントくらいの技を中心に考えましょう。\n"
                "②あなたのコンピュータのメモリは" +
                Str(mem) + "です。\n" + "　全ての行動パターンの使用メモリの合計が、" + Str(mem) +
                "以内に収まるよう設定しましょう。▼\n");
            page = 1;
            break;
        case 1:
            showGuide(
                "　得意な技を多く組みこむのがコツです。\n"
                "ジャンプ力があるDollはジャンプを多く組みこむべきですし、Powが高いDollは連打をや投げ、折りを"
                "多用すると効果的です。▼\n");
            page = 2;
            break;
        case 2:
            showGuide(
                "「移動」を組みこんだ技（離れた相手と戦うため）\n"
                "「回転」を組みこんだ技（転倒時に立ちあがるため）\n"
                "「外し」を組みこんだ技（組まれたときのため）\n"
                "を最低一つは入れておくべきでしょう。▼\n");
            page = 3;
            break;
        default:
            guideShown = false;
            page = 0;
            break;
    }
}

}  // namespace vargo
