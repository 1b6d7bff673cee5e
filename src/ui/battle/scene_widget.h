#pragma once
// The fight scene: the 800 x 400 arena with both robots cut out by their masks, and the hit
// sparks. It draws frames it is given and decides nothing; between the poses of one step it slides
// the robots for a moment, and every step ends on the frame the fight described.

#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <array>
#include <string>
#include <vector>

#include "battle/fight.h"
#include "ui/battle/sprite_sheets.h"

namespace vargo {

/// One robot as the scene shows it.
struct SceneFighter {
    std::string sheet;  ///< "\img\VARGO01.jpg"
    std::string mask;   ///< "\img\VARGO01M.jpg"
    int x = 0;          ///< left edge of its 240 x 240 cell in the scene
    int y = 10;
    int column = 0;  ///< pose column in the sheet
    int row = 0;     ///< 0 fighter 0, 240 fighter 1
};

/// One picture of the scene: both robots and the sparks over them.
struct SceneFrame {
    std::array<SceneFighter, 2> fighters;
    std::vector<EffectSpark> sparks;
};

class SceneWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 400;
    static constexpr int kCell = 240;
    static constexpr int kSpark = 40;
    /// How long the robots slide into a new pose, and how long the pose then holds.
    static constexpr int kSlideMs = 180;
    static constexpr int kHoldMs = 220;

    SceneWidget(GameFolder folder, QWidget* parent = nullptr);

    /// The frames of one step, in order; the last is where the step ends. Without animation (or
    /// with a single frame) the last frame shows at once.
    void play(std::vector<SceneFrame> frames);
    /// Ends a running animation on its last frame.
    void finish();
    bool animating() const { return timer.isActive(); }
    void setAnimated(bool on) { animated = on; }

    /// The frame the scene ends on (the last one given).
    const SceneFrame& finalFrame() const { return frames.empty() ? blank : frames.back(); }
    /// Draws a frame into an 800 x 400 picture exactly as the widget does. At a ratio above 1 the
    /// picture has that many pixels to each of those (its device pixel ratio set) and is drawn from
    /// the @2x sprites, as on a high-density screen.
    QImage render(const SceneFrame& frame, qreal ratio = 1.0);
    /// Shows frame i of the current step, held still (for pictures of a single pose).
    void showFrame(size_t i);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void tick();
    void draw(QPainter& p, const SceneFrame& frame, double slide, const SceneFrame* from);
    /// Left and right edge of the robot in one cell of a sheet, measured once.
    std::pair<int, int> extent(const SceneFighter& f, const QPixmap& sheet);

    SpriteSheets sheets;
    std::vector<SceneFrame> frames;
    SceneFrame blank;
    size_t current = 0;  ///< the frame being shown (or slid into)
    QTimer timer;
    QElapsedTimer clock;
    bool animated = true;
    bool hasPrevious = false;
    SceneFrame previous;  ///< where the robots stood before the current frame
    QHash<QString, std::pair<int, int>> extents;
};

}  // namespace vargo
