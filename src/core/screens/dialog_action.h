#pragma once
// The rules of the two battle dialogs: which of the six patterns the player may pick with the
// action points of this turn, how a pattern reads ("移動＋ジャンプ＋キック"), the confirmation and the
// withdrawal, and the beginner guide. The Qt dialogs only draw this and forward clicks.

#include <array>
#include <string>

#include "model/logic.h"

namespace vargo {

struct Game;
class Prompts;

/// Action names of a pattern joined by "＋" in position order: position 0 always, later empty
/// positions skipped.
std::string patternLabel(const Logic& l);

/// The technique dialog (DialogAction).
class TechniqueChoice {
public:
    static constexpr int kSlots = 21;
    static constexpr int kShown = 6;

    TechniqueChoice(Game& game, Prompts& prompts);
    TechniqueChoice(const TechniqueChoice&) = delete;
    TechniqueChoice& operator=(const TechniqueChoice&) = delete;

    /// Keeps a reference to a pattern in slot index (0..20); other indexes are ignored.
    void setLogics(const LogicPtr& logic, int index);
    /// The Doll's name, shown on the dialog and used as the confirmation's title.
    void setDialog(const std::string& dollName);
    void setPlayAP(int ap) { playAP = ap; }

    /// What one shown slot (0..5) displays.
    struct Row {
        std::string name;    /**< Text1 */
        std::string cost;    /**< lblAP, plain decimal */
        std::string pattern; /**< dspPattern */
        bool white = true;   /**< window colour; light grey otherwise */
    };
    Row row(int i) const;
    const std::string& dollName() const { return name; }

    /// Opening: decides whether the guide pane shows.
    void open();
    bool guideVisible() const { return guideShown; }
    static const char* guideText();
    /// The pane hides and the workshop's pending mark is cleared.
    void guideClicked();

    /// A click on pattern label i. True when the dialog closes with value i + 1.
    bool choose(int i);
    /// The Cancel button, Escape or the window's close button: all three ask first, since a
    /// withdrawn order loses the turn. True when the order is withdrawn (value 0) and the dialog closes.
    bool withdraw();

    int value() const { return result; }

private:
    int cost(int i) const;

    Game& game;
    Prompts& prompts;
    std::array<LogicPtr, kSlots> logics;
    std::string name;
    int playAP = 0;
    bool guideShown = false;
    int result = 0;
};

/// The movement dialog (dialogMove): the distance, and which way the move goes.
class MoveChoice {
public:
    explicit MoveChoice(int distance) : span(distance) {}
    /// dsp(0), beside "距離": the distance in plain decimal. dsp(1), beside "状態", stays empty.
    std::string distanceText() const { return std::to_string(span); }
    /// Button index 0 "接近" or 1 "離脱".
    void press(int index) { result = index == 1 ? 1 : 0; }
    /// Closed by other means: the Doll closes in.
    void closedByWindow() { result = 0; }
    int value() const { return result; }

private:
    int span;
    int result = 0;
};

}  // namespace vargo
