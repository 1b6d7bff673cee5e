#pragma once
// The battle window ("Fight"): the two robots in the arena, their names, HP bars, abilities and
// state, the distance, initiative and action points, and the battle log. Each press of "Next"
// runs one step of the Fight and redraws what the fight describes; the window closes when the
// fight is over or the player gives up. The window itself holds no rule.
//
// The same window plays a replay: it draws the ReplayPlayer's fight, and in place of Next and
// GiveUp it has the replay's controls: to the start, a step back, a step forward, to the end, and
// play on its own at a chosen speed. Keys: Left and Right a step, Home and End, Space play or
// pause, Escape closes.

#include <QDialog>
#include <array>
#include <cmath>
#include <functional>
#include <optional>
#include <vector>

#include "battle/fight.h"
#include "battle/fight_report.h"
#include "ui/battle/scene_widget.h"

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QTimer;

namespace vargo {

class ScreenFirstPrompts;

class ReplayPlayer;

class FightWindow : public QDialog {
    Q_OBJECT
public:
    /// The fight is set up by the caller (Mode, class text); `folder` gives the pictures.
    FightWindow(Fight& fight, const GameFolder& folder, QWidget* parent = nullptr);
    /// The window playing a replay, at its start; nothing it does reaches a career.
    FightWindow(ReplayPlayer& replay, const GameFolder& folder, QWidget* parent = nullptr);

    /// The screen's load: the fight's own set-up (tune, fighters, bracket), then the first drawing.
    /// False when the fight ended before it began (no enemy to draw, a broken registry).
    bool start();
    /// start(), then shown modally until the fight is over.
    void run();

    /// Hears of the fight after the screen's load (step false) and after every step (true).
    void setStepListener(std::function<void(const Fight&, bool step)> listener) {
        stepListener = std::move(listener);
    }

    /// Relabels every control and redraws the scene from the fight.
    void refresh();
    /// Has `prompts` (the fight's) draw the fight as it stands before each message, so the step that
    /// decided a bout is on the screen when its result is told.
    void drawBeforePrompts(ScreenFirstPrompts& prompts);
    SceneWidget* scene() const { return sceneView; }

    /// One step ("Next") and giving up ("GiveUp"), as the buttons do.
    void cmdNext_Click();
    void cmdTap_Click();

    // --- a replay's controls ---------------------------------------------------------------------
    void cmdStart_Click();
    void cmdBack_Click();
    void cmdForward_Click();
    void cmdEnd_Click();
    /// Plays on its own at the chosen speed, or pauses.
    void cmdPlay_Click();
    bool playing() const;
    /// The speeds to choose from: 1, 2 and 4 steps a second, and fast.
    static constexpr std::array<int, 4> kStepIntervalsMs{1000, 500, 250, 40};
    void setSpeed(int index);

    /// Twips to pixels (15 twips a pixel), rounding to the nearest pixel.
    static int px(int twips) { return static_cast<int>(std::lround(twips / 15.0)); }

protected:
    void reject() override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FightWindow(Fight* live, ReplayPlayer* replay, const GameFolder& folder, QWidget* parent);
    /// The fight drawn: the live one, or the replay's.
    const Fight& shownFight() const;
    QLayout* buildFightButtons();
    QLayout* buildReplayControls();
    /// After a move through the replay: the drawing, the step counter and the controls' states.
    void showReplayStep(bool animate);
    QWidget* buildHpBand();
    QWidget* buildSidePanel(int i);
    QWidget* buildLog();
    void scrollLog(int twips);
    void closeIfOver();
    SceneFighter fighterSprite(int i, const FightPicture* shown) const;

    Fight* live = nullptr;
    ReplayPlayer* replay = nullptr;
    SceneWidget* sceneView = nullptr;
    std::array<QLabel*, 2> dspName{};
    std::array<QLabel*, 4> barHP{};
    std::array<QLabel*, 2> dspHP{};
    std::array<QLabel*, 2> dspAbl{};
    std::array<QLabel*, 2> dspJoutai{};
    std::array<QLabel*, 2> dspAP{};
    std::array<QLabel*, 2> dspInitiative{};
    QLabel* dspSpan = nullptr;
    QFrame* logView = nullptr;
    QLabel* dspMsg = nullptr;
    std::array<QPushButton*, 2> Command1{};
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdTap = nullptr;
    QLabel* dspStep = nullptr;
    QLabel* dspResult = nullptr;
    QPushButton* cmdPlay = nullptr;
    QComboBox* cmbSpeed = nullptr;
    std::array<QPushButton*, 4> moves{};  ///< start, back, forward, end
    QTimer* playTimer = nullptr;
    QFrame* paneGuide = nullptr;
    QLabel* dspGuide = nullptr;
    std::string shownLog;
    std::function<void(const Fight&, bool)> stepListener;
};

/// What the workshop's "Duel", "Simulate" and tournament buttons open: a Fight of `mode` (for a
/// tournament, of `tournamentClass`) on the battle window, shown modally until it is over. Returns
/// the report of every bout it showed.
std::vector<BoutRecord> runFightWindow(Game& game, Random& rng, Prompts& prompts, Commander& commander,
                                       EnemySource& enemies, Sound& sound, FightMode mode,
                                       std::optional<DollClass> tournamentClass, QWidget* parent = nullptr);

}  // namespace vargo
