#pragma once
// The game's look: a Japanese font for every window and one style sheet, a dark workshop steel
// with an amber accent, so that every screen reads as part of the same game.

class QApplication;

namespace vargo {

/// Sets the application font (IPAGothic when installed) and the style sheet.
void applyTheme(QApplication& app);

}  // namespace vargo
