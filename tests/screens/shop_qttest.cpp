// The shop window on a prepared game: buying from List1, selling from the inventory lists, the
// kind selector's columns and tool tips, with the prompts answered like a player would.

#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QTableWidget>
#include <QtTest>
#include <algorithm>

#include "model/game.h"
#include "ports/sound.h"
#include "support/qt_support.h"
#include "ui/prompts/qt_prompts_qt.h"
#include "ui/screens/shop_window.h"

using namespace vargo;

class ShopTest : public QObject {
    Q_OBJECT

    ScriptedRandom rng{std::vector<double>(8, 0.0)};
    GameFolder folder{VARGO_SOURCE_DIR "/data"};
    Game game{folder, rng};
    CatalogueReader reader{folder};
    QtPrompts prompts;
    RecordingSound sound;

    static void clickRow(QTableWidget* t, int row) {
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, t->visualItemRect(t->item(row, 1)).center());
    }
    static void clickItem(QListWidget* l, int row) {
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
    }

private slots:
    void initTestCase() { test::useGameFont(); }

    void buyThenReturn() {
        game.guideOn = false;
        game.owner().Rl = 2000;
        ShopWindow w(game, reader, prompts, &sound);
        w.show();
        auto* list = w.findChild<QTableWidget*>("List1");
        QCOMPARE(list->horizontalHeaderItem(4)->text(), QString("weight"));
        const QString name = list->item(0, 0)->text();
        const int price = list->item(0, 1)->text().trimmed().toInt();
        QString title, msg;
        auto answer = test::whenModal([&](QWidget* d) {
            title = d->windowTitle();
            msg = d->findChild<QLabel*>("lblMsg")->text();
            test::clickNamed(d, "cmdOK");
        });
        clickRow(list, 0);
        QCOMPARE(title, name);
        QCOMPARE(msg, QString("購入しますか？"));
        QCOMPARE(w.findChild<QLabel*>("lblPlayerRl")->text(), QString(" %1").arg(2000 - price));
        auto* bought = w.findChild<QListWidget*>("ListOwnParts_1");
        QCOMPARE(bought->count(), 1);
        QCOMPARE(bought->item(0)->data(Qt::UserRole).toInt(), 1001);

        auto answer2 = test::whenModal([&](QWidget* d) {
            msg = d->findChild<QLabel*>("lblMsg")->text();
            test::clickNamed(d, "cmdOK");
        });
        clickItem(bought, 0);
        QCOMPARE(msg, QString("%1（ %2Rl）\n返品しますか？").arg(name).arg(price));
        QCOMPARE(bought->count(), 0);
        QCOMPARE(game.owner().Rl, 2000);
    }

    // Without a mouse: Tab to the offered list, Down to the second part, Enter buys it (Enter on
    // the question says OK); Tab on to the new parts, Enter returns it.
    void buyAndReturnByKeyboard() {
        game.guideOn = false;
        game.owner().Rl = 2000;
        ShopWindow w(game, reader, prompts, &sound);
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto* list = w.findChild<QTableWidget*>("List1");
        auto* bought = w.findChild<QListWidget*>("ListOwnParts_1");
        const int price = list->item(1, 1)->text().trimmed().toInt();
        auto press = [&w](Qt::Key key) {
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus != nullptr ? focus : &w, key);
        };
        for (int i = 0; i < 5 && QApplication::focusWidget() != list; ++i) {
            press(Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget(), list);
        // Tabbing in shows the row Enter would buy.
        QCOMPARE(list->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(list->selectionModel()->selectedRows().front().row(), list->currentIndex().row());
        press(Qt::Key_Down);
        auto answer = test::whenModal([](QWidget* d) { QTest::keyClick(d, Qt::Key_Return); });
        press(Qt::Key_Return);
        QVERIFY(answer.wait());
        QCOMPARE(game.owner().Rl, 2000 - price);
        QCOMPARE(bought->count(), 1);
        // The desktop gives the shop back its activation when the question closes; offscreen, the
        // test does.
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(QApplication::focusWidget(), list);
        for (int i = 0; i < 5 && QApplication::focusWidget() != bought; ++i) {
            press(Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget(), bought);
        auto answer2 = test::whenModal([](QWidget* d) { QTest::keyClick(d, Qt::Key_Return); });
        press(Qt::Key_Return);
        QVERIFY(answer2.wait());
        QCOMPARE(bought->count(), 0);
        QCOMPARE(game.owner().Rl, 2000);
    }

    void notEnoughMoney() {
        game.owner().Rl = 10;
        ShopWindow w(game, reader, prompts, &sound);
        w.show();
        QString text;
        auto answer = test::whenModal([&](QWidget* d) { test::answerBox(d, QMessageBox::Ok, &text); });
        clickRow(w.findChild<QTableWidget*>("List1"), 0);
        QCOMPARE(text, QString("お金が足りません"));
        QCOMPARE(game.owner().Rl, 10);
    }

    // Software columns carry the action names as tool tips and explain their pairs in the help line.
    void softwareColumns() {
        ShopWindow w(game, reader, prompts, &sound);
        w.show();
        auto* combo = w.findChild<QComboBox*>("ComboShop");
        QCOMPARE(combo->count(), 8);
        combo->setCurrentIndex(6);
        auto* list = w.findChild<QTableWidget*>("List1");
        QCOMPARE(list->horizontalHeaderItem(4)->text(), QString("Rock"));
        QCOMPARE(list->horizontalHeaderItem(4)->toolTip(), QString("組み"));
        QTest::mouseMove(list->viewport(), list->visualItemRect(list->item(0, 2)).center());
        QMouseEvent move(QEvent::MouseMove, list->visualItemRect(list->item(0, 2)).center(),
                         list->viewport()->mapToGlobal(list->visualItemRect(list->item(0, 2)).center()),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &move);
        QCOMPARE(w.findChild<QLabel*>("dspMsg")->text(),
                 QString("使用行動ポイント：メモリ：小さいほど多くの技が出せます"));
    }

    // The pointer over a column heading explains it. The move is sent where a real mouse sends it:
    // to the header's viewport. The kind combo shows its longest label whole.
    void headerHelpAndKindWidth() {
        ShopWindow w(game, reader, prompts, &sound);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* list = w.findChild<QTableWidget*>("List1");
        QHeaderView* header = list->horizontalHeader();
        const QString expected[] = {"値段", "ヒットポイント：パーツの丈夫さです"};
        int checked = 0;
        for (int c = 0; c < list->columnCount(); ++c) {
            const QString caption = list->horizontalHeaderItem(c)->text();
            const QString* want = caption == "Rl" ? &expected[0] : caption == "HP" ? &expected[1] : nullptr;
            if (want == nullptr) {
                continue;
            }
            const QPoint at(header->sectionViewportPosition(c) + header->sectionSize(c) / 2,
                            header->height() / 2);
            QMouseEvent move(QEvent::MouseMove, at, header->viewport()->mapToGlobal(at), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(header->viewport(), &move);
            QCOMPARE(w.findChild<QLabel*>("dspMsg")->text(), *want);
            ++checked;
        }
        QCOMPARE(checked, 2);
        auto* combo = w.findChild<QComboBox*>("ComboShop");
        int longest = 0;
        for (int i = 0; i < combo->count(); ++i) {
            longest = std::max(longest, combo->fontMetrics().horizontalAdvance(combo->itemText(i)));
        }
        // The text plus the arrow, in the box and in its drop-down list.
        const int arrow = combo->fontMetrics().height();
        QVERIFY2(combo->width() >= longest + arrow,
                 qPrintable(QString("%1 < %2").arg(combo->width()).arg(longest)));
        QVERIFY(combo->view()->minimumWidth() > longest);
    }

    void picture() {
        game.guideOn = true;
        game.owner().Rl = 3000;
        game.owner().removeAllPart();
        ShopWindow w(game, reader, prompts, &sound);
        w.shop().buy_rtn(0, 2);
        w.shop().buy_rtn(1, 3);
        w.shop().buy_rtn(3, 1);
        w.shop().buy_rtn(3, 1);
        ShopWindow again(game, reader, prompts, &sound);
        again.findChild<QComboBox*>("ComboShop")->setCurrentIndex(1);
        again.show();
        QVERIFY(again.findChild<QWidget*>("paneGuide")->isVisible());
        QCOMPARE(again.findChild<QListWidget*>("ListOwnParts_1")->count(), 4);
        test::screenshot(&again, "shop");
    }
};

QTEST_MAIN(ShopTest)
#include "shop_qttest.moc"
