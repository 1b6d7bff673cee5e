// The game at start over a folder with broken catalogues: one plain message lists every problem
// with its file and line, and going back to the start screen does not repeat it. The start screen
// played by keyboard alone.

#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "support/qt_support.h"
#include "support/test_support.h"
#include "ui/game_app_qt.h"
#include "ui/screens/startup_window.h"

using namespace vargo;

class StartReportTest : public QObject {
    Q_OBJECT

    // A copy of the shipped game folder.
    struct GameCopy : test::TempGameFolder {
        GameCopy() {
            std::filesystem::copy(VARGO_SOURCE_DIR "/data", path(), std::filesystem::copy_options::recursive);
        }
    };

private slots:
    void initTestCase() { test::useGameFont(); }

    void brokenCataloguesAreReportedOnceAtStart() {
        GameCopy dir;
        std::filesystem::remove(dir.path() / "ini/Motor.ini");
        dir.writeBytes("ini/Booster.ini", "");
        GameApp app(dir.path(), 1);
        QString text;
        {
            auto answer =
                test::whenModal([&](QWidget* box) { test::answerBox(box, QMessageBox::Ok, &text); });
            app.showStartUp();
            QVERIFY(answer.wait());
        }
        QVERIFY(app.startWindow()->isVisible());
        QVERIFY(text.startsWith("部品カタログに問題があります。"));
        QVERIFY(text.contains("ini/Motor.ini: ファイルが見つかりません"));
        QVERIFY(text.contains("ini/Booster.ini: 部品が一つも登録されていません"));
        QCOMPARE(text.count("ini/"), 2);

        // Back at the start screen later in the run: no second report.
        auto again =
            test::whenModal([](QWidget* box) { test::answerBox(box, QMessageBox::Ok); }, nullptr, 300);
        app.showStartUp();
        QVERIFY(!again.wait());
        again.forgive();
    }

    // Enter presses the focused button and Tab moves between them; the underlined letters work too.
    void startScreenByKeyboard() {
        StartUpWindow w(VARGO_SOURCE_DIR "/data");
        QSignalSpy initial(&w, &StartUpWindow::initialStart);
        QSignalSpy load(&w, &StartUpWindow::loadStart);
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.findChild<QPushButton*>("Command1_0")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(initial.count(), 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.findChild<QPushButton*>("Command1_1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
        QCOMPARE(load.count(), 1);
        QTest::keyClick(&w, Qt::Key_I, Qt::AltModifier);
        QTRY_COMPARE(initial.count(), 2);  // a mnemonic presses its button visibly, after a moment
        QCOMPARE(load.count(), 1);
    }

    void soundCataloguesStartQuietly() {
        GameCopy dir;
        GameApp app(dir.path(), 1);
        auto none =
            test::whenModal([](QWidget* box) { test::answerBox(box, QMessageBox::Ok); }, nullptr, 300);
        app.showStartUp();
        QVERIFY(!none.wait());
        none.forgive();
        QVERIFY(app.startWindow()->isVisible());
    }
};

QTEST_MAIN(StartReportTest)
#include "start_report_qttest.moc"
