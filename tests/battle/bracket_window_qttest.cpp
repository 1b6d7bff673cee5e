// The bracket window: the entrants' names in bracket order, red lines for the decided stages, and
// a whole tournament run through the battle window with the bracket shown modally between stages.

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "screen_bench.h"
#include "support/qt_support.h"
#include "ui/battle/bracket_window.h"
#include "ui/battle/fight_window.h"
#include "ui/qt_text.h"
#include "ui/theme_qt.h"

using namespace vargo;

namespace {
bool near(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 &&
           std::abs(a.blue() - b.blue()) < 40;
}

// The colour in the middle of a segment's horizontal run.
QColor segmentColour(BracketWindow& w, int segment) {
    const BracketWindow::Segment s = BracketWindow::segment(segment);
    const QImage shot = w.grab().toImage();
    return shot.pixelColor((s.a.x() + s.b.x()) / 2, s.a.y());
}

std::shared_ptr<doll> entrant(const std::string& name, int ID) {
    test::DollNumbers n;
    n.name = name;
    n.ID = ID;
    return test::makeDoll(n);
}
}  // namespace

class BracketWindowTest : public QObject {
    Q_OBJECT
private:
    ScriptedPrompts prompts;

    /// Eight entrants, the player (number 0) at position 5.
    void fill(Bracket& b) {
        const char* names[8] = {"アイアンフィスト", "ゼロシキ",     "クロガネ", "ライデン",
                                "スカーレット",     "ブルーホーク", "ヴォルフ", "タイタン"};
        const int ids[8] = {1, 2, 3, 4, 5, 0, 6, 7};
        for (int i = 0; i < 8; ++i) {
            b.setKumiawase(i, entrant(names[i], ids[i]));
        }
    }

private slots:
    void showsTheEntrantsInBracketOrder() {
        Bracket b(prompts);
        fill(b);
        BracketWindow w(b);
        QCOMPARE(w.windowTitle(), QString("Tornament"));
        QCOMPARE(w.findChild<QLabel*>("lblName0")->text(), QString("アイアンフィスト"));
        QCOMPARE(w.findChild<QLabel*>("lblName5")->text(), QString("ブルーホーク"));
        QCOMPARE(w.findChild<QLabel*>("lblName7")->text(), QString("タイタン"));
        QCOMPARE(w.findChild<QPushButton*>("Command1")->text(), QString("Return"));
    }

    // Without a mouse: Enter presses Return (the default button) and Escape closes the window too.
    void enterAndEscapeClose() {
        Bracket b(prompts);
        fill(b);
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            BracketWindow w(b);
            auto answer = test::whenModal([key](QWidget* d) { QTest::keyClick(d, key); });
            w.exec();
            QVERIFY(answer.wait());
            QVERIFY(!w.isVisible());
        }
    }

    // Lines start white; a decided bout turns the winner's line red, stage by stage, and "Return"
    // hides the window.
    void decidedStagesTurnRed() {
        Bracket b(prompts);
        fill(b);
        BracketWindow w(b);
        w.show();
        QVERIFY(near(segmentColour(w, 2), BracketWindow::kOpen));
        QVERIFY(near(segmentColour(w, 9), BracketWindow::kOpen));
        b.setWin(3, 1, 1);
        b.setWin(3, 0, 2);
        w.refresh();
        QVERIFY(near(segmentColour(w, 2), BracketWindow::kDecided));
        QVERIFY(near(segmentColour(w, 9), BracketWindow::kDecided));
        QVERIFY(near(segmentColour(w, 3), BracketWindow::kOpen));
        QCOMPARE(prompts.messages().back(), std::string("クロガネ Win"));
        QTest::mouseClick(w.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));

        const QByteArray dir = qgetenv("VARGO_SCREENSHOT_DIR");
        if (!dir.isEmpty()) {
            for (int id : {1, 6}) {
                b.setWin(id, 0, 1);
            }
            b.setWin(0, 0, 1);
            b.setWin(0, 0, 2);
            w.refresh();
            w.show();
            QVERIFY(w.grab().save(QString(dir) + "/bracket.png"));
        }
    }

    // A Novice tournament through the battle window: the bracket opens modally before the first
    // bout (and again between stages), the automatic bouts are announced with " Win", the player's
    // bouts are fought with Next, and the window closes when the player is out or champion.
    void tournamentRunsThroughTheBattleWindow() {
        test::ScreenBench bench(5);
        bench.game.dolls[0] = test::strikerDoll("ブルーホーク", 0, "01");
        for (int id = 1; id <= 9; ++id) {
            auto d = test::strikerDoll("Enemy" + std::to_string(id), id, id % 2 ? "0201" : "0202");
            d->value = static_cast<Int16>(1500 + 100 * id);
            bench.enemies.add(d);
        }
        bench.orders({1, 3, 2});
        bench.fight.setMode(FightMode::Tornament);
        bench.fight.setClass(DollClass::Novice);
        FightWindow w(bench.fight, bench.game.folder);
        w.scene()->setAnimated(false);

        int shown = 0;
        QStringList names;
        QTimer answer;
        answer.setInterval(10);
        connect(&answer, &QTimer::timeout, this, [&] {
            auto* bracket = qobject_cast<BracketWindow*>(QApplication::activeModalWidget());
            if (!bracket) {
                return;
            }
            ++shown;
            names.clear();
            for (int i = 0; i < 8; ++i) {
                names << bracket->findChild<QLabel*>(QString("lblName%1").arg(i))->text();
            }
            QTest::mouseClick(bracket->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        });
        answer.start();
        QVERIFY(w.start());
        QCOMPARE(shown, 1);
        QCOMPARE(names.size(), 8);
        QVERIFY(names.contains("ブルーホーク"));
        QCOMPARE(w.windowTitle(), QString("TornamentFight"));
        w.show();
        int presses = 0;
        while (!bench.fight.closed() && presses < 6000) {
            QTest::mouseClick(w.findChild<QPushButton*>("cmdNext"), Qt::LeftButton);
            ++presses;
            // Whoever the player meets, the window shows that bout's Dolls.
            if (!bench.fight.closed()) {
                QCOMPARE(w.findChild<QLabel*>("dspName1")->text(), q(bench.fight.fighter(1).name));
            }
        }
        answer.stop();
        QVERIFY(bench.fight.closed());
        QVERIFY(!w.isVisible());
        int wins = 0;
        for (const std::string& m : bench.prompts.messages()) {
            wins += m.ends_with(" Win") ? 1 : 0;
        }
        // Every decided bout is announced: at least the other three of the first stage.
        QVERIFY(wins >= 3);
        // The bracket came back once per stage the player reached beyond the first.
        QCOMPARE(shown, bench.fight.tournament().stage);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    applyTheme(app);
    BracketWindowTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "bracket_window_qttest.moc"
