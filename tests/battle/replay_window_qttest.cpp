// Replays in the game: fights on the battle window are recorded into the game folder, the list
// shows them (and leaves out a file that does not read, with a message naming it), and the battle
// window plays one step by step, back, to its start and end, and on a timer, leaving the career as
// it was.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "battle/fight_view.h"
#include "battle/replay_player.h"
#include "screen_bench.h"
#include "support/qt_support.h"
#include "ui/battle/fight_report_window.h"
#include "ui/battle/fight_window.h"
#include "ui/battle/replay_list_window.h"
#include "ui/qt_text.h"
#include "ui/theme_qt.h"

using namespace vargo;

namespace {

QString text(QWidget* w, const char* name) {
    auto* l = w->findChild<QLabel*>(name);
    return l ? l->text() : QString("(no %1)").arg(name);
}

// Keys go where the player's keys go: to the widget with focus, or the window.
void key(QWidget* w, Qt::Key k) {
    QWidget* target = w->focusWidget() ? w->focusWidget() : w;
    QTest::keyClick(target, k);
}

// What the career holds that a fight could change.
struct Career {
    explicit Career(Game& g)
        : Rl(g.owner(0).Rl),
          exp(g.owner(0).exp),
          Lv(g.owner(0).Lv),
          wins(g.owner(0).recWin),
          losses(g.owner(0).recLoose),
          motor(g.dolls[0]->Motor->HP),
          frame(g.dolls[0]->frame->HP),
          date(g.gameDate.format()),
          saved(g.savedFlag) {}
    int Rl, exp, Lv, wins, losses, motor, frame;
    std::string date;
    bool saved;
    bool operator==(const Career&) const = default;
};

}  // namespace

class ReplayWindowTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir folder;
    std::filesystem::path root;
    std::unique_ptr<test::ScreenBench> bench;

    // A career in a game folder of its own, with the shipped pictures.
    void makeCareer(std::uint64_t seed) {
        bench = std::make_unique<test::ScreenBench>(seed);
        bench->game.folder = GameFolder(root);
        bench->game.dolls[0] = test::strikerDoll("ブルーホーク", 0, "01");
        bench->game.dolls[1] = test::strikerDoll("デュエリスト", 0, "0201");
        bench->game.owner(0).Rl = 1234;
        bench->game.owner(0).exp = 300;
        bench->game.gameDate = GameDate{2014, 3, 1};
        bench->enemies.add(test::strikerDoll("レッドクロウ", 4, "0202"));
        bench->orders({1, 3, 2, 5});
    }

    // The game's battle screen, opened as the workshop opens it, with Next pressed until it closes.
    void fightOnScreen(FightMode mode) {
        auto answer = test::whenModal([](QWidget* w) {
            auto* window = qobject_cast<FightWindow*>(w);
            QVERIFY(window);
            window->scene()->setAnimated(false);
            for (int n = 0; n < 3000 && window->isVisible(); ++n) {
                window->cmdNext_Click();
            }
        });
        runFightWindow(bench->game, bench->dice, bench->prompts, bench->commander, bench->enemies,
                       bench->sound, mode, std::nullopt);
        QVERIFY(answer.wait());
    }

