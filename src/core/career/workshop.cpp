#include "career/workshop.h"

#include <cmath>

#include "battle/tournament_entry.h"
#include "model/numbers.h"
#include "model/random.h"
#include "ports/sound.h"
#include "ports/prompts.h"

namespace vargo {

const GameDate Workshop::kStartDate{2013, 1, 1};
const GameDate Workshop::kEndDate{2016, 1, 1};

namespace {
const char* const kNoMusic = "この環境ではＢＧＭを再生できません。必要なランタイムをインストールして下さい。";
const char* const kWorkshopTune = "ind30xg";
}  // namespace

Workshop::Workshop(Game& g, Prompts& p, Sound& s) : game(g), prompts(p), sound(s) {}

void Workshop::openNewGame() {
    game.savedFlag = true;
    game.playMusic = true;
    game.duelistState = 1;
    game.gameDate = kStartDate;
    if (game.guideOn) {
        game.workshopGuidePending = true;
        game.selectGuidePending = true;
    }
}

void Workshop::openLoadedGame() {
    game.savedFlag = true;
    if (game.playMusic) {
        stMusic(kWorkshopTune);
    } else {
        sound.stopMusic();
    }
    if (game.guideOn) {
        game.workshopGuidePending = true;
        game.selectGuidePending = true;
    }
}

void Workshop::stMusic(const std::string& tune) {
    if (!game.playMusic || musicFailed) {
        return;
    }
    if (!sound.playMusic(tune, true)) {
        musicFailed = true;
        prompts.msgBox(kNoMusic, BoxButtons::Ok);
    }
}

void Workshop::stopMusic() {
    sound.stopMusic();
}

void Workshop::advanceMonth() {
    game.gameDate = game.gameDate.addMonths(1);
    game.savedFlag = false;
}

bool Workshop::cmdWork() {
    if (prompts.askOkCancel("試合をせずに日々の仕事に徹しますか？") != kOk) {
        return false;
    }
    advanceMonth();
    Shunyu();
    Shuri();
    return true;
}

void Workshop::Shunyu() {
    double r1 = game.rng.next();
    double r2 = game.rng.next();
    long long n = Int(4 * r1 + 1) + Int(4 * r2 + 1);
    long long income = 50 * n + 150;
    addClamped(game.owner(0).Rl, income, kInt16Min, kMaxMoney);
    prompts.showMsg("臨時収入が" + Str(income) + "Rl入った");
}

namespace {

// Repairs one part; returns the message part, empty when nothing was done.
template <class Part>
std::string repair(Part& part, Int16& money, const std::string& what) {
    float cost = static_cast<float>(part.maxHP - part.HP) / 7.0f * 10.0f + 100.0f;
    long long price = roundHalfEven(static_cast<double>(cost));
    if (price <= money && price > 100) {
        part.HP = part.maxHP;
        money = static_cast<Int16>(money - price);
        return what + "を修理しました\n（代金" + Str(price) + "Rl）\n";
    }
    if (money >= 110 && price > 100) {
        float gained = static_cast<float>(money - 100) / 10.0f * 7.0f + static_cast<float>(part.HP);
        long long hp = roundHalfEven(static_cast<double>(gained));
        part.HP = static_cast<Int16>(clampMax(static_cast<int>(hp), part.maxHP));
        // The whole purse goes, so that is the price the player is told.
        long long charged = money;
        money = 0;
        return what + "を修理しました\n（代金" + Str(charged) + "Rl）\n金額不足で途中までしか直りません";
    }
    return {};
}

}  // namespace

void Workshop::Shuri() {
    doll& d = game.theDoll(0);
    Int16& money = game.owner(0).Rl;
    std::string msg;
    if (!d.Motor->name.empty()) {
        msg += repair(*d.Motor, money, "モータ");
    }
    if (!d.frame->name.empty()) {
        std::string part = repair(*d.frame, money, "フレーム");
        if (!part.empty() && !msg.empty() && msg.back() != '\n') {
            msg += "\n";
        }
        msg += part;
    }
    if (!msg.empty()) {
        prompts.msgBox(msg, BoxButtons::Ok);
    }
}

std::string Workshop::recordLines() const {
    const Owner& o = *game.owners[0];
    return Str(static_cast<long long>(o.recWin)) + "勝" + Str(static_cast<long long>(o.recLoose)) +
           "敗\n優勝" + Str(static_cast<long long>(o.recChamp)) + "回\n";
}

void Workshop::Ending() {
    prompts.msgBox("最終成績\n" + recordLines(), BoxButtons::Ok);
}

bool Workshop::cmdDuel() {
    const doll& d = game.theDoll(0);
    if (!d.programed) {
        prompts.msgBox("プログラムを登録して下さい", BoxButtons::Ok);
        return false;
    }
    if (game.duelistState != 2) {
        prompts.msgBox(
            "対戦相手が準備されていません\nメニューのEdit→LoadAsDuelistより対戦相手をロードして下さい",
            BoxButtons::Ok);
        return false;
    }
    return prompts.askOkCancel(game.theDoll(1).name + "と対戦しますか？") == kOk;
}

bool Workshop::cmdStreet() {
    if (!game.theDoll(0).programed) {
        prompts.msgBox("プログラムを登録して下さい", BoxButtons::Ok);
        return false;
    }
    return prompts.askOkCancel("テストのための模擬戦闘を行いますか？") == kOk;
}

std::string Workshop::cmdTornament(const std::function<int(int)>& countTekiDoll,
                                   std::optional<DollClass> entered) {
    const doll& d = game.theDoll(0);
    if (!d.programed) {
        prompts.msgBox("プログラムを登録して下さい", BoxButtons::Ok);
        return {};
    }
    DollClass c = entered.value_or(d.dollClass());
    std::string caption = dollClassName(c);
    if (countTekiDoll(classValueLimit(c)) < 8) {
        prompts.msgBox(notEnoughEnemies(caption), BoxButtons::Ok);
        return {};
    }
    if (prompts.askOkCancel(caption + "クラスのトーナメントに参加しますか？") != kOk) {
        return {};
    }
    advanceMonth();
    game.owner(0).useAllParts();
    return caption;
}

void Workshop::mnChar() {
    const Owner& o = *game.owners[0];
    prompts.msgBox("プレイヤー名" + o.name + "\n操作能力" + Str(static_cast<long long>(o.skillPlay)) +
                       "\nレベル" + Str(static_cast<long long>(o.Lv)) + "\n経験値" +
                       Str(static_cast<long long>(o.exp)),
                   BoxButtons::Ok);
}

void Workshop::mnRec() {
    prompts.msgBox("過去の成績\n" + recordLines(), BoxButtons::Ok);
}

void Workshop::mnVer() {
    prompts.msgBox("VARGO\nver.1.00\n2005/01/23", BoxButtons::Ok);
}

bool Workshop::mnEnd() {
    if (game.savedFlag) {
        stopMusic();
        return true;
    }
    if (prompts.msgBox("セーブしていませんが、よろしいですか？", BoxButtons::OkCancel) == kOk) {
        stopMusic();
        return true;
    }
    return false;
}

void Workshop::mnBGM() {
    if (game.playMusic) {
        game.playMusic = false;
        stopMusic();
    } else {
        game.playMusic = true;
        musicFailed = false;
        stMusic(kWorkshopTune);
    }
}

void Workshop::mnGuide() {
    if (game.guideOn) {
        if (prompts.msgBox("初心者用ガイドをオフにしますか？", BoxButtons::YesNo) == kYes) {
            game.guideOn = false;
        }
    } else {
        game.guideOn = true;
        prompts.msgBox("初心者用ガイドをオンにしました", BoxButtons::Ok);
        game.workshopGuidePending = true;
        game.selectGuidePending = true;
    }
}

std::string Workshop::guideText() const {
    if (!game.guideOn || !game.workshopGuidePending) {
        return {};
    }
    return "　ここでDollの組み立てを行います。\n\n"
           "　Dollには最低でも、モーター、フレーム、ハードウェア、ソフトウェアが必要です。\n"
           "　コンボでパーツの種類を選択し、リストからパーツを選んで下さい。\n";
}

}  // namespace vargo
