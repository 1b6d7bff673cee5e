#pragma once
// The running game: owns the shared state, the prompts, the music and the registry, moves between
// the start window and the workshop, and opens every other screen when the workshop asks.

#include <QObject>
#include <QPointer>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "battle/fight_report.h"
#include "career/workshop_actions.h"
#include "model/game.h"
#include "persistence/autosave.h"
#include "persistence/enemy_registry.h"
#include "ui/audio/fluid_sound.h"
#include "ui/prompts/qt_prompts_qt.h"

namespace vargo {

class DesignWindow;
class EnemyListWindow;
class FightReportWindow;
class StartUpWindow;

class GameApp final : public QObject, public WorkshopActions {
    Q_OBJECT
public:
    /// A seed makes every roll repeatable (tests); without one the dice come from the system's entropy.
    explicit GameApp(const std::filesystem::path& gameFolder,
                     std::optional<std::uint64_t> seed = std::nullopt);
    ~GameApp() override;

    /// Finishes or undoes a save or registry change that a crash cut off, and tells the player.
    void settleInterruptedWrites();

    /// The start window, with the game as the start leaves it (career/start_screen.h); the first
    /// time, a message listing every catalogue problem when there are any.
    void showStartUp();

    void openShop() override;
    void openProgram() override;
    std::optional<int> chooseSaveSlot(SaveSlotMode mode) override;
    void runFight(FightMode mode, std::optional<DollClass> tournamentClass = std::nullopt) override;
    void openEnemyList() override;
    void openFightReport() override;
    void openReplays() override;
    void openLab() override;
    void openCareerChart(bool finalRecord) override;
    bool estimatesShown() override;
    void setEstimatesShown(bool on) override;
    int volume() override;
    void setVolume(int percent) override;
    std::string tournamentEstimate(DollClass c) override;
    Autosaver* autosaver() override { return &autosaves; }
    bool saveGame(int svNum) override;
    bool loadGame(int svNum) override;
    bool loadDuelist(int svNum) override;
    int entryEnemy() override;
    int countTekiDoll(int limit) override;
    void backToStart() override;

    Game& state() { return game; }
    DesignWindow* workshop() const;
    StartUpWindow* startWindow() const;
    QtPrompts& prompts() { return qtPrompts; }

private:
    void onInitialStart();
    void onLoadStart();
    void openWorkshop(std::optional<int> loadSvNum);
    QWidget* anchor() const;

    GameRandom rng;
    Game game;
    QtPrompts qtPrompts;
    Autosaver autosaves{qtPrompts};  ///< one for the run: its failure is told once
    FluidSound sound;
    EnemyRegistry registry;
    QPointer<StartUpWindow> startUp;
    QPointer<DesignWindow> design;
    QPointer<EnemyListWindow> enemyList;
    QPointer<FightReportWindow> reportWindow;
    std::vector<BoutRecord> lastBouts;  ///< the last battle screen's bouts, for its report
    bool lastWasTournament = false;
    bool cataloguesChecked = false;
};

}  // namespace vargo
