#include "career/workshop.h"

#include "battle/tournament_entry.h"
#include "career/upkeep.h"
#include "career/workshop_actions.h"
#include "model/numbers.h"
#include "model/random.h"
#include "persistence/autosave.h"
#include "persistence/save_slot.h"
#include "ports/prompts.h"
#include "ports/sound.h"

namespace vargo {

const GameDate Workshop::kStartDate{2013, 1, 1};
const GameDate Workshop::kEndDate{2016, 1, 1};

namespace {
const char* const kWorkshopTune = "ind30xg";
}  // namespace

Workshop::Workshop(Game& g, Prompts& p, Sound& s) : game(g), prompts(p), sound(s) {}

void Workshop::openNewGame() {
    game.savedFlag = true;
    game.playMusic = true;
    game.duelistState = 1;
    game.gameDate = kStartDate;
    game.history.restart(game);
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
        tellCannotPlay(prompts, game.cannotPlayTold);
    }
}

void Workshop::workshopMusic() {
    stMusic(kWorkshopTune);
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
    game.history.record(game, CareerMoment::MonthEnd);
    if (autosaver != nullptr) {
        autosaver->write(game);
    }
    return true;
}

void Workshop::afterTournament() {
    game.history.record(game, CareerMoment::Tournament);
    if (autosaver != nullptr) {
        autosaver->write(game);
    }
}

void Workshop::Shunyu() {
    collectIncome(game.owner(0), game.rng, prompts);
}

// After a month of work each part that has a name is repaired, the motor first; every full repair
// ends its line. A partial repair takes the whole purse, so nothing follows it.
void Workshop::Shuri() {
    doll& d = game.theDoll(0);
    Int16& money = game.owner(0).Rl;
    std::string msg;
    if (!d.Motor->name.empty()) {
        msg += repairNotice("モータ", repairPart(d.Motor->HP, d.Motor->maxHP, money), true);
    }
    if (!d.frame->name.empty()) {
        msg += repairNotice("フレーム", repairPart(d.frame->HP, d.frame->maxHP, money), true);
    }
    if (!msg.empty()) {
        prompts.msgBox(msg, BoxButtons::Ok);
    }
}

void Workshop::cmdShop(WorkshopActions& actions) {
    game.savedFlag = false;
    actions.openShop();
}

void Workshop::cmdProgram(WorkshopActions& actions) {
    game.savedFlag = false;
    actions.openProgram();
}

void Workshop::mnSave(WorkshopActions& actions) {
    if (auto n = actions.chooseSaveSlot(SaveSlotMode::Save)) {
        if (actions.saveGame(*n)) {
            game.savedFlag = true;
        }
    }
}

void Workshop::mnLoad(WorkshopActions& actions) {
    if (auto n = actions.chooseSaveSlot(SaveSlotMode::Load)) {
        actions.loadGame(*n);
    }
}

void Workshop::mnLdDuel(WorkshopActions& actions) {
    if (prompts.msgBox("対戦相手をロードしますか？", BoxButtons::YesNo) != kYes) {
        return;
    }
    // Loading and entering happen out of sight: without a word the player cannot tell they worked.
    if (auto n = actions.chooseSaveSlot(SaveSlotMode::Load); n && actions.loadDuelist(*n)) {
        prompts.msgBox(game.theDoll(1).name + "を対戦相手として読み込みました", BoxButtons::Ok);
    }
}

void Workshop::mnEntry(WorkshopActions& actions) {
    if (actions.entryEnemy() > 0) {
        prompts.msgBox(game.theDoll(0).name + "を敵として登録しました", BoxButtons::Ok);
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

std::optional<DollClass> Workshop::cmdTornament(const std::function<int(int)>& countTekiDoll,
                                                std::optional<DollClass> entered) {
    const doll& d = game.theDoll(0);
    if (!d.programed) {
        prompts.msgBox("プログラムを登録して下さい", BoxButtons::Ok);
        return std::nullopt;
    }
    const DollClass c = entered.value_or(d.dollClass());
    if (countTekiDoll(classValueLimit(c)) < 8) {
        prompts.msgBox(notEnoughEnemies(c), BoxButtons::Ok);
        return std::nullopt;
    }
    std::string question = std::string(dollClassName(c)) + "クラスのトーナメントに参加しますか？";
    // The estimate is worked out before the month is spent, so the player can still say no.
    const std::string estimate = tournamentEstimate ? tournamentEstimate(c) : std::string();
    if (!estimate.empty()) {
        question += "\n\n" + estimate;
    }
    if (prompts.askOkCancel(question) != kOk) {
        return std::nullopt;
    }
    advanceMonth();
    game.owner(0).useAllParts();
    return c;
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

bool Workshop::mayLeave() {
    if (!game.savedFlag &&
        prompts.msgBox("セーブしていませんが、よろしいですか？", BoxButtons::OkCancel) != kOk) {
        return false;
    }
    stopMusic();
    return true;
}

bool Workshop::mnEnd() {
    return mayLeave();
}

bool Workshop::mnStart(WorkshopActions& actions) {
    if (!mayLeave()) {
        return false;
    }
    actions.backToStart();
    return true;
}

void Workshop::mnBGM() {
    if (game.playMusic) {
        game.playMusic = false;
        stopMusic();
    } else {
        game.playMusic = true;
        // Switching the music on is the player asking to try again: a failure is told once more.
        musicFailed = false;
        game.cannotPlayTold = false;
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
