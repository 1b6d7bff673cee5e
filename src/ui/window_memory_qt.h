#pragma once
// The player's window sizes and places, remembered between runs in the desktop's per-user
// settings (they belong to the player, not to a career, so no save holds them).
//
// Installed once on the application, it watches every top-level window that has a name: when one
// shows for the first time in a run it takes the size the player left it at (never below its
// minimum, never beyond the screen), and when it hides its size is written back. The workshop and
// the start window, which have no parent to open over, also come back to their place, as long as
// that place is still on one of the screens; otherwise they open in the middle of the screen.

#include <QObject>
#include <QRect>
#include <QString>
#include <optional>

class QScreen;
class QWidget;

namespace vargo {

class WindowMemory : public QObject {
    Q_OBJECT
public:
    explicit WindowMemory(QObject* parent = nullptr);

    /// The place `window` was left at in an earlier run, when it is still on a screen.
    static std::optional<QRect> rememberedPlace(const QWidget* window);
    /// Puts `window` where the player left it, or in the middle of `screen` when there is no such
    /// place (first run, or the screen it stood on is gone).
    static void place(QWidget* window, QScreen* screen = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static QString key(const QWidget* window, const char* what);
    static bool resizable(const QWidget* window);
    static void restoreSize(QWidget* window);
    static void remember(const QWidget* window);
};

}  // namespace vargo
