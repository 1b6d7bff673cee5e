#include "ui/window_memory_qt.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>

#include "ui/window_place_qt.h"

namespace vargo {

namespace {
// Windows that open over nothing and so keep a place of their own; dialogs open over the window
// they belong to.
bool keepsPlace(const QWidget* window) {
    const QString name = window->objectName();
    return name == "Design" || name == "StartUp";
}

const char* const kRestored = "vargoSizeRestored";
}  // namespace

WindowMemory::WindowMemory(QObject* parent) : QObject(parent) {}

QString WindowMemory::key(const QWidget* window, const char* what) {
    return "windows/" + window->objectName() + "/" + what;
}

bool WindowMemory::resizable(const QWidget* window) {
    return window->minimumSize() != window->maximumSize();
}

std::optional<QRect> WindowMemory::rememberedPlace(const QWidget* window) {
    const QRect r = QSettings().value(key(window, "place")).toRect();
    if (!r.isValid()) {
        return std::nullopt;
    }
    // Only a place wholly on one screen of this desktop: a monitor unplugged since, or a window
    // the desktop left hanging over an edge, must not come back out of reach.
    for (const QScreen* s : QGuiApplication::screens()) {
        if (s->availableGeometry().contains(r)) {
            return r;
        }
    }
    return std::nullopt;
}

void WindowMemory::place(QWidget* window, QScreen* screen) {
    restoreSize(window);
    if (const auto r = rememberedPlace(window)) {
        window->move(r->topLeft());
    } else {
        centreOnScreen(window, screen);
    }
}

void WindowMemory::restoreSize(QWidget* window) {
    if (window->property(kRestored).toBool()) {
        return;
    }
    window->setProperty(kRestored, true);
    if (!resizable(window)) {
        return;
    }
    QSize size = QSettings().value(key(window, "size")).toSize();
    if (!size.isValid()) {
        return;
    }
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        size = size.boundedTo(screen->availableGeometry().size());
    }
    window->resize(size.expandedTo(window->minimumSizeHint()).expandedTo(window->minimumSize()));
}

void WindowMemory::remember(const QWidget* window) {
    QSettings settings;
    if (resizable(window)) {
        settings.setValue(key(window, "size"), window->size());
    }
    if (keepsPlace(window)) {
        settings.setValue(key(window, "place"), QRect(window->pos(), window->size()));
    }
}

bool WindowMemory::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::Show && type != QEvent::Hide) {
        return false;
    }
    auto* window = qobject_cast<QWidget*>(watched);
    if (window == nullptr || !window->isWindow() || window->objectName().isEmpty() ||
        window->objectName().startsWith("qt_")) {
        return false;
    }
    if (type == QEvent::Show && !window->property(kRestored).toBool()) {
        const QSize before = window->size();
        restoreSize(window);
        // A dialog was centred on its window at its old size: centre it again at the new one.
        if (window->size() != before && !keepsPlace(window) && window->parentWidget() != nullptr) {
            const QRect over = window->parentWidget()->window()->frameGeometry();
            window->move(over.center() - QPoint(window->width() / 2, window->height() / 2));
        }
    } else if (type == QEvent::Hide && window->isWindow() && !window->isMinimized()) {
        remember(window);
    }
    return false;
}

}  // namespace vargo
