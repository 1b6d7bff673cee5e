// The workshop window on a prepared game: controls found by their names, clicks forwarded to the
// workshop rules, and the window's look saved for the README when asked.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "model/catalogue.h"
#include "ports/prompts.h"
#include "ports/sound.h"
#include "support/fake_actions.h"
#include "ui/career/design_window.h"
#include "ui/theme_qt.h"

using namespace vargo;

class DesignTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<ScriptedRandom> rng;
    std::unique_ptr<Game> game;
    ScriptedPrompts prompts;
    RecordingSound sound;
    test::FakeActions actions;

    void clickRow(QListWidget* list, int row) {
        QRect r = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }

    void stockInventory() {
        CatalogueReader cat{game->folder};
        Owner& o = game->owner(0);
        o.setMotor(cat.ld_Motor(5));
        o.setFrame(cat.ld_Frame(3));
        o.setHard(cat.ld_Hard(2));
        o.setBooster(cat.ld_Boost(1));
        o.setProtector(cat.ld_Protect(2));
        o.setSoftM(cat.ld_SoftM(2));
        o.setSoftA(cat.ld_SoftA(2));
        o.setSoftD(cat.ld_SoftD(2));
    }

private slots:
    void init() {
        rng = std::make_unique<ScriptedRandom>(std::vector<double>(64, 0.5));
        game = std::make_unique<Game>(GameFolder(VARGO_SOURCE_DIR "/data"), *rng);
        prompts = ScriptedPrompts();
        actions = test::FakeActions();
    }

    void newGameOpensTheShopFirst() {
        DesignWindow w(*game, prompts, sound, actions);
        w.openGame(std::nullopt);
        QCOMPARE(actions.calls.front(), std::string("shop"));
        QCOMPARE(w.findChild<QLabel*>("dspDate")->text(), QString("2013/01/01"));
        QVERIFY(!w.findChild<QPushButton*>("cmdStreet")->isEnabled());
        QVERIFY(!w.findChild<QPushButton*>("cmdProgram")->isEnabled());
        QCOMPARE(w.findChild<QComboBox*>("cmbParts")->count(), 8);
    }

    void pickingPartsAssemblesTheDoll() {
        stockInventory();
        DesignWindow w(*game, prompts, sound, actions);
        w.openGame(std::nullopt);
        auto* kinds = w.findChild<QComboBox*>("cmbParts");
        auto* parts = w.findChild<QListWidget*>("ListPart");
        for (int kind = 0; kind < 8; ++kind) {
            kinds->setCurrentIndex(kind);
            QCOMPARE(parts->count(), 2);
            QCOMPARE(parts->item(1)->text(), QString("（はずす）"));
            clickRow(parts, 0);
        }
        QCOMPARE(w.findChild<QLabel*>("dspPart1")->text(),
                 QString::fromStdString(game->theDoll(0).Motor->name));
        QVERIFY(w.findChild<QPushButton*>("cmdStreet")->isEnabled());
        QVERIFY(w.findChild<QPushButton*>("cmdProgram")->isEnabled());
        QCOMPARE(w.findChild<QListWidget*>("ListSoft")->count(), 3);
        QCOMPARE(w.findChild<QListWidget*>("ListP")->count(), 1);
        QVERIFY(!game->savedFlag);
        // Taking the motor off again disables the fights.
        kinds->setCurrentIndex(0);
        clickRow(parts, 1);
        QVERIFY(!w.findChild<QPushButton*>("cmdStreet")->isEnabled());
    }

    // At the window's smallest the part list still shows its longest name whole.
    void partNamesFitAtTheSmallestSize() {
        CatalogueReader cat{game->folder};
        game->owner(0).setProtector(cat.ld_Protect(10));
        DesignWindow w(*game, prompts, sound, actions);
        w.openGame(std::nullopt);
        w.show();
        auto* kinds = w.findChild<QComboBox*>("cmbParts");
        auto* parts = w.findChild<QListWidget*>("ListPart");
        kinds->setCurrentIndex(3);  // the protectors
        QVERIFY(!parts->findItems("Carbon Kevler", Qt::MatchContains).isEmpty());
        w.resize(1, 1);
        QTest::qWait(20);
        int widest = 0;
        for (int i = 0; i < parts->count(); ++i) {
            widest = std::max(widest, parts->fontMetrics().horizontalAdvance(parts->item(i)->text()));
        }
        QVERIFY2(parts->viewport()->width() >= widest,
                 qPrintable(QString("%1 < %2").arg(parts->viewport()->width()).arg(widest)));
    }

    // The same assembly without a mouse: the kind combo takes Down, Tab goes on to the part list,
    // Enter fits the part under the cursor; Shift+Tab goes back to the combo for the next kind.
    void assemblingByKeyboard() {
        stockInventory();
        DesignWindow w(*game, prompts, sound, actions);
        w.openGame(std::nullopt);
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto* kinds = w.findChild<QComboBox*>("cmbParts");
        auto* parts = w.findChild<QListWidget*>("ListPart");
        kinds->setFocus(Qt::TabFocusReason);
        auto press = [](Qt::Key key, Qt::KeyboardModifiers mods = {}) {
            QTest::keyClick(QApplication::focusWidget(), key, mods);
        };
        for (int kind = 0; kind < 8; ++kind) {
            QCOMPARE(QApplication::focusWidget(), kinds);
            QCOMPARE(kinds->currentIndex(), kind);
            press(Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), parts);
            press(Qt::Key_Return);
            press(Qt::Key_Tab, Qt::ShiftModifier);
            press(Qt::Key_Down);
        }
        QVERIFY(game->theDoll(0).Motor != nullptr);
        QCOMPARE(w.findChild<QLabel*>("dspPart1")->text(),
                 QString::fromStdString(game->theDoll(0).Motor->name));
        QVERIFY(w.findChild<QPushButton*>("cmdProgram")->isEnabled());
        QCOMPARE(w.findChild<QListWidget*>("ListSoft")->count(), 3);
        // A focused command answers Enter, not only Space, though the workshop is no dialog.
        actions.calls.clear();
        w.findChild<QPushButton*>("cmdProgram")->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Return);
        w.findChild<QPushButton*>("cmdShop")->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Enter);
        QCOMPARE(actions.calls, (std::vector<std::string>{"program", "shop"}));
    }

    // Replays open from the button and from the menu with its shortcut, even before a Doll is built.
    void replaysOpenFromTheButtonAndTheMenu() {
        DesignWindow w(*game, prompts, sound, actions);
        w.openGame(std::nullopt);
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        actions.calls.clear();
        QVERIFY(w.findChild<QPushButton*>("cmdReplay")->isEnabled());
        w.findChild<QPushButton*>("cmdReplay")->click();
        QTest::keyClick(&w, Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(actions.calls, (std::vector<std::string>{"replays", "replays"}));
    }

    // The battle's windows take the keyboard (the report opens active after a fight); the workshop
    // takes it back when the fight is over, so Ctrl+Q answers at once without a click.
    void keyboardComesBackAfterABattle() {
        stockInventory();
        game->theDoll(0).programed = true;
        DesignWindow w(*game, prompts, sound, actions);
        w.openGame(std::nullopt);
        auto* kinds = w.findChild<QComboBox*>("cmbParts");
        for (int kind = 0; kind < 8; ++kind) {
            kinds->setCurrentIndex(kind);
            clickRow(w.findChild<QListWidget*>("ListPart"), 0);
        }
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QWidget report;
        report.setWindowTitle("FightReport");
        actions.duringFight = [&report] {
            report.show();
            report.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&report));
        };
        auto* street = w.findChild<QPushButton*>("cmdStreet");
        prompts.answer(true);  // "テストのための模擬戦闘を行いますか？"
        street->click();
        QCOMPARE(actions.calls.back(), std::string("fight0"));
        QVERIFY(report.isVisible());
        QTRY_VERIFY(w.isActiveWindow());
        QCOMPARE(QApplication::focusWidget(), street);
        prompts.answer(false);  // the unsaved question, answered Cancel: the workshop stays
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(prompts.messages().back(), std::string("セーブしていませんが、よろしいですか？"));
        QVERIFY(w.isVisible());
    }

    void workAdvancesTheCalendarAndQuitAsks() {
        DesignWindow w(*game, prompts, sound, actions);
        w.openGame(std::nullopt);
        prompts.answer(true);
        w.findChild<QPushButton*>("cmdWork")->click();
        QCOMPARE(w.findChild<QLabel*>("dspDate")->text(), QString("2013/02/01"));
        prompts.answer(false);  // "セーブしていませんが、よろしいですか？" -> Cancel keeps the workshop open
        w.show();
        QVERIFY(!w.close());
        QCOMPARE(prompts.messages().back(), std::string("セーブしていませんが、よろしいですか？"));
    }

    // File → Start with a month unsaved asks as Quit does; Cancel keeps the workshop open.
    void startAsksBeforeDroppingAnUnsavedCareer() {
        DesignWindow w(*game, prompts, sound, actions);
        w.openGame(std::nullopt);
        prompts.answer(true);
        w.findChild<QPushButton*>("cmdWork")->click();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        actions.calls.clear();
        auto* start = w.findChild<QAction*>("mnStart");
        prompts.answer(false);
        start->trigger();
        QCOMPARE(prompts.messages().back(), std::string("セーブしていませんが、よろしいですか？"));
        QVERIFY(w.isVisible());
        QVERIFY(actions.calls.empty());
        prompts.answer(true);
        start->trigger();
        QCOMPARE(actions.calls, std::vector<std::string>{"start"});
        QVERIFY(!w.isVisible());
    }

    // Edit → EntryAsEnemy goes through the workshop, which says the Doll is registered.
    void entryAsEnemyIsConfirmed() {
        game->theDoll(0).name = "アイアン";
        DesignWindow w(*game, prompts, sound, actions);
        w.openGame(std::nullopt);
        w.findChild<QAction*>("mnEntry")->trigger();
        QCOMPARE(actions.calls.back(), std::string("entry"));
        QCOMPARE(prompts.messages().back(), std::string("アイアンを敵として登録しました"));
    }

    void tournamentEntryRunsTheBracketAndCostsAMonth() {
        game->theDoll(0).programed = true;
        stockInventory();
        DesignWindow w(*game, prompts, sound, actions);
        w.openGame(std::nullopt);
        prompts.answer(true);
        w.rules().cmdTornament([](int) { return 8; });  // entry test as the button runs it
        QCOMPARE(game->gameDate.format(), std::string("2013/02/01"));
        // The estimate stands beside the question until System → Estimates is switched off.
        QCOMPARE(prompts.messages().back(),
                 std::string("Noviceクラスのトーナメントに参加しますか？\n\n推定"));
        auto* estimates = w.findChild<QAction*>("mnEstimates");
        QVERIFY(estimates->isChecked());
        estimates->trigger();
        QVERIFY(!actions.estimates);
        prompts.answer(false);
        w.rules().cmdTornament([](int) { return 8; });
        QCOMPARE(prompts.messages().back(), std::string("Noviceクラスのトーナメントに参加しますか？"));
        QCOMPARE(std::count(actions.calls.begin(), actions.calls.end(), "estimateNovice"), 1);
    }

    // System → Volume shows the player's loudness checked and hands a new one on.
    void volumeMenu() {
        actions.volumePercent = 75;
        DesignWindow w(*game, prompts, sound, actions);
        QVERIFY(w.findChild<QAction*>("mnVolume75")->isChecked());
        QVERIFY(!w.findChild<QAction*>("mnVolume100")->isChecked());
        w.findChild<QAction*>("mnVolume25")->trigger();
        QCOMPARE(actions.volumePercent, 25);
        QVERIFY(w.findChild<QAction*>("mnVolume25")->isChecked());
        QVERIFY(!w.findChild<QAction*>("mnVolume75")->isChecked());
    }

    // The guide's lines open with an ideographic space, the first one included.
    void guidePaneKeepsItsTextAndHidesOnClick() {
        game->guideOn = true;
        DesignWindow w(*game, prompts, sound, actions);
        w.openGame(std::nullopt);
        w.show();
        auto* pane = w.findChild<QWidget*>("paneGuide");
        auto* text = w.findChild<QLabel*>("dspGuide");
        QVERIFY(pane->isVisible());
        QCOMPARE(text->text(),
                 QString("　ここでDollの組み立てを行います。\n\n"
                         "　Dollには最低でも、モーター、フレーム、ハードウェア、ソフトウェアが必要です。\n"
                         "　コンボでパーツの種類を選択し、リストからパーツを選んで下さい。"));
        QTest::mouseClick(text, Qt::LeftButton);
        QVERIFY(!pane->isVisible());
        QVERIFY(!game->workshopGuidePending);
    }

    void screenshot() {
        QByteArray dir = qgetenv("VARGO_SCREENSHOT_DIR");
        if (dir.isEmpty()) {
            QSKIP("set VARGO_SCREENSHOT_DIR to save the workshop's picture");
        }
        stockInventory();
        game->guideOn = true;
        DesignWindow w(*game, prompts, sound, actions);
        w.openGame(std::nullopt);
        auto* kinds = w.findChild<QComboBox*>("cmbParts");
        auto* parts = w.findChild<QListWidget*>("ListPart");
        for (int kind = 0; kind < 8; ++kind) {
            kinds->setCurrentIndex(kind);
            clickRow(parts, 0);
        }
        kinds->setCurrentIndex(1);
        clickRow(parts, 0);
        w.show();
        QTest::qWait(50);
        QDir().mkpath(QString(dir));
        QVERIFY(w.grab().save(QString(dir) + "/workshop.png"));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    applyTheme(app);
    DesignTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "design_qttest.moc"
