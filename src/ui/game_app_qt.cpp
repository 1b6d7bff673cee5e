#include "ui/game_app_qt.h"

#include <QSettings>
#include <algorithm>

#include "battle/enemy_source.h"
#include "battle/tournament_odds.h"
#include "career/start_screen.h"
#include "model/catalogue_report.h"
#include "persistence/recovery.h"
#include "persistence/save_files.h"
#include "ui/battle/fight_report_window.h"
#include "ui/battle/fight_window.h"
#include "ui/battle/lab_window.h"
#include "ui/battle/replay_list_window.h"
#include "ui/career/career_chart_window.h"
#include "ui/career/char_make_window.h"
#include "ui/career/design_window.h"
#include "ui/persistence/enemy_list_window.h"
#include "ui/persistence/save_slot_window.h"
#include "ui/qt_text.h"
#include "ui/screens/dialog_action_window.h"
#include "ui/screens/program_window.h"
#include "ui/screens/shop_window.h"
#include "ui/screens/startup_window.h"
#include "ui/window_memory_qt.h"

namespace vargo {

GameApp::GameApp(const std::filesystem::path& gameFolder, std::optional<std::uint64_t> seed)
    : rng(seed ? GameRandom(*seed) : GameRandom()),
      game(GameFolder(gameFolder), rng),
      sound(GameFolder(gameFolder)),
      registry(GameFolder(gameFolder), qtPrompts) {
    sound.setVolume(QSettings().value("sound/volume", 100).toInt());
}

GameApp::~GameApp() {
    delete design.data();
    delete startUp.data();
}

DesignWindow* GameApp::workshop() const {
    return design.data();
}
StartUpWindow* GameApp::startWindow() const {
    return startUp.data();
}

QWidget* GameApp::anchor() const {
    if (design) {
        return design;
    }
    return startUp;
}

void GameApp::settleInterruptedWrites() {
    for (const auto& message : recoverSaveFolder(game.folder)) {
        qtPrompts.msgBox(message, BoxButtons::Ok);
    }
}

void GameApp::showStartUp() {
    returnToStart(game);
    if (!startUp) {
        startUp = new StartUpWindow(q(game.folder.root().string()));
        startUp->setAttribute(Qt::WA_DeleteOnClose);
        connect(startUp, &StartUpWindow::initialStart, this, &GameApp::onInitialStart);
        connect(startUp, &StartUpWindow::loadStart, this, &GameApp::onLoadStart);
    }
    qtPrompts.setAnchor(startUp);
    // On the screen the workshop stood on, when the player comes back from it.
    WindowMemory::place(startUp, design ? design->screen() : nullptr);
    startUp->show();
    startUp->raise();
    // Once per run: a broken catalogue would otherwise only show as an empty shop.
    if (!cataloguesChecked) {
        cataloguesChecked = true;
        reportCatalogueProblems(game.folder, qtPrompts);
    }
}

void GameApp::onInitialStart() {
    beginNewGame(game);
    CharMakeWindow make(game, startUp);
    make.exec();
    if (make.value()) {
        openWorkshop(std::nullopt);
    }
}

void GameApp::onLoadStart() {
    beginLoadedGame(game);
    if (auto n = chooseSaveSlot(SaveSlotMode::Load)) {
        openWorkshop(*n);
    }
}

void GameApp::openWorkshop(std::optional<int> loadSvNum) {
    design = new DesignWindow(game, qtPrompts, sound, *this);
    design->setAttribute(Qt::WA_DeleteOnClose);
    qtPrompts.setAnchor(design);
    WindowMemory::place(design, startUp ? startUp->screen() : nullptr);
    design->show();
    if (startUp) {
        startUp->hide();
    }
    design->openGame(loadSvNum);
}

void GameApp::backToStart() {
    if (enemyList) {
        enemyList->close();
    }
    showStartUp();
}

void GameApp::openShop() {
    CatalogueReader catalogue(game.folder);
    ShopWindow shop(game, catalogue, qtPrompts, game.playMusic ? &sound : nullptr, anchor());
    shop.exec();
}

void GameApp::openProgram() {
    ProgramWindow editor(game, qtPrompts, anchor());
    editor.exec();
}

std::optional<int> GameApp::chooseSaveSlot(SaveSlotMode mode) {
    SaveSlotWindow keypad(game.folder, mode, qtPrompts, anchor());
    keypad.exec();
    if (!keypad.value()) {
        return std::nullopt;
    }
    return keypad.svNum();
}

void GameApp::runFight(FightMode mode, std::optional<DollClass> tournamentClass) {
    QtCommander commander(game, qtPrompts, anchor());
    RegistryEnemies enemies(registry);
    std::vector<BoutRecord> bouts =
        runFightWindow(game, rng, qtPrompts, commander, enemies, sound, mode, tournamentClass, anchor());
    qtPrompts.setAnchor(anchor());
    // A screen that ended before its first step (nobody to fight, given up at once) has nothing to
    // report, and keeps the last fight's report available.
    if (std::none_of(bouts.begin(), bouts.end(), [](const BoutRecord& b) { return b.report.steps > 0; })) {
        return;
    }
    lastBouts = std::move(bouts);
    lastWasTournament = mode == FightMode::Tornament;
    openFightReport();
}

void GameApp::openCareerChart(bool finalRecord) {
    const std::string heading =
        finalRecord ? "最終成績　" + game.owner(0).name : "経歴　" + game.owner(0).name;
    CareerChartWindow chart(game.history, heading, anchor());
    chart.exec();
    qtPrompts.setAnchor(anchor());
}

void GameApp::openLab() {
    RegistryEnemies enemies(registry);
    // Modal: the lab fights on a copy of the Doll, but its patterns stay shared while it runs.
    LabWindow lab(game.theDoll(0), enemies, qtPrompts, anchor());
    lab.exec();
    qtPrompts.setAnchor(anchor());
}

// The estimate setting is the player's, not the career's: it lives in the desktop's per-user
// settings rather than in a save.
bool GameApp::estimatesShown() {
    return QSettings().value("estimates/tournament", true).toBool();
}

void GameApp::setEstimatesShown(bool on) {
    QSettings().setValue("estimates/tournament", on);
}

int GameApp::volume() {
    return sound.volume();
}

// Like the estimates, the loudness is the player's and lives in the per-user settings.
void GameApp::setVolume(int percent) {
    sound.setVolume(percent);
    QSettings().setValue("sound/volume", sound.volume());
}

std::string GameApp::tournamentEstimate(DollClass c) {
    RegistryEnemies enemies(registry);
    TournamentOddsOptions options;
    // One month's estimate reads the same however often the player asks, without rolling the
    // career's dice.
    options.seed = static_cast<std::uint64_t>(game.gameDate.year * 100 + game.gameDate.month);
    return tournamentEstimateText(game.owner(0), game.theDoll(0), c, enemies, options);
}

void GameApp::openFightReport() {
    if (lastBouts.empty()) {
        qtPrompts.msgBox("まだ試合をしていません。", BoxButtons::Ok);
        return;
    }
    delete reportWindow.data();
    reportWindow = new FightReportWindow(lastBouts, lastWasTournament, anchor());
    reportWindow->setAttribute(Qt::WA_DeleteOnClose);
    reportWindow->show();
    reportWindow->raise();
    reportWindow->activateWindow();
}

void GameApp::openReplays() {
    ReplayListWindow list(game.folder, qtPrompts, anchor());
    qtPrompts.setAnchor(&list);
    list.exec();
    qtPrompts.setAnchor(anchor());
}

void GameApp::openEnemyList() {
    if (!enemyList) {
        enemyList = new EnemyListWindow(registry, qtPrompts, anchor());
    }
    enemyList->show();
    enemyList->raise();
}

bool GameApp::saveGame(int svNum) {
    SaveFiles files(game, qtPrompts);
    files.svNum = svNum;
    return files.save_rtn();
}

bool GameApp::loadGame(int svNum) {
    SaveFiles files(game, qtPrompts);
    files.svNum = svNum;
    return files.load_rtn();
}

bool GameApp::loadDuelist(int svNum) {
    SaveFiles files(game, qtPrompts);
    files.svNum = svNum;
    return files.loadDuelist();
}

int GameApp::entryEnemy() {
    return registry.entryEnemy(game.theDoll(0));
}

int GameApp::countTekiDoll(int limit) {
    return registry.countTekiDoll(limit);
}

}  // namespace vargo
