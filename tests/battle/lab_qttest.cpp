// The Doll lab window over a copy of the shipped registry: a run fills the table weakest first with
// the progress bar full, the headings sort, Cancel stops a long run at once, and a Doll without
// patterns gets a message instead of a table.

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

#include "battle/enemy_source.h"
#include "persistence/enemy_registry.h"
#include "ports/prompts.h"
#include "support/test_support.h"
#include "ui/battle/lab_window.h"
#include "ui/theme_qt.h"

using namespace vargo;

namespace {

struct LabBench {
    LabBench() {
        std::filesystem::copy(VARGO_SOURCE_DIR "/data", dir.path(), std::filesystem::copy_options::recursive);
        player = registry.ldTekiDoll(3);
        player->programed = true;
    }
    double rate(int row) const { return w->table()->item(row, 7)->text().chopped(1).toDouble(); }
    test::TempGameFolder dir;
    ScriptedPrompts prompts;
    EnemyRegistry registry{dir.folder(), prompts};
    RegistryEnemies enemies{registry};
    std::shared_ptr<doll> player;
    std::unique_ptr<LabWindow> w;
};

}  // namespace

class LabTest : public QObject {
    Q_OBJECT
private slots:
    void aRunFillsTheTableWeakestFirstAndSorts() {
        LabBench b;
        b.w = std::make_unique<LabWindow>(*b.player, b.enemies, b.prompts);
        b.w->show();
        b.w->fightsBox()->setValue(20);
        b.w->start();
        QVERIFY(b.w->running());
        b.w->finishNow();
        QTableWidget* t = b.w->table();
        QVERIFY(t->rowCount() >= 8);
        for (int row = 1; row < t->rowCount(); ++row) {
            QVERIFY(b.rate(row - 1) <= b.rate(row));
        }
        QCOMPARE(b.w->progressBar()->value(), b.w->progressBar()->maximum());
        QCOMPARE(t->item(0, 3)->text(), QString("20"));
        // The heading of 勝率 sorts by the number, highest first on the second click.
        t->sortByColumn(7, Qt::DescendingOrder);
        for (int row = 1; row < t->rowCount(); ++row) {
            QVERIFY(b.rate(row - 1) >= b.rate(row));
        }
        const QByteArray shots = qgetenv("VARGO_SCREENSHOT_DIR");
        if (!shots.isEmpty()) {
            t->sortByColumn(7, Qt::AscendingOrder);
            QVERIFY(b.w->grab().save(QString(shots) + "/lab.png"));
        }
        QVERIFY(b.prompts.messages().empty());
    }

    void cancelStopsALongRunAtOnce() {
        LabBench b;
        b.w = std::make_unique<LabWindow>(*b.player, b.enemies, b.prompts);
        b.w->fightsBox()->setValue(2000);
        b.w->neighboursBox()->setChecked(true);
        b.w->start();
        b.w->cancel();
        b.w->finishNow();
        QVERIFY(!b.w->running());
        QVERIFY(b.w->findChild<QLabel*>("labStatus")->text().contains("中止"));
        long long fought = 0;
        for (int row = 0; row < b.w->table()->rowCount(); ++row) {
            fought += b.w->table()->item(row, 3)->text().toLongLong();
        }
        QVERIFY(fought < 2000LL * b.w->table()->rowCount() || b.w->table()->rowCount() == 0);
        // Escape while idle closes the window.
        b.w->show();
        QTest::keyClick(b.w.get(), Qt::Key_Escape);
        QVERIFY(!b.w->isVisible());
    }

    void aDollWithoutPatternsIsToldSo() {
        LabBench b;
        b.player->programed = false;
        b.w = std::make_unique<LabWindow>(*b.player, b.enemies, b.prompts);
        b.w->start();
        b.w->finishNow();
        QCOMPARE(b.w->table()->rowCount(), 0);
        QCOMPARE(static_cast<int>(b.prompts.messages().size()), 1);
        QVERIFY(!b.w->findChild<QLabel*>("labStatus")->text().isEmpty());
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    applyTheme(app);
    LabTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "lab_qttest.moc"
