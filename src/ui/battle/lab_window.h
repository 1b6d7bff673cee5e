#pragma once
// The Doll lab window: the player's Doll against every registered enemy of its class, many
// computer-played fights each, on a background thread with a progress bar and a Cancel that stops
// at once; then a sortable table, weakest match-up first. Nothing of the career is spent.

#include <QDialog>
#include <atomic>
#include <memory>
#include <optional>
#include <thread>
#include <variant>

#include "battle/lab.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTimer;

namespace vargo {

class Prompts;

class LabWindow : public QDialog {
    Q_OBJECT
public:
    /// `player` is copied: the lab never sees the career's Doll change under it.
    LabWindow(const doll& player, EnemySource& enemies, Prompts& prompts, QWidget* parent = nullptr);
    ~LabWindow() override;

    /// Starts a run with the chosen options ("実行"); nothing while one is running.
    void start();
    /// Stops the running one at once ("中止").
    void cancel();
    bool running() const { return worker.joinable(); }
    /// Waits for the running one to end and shows its table (tests; the window polls on a timer).
    void finishNow();

    QTableWidget* table() const { return grid; }
    QProgressBar* progressBar() const { return bar; }
    QSpinBox* fightsBox() const { return fights; }
    QCheckBox* neighboursBox() const { return neighbours; }
    void setSeed(std::uint64_t s) { seed = s; }

protected:
    void reject() override;

private:
    void poll();
    void showOutcome(const std::variant<LabResult, FightRunProblem>& result);

    std::shared_ptr<doll> player;
    EnemySource& enemies;
    Prompts& prompts;
    std::uint64_t seed = 1;
    QSpinBox* fights = nullptr;
    QCheckBox* neighbours = nullptr;
    QPushButton* runButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QProgressBar* bar = nullptr;
    QTableWidget* grid = nullptr;
    QLabel* status = nullptr;
    QTimer* timer = nullptr;
    std::thread worker;
    std::unique_ptr<FightProgress> progress;
    std::optional<std::variant<LabResult, FightRunProblem>> outcome;  ///< read once the run is joined
    std::atomic<bool> finished{false};
};

}  // namespace vargo
