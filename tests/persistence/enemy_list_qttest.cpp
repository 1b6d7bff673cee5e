// The enemy list window over a copy of the shipped registry: clicking shows a record, Delete asks
// and removes, InitFile brings the shipped Dolls back, and Delete is off until something is picked.

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "persistence/enemy_list_window.h"
#include "support/test_support.h"
#include "ui/prompts/prompts.h"
#include "ui/theme_qt.h"

using namespace vargo;

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

        QByteArray shots = qgetenv("VARGO_SCREENSHOT_DIR");
        if (!shots.isEmpty()) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(2)).center());
            w.show();
            QTest::qWait(30);
            QVERIFY(w.grab().save(QString(shots) + "/enemy_list.png"));
        }
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    applyTheme(app);
    EnemyListTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "enemy_list_qttest.moc"