private slots:
    void initTestCase() {
        QVERIFY(folder.isValid());
        root = folder.path().toStdString();
        std::filesystem::create_directory_symlink(VARGO_SOURCE_DIR "/data/img", root / "img");
    }

    // Two fights on the battle window leave two replays; a file that does not read is left out of
    // the list and named in one message.
    void theListShowsWhatWasRecorded() {
        std::filesystem::remove_all(root / "replay");
        makeCareer(5);
        fightOnScreen(FightMode::Street);
        fightOnScreen(FightMode::Duel);
        std::ofstream(root / "replay" / "auto-000001.rpl.bak") << "ignored";
        std::ofstream(root / "replay" / "kept-000009-壊れた.rpl") << "VARGO REPLAY 1\r\nmode=duel\r\n";
        ScriptedPrompts prompts;
        ReplayListWindow list(GameFolder(root), prompts);
        list.show();
        QCOMPARE(list.table()->rowCount(), 2);
        QCOMPARE(list.table()->item(0, 2)->text(), QString("デュエル"));
        QCOMPARE(list.table()->item(0, 3)->text(), QString("ブルーホーク 対 デュエリスト"));
        QCOMPARE(list.table()->item(0, 1)->text(), QString("2014/03/01"));
        QCOMPARE(list.table()->item(1, 2)->text(), QString("シミュレーション"));
        QCOMPARE(list.table()->item(1, 3)->text(), QString("ブルーホーク 対 レッドクロウ"));
        QVERIFY(list.table()->item(1, 4)->text() == "勝利" || list.table()->item(1, 4)->text() == "敗北");
        QCOMPARE(list.table()->item(1, 5)->text().toInt(), list.entries()[1].steps);
        QCOMPARE(prompts.calls.size(), size_t(1));
        QVERIFY(prompts.calls[0].msg.find("replay/kept-000009-壊れた.rpl") != std::string::npos);
        test::screenshot(&list, "replay_list");

        // Kept under a name, it shows the name and stays first.
        list.findChild<QLineEdit*>("txtName")->setText("初めての決闘");
        QTest::mouseClick(list.findChild<QPushButton*>("cmdKeep"), Qt::LeftButton);
        QCOMPARE(list.table()->item(0, 6)->text(), QString("初めての決闘"));
        QVERIFY(std::filesystem::exists(root / "replay" / "kept-000002-初めての決闘.rpl"));
        // A name a file cannot carry is refused with a word.
        list.findChild<QLineEdit*>("txtName")->setText("a/b");
        QTest::mouseClick(list.findChild<QPushButton*>("cmdKeep"), Qt::LeftButton);
        QCOMPARE(prompts.calls.back().msg, ReplayStore::nameProblem("a/b"));
    }

    // Enter plays the chosen replay. The window steps with the arrows, jumps with Home and End,
    // plays on its own with Space, and closes with Escape; the career is as it was.
    void theBattleWindowPlaysAReplay() {
        std::filesystem::remove_all(root / "replay");
        makeCareer(11);
        fightOnScreen(FightMode::Street);
        const Career before(bench->game);
        ScriptedPrompts prompts;
        ReplayListWindow list(GameFolder(root), prompts);
        list.show();
        QCOMPARE(list.table()->rowCount(), 1);
        std::string error;
        ReplayPlayer expected(*ReplayStore(GameFolder(root)).load(list.entries()[0], &error), "x");
        const int steps = expected.stepCount();
        QVERIFY(steps > 3);
        auto answer = test::whenModal([&](QWidget* w) {
            auto* window = qobject_cast<FightWindow*>(w);
            QVERIFY(window);
            window->scene()->setAnimated(false);
            QCOMPARE(window->windowTitle(), QString("Replay"));
            QVERIFY(!window->findChild<QPushButton*>("cmdTap"));
            QCOMPARE(text(w, "dspStep"), QString("ステップ 0 / %1").arg(steps));
            QVERIFY(!window->findChild<QPushButton*>("cmdBack")->isEnabled());
            key(w, Qt::Key_Right);
            key(w, Qt::Key_Right);
            key(w, Qt::Key_Right);
            expected.seek(3);
            QCOMPARE(text(w, "dspStep"), QString("ステップ 3 / %1").arg(steps));
            QCOMPARE(text(w, "dspMsg"), q(expected.fight().battleLog()));
            QCOMPARE(text(w, "dspHP1"), q(dspHP(expected.fight(), 1)));
            key(w, Qt::Key_Left);
            expected.seek(2);
            QCOMPARE(text(w, "dspStep"), QString("ステップ 2 / %1").arg(steps));
            QCOMPARE(text(w, "dspHP0"), q(dspHP(expected.fight(), 0)));
            QCOMPARE(text(w, "dspMsg"), q(expected.fight().battleLog()));
            key(w, Qt::Key_End);
            expected.seek(steps);
            QCOMPARE(text(w, "dspStep"), QString("ステップ %1 / %1").arg(steps));
            // The end shows the HP the bout was decided with, a destroyed part at 0 or below.
            const std::array<int, 4>& end = expected.fight().ring().endHP;
            QCOMPARE(text(w, "dspHP0"), q(dspHP(expected.screen(), 0)));
            QCOMPARE(text(w, "dspHP1"), QString("Motor:\n%1\nFrame:\n%2")
                                            .arg(q(Str(static_cast<long long>(end[2]))))
                                            .arg(q(Str(static_cast<long long>(end[3])))));
            QVERIFY(std::min({end[0], end[1], end[2], end[3]}) <= 0);
            QVERIFY(text(w, "dspResult").endsWith("の勝ち"));
            QVERIFY(!window->findChild<QPushButton*>("cmdForward")->isEnabled());
            test::screenshot(w, "replay_player");
            key(w, Qt::Key_Home);
            QCOMPARE(text(w, "dspStep"), QString("ステップ 0 / %1").arg(steps));
            QCOMPARE(text(w, "dspResult"), QString());
            key(w, Qt::Key_Right);
            // On its own, fast, to the end, where it stops.
            window->setSpeed(3);
            key(w, Qt::Key_Space);
            QVERIFY(window->playing());
            QTRY_VERIFY_WITH_TIMEOUT(!window->playing(), 20000);
            QCOMPARE(text(w, "dspStep"), QString("ステップ %1 / %1").arg(steps));
            // Paused half way, it stays there.
            key(w, Qt::Key_Home);
            window->setSpeed(0);
            key(w, Qt::Key_Space);
            QTRY_COMPARE_WITH_TIMEOUT(text(w, "dspStep"), QString("ステップ 1 / %1").arg(steps), 3000);
            key(w, Qt::Key_Space);
            QVERIFY(!window->playing());
            QTest::qWait(1200);
            QCOMPARE(text(w, "dspStep"), QString("ステップ 1 / %1").arg(steps));
            key(w, Qt::Key_Escape);
            QVERIFY(!window->isVisible());
        });
        key(&list, Qt::Key_Return);
        QVERIFY(answer.wait());
        QVERIFY(Career(bench->game) == before);
        QCOMPARE(prompts.calls.size(), size_t(0));
    }

    // The report of a replay is the one its bout had.
    void theReportOfAReplay() {
        ScriptedPrompts prompts;
        ReplayListWindow list(GameFolder(root), prompts);
        QVERIFY(list.table()->rowCount() >= 1);
        auto answer = test::whenModal([](QWidget* w) {
            auto* report = qobject_cast<FightReportWindow*>(w);
            QVERIFY(report);
            QCOMPARE(report->boutCount(), 1);
            QVERIFY(report->titleLabel()->text().contains("ブルーホーク"));
            report->close();
        });
        QTest::mouseClick(list.findChild<QPushButton*>("cmdReport"), Qt::LeftButton);
        QVERIFY(answer.wait());
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    applyTheme(app);
    ReplayWindowTest t;
    return QTest::qExec(&t, argc, argv);
}
#include "replay_window_qttest.moc"
