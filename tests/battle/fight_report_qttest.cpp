// The fight report window over fights of the shipped Dolls: the tables and the HP chart show what
// the report counted, a tournament's bouts are chosen by stage, and Escape closes the window.

#include <QApplication>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QTableWidget>
#include <QtTest>

#include "battle/simulator.h"
#include "persistence/enemy_registry.h"
#include "support/test_support.h"
#include "ui/battle/fight_report_window.h"
#include "ui/theme_qt.h"

using namespace vargo;

namespace {

// Bouts between shipped enemies, each recorded the way the battle screen records its own.
std::vector<BoutRecord> shippedBouts(const std::vector<std::pair<int, int>>& pairs, std::uint64_t seed) {
    ScriptedPrompts prompts;
    EnemyRegistry registry(GameFolder(VARGO_SOURCE_DIR "/data"), prompts);
    GameRandom rng(seed);
    Simulator sim(rng);
    std::vector<BoutRecord> bouts;
    for (auto [a, b] : pairs) {
        auto first = registry.ldTekiDoll(a);
        auto second = registry.ldTekiDoll(b);
        bouts.emplace_back(first, second);
        FightReport& r = bouts.back().report;
        sim.play(first, second, Simulator::kStepCap,
                 [&r](const Fight& f, int) { r.takeStep(f.stepEvents()); });
    }
    return bouts;
}

int rowsOf(const QTableWidget* t) {
    return t->rowCount();
}

}  // namespace

class FightReportTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheBoutsCountsAndChart() {
        std::vector<BoutRecord> bouts = shippedBouts({{1, 2}}, 7);
        const FightReport r = bouts[0].report;
        FightReportWindow w(bouts, false);
        w.show();
        QVERIFY(!w.findChild<QComboBox*>("boutChoice")->isVisible());  // one bout: nothing to choose
        QVERIFY(w.titleLabel()->text().contains(QString::fromStdString(r.dolls[0].name)));
        QVERIFY(w.titleLabel()->text().contains(QString::number(r.steps) + "ステップ"));
        for (int who = 0; who < 2; ++who) {
            const DollReport& d = r.dolls[static_cast<size_t>(who)];
            QCOMPARE(rowsOf(w.patternTable(who)), static_cast<int>(d.patterns.size()));
            int actionsTried = 0;
            for (const ActionTally& t : d.actions) {
                actionsTried += t.tries > 0 ? 1 : 0;
            }
            QCOMPARE(rowsOf(w.actionTable(who)), actionsTried);
            // Every chosen pattern's count is shown as counted.
            for (int row = 0; row < rowsOf(w.patternTable(who)); ++row) {
                QCOMPARE(w.patternTable(who)->item(row, 1)->text().toInt(),
                         d.patterns[static_cast<size_t>(row)].chosen);
            }
        }
        const QList<QAbstractSeries*> series = w.chartView()->chart()->series();
        QCOMPARE(series.size(), 4);
        for (int k = 0; k < 4; ++k) {
            auto* line = qobject_cast<QLineSeries*>(series[k]);
            QVERIFY(line);
            QCOMPARE(line->count(), r.steps + 1);  // the opening and every step
            QCOMPARE(line->at(line->count() - 1).y(),
                     std::max(0, r.hp.back()[static_cast<size_t>(k + 1)]) * 1.0);
        }
        // The loser ends with a destroyed motor or frame on the chart.
        const qsizetype loser = 1 - r.winner;
        auto* motor = qobject_cast<QLineSeries*>(series[2 * loser]);
        auto* frame = qobject_cast<QLineSeries*>(series[2 * loser + 1]);
        QVERIFY(motor->at(motor->count() - 1).y() == 0 || frame->at(frame->count() - 1).y() == 0);
    }

    void aTournamentsBoutsAreChosenByStageAndEscapeCloses() {
        std::vector<BoutRecord> bouts = shippedBouts({{3, 4}, {3, 5}, {3, 6}}, 11);
        FightReportWindow w(bouts, true);
        w.show();
        auto* choice = w.findChild<QComboBox*>("boutChoice");
        QVERIFY(choice->isVisible());
        QCOMPARE(choice->count(), 3);
        QVERIFY(choice->itemText(0).startsWith("1回戦"));
        QVERIFY(choice->itemText(2).startsWith("決勝"));
        QCOMPARE(choice->currentIndex(), 2);  // the last bout fought comes first
        choice->setCurrentIndex(0);
        QVERIFY(w.titleLabel()->text().contains(QString::fromStdString(bouts[0].report.dolls[1].name)));
        QCOMPARE(qobject_cast<QLineSeries*>(w.chartView()->chart()->series()[0])->count(),
                 bouts[0].report.steps + 1);
        const QByteArray dir = qgetenv("VARGO_SCREENSHOT_DIR");
        if (!dir.isEmpty()) {
            w.resize(980, 780);
            QVERIFY(w.grab().save(QString(dir) + "/fight_report.png"));
        }
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    applyTheme(app);
    FightReportTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "fight_report_qttest.moc"
