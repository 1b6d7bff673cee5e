#pragma once
// The technique dialog (DialogAction), the movement dialog (dialogMove) and QtCommander, which
// shows them when the battle asks the player for an order.

#include <QDialog>
#include <QPointer>
#include <array>

#include "battle/commander.h"
#include "screens/dialog_action.h"

class QKeyEvent;
class QLabel;
class QLineEdit;
class QFrame;

namespace vargo {

class ClickLabel;

class DialogActionWindow : public QDialog {
    Q_OBJECT
public:
    DialogActionWindow(TechniqueChoice& choice, QWidget* battleWindow = nullptr);
    int value() const { return choice.value(); }

public slots:
    /// Cancel, Escape and the close button alike: asks, and withdraws the order on Yes.
    void reject() override;

protected:
    /// Without a mouse: the digits 1 to 6 choose that row's pattern; Up and Down move the marked
    /// row and Enter chooses it.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void refresh();
    void tryChoose(int row);

    TechniqueChoice& choice;
    int cursor = -1;  ///< the row Enter chooses, marked with a frame
    std::array<QLineEdit*, TechniqueChoice::kShown> names{};
    std::array<QLabel*, TechniqueChoice::kShown> costs{};
    std::array<ClickLabel*, TechniqueChoice::kShown> patterns{};
    QLabel* dspDollName;
    QFrame* paneGuide;
};

class DialogMoveWindow : public QDialog {
    Q_OBJECT
public:
    DialogMoveWindow(MoveChoice& choice, QWidget* battleWindow = nullptr);
    int value() const { return choice.value(); }

public slots:
    /// Closing without a button: the Doll closes in.
    void reject() override;

private:
    MoveChoice& choice;
};

/// Places a dialog a third of the way into the battle window.
void placeOver(QWidget* dialog, QWidget* battleWindow);

class QtCommander final : public Commander {
public:
    QtCommander(Game& game, Prompts& prompts, QWidget* battleWindow);
    int selectTechnique(const doll& d, int playAP) override;
    int selectMove(int span) override;

private:
    Game& game;
    Prompts& prompts;
    QPointer<QWidget> battleWindow;
};

}  // namespace vargo
