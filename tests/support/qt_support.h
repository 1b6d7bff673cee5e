#pragma once
// Helpers for screen tests: answer the modal dialogs the code under test opens, find controls by
// their names, and save a picture of a window when VARGO_SCREENSHOT_DIR is set.

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "ui/theme_qt.h"

namespace vargo::test {

/// The game's font and look, so that pictures and sizes match what players see.
inline void useGameFont() {
    applyTheme(*qApp);
}

/// Runs `act` on the next modal window that is not `except`, as soon as it is showing.
inline void whenModal(std::function<void(QWidget*)> act, QWidget* except = nullptr) {
    auto* t = new QTimer;
    t->setInterval(5);
    QObject::connect(t, &QTimer::timeout, [t, act, except] {
        QWidget* w = QApplication::activeModalWidget();
        if (w && w != except && w->isVisible()) {
            t->stop();
            t->deleteLater();
            act(w);
        }
    });
    t->start();
}

/// Clicks the button called `name` inside w (DMsg's cmdOK / cmdCancel).
inline void clickNamed(QWidget* w, const char* name) {
    if (auto* b = w->findChild<QAbstractButton*>(name)) {
        b->click();
    }
}

/// Answers a plain message box with one of its standard buttons; remembers its text.
inline void answerBox(QWidget* w, QMessageBox::StandardButton which, QString* text = nullptr) {
    auto* box = qobject_cast<QMessageBox*>(w);
    if (!box) {
        return;
    }
    if (text) {
        *text = box->text();
    }
    box->button(which)->click();
}

/// Saves a picture of the window to $VARGO_SCREENSHOT_DIR/<name>.png when that is set.
inline void screenshot(QWidget* w, const QString& name) {
    QString dir = qEnvironmentVariable("VARGO_SCREENSHOT_DIR");
    if (dir.isEmpty()) {
        return;
    }
    QDir().mkpath(dir);
    w->grab().save(dir + "/" + name + ".png");
}

}  // namespace vargo::test
