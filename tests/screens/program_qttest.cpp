// The logic editor window: chips dragged onto the grid and the trash (drag events sent the way a
// mouse drag delivers them), the same work done with the keyboard alone, the early warnings, a
// grid that stays put while the guide pages, names typed in Japanese, and Regist and Cancel.

#include <QDragEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QtTest>

#include "model/catalogue.h"
#include "model/game.h"
#include "support/qt_support.h"
#include "ui/prompts/qt_prompts_qt.h"
#include "ui/screens/program_window.h"

using namespace vargo;

class ProgramTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ScriptedRandom> rng;
    GameFolder folder{VARGO_SOURCE_DIR "/data"};
    std::unique_ptr<Game> game;
    QtPrompts prompts;

    // Sends what a mouse drag delivers to `target`; returns whether the target took the drop.
    static bool drop(QWidget* target, const QString& payload) {
        QMimeData mime;
        mime.setData(ProgramWindow::kChipMime, payload.toUtf8());
        const QPoint pos = target->rect().center();
        QDragEnterEvent enter(pos, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        enter.ignore();
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted()) {
            return false;
        }
        QDragMoveEvent move(pos, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
        QDropEvent dropEvent(QPointF(pos), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton,
                             Qt::NoModifier);
        QApplication::sendEvent(target, &dropEvent);
        return dropEvent.isAccepted();
    }
    static int tileOf(QWidget* w, int cell) {
        return w->findChild<QLabel*>(QString("dspAction_%1").arg(cell))->property("tile").toInt();
    }
    static QString text(QWidget* w, const QString& name) { return w->findChild<QLabel*>(name)->text(); }
    static QString cellName(const doll& d, int pattern, int step) {
        return QString::fromStdString(d.getLogic(pattern)->getActionsname(step));
    }

    // A key pressed the way the keyboard delivers it: to whatever has the focus.
    static void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget();
        QVERIFY2(target, "nothing has the keyboard");
        QTest::keyClick(target, k, mods);
    }
    static void keys(Qt::Key k, int times) {
        for (int i = 0; i < times; ++i) {
            key(k);
        }
    }
    static bool focusIs(const char* name) {
        return QApplication::focusWidget() && QApplication::focusWidget()->objectName() == name;
    }
    static void showActive(QWidget& w) {
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }
    static bool warned(QWidget* w, const QString& name) {
        return w->findChild<QWidget*>(name)->property("warning").toBool();
    }

