// The save-slot keypad on screen: typed digits, the save and load questions answered in the plain
// message box, and what the caller reads afterwards.

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "model/text_codec.h"
#include "persistence/autosave.h"
#include "support/qt_support.h"
#include "ui/persistence/save_slot_window.h"
#include "ui/prompts/qt_prompts_qt.h"

using namespace vargo;

class SvldTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QtPrompts prompts;

    GameFolder folder() const { return GameFolder(dir.path().toStdString()); }
    void saved(int n, const std::string& player, const std::string& dollName) {
        QDir(dir.path()).mkpath("save");
        auto root = folder().root() / "save";
        writeFileAtomic(root / ("Playersv" + std::to_string(n) + ".ini"),
                        encodeLines({"2014/03/01", player, "1,0,500"}));
        writeFileAtomic(root / ("PlayDollsv" + std::to_string(n) + ".ini"), encodeLines({dollName, "0,1,1"}));
    }
    static void press(QWidget* w, const QString& name) { w->findChild<QPushButton*>(name)->click(); }

private slots:
    void initTestCase() {
        test::useGameFont();
        QVERIFY(dir.isValid());
    }

    void saveOverExistingNumber() {
        saved(12, "鋼野拳士", "アイアン");
        SaveSlotWindow w(folder(), SaveSlotMode::Save, prompts);
        w.show();
        QCOMPARE(w.windowTitle(), QString("セーブ画面"));
        press(&w, "Command1_1");
        press(&w, "Command1_2");
        QCOMPARE(w.findChild<QLabel*>("Lab_num")->text(), QString("save12"));
        QString msg;
        auto answer = test::whenModal([&](QWidget* box) { test::answerBox(box, QMessageBox::Ok, &msg); });
        press(&w, "Command2_1");
        QCOMPARE(
            msg,
            QString("save12には以下のデータがあります。\n鋼野拳士 アイアン 2014/03/01\n上書きしますか？\n"
                    "（ロード時には新品のパーツも中古として扱われます）"));
        QVERIFY(w.value());
        QCOMPARE(w.svNum(), 12);
        QVERIFY(!w.isVisible());
    }

    void loadMissingNumberStaysOpen() {
        SaveSlotWindow w(folder(), SaveSlotMode::Load, prompts);
        w.show();
        QCOMPARE(w.windowTitle(), QString("ロード画面"));
        press(&w, "Command1_9");
        QString msg;
        auto answer = test::whenModal([&](QWidget* box) { test::answerBox(box, QMessageBox::Ok, &msg); });
        press(&w, "Command2_1");
        QCOMPARE(msg, QString("ファイルが見つかりません"));
        QVERIFY(w.isVisible());
        QVERIFY(!w.value());
        press(&w, "Command2_0");
        QCOMPARE(w.findChild<QLabel*>("Lab_num")->text(), QString("save"));
        test::screenshot(&w, "svld");
    }

    // The autosaves stand in a list beside the keypad in load mode only; a double click or Enter
    // on a row asks the load question and hands back the autosave's number.
    void autosaveIsListedAndLoaded() {
        QDir(dir.path()).mkpath("save");
        auto root = folder().root() / "save";
        writeFileAtomic(root / "PlayersvA2.ini", encodeLines({"2013/07/01", "自動拳士", "1,0,500"}));
        writeFileAtomic(root / "PlayDollsvA2.ini", encodeLines({"オート号", "0,1,1"}));
        writeFileAtomic(root / "Autosave.ini", encodeLines({"2"}));
        {
            SaveSlotWindow save(folder(), SaveSlotMode::Save, prompts);
            QVERIFY(save.findChild<QListWidget*>("lstAuto") == nullptr);
        }
        SaveSlotWindow w(folder(), SaveSlotMode::Load, prompts);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* list = w.findChild<QListWidget*>("lstAuto");
        QVERIFY(list != nullptr);
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(), QString("オートセーブ2  2013/07/01\n　自動拳士　オート号"));
        QString msg;
        {
            auto answer =
                test::whenModal([&](QWidget* box) { test::answerBox(box, QMessageBox::Cancel, &msg); });
            const QPoint at = list->visualItemRect(list->item(0)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        }
        QCOMPARE(msg, QString("オートセーブ2 自動拳士 オート号\n2013/07/01\nこれをロードしますか？"));
        QVERIFY(w.isVisible());
        QVERIFY(!w.value());
        msg.clear();
        {
            auto answer = test::whenModal([&](QWidget* box) { test::answerBox(box, QMessageBox::Ok, &msg); });
            list->setFocus();
            list->setCurrentRow(0);
            QTest::keyClick(list, Qt::Key_Return);
        }
        QVERIFY(!msg.isEmpty());
        QVERIFY(w.value());
        QCOMPARE(w.svNum(), autosaveNumber(2));
        QVERIFY(!w.isVisible());
        QFile::remove(dir.filePath("save/PlayersvA2.ini"));
        QFile::remove(dir.filePath("save/PlayDollsvA2.ini"));
        QFile::remove(dir.filePath("save/Autosave.ini"));
    }

    // A byte that is not Shift_JIS in a slot: the keypad tells and stays open, in both modes.
    void unreadableSlotIsToldNotFatal() {
        QDir(dir.path()).mkpath("save");
        auto root = folder().root() / "save";
        writeFileAtomic(root / "Playersv5.ini", std::string("2014/03/01\r\n\xFF\xFF\r\n1,0,500\r\n"));
        writeFileAtomic(root / "PlayDollsv5.ini", encodeLines({"アイアン", "0,1,1"}));
        SaveSlotWindow load(folder(), SaveSlotMode::Load, prompts);
        load.show();
        press(&load, "Command1_5");
        QString msg;
        auto told = test::whenModal([&](QWidget* box) { test::answerBox(box, QMessageBox::Ok, &msg); });
        press(&load, "Command2_1");
        QVERIFY(told.wait());
        QCOMPARE(msg, QString("ファイルが見つかりません"));
        QVERIFY(load.isVisible());
        SaveSlotWindow save(folder(), SaveSlotMode::Save, prompts);
        save.show();
        press(&save, "Command1_5");
        auto asked = test::whenModal([&](QWidget* box) { test::answerBox(box, QMessageBox::Cancel, &msg); });
        press(&save, "Command2_1");
        QVERIFY(asked.wait());
        QVERIFY2(msg.startsWith("save5には読めないデータがあります。\nsave/Playersv5.ini の 2行目"),
                 qPrintable(msg));
        QVERIFY(save.isVisible());
        QVERIFY(!save.value());
    }

    void backAndCloseLeaveValueFalse() {
        SaveSlotWindow w(folder(), SaveSlotMode::Save, prompts);
        w.show();
        press(&w, "Command1_3");
        press(&w, "Command3");
        QVERIFY(!w.value());
        SaveSlotWindow other(folder(), SaveSlotMode::Save, prompts);
        other.show();
        other.close();
        QVERIFY(!other.value());
    }

    // The keyboard works the keypad wherever the focus is: digits of both rows, Backspace as 取消,
    // Enter and keypad Enter as 決定, Escape as 戻る; the autosave list leaves digits to the keypad.
    void keyboardWorksTheKeypad() {
        saved(12, "鋼野拳士", "アイアン");
        SaveSlotWindow w(folder(), SaveSlotMode::Save, prompts);
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        // A key goes where the player's would: to the focused control, which passes on what it ignores.
        QWidget* window = &w;
        auto type = [&window](int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
            QWidget* target = window->focusWidget();
            QTest::keyClick(target != nullptr ? target : window, static_cast<Qt::Key>(key), mods);
        };
        auto* shown = w.findChild<QLabel*>("Lab_num");
        type(Qt::Key_4);
        type(Qt::Key_Backspace);
        QCOMPARE(shown->text(), QString("save"));
        type(Qt::Key_1);
        type(Qt::Key_2, Qt::KeypadModifier);
        QCOMPARE(shown->text(), QString("save12"));
        QString msg;
        {
            auto answer = test::whenModal([&](QWidget* box) { test::answerBox(box, QMessageBox::Ok, &msg); });
            type(Qt::Key_Return);
        }
        QVERIFY(msg.startsWith("save12には以下のデータがあります。"));
        QVERIFY(w.value());
        QCOMPARE(w.svNum(), 12);

        QDir(dir.path()).mkpath("save");
        auto root = folder().root() / "save";
        writeFileAtomic(root / "PlayersvA1.ini", encodeLines({"2013/04/01", "自動拳士", "1,0,500"}));
        writeFileAtomic(root / "PlayDollsvA1.ini", encodeLines({"オート号", "0,1,1"}));
        writeFileAtomic(root / "Autosave.ini", encodeLines({"1"}));
        SaveSlotWindow load(folder(), SaveSlotMode::Load, prompts);
        window = &load;
        load.show();
        load.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&load));
        auto* list = load.findChild<QListWidget*>("lstAuto");
        QVERIFY(list != nullptr);
        list->setFocus();
        list->setCurrentRow(0);
        type(Qt::Key_9);
        type(Qt::Key_8, Qt::KeypadModifier);
        QCOMPARE(load.findChild<QLabel*>("Lab_num")->text(), QString("save98"));
        load.findChild<QPushButton*>("Command1_0")->setFocus();
        msg.clear();
        {
            auto answer = test::whenModal([&](QWidget* box) { test::answerBox(box, QMessageBox::Ok, &msg); });
            type(Qt::Key_Enter, Qt::KeypadModifier);
        }
        QCOMPARE(msg, QString("ファイルが見つかりません"));
        QVERIFY(load.isVisible());
        type(Qt::Key_Escape);
        QVERIFY(!load.isVisible());
        QVERIFY(!load.value());
        QFile::remove(dir.filePath("save/PlayersvA1.ini"));
        QFile::remove(dir.filePath("save/PlayDollsvA1.ini"));
        QFile::remove(dir.filePath("save/Autosave.ini"));
    }

    void numberStopsAt32767() {
        SaveSlotWindow w(folder(), SaveSlotMode::Save, prompts);
        for (const char* d : {"Command1_9", "Command1_9", "Command1_9", "Command1_9", "Command1_9"}) {
            press(&w, d);
        }
        QCOMPARE(w.findChild<QLabel*>("Lab_num")->text(), QString("save9999"));
    }
};

QTEST_MAIN(SvldTest)
#include "svld_qttest.moc"
