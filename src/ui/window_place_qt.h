#pragma once
// Where a top-level window opens. Dialogs open over the window they belong to (Qt centres a
// dialog on its parent); the windows that have none, the start window and the workshop, open in
// the middle of the screen, every time they are shown, so a window shown again never comes back
// where the desktop left it, partly off the screen.

#include <QObject>

class QScreen;
class QWidget;

namespace vargo {

/// Centres `window` on the available area of `screen` (the window's own screen when null). A
/// window larger than the area keeps its top-left corner, with the title bar, on the screen.
void centreOnScreen(QWidget* window, QScreen* screen = nullptr);

/// The width a title bar needs to show `window`'s whole caption ("移動指示 — VARGO"): the caption
/// in a title bar's usual bold face with room for the icon and three buttons.
int captionWidth(const QWidget* window);

/// Installed once on the application: every top-level window, as it shows, is made at least as
/// wide as its caption needs, so no title is cut to "移動…" or "V…O" by the window manager.
class CaptionFit : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace vargo
