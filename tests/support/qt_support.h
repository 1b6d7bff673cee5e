#pragma once
// Helpers for screen tests: answer the modal dialogs the code under test opens, find controls by
// their names, and save a picture of a window when VARGO_SCREENSHOT_DIR is set.

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFont>
#include <QFontDatabase>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <memory>
#include <source_location>
#include <version>

#include "ui/theme_qt.h"

namespace vargo::test {

#if defined(__cpp_lib_source_location)
using SourceWhere = std::source_location;
#else
/// Where a call was written, for a compiler that cannot build std::source_location with this
/// standard library (clang 14 reading libstdc++ 12, as scripts/tidy does).
struct SourceWhere {
    const char* file = "";
    unsigned lineNo = 0;
    static constexpr SourceWhere current(const char* f = __builtin_FILE(), unsigned l = __builtin_LINE()) {
        return {f, l};
    }
    constexpr const char* file_name() const { return file; }
    constexpr unsigned line() const { return lineNo; }
};
#endif

/// The game's font and look, so that pictures and sizes match what players see.
inline void useGameFont() {
    applyTheme(*qApp);
}

/// An answer armed for the next modal window the code under test opens. The window must come,
/// and be gone after `act`, within a deadline. When it never comes, or `act` leaves it open (a
/// QVERIFY inside `act` returns early), the answer closes the window it found so that the code
/// under test returns instead of hanging, and the test fails: at once through wait(), at the
/// latest when the answer goes out of scope.
class ModalAnswer {
public:
    static constexpr int kDeadlineMs = 5000;

    ModalAnswer(std::function<void(QWidget*)> act, QWidget* except, int deadlineMs, SourceWhere where)
        : state(std::make_shared<State>()), file(where.file_name()), line(static_cast<int>(where.line())) {
        state->deadlineMs = deadlineMs;
        state->clock.start();
        timer = new QTimer;
        timer->setInterval(5);
        QObject::connect(timer, &QTimer::timeout, [s = state, act = std::move(act), except] {
            if (s->busy || s->finished()) {
                return;
            }
            if (!s->came) {
                QWidget* w = QApplication::activeModalWidget();
                if (w && w != except && w->isVisible()) {
                    s->came = true;
                    s->window = w;
                    s->busy = true;
                    act(w);
                    s->busy = false;
                }
            }
            if (s->came && (!s->window || !s->window->isVisible())) {
                s->done = true;
                return;
            }
            if (s->clock.elapsed() > s->deadlineMs) {
                s->failure = s->came
                                 ? QString("the modal window was still open after %1 ms").arg(s->deadlineMs)
                                 : QString("no modal window came within %1 ms").arg(s->deadlineMs);
                if (s->window) {
                    // Unblock the code under test: a dialog is rejected, anything else closed.
                    if (auto* d = qobject_cast<QDialog*>(s->window.data())) {
                        d->done(QDialog::Rejected);
                    } else {
                        s->window->close();
                    }
                }
            }
        });
        timer->start();
    }
    ModalAnswer(const ModalAnswer&) = delete;
    ModalAnswer& operator=(const ModalAnswer&) = delete;

    ~ModalAnswer() {
        // A test that failed already does not wait out the deadline for a window it never reached.
        if (!state->finished() && !QTest::currentTestFailed()) {
            wait();
        }
        if (!state->done && state->failure.isEmpty()) {
            state->failure = "no modal window came";
        }
        delete timer;
        if (!state->done && !forgiven) {
            QTest::qFail(qPrintable("whenModal: " + state->failure), file, line);
        }
    }

    /// Processes events until the window came and went, or the deadline passed; true for the first.
    bool wait() {
        while (!state->finished()) {
            QTest::qWait(5);
        }
        return state->done;
    }
    bool answered() const { return state->done; }
    /// Why the answer failed; empty while it has not.
    QString failure() const { return state->failure; }
    /// Drops the failure the destructor would record (for the helper's own tests).
    void forgive() { forgiven = true; }

private:
    struct State {
        bool came = false;
        bool busy = false;
        bool done = false;
        QString failure;
        QPointer<QWidget> window;
        QElapsedTimer clock;
        int deadlineMs = kDeadlineMs;
        bool finished() const { return done || !failure.isEmpty(); }
    };
    std::shared_ptr<State> state;
    QTimer* timer = nullptr;
    const char* file;
    int line;
    bool forgiven = false;
};

/// Runs `act` on the next modal window that is not `except`, as soon as it is showing. Keep the
/// answer until the window has been dealt with: `auto answer = test::whenModal(...);`.
[[nodiscard]] inline ModalAnswer whenModal(std::function<void(QWidget*)> act, QWidget* except = nullptr,
                                           int deadlineMs = ModalAnswer::kDeadlineMs,
                                           SourceWhere where = SourceWhere::current()) {
    return ModalAnswer(std::move(act), except, deadlineMs, where);
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

/// The visible labels and buttons of `root` whose text does not fit them: a label without word
/// wrap narrower than the widest line of its text, a button narrower than its own text. Named by
/// their objectName (or their text when unnamed), with the sizes, for a failure message.
inline QStringList clippedTexts(QWidget* root) {
    QStringList clipped;
    auto name = [](const QWidget* w, const QString& text) {
        return (w->objectName().isEmpty() ? QString("「%1」").arg(text) : w->objectName());
    };
    for (QLabel* label : root->findChildren<QLabel*>()) {
        if (!label->isVisibleTo(root) || label->wordWrap() || label->text().isEmpty() ||
            !label->pixmap().isNull() || Qt::mightBeRichText(label->text())) {
            continue;
        }
        int widest = 0;
        for (const QString& line : label->text().split('\n')) {
            widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
        }
        const int room = label->contentsRect().width() - 2 * label->margin() - std::max(0, label->indent());
        if (widest > room) {
            clipped << QString("%1 (%2 > %3)").arg(name(label, label->text())).arg(widest).arg(room);
        }
    }
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(root) || button->text().isEmpty()) {
            continue;
        }
        QString shown = button->text();
        shown.remove('&');
        const int needed = button->fontMetrics().horizontalAdvance(shown);
        if (needed > button->width()) {
            clipped << QString("%1 (%2 > %3)").arg(name(button, shown)).arg(needed).arg(button->width());
        }
    }
    return clipped;
}

}  // namespace vargo::test
