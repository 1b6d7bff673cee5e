// The message dialog on screen: captions, hidden buttons, result codes, sizes and placement.

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "support/qt_support.h"
#include "ui/prompts/dmsg_qt.h"
#include "ui/prompts/qt_prompts_qt.h"

using namespace vargo;

class DMsgTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { test::useGameFont(); }

    // Yes answers 6, No answers 7, and the captions read Yes / No under the given title.
    void yesNoCodes() {
        QtPrompts prompts;
        QString title, left, right;
        auto answer = test::whenModal([&](QWidget* w) {
            title = w->windowTitle();
            left = w->findChild<QPushButton*>("cmdOK")->text();
            right = w->findChild<QPushButton*>("cmdCancel")->text();
            test::clickNamed(w, "cmdOK");
        });
        QCOMPARE(prompts.askYesNo("続けますか？", "確認"), 6);
        QCOMPARE(title, QString("確認"));
        QCOMPARE(left, QString("Yes"));
        QCOMPARE(right, QString("No"));
        auto answer2 = test::whenModal([](QWidget* w) { test::clickNamed(w, "cmdCancel"); });
        QCOMPARE(prompts.askYesNo("続けますか？", "確認"), 7);
    }

    // The window's own close control counts as the right button.
    void closingCountsAsRightButton() {
        QtPrompts prompts;
        auto answer = test::whenModal([](QWidget* w) { w->close(); });
        QCOMPARE(prompts.askOkCancel("購入しますか？"), 2);
        QCOMPARE(prompts.dialog().value(), 2);
    }

    // By keyboard: Enter gives the left answer, Escape the right one, and Enter on a button
    // reached with Tab gives that button's answer.
    void keyboardAnswers() {
        QtPrompts prompts;
        auto press = [](Qt::Key key) {
            return [key](QWidget* w) {
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w, key);
            };
        };
        {
            auto answer = test::whenModal(press(Qt::Key_Return));
            QCOMPARE(prompts.askYesNo("続けますか？", "確認"), 6);
        }
        {
            auto answer = test::whenModal(press(Qt::Key_Escape));
            QCOMPARE(prompts.askYesNo("続けますか？", "確認"), 7);
        }
        {
            auto answer = test::whenModal([](QWidget* w) {
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w, Qt::Key_Tab);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            });
            QCOMPARE(prompts.askOkCancel("購入しますか？"), 2);
        }
        {
            // The box is shared by every question: the next one opens on its left answer again.
            auto answer = test::whenModal(press(Qt::Key_Return));
            QCOMPARE(prompts.askOkCancel("購入しますか？"), 1);
        }
        {
            auto answer = test::whenModal(press(Qt::Key_Escape));
            prompts.showMsg("お金が入りました");
            QVERIFY(answer.wait());
        }
    }

    // An information message right after a question shows one button captioned OK.
    void infoAfterQuestionHasOneButton() {
        QtPrompts prompts;
        auto answer = test::whenModal([](QWidget* w) { test::clickNamed(w, "cmdOK"); });
        prompts.askYesNo("a", "b");
        bool cancelVisible = true;
        QString caption, label, title;
        auto answer2 = test::whenModal([&](QWidget* w) {
            cancelVisible = w->findChild<QPushButton*>("cmdCancel")->isVisible();
            caption = w->findChild<QPushButton*>("cmdOK")->text();
            label = w->findChild<QLabel*>("lblMsg")->text();
            title = w->windowTitle();
            test::clickNamed(w, "cmdOK");
        });
        prompts.showMsg("お金が入りました");
        QVERIFY(!cancelVisible);
        QCOMPARE(caption, QString("OK"));
        QCOMPARE(label, QString("お金が入りました"));
        QCOMPARE(title, QString("VARGO"));
    }

    // Six rows make it 2400 twips high with the button at 1600; the next prompt has three rows.
    void tallMessageThenNormalSize() {
        QtPrompts prompts;
        int tallHeight = 0, tallTop = 0, tallPixels = 0;
        auto answer = test::whenModal([&](QWidget* w) {
            auto* d = static_cast<DMsg*>(w);
            tallHeight = d->heightTwips();
            tallTop = d->buttonTopTwips();
            tallPixels = d->height();
            test::clickNamed(w, "cmdOK");
        });
        prompts.showMsgTall("一\n二\n三\n四\n五\n六", "記録", 6);
        QCOMPARE(tallHeight, 2400);
        QCOMPARE(tallTop, 1600);
        int height = 0, pixels = 0;
        auto answer2 = test::whenModal([&](QWidget* w) {
            height = static_cast<DMsg*>(w)->heightTwips();
            pixels = w->height();
            test::clickNamed(w, "cmdOK");
        });
        prompts.showMsg("短い");
        QCOMPARE(height, 1800);
        QVERIFY(pixels < tallPixels);
    }

    // Long Japanese text is never cut: the label grows to what the wrapped text needs.
    void longTextFits() {
        DMsg d;
        d.setButtons("OK", "Cancel");
        d.setDialog(
            "ファイルが見つかりません。ファイルが見つかりません。ファイルが見つかりません。ファイルが見つかり"
            "ません。");
        auto* label = d.findChild<QLabel*>("lblMsg");
        QVERIFY(label->height() >= label->heightForWidth(label->width()));
        auto* ok = d.findChild<QPushButton*>("cmdOK");
        QVERIFY(ok->geometry().top() >= label->geometry().bottom());
        QVERIFY(ok->geometry().bottom() < d.height());
    }

    // The purchase question names the part only in its caption: the box is wide enough for the
    // whole caption, and a short question stays on one line.
    void captionAndShortQuestionFit() {
        QtPrompts prompts;
        int width = 0;
        int titleAdvance = 0;
        int labelHeight = 0;
        int lineHeight = 0;
        auto answer = test::whenModal([&](QWidget* w) {
            width = w->width();
            // The title bar shows the caption with the application's name after it, in bold.
            QFont bold = w->font();
            bold.setBold(true);
            titleAdvance = QFontMetrics(bold).horizontalAdvance(
                w->windowTitle() + QString::fromUtf8(" \u2014 ") + QGuiApplication::applicationDisplayName());
            auto* label = w->findChild<QLabel*>("lblMsg");
            labelHeight = label->heightForWidth(label->width());
            lineHeight = label->fontMetrics().lineSpacing();
            test::clickNamed(w, "cmdOK");
        });
        QCOMPARE(
            prompts.askOkCancelTitled("購入しますか？", "ＶＸ－１０ モーター（ロングライフ・スペシャル）"),
            1);
        // Room besides for the window's icon and its three buttons.
        QVERIFY2(width > titleAdvance + 80, qPrintable(QString("%1 vs %2").arg(width).arg(titleAdvance)));
        QVERIFY(labelHeight < 2 * lineHeight);
    }

    // The dialog sits a third of the way into the workshop window.
    void placedOverAnchor() {
        QWidget workshop;
        workshop.setGeometry(90, 60, 900, 600);
        workshop.show();
        QtPrompts prompts(&workshop);
        QPoint pos;
        auto answer = test::whenModal([&](QWidget* w) {
            pos = w->pos();
            test::screenshot(w, "dmsg");
            test::clickNamed(w, "cmdOK");
        });
        prompts.askOkCancelTitled("購入しますか？", "ＭＸ－２ モーター");
        QRect a = workshop.frameGeometry();
        QCOMPARE(pos, QPoint(a.left() + a.width() / 3, a.top() + a.height() / 3));
    }

    // The plain box is titled VARGO and reports OK / Cancel.
    void plainMessageBox() {
        QtPrompts prompts;
        QString title;
        auto answer = test::whenModal([&](QWidget* w) {
            title = w->windowTitle();
            test::answerBox(w, QMessageBox::Cancel);
        });
        QCOMPARE(prompts.msgBox("上書きしますか？", BoxButtons::OkCancel), 2);
        QCOMPARE(title, QString("VARGO"));
    }

    // A one-line message stays on one line in the plain box too.
    void plainBoxKeepsOneLine() {
        QtPrompts prompts;
        int lines = 0;
        auto answer = test::whenModal([&](QWidget* w) {
            auto* label = w->findChild<QLabel*>("qt_msgbox_label");
            lines = label->heightForWidth(label->width()) / label->fontMetrics().lineSpacing();
            test::answerBox(w, QMessageBox::Ok);
        });
        prompts.msgBox("この環境ではBGMを再生できません。必要なランタイムをインストールして下さい。",
                       BoxButtons::Ok);
        QCOMPARE(lines, 1);
    }
};

QTEST_MAIN(DMsgTest)
#include "dmsg_qttest.moc"