private slots:
    void initTestCase() { test::useGameFont(); }

    void init() {
        rng = std::make_unique<ScriptedRandom>(std::vector<double>(8, 0.0));
        game = std::make_unique<Game>(folder, *rng);
        game->guideOn = false;
        CatalogueReader reader(folder);
        doll& d = game->theDoll();
        d.setSoftM(0, reader.ld_SoftM(1));
        d.setSoftA(0, reader.ld_SoftA(1));
        d.setSoftD(0, reader.ld_SoftD(1));
        d.AP = 8;
        d.Memory = 30;
    }

    void dragAndDropFollowTheRules() {
        ProgramWindow w(*game, prompts);
        w.show();
        QVERIFY(drop(w.findChild<QLabel*>("dspAction_0"), "p:5"));
        QCOMPARE(tileOf(&w, 0), 4);
        const auto kick = game->theDoll().getSoftA(0)->kick;
        QCOMPARE(text(&w, "dspAP_0"), QString::number(kick->AP));
        QCOMPARE(text(&w, "dspMem_6"), QString::number(kick->Memory));

        // A cell onto another swaps them (here with the empty cell).
        QVERIFY(drop(w.findChild<QLabel*>("dspAction_13"), "c:0"));
        QCOMPARE(tileOf(&w, 13), 4);
        QCOMPARE(tileOf(&w, 0), ProgramEditor::kEmptyTile);
        QCOMPARE(text(&w, "dspAP_0"), QString("0"));

        // A palette chip takes no drops; the trash empties a cell and ignores palette chips.
        QVERIFY(!drop(w.findChild<QLabel*>("dspAchip_0"), "c:13"));
        QVERIFY(drop(w.findChild<QLabel*>("dspTrash"), "p:1"));
        QCOMPARE(tileOf(&w, 13), 4);
        QVERIFY(drop(w.findChild<QLabel*>("dspTrash"), "c:13"));
        QCOMPARE(tileOf(&w, 13), ProgramEditor::kEmptyTile);
        QCOMPARE(text(&w, "dspMem_6"), QString("0"));
    }

    // Moving the mouse over a chip, a frame, the trash or the bare form changes the help line.
    void hoveringExplains() {
        ProgramWindow w(*game, prompts);
        w.show();
        auto hover = [](QWidget* target) {
            const QPoint p = target->rect().topLeft() + QPoint(2, 2);
            QMouseEvent move(QEvent::MouseMove, p, target->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                             Qt::NoModifier);
            QApplication::sendEvent(target, &move);
        };
        hover(w.findChild<QLabel*>("dspAchip_4"));
        QCOMPARE(text(&w, "dspDoll"), QString("パンチよりも与えるダメージが大きくなります"));
        QCOMPARE(w.editor().dragSource(), -1);
        hover(w.findChild<QWidget*>("frmUnlock"));
        QCOMPARE(text(&w, "dspDoll"), QString("組まれていたら外します"));
        hover(w.findChild<QLabel*>("dspTrash"));
        QCOMPARE(text(&w, "dspDoll"), QString("ゴミ箱"));
        hover(&w);
        QCOMPARE(text(&w, "dspDoll"), QString(""));
    }

    void gapIsRefusedWithPlainBox() {
        ProgramWindow w(*game, prompts);
        w.show();
        drop(w.findChild<QLabel*>("dspAction_20"), "p:1");
        drop(w.findChild<QLabel*>("dspAction_22"), "p:1");
        QString msg;
        auto answer = test::whenModal([&](QWidget* box) { test::answerBox(box, QMessageBox::Ok, &msg); });
        w.findChild<QPushButton*>("cmdRegist")->click();
        QCOMPARE(msg, QString(" 3番目の技の入力が正しくありません\n左寄せに入力して下さい"));
        QVERIFY(w.isVisible());
        QVERIFY(!game->theDoll().programed);
    }

    void registStoresTypedNames() {
        ProgramWindow w(*game, prompts);
        w.show();
        drop(w.findChild<QLabel*>("dspAction_0"), "p:2");
        drop(w.findChild<QLabel*>("dspAction_1"), "p:5");
        auto* name = w.findChild<QLineEdit*>("Text1_0");
        name->setFocus();
        for (const QString& ch : {QString("飛"), QString("蹴")}) {
            QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, ch, Qt::NoModifier);
        }
        QCOMPARE(name->text(), QString("飛蹴"));
        w.findChild<QPushButton*>("cmdRegist")->click();
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        const doll& d = game->theDoll();
        QVERIFY(d.programed);
        QCOMPARE(QString::fromStdString(d.getLogic(0)->name), QString("飛蹴"));
        QCOMPARE(QString::fromStdString(d.getLogic(0)->getActionsname(1)), QString("キック"));
    }

    // A character the save files cannot hold is not taken into a name box: the plain box says so
    // and the name stays what it was, so Regist stores a name a save can write.
    void nameBoxRefusesCharactersOutsideCp932() {
        ProgramWindow w(*game, prompts);
        w.show();
        auto* name = w.findChild<QLineEdit*>("Text1_0");
        name->setFocus();
        QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QString("飛"), Qt::NoModifier);
        QString msg;
        auto answer = test::whenModal([&](QWidget* box) { test::answerBox(box, QMessageBox::Ok, &msg); });
        QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QString("한"), Qt::NoModifier);
        QVERIFY(answer.wait());
        QCOMPARE(msg, QString("この技名には使えない文字が含まれています"));
        QCOMPARE(name->text(), QString("飛"));
        QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QString("蹴"), Qt::NoModifier);
        QCOMPARE(name->text(), QString("飛蹴"));
        w.findChild<QPushButton*>("cmdRegist")->click();
        QVERIFY(!w.isVisible());
        QCOMPARE(QString::fromStdString(game->theDoll().getLogic(0)->name), QString("飛蹴"));
    }

    // The whole editor without a mouse: take a chip from the palette, type it into two patterns,
    // swap chips, remove one, name a pattern, reach Regist by Tab and press it.
    void keyboardAloneProgramsTheDoll() {
        ProgramWindow w(*game, prompts);
        showActive(w);
        QVERIFY(focusIs("palette"));
        auto* frmMove = w.findChild<QWidget*>("frmMove");
        auto* frmKick = w.findChild<QWidget*>("frmKick");
        QVERIFY(frmMove->property("palCursor").toBool());

        key(Qt::Key_Return);  // take 移動
        QVERIFY(frmMove->property("palHeld").toBool());
        key(Qt::Key_Down);
        QVERIFY(focusIs("grid"));
        QCOMPARE(w.findChild<QLabel*>("dspAction_0")->property("keyCursor").toInt(), 2);
        QVERIFY(!frmMove->property("palCursor").toBool());
        keys(Qt::Key_Return, 2);  // 移動 移動, the cursor steps on
        QCOMPARE(tileOf(&w, 0), 0);
        QCOMPARE(tileOf(&w, 1), 0);
        QCOMPARE(w.findChild<QLabel*>("dspAction_2")->property("keyCursor").toInt(), 2);

        key(Qt::Key_Up);  // above the first pattern: back to the palette
        QVERIFY(focusIs("palette"));
        keys(Qt::Key_Right, 4);
        QVERIFY(frmKick->property("palCursor").toBool());
        key(Qt::Key_Space);  // take キック instead
        QVERIFY(frmKick->property("palHeld").toBool());
        QVERIFY(!frmMove->property("palHeld").toBool());
        key(Qt::Key_Tab);
        QVERIFY(focusIs("grid"));
        key(Qt::Key_Return);  // cell 2
        key(Qt::Key_Down);
        keys(Qt::Key_Left, 3);
        keys(Qt::Key_Return, 3);  // cells 10, 11, 12
        QCOMPARE(tileOf(&w, 12), 4);
        key(Qt::Key_Left);
        key(Qt::Key_Delete);  // cell 12 emptied
        QCOMPARE(tileOf(&w, 12), ProgramEditor::kEmptyTile);
        QCOMPARE(text(&w, "dspAP_1"), QString::number(2 * game->theDoll().getSoftA(0)->kick->AP));

        // Escape first lays the chip down; the window stays.
        key(Qt::Key_Escape);
        QVERIFY(w.isVisible());
        QCOMPARE(w.editor().heldAction(), 0);
        QVERIFY(!frmKick->property("palHeld").toBool());

        // A grid chip moves by taking it and putting it down elsewhere: pattern 0 was 移動 移動
        // キック; the 移動 taken from cell 0 and put on cell 2 swaps with the キック there.
        key(Qt::Key_Up);
        keys(Qt::Key_Left, 2);
        QCOMPARE(w.editor().gridCursor(), 0);
        key(Qt::Key_Return);
        QCOMPARE(w.findChild<QLabel*>("dspAction_0")->property("inHand").toBool(), true);
        keys(Qt::Key_Right, 2);
        key(Qt::Key_Return);
        QCOMPARE(tileOf(&w, 0), 4);
        QCOMPARE(tileOf(&w, 2), 0);

        key(Qt::Key_Tab);
        QVERIFY(focusIs("Text1_0"));
        for (const QString& ch : {QString("飛"), QString("蹴")}) {
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, ch,
                                Qt::NoModifier);
        }
        QCOMPARE(w.findChild<QLineEdit*>("Text1_0")->text(), QString("飛蹴"));
        // Enter in a name box belongs to the name: it neither takes nor lays a chip on the grid.
        std::vector<int> tiles;
        tiles.reserve(60);
        for (int cell = 0; cell < 60; ++cell) {
            tiles.push_back(tileOf(&w, cell));
        }
        key(Qt::Key_Return);
        for (int cell = 0; cell < 60; ++cell) {
            QCOMPARE(tileOf(&w, cell), tiles[static_cast<size_t>(cell)]);
        }
        QCOMPARE(w.editor().heldAction(), 0);
        QVERIFY(!w.findChild<QLabel*>("dspAction_2")->property("inHand").toBool());
        QVERIFY(focusIs("Text1_0"));
        int tabs = 0;
        while (!focusIs("cmdRegist") && tabs < 20) {
            key(Qt::Key_Tab);
            ++tabs;
        }
        QVERIFY(focusIs("cmdRegist"));
        key(Qt::Key_Return);
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));

        const doll& d = game->theDoll();
        QVERIFY(d.programed);
        QCOMPARE(QString::fromStdString(d.getLogic(0)->name), QString("飛蹴"));
        QCOMPARE(cellName(d, 0, 0), QString("キック"));
        QCOMPARE(cellName(d, 0, 1), QString("移動"));
        QCOMPARE(cellName(d, 0, 2), QString("移動"));
        QCOMPARE(cellName(d, 0, 3), QString(""));
        QCOMPARE(cellName(d, 1, 0), QString("キック"));
        QCOMPARE(cellName(d, 1, 1), QString("キック"));
        QCOMPARE(cellName(d, 1, 2), QString(""));
        QCOMPARE(d.getLogic(1)->AP, 2 * d.getSoftA(0)->kick->AP);
    }

    // Regist and Cancel answer their underlined letters, even from a name box.
    void registAndCancelByTheirLetters() {
        ProgramWindow w(*game, prompts);
        showActive(w);
        w.findChild<QLineEdit*>("Text1_0")->setFocus(Qt::TabFocusReason);
        key(Qt::Key_C, Qt::AltModifier);
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Rejected));
        QCOMPARE(w.findChild<QLineEdit*>("Text1_0")->text(), QString());
        ProgramWindow again(*game, prompts);
        showActive(again);
        key(Qt::Key_Return);  // 移動 taken, then laid in the first cell
        key(Qt::Key_Down);
        key(Qt::Key_Return);
        key(Qt::Key_R, Qt::AltModifier);
        QTRY_VERIFY(!again.isVisible());
        QCOMPARE(again.result(), int(QDialog::Accepted));
        QCOMPARE(cellName(game->theDoll(), 0, 0), QString("移動"));
    }

    // With nothing in the hand Escape leaves like Cancel, storing nothing.
    void escapeWithEmptyHandCancels() {
        ProgramWindow w(*game, prompts);
        showActive(w);
        key(Qt::Key_Return);
        key(Qt::Key_Down);
        key(Qt::Key_Return);
        key(Qt::Key_Escape);
        QVERIFY(w.isVisible());
        key(Qt::Key_Escape);
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Rejected));
        QVERIFY(!game->theDoll().programed);
        QCOMPARE(cellName(game->theDoll(), 0, 0), QString(""));
    }

    // The row of a pattern the Doll can never afford turns red the moment it goes over, with the
    // reason as its tool tip; so does the total memory, before Regist is pressed.
    void warningsComeAsSoonAsTheCostIsOver() {
        doll& d = game->theDoll();
        d.AP = 8;  // at most 20 points in a turn
        d.Memory = 13;
        d.getSoftA(0)->hold->AP = 6;
        d.getSoftA(0)->hold->Memory = 3;
        ProgramWindow w(*game, prompts);
        showActive(w);
        keys(Qt::Key_Right, 7);  // 折り
        key(Qt::Key_Return);
        key(Qt::Key_Down);
        keys(Qt::Key_Return, 3);  // 18 points, memory 9
        QVERIFY(!warned(&w, "dspAP_0"));
        QVERIFY(!warned(&w, "Text1_0"));
        QCOMPARE(w.findChild<QLabel*>("dspAP_0")->toolTip(), QString(""));
        key(Qt::Key_Return);  // 24 points
        QVERIFY(warned(&w, "dspAP_0"));
        QVERIFY(warned(&w, "Text1_0"));
        QVERIFY(!warned(&w, "dspAP_1"));
        QCOMPARE(w.findChild<QLabel*>("dspAP_0")->toolTip(),
                 QString("この技はこのDollの行動ポイントでは出せません（必要 24／最大 20）"));
        QVERIFY(!warned(&w, "dspMem_6"));
        key(Qt::Key_Return);  // memory 15 of 13
        QVERIFY(warned(&w, "dspMem_6"));
        QCOMPARE(w.findChild<QLabel*>("dspMem_6")->toolTip(),
                 QString("メモリが足りません（使用 15／容量 13）"));
        key(Qt::Key_Left);
        key(Qt::Key_Delete);
        QVERIFY(!warned(&w, "dspMem_6"));
        QCOMPARE(w.findChild<QLabel*>("dspMem_6")->toolTip(), QString(""));
        QVERIFY(warned(&w, "dspAP_0"));
        w.findChild<QPushButton*>("cmdClear_0")->click();
        QVERIFY(!warned(&w, "dspAP_0"));
    }

    // Paging the guide and hiding it leaves every cell of the grid where it was.
    void gridStaysStillWhileTheGuidePages() {
        game->guideOn = true;
        ProgramWindow w(*game, prompts);
        showActive(w);
        auto* guide = w.findChild<QLabel*>("dspGuide");
        auto where = [&w] {
            QList<QRect> rects;
            for (int cell : {0, 9, 50, 59}) {
                auto* c = w.findChild<QLabel*>(QString("dspAction_%1").arg(cell));
                rects.append(QRect(c->mapTo(&w, QPoint(0, 0)), c->size()));
            }
            rects.append(QRect(w.findChild<QWidget*>("palette")->mapTo(&w, QPoint(0, 0)),
                               w.findChild<QWidget*>("palette")->size()));
            rects.append(w.rect());
            return rects;
        };
        QApplication::processEvents();
        const QList<QRect> before = where();
        for (int page = 1; page <= 4; ++page) {
            QTest::mouseClick(guide, Qt::LeftButton);
            QApplication::processEvents();
            QCOMPARE(w.editor().guideVisible(), page < 4);
            QCOMPARE(w.findChild<QWidget*>("paneGuide")->isVisible(), page < 4);
            QCOMPARE(where(), before);
        }
    }

    void cancelStoresNothing() {
        ProgramWindow w(*game, prompts);
        w.show();
        drop(w.findChild<QLabel*>("dspAction_0"), "p:2");
        w.findChild<QPushButton*>("cmdClear_0")->click();
        QCOMPARE(tileOf(&w, 0), ProgramEditor::kEmptyTile);
        QCOMPARE(text(&w, "dspAP_0"), QString(""));
        drop(w.findChild<QLabel*>("dspAction_0"), "p:2");
        w.findChild<QPushButton*>("cmdCancel")->click();
        QVERIFY(!w.isVisible());
        QCOMPARE(QString::fromStdString(game->theDoll().getLogic(0)->getActionsname(0)), QString(""));
    }

    void picture() {
        game->guideOn = true;
        ProgramWindow w(*game, prompts);
        const char* patterns[][5] = {{"p:1", "p:2", "p:5", nullptr, nullptr},
                                     {"p:1", "p:4", "p:1", nullptr, nullptr},
                                     {"p:6", "p:7", nullptr, nullptr, nullptr},
                                     {"p:3", "p:9", nullptr, nullptr, nullptr},
                                     {"p:11", "p:10", nullptr, nullptr, nullptr}};
        const char* names[] = {"ジャンプキック", "ヒット＆アウェイ", "投げ", "起き上がり", "脱出"};
        for (int p = 0; p < 5; ++p) {
            for (int i = 0; i < 5 && patterns[p][i]; ++i) {
                drop(w.findChild<QLabel*>(QString("dspAction_%1").arg(p * 10 + i)), patterns[p][i]);
            }
            auto* box = w.findChild<QLineEdit*>(QString("Text1_%1").arg(p));
            box->setText(names[p]);
        }
        // The last pattern costs more than the Doll can ever roll: its row is marked.
        for (int i = 0; i < 4; ++i) {
            drop(w.findChild<QLabel*>(QString("dspAction_%1").arg(50 + i)), "p:8");
        }
        w.findChild<QLineEdit*>("Text1_5")->setText("四連折り");
        showActive(w);
        w.adjustSize();
        // キック in the hand, the cursor on the first free cell of the last pattern.
        keys(Qt::Key_Right, 4);
        key(Qt::Key_Return);
        key(Qt::Key_Down);
        keys(Qt::Key_Down, 5);
        keys(Qt::Key_Right, 4);
        QCOMPARE(w.editor().gridCursor(), 54);
        test::screenshot(&w, "program");
        QVERIFY(w.findChild<QWidget*>("paneGuide")->isVisible());
        QVERIFY(warned(&w, "dspAP_5"));
    }
};

QTEST_MAIN(ProgramTest)
#include "program_qttest.moc"
