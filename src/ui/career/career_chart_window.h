#pragma once
// The career chart: the months of the career on one axis; above, money and the Doll's value with
// the lines where Expert and Master begin; below, wins, losses and championships. Opened from
// Infomation → Career and, with the final record, at the career's end.

#include <QDialog>
#include <string>

#include "model/career_history.h"

class QChartView;

namespace vargo {

class CareerChartWindow : public QDialog {
    Q_OBJECT
public:
    CareerChartWindow(const CareerHistory& history, const std::string& heading, QWidget* parent = nullptr);

    QChartView* moneyChart() const { return money; }
    QChartView* recordChart() const { return record; }

private:
    QChartView* money = nullptr;
    QChartView* record = nullptr;
};

}  // namespace vargo
