// The technique and movement dialogs through QtCommander, as the battle shows them.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "model/game.h"
#include "ports/prompts.h"
#include "support/qt_support.h"
#include "ui/screens/dialog_action_window.h"
#include "ui/widgets/click_label_widget.h"

using namespace vargo;

class DialogActionTest : public QObject {
    Q_OBJECT

    ScriptedRandom rng{std::vector<double>(8, 0.0)};
    Game game{GameFolder("."), rng};
    ScriptedPrompts prompts;

    void prepare() {
        doll& d = game.theDoll();
        d.name = "アイアン";
        auto l = std::make_shared<Logic>();
        l->setAction(makeAction(kMove), 0);
        l->setAction(makeAction(kJump), 1);
        l->setAction(makeAction(kKick), 2);
        l->name = "跳び蹴り";
        l->AP = 9;
        d.setLogics(l, 1);
        auto p = std::make_shared<Logic>();
        p->setAction(makeAction(kPunch), 0);
        p->setAction(makeAction(kPunch), 1);
        p->name = "ワンツー";
        p->AP = 6;
        d.setLogics(p, 2);
    }

private slots:
    void initTestCase() {
        test::useGameFont();
        prepare();
    }

    // A grey pattern ignores the click; a white one asks and then yields its number.
    void chooseWhitePattern() {
        QtCommander commander(game, prompts, nullptr);
        QString greyText;
        bool greySelectable = true;
        auto answer = test::whenModal([&](QWidget* w) {
            auto* grey = w->findChild<ClickLabel*>("dspPattern_1");
            greyText = grey->text();
            greySelectable = grey->property("selectable").toBool();
            QTest::mouseClick(grey, Qt::LeftButton);
            QCOMPARE(w->findChild<QLabel*>("dspDollName")->text(), QString("アイアン"));
            QCOMPARE(w->findChild<QLineEdit*>("Text1_2")->text(), QString("ワンツー"));
            QCOMPARE(w->findChild<QLabel*>("lblAP_2")->text(), QString("6"));
            test::screenshot(w, "dialog_action");
            QTest::mouseClick(w->findChild<ClickLabel*>("dspPattern_2"), Qt::LeftButton);
        });
        QCOMPARE(commander.selectTechnique(game.theDoll(), 8), 3);
        QCOMPARE(greyText, QString("移動＋ジャンプ＋キック"));
        QVERIFY(!greySelectable);
        QCOMPARE(prompts.calls.size(), size_t(1));
        QCOMPARE(QString::fromStdString(prompts.calls[0].msg), QString("ワンツーでいいですか？"));
    }

    // Without a mouse: the mark starts on the first pattern the turn can pay for; the digit of a
    // grey row only moves the mark there; Down and Up move it, Enter chooses; the digit of a white
    // row chooses at once.
    void chooseByKeyboard() {
        QtCommander commander(game, prompts, nullptr);
        bool openAfterGreyDigit = false;
        QString marked;
        auto answer = test::whenModal([&](QWidget* w) {
            marked = w->findChild<ClickLabel*>("dspPattern_2")->styleSheet();
            QTest::keyClick(w, Qt::Key_2);
            openAfterGreyDigit = w->isVisible();
            QTest::keyClick(w, Qt::Key_Down);
            QTest::keyClick(w, Qt::Key_Down);
            QTest::keyClick(w, Qt::Key_Up);
            prompts.answer(true);
            QTest::keyClick(w, Qt::Key_Return);
        });
        QCOMPARE(commander.selectTechnique(game.theDoll(), 8), 3);
        QVERIFY(openAfterGreyDigit);
        QVERIFY(marked.contains("border"));
        QCOMPARE(QString::fromStdString(prompts.calls.back().msg), QString("ワンツーでいいですか？"));
        auto answer2 = test::whenModal([&](QWidget* w) {
            prompts.answer(true);
            QTest::keyClick(w, Qt::Key_3);
        });
        QCOMPARE(commander.selectTechnique(game.theDoll(), 8), 3);
    }

    void withdrawAndCloseGiveZero() {
        QtCommander commander(game, prompts, nullptr);
        prompts.answer(true);
        auto answer = test::whenModal([](QWidget* w) { w->findChild<QPushButton*>("cmdCancel")->click(); });
        QCOMPARE(commander.selectTechnique(game.theDoll(), 20), 0);
        QCOMPARE(QString::fromStdString(prompts.calls.back().msg), QString("命令を中止しますか？"));
        auto answer2 = test::whenModal([](QWidget* w) { w->close(); });
        QCOMPARE(commander.selectTechnique(game.theDoll(), 20), 0);
    }

    // Escape and the window's close button ask as Cancel does: "No" keeps the dialog and the turn.
    void escapeAndCloseAskAsCancelDoes() {
        QtCommander commander(game, prompts, nullptr);
        const size_t before = prompts.calls.size();
        bool openAfterEscape = false;
        bool openAfterClose = false;
        auto answer = test::whenModal([&](QWidget* w) {
            prompts.answer(false);
            QTest::keyClick(w, Qt::Key_Escape);
            openAfterEscape = w->isVisible();
            prompts.answer(false);
            w->close();
            openAfterClose = w->isVisible();
            prompts.answer(true);
            QTest::keyClick(w, Qt::Key_Escape);
        });
        QCOMPARE(commander.selectTechnique(game.theDoll(), 20), 0);
        QVERIFY(openAfterEscape);
        QVERIFY(openAfterClose);
        QCOMPARE(prompts.calls.size(), before + 3);
        for (size_t i = before; i < prompts.calls.size(); ++i) {
            QCOMPARE(QString::fromStdString(prompts.calls[i].msg), QString("命令を中止しますか？"));
        }
    }

    void guidePaneOnceWhilePending() {
        game.guideOn = true;
        game.selectGuidePending = true;
        QtCommander commander(game, prompts, nullptr);
        bool shown = false;
        auto answer = test::whenModal([&](QWidget* w) {
            auto* pane = w->findChild<QWidget*>("paneGuide");
            shown = pane->isVisible();
            QTest::mouseClick(w->findChild<ClickLabel*>("dspGuide"), Qt::LeftButton);
            QVERIFY(!pane->isVisible());
            w->close();
        });
        commander.selectTechnique(game.theDoll(), 20);
        QVERIFY(shown);
        QVERIFY(!game.selectGuidePending);
    }

    void movementDialog() {
        QtCommander commander(game, prompts, nullptr);
        QString distance, caption;
        auto answer = test::whenModal([&](QWidget* w) {
            distance = w->findChild<QLabel*>("dsp_0")->text();
            caption = w->windowTitle();
            test::screenshot(w, "dialog_move");
            w->findChild<QPushButton*>("Command1_1")->click();
        });
        QCOMPARE(commander.selectMove(4), 1);
        QCOMPARE(distance, QString("4"));
        QCOMPARE(caption, QString("移動指示"));
        auto answer2 = test::whenModal([](QWidget* w) { w->close(); });
        QCOMPARE(commander.selectMove(4), 0);
    }
};

QTEST_MAIN(DialogActionTest)
#include "dialog_action_qttest.moc"
