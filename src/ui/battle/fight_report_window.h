#pragma once
// The fight report window: for each bout of a battle screen (or a replay), both Dolls' patterns and
// basic actions with their counts, damage, falls, grapples and escapes, and a chart of both Dolls'
// motor and frame HP over the steps. Modeless, so the workshop stays usable beside it.

#include <QDialog>
#include <array>
#include <vector>

#include "battle/fight_report.h"

class QChartView;
class QComboBox;
class QGroupBox;
class QLabel;
class QTableWidget;

namespace vargo {

class FightReportWindow : public QDialog {
    Q_OBJECT
public:
    /// One report per bout; `tournament` names the bouts by stage.
    FightReportWindow(std::vector<BoutRecord> bouts, bool tournament, QWidget* parent = nullptr);

    /// Shows bout `index` (0 = the first).
    void showBout(int index);
    int boutCount() const { return static_cast<int>(bouts.size()); }

    QChartView* chartView() const { return chart; }
    QTableWidget* patternTable(int who) const { return patterns[static_cast<size_t>(who)]; }
    QTableWidget* actionTable(int who) const { return actions[static_cast<size_t>(who)]; }
    QLabel* titleLabel() const { return title; }

private:
    QGroupBox* buildSide(int who);
    void fillChart(const FightReport& r);

    std::vector<BoutRecord> bouts;
    QComboBox* boutChoice = nullptr;
    QLabel* title = nullptr;
    QChartView* chart = nullptr;
    std::array<QGroupBox*, 2> sides{};
    std::array<QTableWidget*, 2> patterns{};
    std::array<QTableWidget*, 2> actions{};
    std::array<QLabel*, 2> summaries{};
};

}  // namespace vargo
