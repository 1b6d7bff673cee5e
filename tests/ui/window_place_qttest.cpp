// Where the windows without a parent open: the start window in the middle of the screen each time
// it shows, even after the desktop left it partly off the screen, and a window larger than the
// screen with its title bar on it.

#include <QScreen>
#include <QtTest>

#include "support/qt_support.h"
#include "support/test_support.h"
#include "ui/game_app_qt.h"
#include "ui/screens/dialog_action_window.h"
#include "ui/screens/startup_window.h"
#include "ui/window_place_qt.h"

using namespace vargo;

class WindowPlaceTest : public QObject {
    Q_OBJECT

    struct GameCopy : test::TempGameFolder {
        GameCopy() {
            std::filesystem::copy(VARGO_SOURCE_DIR "/data", path(), std::filesystem::copy_options::recursive);
        }
    };

    static QRect area(const QWidget& w) { return w.screen()->availableGeometry(); }

    // Within a few pixels: before its first show a window's frame is not known yet, so the first
    // placement is off by the frame's width.
    static bool centred(const QWidget& w) {
        const QRect frame = w.frameGeometry();
        const QPoint off = frame.center() - area(w).center();
        return area(w).contains(frame) && std::abs(off.x()) <= 4 && std::abs(off.y()) <= 4;
    }

private slots:
    void initTestCase() { test::useGameFont(); }

    // File → Start brings the start window back in the middle of the screen, wherever it was.
    void startWindowComesBackCentred() {
        GameCopy dir;
        GameApp app(dir.path(), 1);
        app.showStartUp();
        StartUpWindow* start = app.startWindow();
        QVERIFY(QTest::qWaitForWindowExposed(start));
        QVERIFY2(centred(*start), qPrintable(QString("first shown at %1,%2")
                                                 .arg(start->frameGeometry().x())
                                                 .arg(start->frameGeometry().y())));
        start->move(area(*start).right() - 40, area(*start).bottom() - 40);
        start->hide();  // the workshop stands in its place
        app.backToStart();
        QVERIFY(start->isVisible());
        QVERIFY2(centred(*start), qPrintable(QString("shown again at %1,%2")
                                                 .arg(start->frameGeometry().x())
                                                 .arg(start->frameGeometry().y())));
    }

    // A window larger than the screen keeps its top-left corner, where the title bar is, on it.
    void largerThanTheScreenKeepsItsTitleBarOnIt() {
        QWidget big;
        const QRect screen = area(big);
        big.resize(screen.width() + 400, screen.height() + 300);
        big.move(screen.left() - 500, screen.top() - 500);
        centreOnScreen(&big);
        big.show();
        QVERIFY(QTest::qWaitForWindowExposed(&big));
        QCOMPARE(big.frameGeometry().topLeft(), screen.topLeft());
    }

    // The movement dialog is narrower than "移動指示 — VARGO" on its own: shown with the caption
    // check installed it widens to show it whole; a window that may not grow is left as it is.
    void captionsShowWhole() {
        QCoreApplication::setApplicationName("vargo");
        QGuiApplication::setApplicationDisplayName("VARGO");
        CaptionFit fit;
        qApp->installEventFilter(&fit);
        MoveChoice choice(3);
        DialogMoveWindow move(choice);
        move.show();
        QVERIFY(QTest::qWaitForWindowExposed(&move));
        QVERIFY(move.width() >= captionWidth(&move));
        QVERIFY(captionWidth(&move) > move.fontMetrics().horizontalAdvance("移動指示 — VARGO"));
        QWidget fixed;
        fixed.setWindowTitle("とても長い題名のついた小さな窓です");
        fixed.setFixedSize(120, 80);
        fixed.show();
        QCOMPARE(fixed.width(), 120);
        qApp->removeEventFilter(&fit);
    }
};

QTEST_MAIN(WindowPlaceTest)
#include "window_place_qttest.moc"
