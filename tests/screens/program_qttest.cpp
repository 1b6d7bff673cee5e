// The logic editor window: chips dragged onto the grid and the trash (drag events sent the way a
// mouse drag delivers them), names typed in Japanese, and the Regist and Cancel buttons.

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
        w.show();
        w.adjustSize();
        test::screenshot(&w, "program");
        QVERIFY(w.findChild<QWidget*>("paneGuide")->isVisible());
    }
};

QTEST_MAIN(ProgramTest)
#include "program_qttest.moc"
