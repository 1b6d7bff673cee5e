#pragma once
// Where a top-level window opens. Dialogs open over the window they belong to (Qt centres a
// dialog on its parent); the windows that have none, the start window and the workshop, open in
// the middle of the screen, every time they are shown, so a window shown again never comes back
// where the desktop left it, partly off the screen.

class QScreen;
class QWidget;

namespace vargo {

/// Centres `window` on the available area of `screen` (the window's own screen when null). A
/// window larger than the area keeps its top-left corner, with the title bar, on the screen.
void centreOnScreen(QWidget* window, QScreen* screen = nullptr);

}  // namespace vargo
