// The modal-window answer the screen tests rely on: it answers the window it waits for, and when
// that window never comes, or is left open, it fails quickly instead of letting the test hang.

#include <QElapsedTimer>
#include <QMessageBox>
#include <QtTest>

#include "support/qt_support.h"

using namespace vargo;

class ModalAnswerTest : public QObject {
    Q_OBJECT

private slots:
    // The window comes and the answer closes it: answered, nothing to report.
    void answersTheWindowItWaitsFor() {
        QMessageBox box(QMessageBox::Question, "VARGO", "続けますか？", QMessageBox::Yes | QMessageBox::No);
        QString text;
        auto answer = test::whenModal([&](QWidget* w) { test::answerBox(w, QMessageBox::No, &text); });
        QCOMPARE(box.exec(), int(QMessageBox::No));
        QVERIFY(answer.wait());
        QVERIFY(answer.answered());
        QCOMPARE(text, QString("続けますか？"));
        QVERIFY(answer.failure().isEmpty());
    }

    // No window ever comes: wait() gives up at the deadline and says why.
    void aMissingWindowFailsAtTheDeadline() {
        QElapsedTimer clock;
        clock.start();
        auto answer = test::whenModal([](QWidget*) {}, nullptr, 200);
        QVERIFY(!answer.wait());
        QVERIFY(clock.elapsed() < 3000);
        QVERIFY(!answer.answered());
        QVERIFY(answer.failure().contains("no modal window came"));
        answer.forgive();
    }

    // The answer does not close the window (as when a check inside it fails): at the deadline the
    // window is closed, so the code that opened it goes on, and the answer reports the failure.
    void aWindowLeftOpenIsClosedAtTheDeadline() {
        QMessageBox box(QMessageBox::Question, "VARGO", "上書きしますか？",
                        QMessageBox::Yes | QMessageBox::No);
        bool seen = false;
        auto answer = test::whenModal([&](QWidget*) { seen = true; }, nullptr, 300);
        QElapsedTimer clock;
        clock.start();
        box.exec();
        QVERIFY(clock.elapsed() < 3000);
        QVERIFY(seen);
        QVERIFY(!box.isVisible());
        QVERIFY(!answer.wait());
        QVERIFY(answer.failure().contains("still open"));
        answer.forgive();
    }

    // A window named as the one not to answer is left alone; the next one is answered.
    void theExceptedWindowIsNotAnswered() {
        QDialog outer;
        outer.setModal(true);
        outer.show();
        QMessageBox inner(QMessageBox::Information, "VARGO", "中", QMessageBox::Ok);
        QWidget* answered = nullptr;
        auto answer = test::whenModal(
            [&](QWidget* w) {
                answered = w;
                test::answerBox(w, QMessageBox::Ok);
            },
            &outer);
        QTest::qWait(30);
        QVERIFY(answered == nullptr);
        inner.exec();
        QVERIFY(answer.wait());
        QCOMPARE(answered, static_cast<QWidget*>(&inner));
        QVERIFY(outer.isVisible());
    }
};

QTEST_MAIN(ModalAnswerTest)
#include "qt_support_qttest.moc"
