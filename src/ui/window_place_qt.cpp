#include "ui/window_place_qt.h"

#include <QEvent>
#include <QFontMetrics>
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

int captionWidth(const QWidget* window) {
    QString caption = window->windowTitle();
    const QString app = QGuiApplication::applicationDisplayName();
    if (!app.isEmpty() && caption != app) {
        caption += QString::fromUtf8(" \u2014 ") + app;
    }
    QFont bold = window->font();
    bold.setBold(true);
    const int icon = window->fontMetrics().height();
    return QFontMetrics(bold).horizontalAdvance(caption) * 5 / 4 + 5 * icon;
}

bool CaptionFit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Show) {
        return false;
    }
    auto* window = qobject_cast<QWidget*>(watched);
    if (window == nullptr || !window->isWindow() || window->windowTitle().isEmpty() ||
        (window->windowFlags() & Qt::FramelessWindowHint) != 0 || (window->windowType() == Qt::Popup) ||
        (window->windowType() == Qt::ToolTip)) {
        return false;
    }
    const int needed = captionWidth(window);
    if (window->width() >= needed || window->maximumWidth() < needed) {
        return false;
    }
    // A dialog stays centred where it opened: it widens to both sides.
    const QPoint centre = window->geometry().center();
    window->setMinimumWidth(needed);
    window->resize(needed, window->height());
    if (window->parentWidget() != nullptr) {
        window->move(centre.x() - needed / 2, window->y());
    }
    return false;
}

}  // namespace vargo
