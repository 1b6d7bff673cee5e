#include "ui/window_place_qt.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace vargo {

void centreOnScreen(QWidget* window, QScreen* screen) {
    if (screen == nullptr) {
        screen = window->screen();
    }
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    // A window not yet shown takes the size its layout asks for only when it shows: take it now,
    // so the centre is the centre of what will be seen.
    if (!window->isVisible() && !window->testAttribute(Qt::WA_Resized)) {
        window->adjustSize();
    }
    const QRect area = screen->availableGeometry();
    // The frame is known once the window has been shown; before, the client area stands for it.
    const QSize size = window->frameGeometry().size();
    // Larger than the area, the top-left corner stays on it, so the title bar can be reached.
    const int x = area.left() + std::max(0, (area.width() - size.width()) / 2);
    const int y = area.top() + std::max(0, (area.height() - size.height()) / 2);
    window->move(x, y);
}

}  // namespace vargo
