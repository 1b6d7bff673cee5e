// The enemy list window over a copy of the shipped registry: clicking shows a record, Delete asks
// and removes, InitFile brings the shipped Dolls back, and Delete is off until something is picked.

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QtTest>

#include "ports/prompts.h"
#include "support/test_support.h"
#include "ui/persistence/enemy_list_window.h"
#include "ui/theme_qt.h"

using namespace vargo;

// A game folder holding a copy of the shipped data.
struct ShippedCopy : test::TempGameFolder {
    ShippedCopy() {
        std::filesystem::copy(VARGO_SOURCE_DIR "/data", path(), std::filesystem::copy_options::recursive);
    }
};

// A window over a fresh copy of the shipped registry, with the controls the cases use.
struct ListBench {
    ListBench() : list(w.findChild<QListWidget*>("List1")), del(w.findChild<QPushButton*>("cmdDel")) {}
    void click(int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
    QStringList names() const {
        QStringList out;
        for (int i = 0; i < list->count(); ++i) {
            out << list->item(i)->text();
        }
        return out;
    }
    QString lastMessage() const { return QString::fromStdString(prompts.messages().back()); }

    ShippedCopy dir;
    ScriptedPrompts prompts;
    EnemyRegistry registry{dir.folder(), prompts};
    EnemyListWindow w{registry, prompts};
    QListWidget* list;
    QPushButton* del;
};

class EnemyListTest : public QObject {
    Q_OBJECT
private slots:
    void deleteAndReset() {
        test::TempGameFolder dir;
        std::filesystem::copy(VARGO_SOURCE_DIR "/data", dir.path(), std::filesystem::copy_options::recursive);
        ScriptedPrompts prompts;
        EnemyRegistry registry(dir.folder(), prompts);
        EnemyListWindow w(registry, prompts);
        auto* list = w.findChild<QListWidget*>("List1");
        auto* del = w.findChild<QPushButton*>("cmdDel");
        QVERIFY(list->count() >= 30);
        QVERIFY(!del->isEnabled());
        int before = list->count();
        QString first = list->item(0)->text();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
        QVERIFY(del->isEnabled());
        QVERIFY(w.findChild<QLabel*>("dspDollData")->text().contains(first));
        prompts.answer(true);
        del->click();
        QCOMPARE(list->count(), before - 1);
        QVERIFY(!del->isEnabled());
        QCOMPARE(QString::fromStdString(prompts.messages().back()), QString("削除しました"));
        prompts.answer(true);
        w.findChild<QPushButton*>("cmdInit")->click();
        QCOMPARE(list->count(), before);
        QCOMPARE(QString::fromStdString(prompts.messages().back()), QString("初期化完了しました"));
        QVERIFY(!del->isEnabled());

        QByteArray shots = qgetenv("VARGO_SCREENSHOT_DIR");
        if (!shots.isEmpty()) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(2)).center());
            w.show();
            QTest::qWait(30);
            QVERIFY(w.grab().save(QString(shots) + "/enemy_list.png"));
        }
    }

    // Space toggles the current entry: once it shows unselected, Delete is off and takes nothing;
    // selected again with Space, Delete counts it.
    void spaceDeselectsWhatDeleteWouldTake() {
        ListBench b;
        b.click(0);
        QVERIFY(b.list->item(0)->isSelected());
        QVERIFY(b.del->isEnabled());
        QTest::keyClick(b.list, Qt::Key_Space);
        QVERIFY(!b.list->item(0)->isSelected());
        QVERIFY(!b.del->isEnabled());
        QTest::keyClick(b.list, Qt::Key_Space);
        QVERIFY(b.list->item(0)->isSelected());
        QVERIFY(b.del->isEnabled());
        b.prompts.answer(false);
        b.del->click();
        QCOMPARE(b.lastMessage(), QString("1体のDollを削除しますか？"));
    }

    // Ctrl+A selects every entry without a click: Delete is on and asks about all of them.
    void selectAllEnablesDeleteForEveryEntry() {
        ListBench b;
        const int count = b.list->count();
        QTest::keyClick(b.list, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(b.list->selectedItems().size(), count);
        QVERIFY(b.del->isEnabled());
        b.prompts.answer(false);
        b.del->click();
        QCOMPARE(b.lastMessage(), QString("%1体のDollを削除しますか？").arg(count));
        QCOMPARE(b.list->count(), count);
    }

    // A drag over three entries selects them, and Delete counts three.
    void dragSelectionCounts() {
        ListBench b;
        b.w.show();  // a list ignores moves while it is hidden
        QVERIFY(QTest::qWaitForWindowExposed(&b.w));
        QWidget* vp = b.list->viewport();
        QTest::mousePress(vp, Qt::LeftButton, {}, b.list->visualItemRect(b.list->item(1)).center());
        // QTest's moves carry no held button; a drag's moves do.
        for (int row : {2, 3}) {
            const QPointF at = b.list->visualItemRect(b.list->item(row)).center();
            QMouseEvent move(QEvent::MouseMove, at, vp->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QApplication::sendEvent(vp, &move);
        }
        QTest::mouseRelease(vp, Qt::LeftButton, {}, b.list->visualItemRect(b.list->item(3)).center());
        QCOMPARE(b.list->selectedItems().size(), 3);
        QVERIFY(b.del->isEnabled());
        b.prompts.answer(false);
        b.del->click();
        QCOMPARE(b.lastMessage(), QString("3体のDollを削除しますか？"));
    }

    // Entries selected by code are what Delete removes, and nothing else.
    void programmaticSelectionIsDeleted() {
        ListBench b;
        const QStringList before = b.names();
        b.list->item(1)->setSelected(true);
        b.list->item(3)->setSelected(true);
        QVERIFY(b.del->isEnabled());
        b.prompts.answer(true);
        b.del->click();
        QCOMPARE(b.prompts.messages().at(0), std::string("2体のDollを削除しますか？"));
        QStringList expected = before;
        expected.removeAt(3);
        expected.removeAt(1);
        QCOMPARE(b.names(), expected);
        QVERIFY(!b.del->isEnabled());
    }

    // Taking entries out of the selection, by a second click or by code, takes them out of what
    // Delete counts; with none left Delete is off again.
    void deselectionFollowsTheList() {
        ListBench b;
        b.click(0);
        b.click(2);
        b.click(0);
        QCOMPARE(b.list->selectedItems().size(), 1);
        b.prompts.answer(false);
        b.del->click();
        QCOMPARE(b.lastMessage(), QString("1体のDollを削除しますか？"));
        b.list->clearSelection();
        QVERIFY(!b.del->isEnabled());
        // Moving to an entry shows its record without selecting it.
        b.list->setCurrentRow(4, QItemSelectionModel::NoUpdate);
        QVERIFY(b.w.findChild<QLabel*>("dspDollData")->text().contains(b.list->item(4)->text()));
        QVERIFY(!b.del->isEnabled());
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    applyTheme(app);
    EnemyListTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "enemy_list_qttest.moc"
