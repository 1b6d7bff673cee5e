#include "ui/career/career_chart_window.h"

#include <QBoxLayout>
#include <QChart>
#include <QChartView>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QPushButton>
#include <QValueAxis>
#include <algorithm>
#include <functional>

#include "ui/qt_text.h"

namespace vargo {

namespace {

struct Curve {
    QString name;
    QColor colour;
    Qt::PenStyle style;
    std::function<int(const CareerSnapshot&)> value;
};

QLineSeries* line(const QString& name, const QColor& colour, Qt::PenStyle style) {
    auto* s = new QLineSeries;
    s->setName(name);
    QPen pen(colour);
    pen.setWidthF(2.0);
    pen.setStyle(style);
    s->setPen(pen);
    return s;
}

// One chart over the career's 36 months; `marks` are level lines drawn across it (the classes).
QChartView* chartOf(const CareerHistory& h, const QString& title, const std::vector<Curve>& curves,
                    const std::vector<std::pair<QString, int>>& marks) {
    auto* c = new QChart;
    c->setTheme(QChart::ChartThemeDark);
    c->setBackgroundBrush(QColor("#151a22"));
    c->setTitle(title);
    c->legend()->setAlignment(Qt::AlignBottom);
    c->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    int low = 0;
    int high = 1;
    std::vector<QLineSeries*> all;
    for (const Curve& curve : curves) {
        QLineSeries* s = line(curve.name, curve.colour, curve.style);
        // Each snapshot is a dot too: a career just loaded has a single one, which no line shows.
        s->setPointsVisible(true);
        for (const CareerSnapshot& p : h.points) {
            const int v = curve.value(p);
            s->append(careerMonths(p.date), v);
            low = std::min(low, v);
            high = std::max(high, v);
        }
        all.push_back(s);
    }
    for (const auto& [name, level] : marks) {
        QLineSeries* s = line(name, QColor("#8a94a6"), Qt::DotLine);
        s->append(0, level);
        s->append(36, level);
        high = std::max(high, level + level / 10);
        all.push_back(s);
    }
    auto* x = new QValueAxis;
    x->setTitleText("経過月数（2013/01 から）");
    x->setLabelFormat("%d");
    x->setRange(0, 36);
    x->setTickCount(7);
    auto* y = new QValueAxis;
    y->setLabelFormat("%d");
    // Whole numbers only: a step of 1, 2 or 5 times a power of ten, about six to the axis.
    int step = 1;
    for (int base = 1; step * 6 < high - low; base *= 10) {
        for (int m : {1, 2, 5}) {
            step = m * base;
            if (step * 6 >= high - low) {
                break;
            }
        }
    }
    y->setTickType(QValueAxis::TicksDynamic);
    y->setTickAnchor(0);
    y->setTickInterval(step);
    const int top = ((high + step - 1) / step) * step;  // the first whole step at or above the highest
    y->setRange(low, top);
    c->addAxis(x, Qt::AlignBottom);
    c->addAxis(y, Qt::AlignLeft);
    for (QLineSeries* s : all) {
        c->addSeries(s);
        s->attachAxis(x);
        s->attachAxis(y);
    }
    auto* view = new QChartView(c);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(260);
    return view;
}

}  // namespace

CareerChartWindow::CareerChartWindow(const CareerHistory& h, const std::string& heading, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("経歴");
    setObjectName("CareerChart");
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(q(heading));
    title->setObjectName("title");
    layout->addWidget(title);
    if (!h.points.empty()) {
        const CareerSnapshot& last = h.points.back();
        auto* now =
            new QLabel(q(last.date.format() + "　所持金 " + std::to_string(last.money) + " Rl　価値 " +
                         std::to_string(last.value) + "（" + dollClassName(last.dollClass) + "）　" +
                         std::to_string(last.wins) + "勝" + std::to_string(last.losses) + "敗　優勝" +
                         std::to_string(last.championships) + "回　レベル" + std::to_string(last.level)));
        now->setObjectName("careerNow");
        layout->addWidget(now);
    }
    money = chartOf(
        h, "所持金とDollの価値",
        {{"所持金 (Rl)", QColor("#f0a040"), Qt::SolidLine, [](const CareerSnapshot& s) { return s.money; }},
         {"Dollの価値", QColor("#5cb8e6"), Qt::SolidLine, [](const CareerSnapshot& s) { return s.value; }}},
        {{"Expert 2501〜", classValueLimit(DollClass::Novice) + 1},
         {"Master 3501〜", classValueLimit(DollClass::Expert) + 1}});
    money->setObjectName("moneyChart");
    layout->addWidget(money, 3);
    record = chartOf(
        h, "戦績",
        {{"勝", QColor("#6cc070"), Qt::SolidLine, [](const CareerSnapshot& s) { return s.wins; }},
         {"敗", QColor("#e06060"), Qt::SolidLine, [](const CareerSnapshot& s) { return s.losses; }},
         {"優勝", QColor("#f0d060"), Qt::DashLine, [](const CareerSnapshot& s) { return s.championships; }}},
        {});
    record->setObjectName("recordChart");
    layout->addWidget(record, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText("閉じる");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(960, 760);
}

}  // namespace vargo
