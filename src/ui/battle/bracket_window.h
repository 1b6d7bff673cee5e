#pragma once
// The tournament bracket ("Tornament"): the eight entrants, four on each side, and the lines that
// lead the winners to the final in the middle, red where a stage has been decided. It shows the
// engine's Bracket and nothing else; the " Win" announcements come from the engine's prompts.

#include <QDialog>
#include <array>

#include "battle/bracket.h"

class QLabel;
class QPushButton;

namespace vargo {

class BracketWindow : public QDialog {
    Q_OBJECT
public:
    explicit BracketWindow(const Bracket& bracket, QWidget* parent = nullptr);

    /// Names and line colours from the bracket.
    void refresh();

    /// The two end points of each line segment (0..7 from the entrants, 8..11 from the pairs, 12..13
    /// from the halves), in window coordinates; public so a test can sample the colour drawn.
    struct Segment {
        QPoint a, b, c;  ///< a horizontal run a-b, then a vertical run b-c
    };
    static Segment segment(int index);
    static QPoint finalPoint();

    static inline const QColor kDecided{230, 40, 40};
    static inline const QColor kOpen{235, 235, 235};

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Bracket& bracket;
    std::array<QLabel*, Bracket::kPositions> lblName{};
    QPushButton* Command1 = nullptr;
};

}  // namespace vargo
