#include "ui/battle/fight_report_window.h"

#include <QBoxLayout>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QPushButton>
#include <QTableWidget>
#include <QValueAxis>
#include <algorithm>

#include "battle/fight_report_view.h"
#include "ui/qt_text.h"

namespace vargo {

namespace {

// Each Doll keeps one colour, the game's amber for the first and steel blue for the second; the
// motor's line is solid and the frame's dashed.
const std::array<QColor, 2> kDollColours{QColor("#f0a040"), QColor("#5cb8e6")};

QTableWidget* makeTable(const QStringList& headers) {
    auto* t = new QTableWidget(0, static_cast<int>(headers.size()));
    t->setHorizontalHeaderLabels(headers);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    t->setFocusPolicy(Qt::NoFocus);
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
    t->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < headers.size(); ++c) {
        t->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    }
    return t;
}

void fillTable(QTableWidget* t, const std::vector<std::vector<std::string>>& rows) {
    t->setRowCount(static_cast<int>(rows.size()));
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].size(); ++c) {
            auto* item = new QTableWidgetItem(q(rows[r][c]));
            if (c > 0) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            t->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
}

}  // namespace

FightReportWindow::FightReportWindow(std::vector<BoutRecord> b, bool tournament, QWidget* parent)
    : QDialog(parent), bouts(std::move(b)) {
    setWindowTitle("戦闘レポート");
    setObjectName("FightReport");
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    boutChoice = new QComboBox;
    boutChoice->setObjectName("boutChoice");
    for (size_t i = 0; i < bouts.size(); ++i) {
        boutChoice->addItem(q(boutLabel(i, tournament) + "：" + bouts[i].report.dolls[1].name));
    }
    boutChoice->setVisible(bouts.size() > 1);
    top->addWidget(boutChoice);
    title = new QLabel;
    title->setObjectName("title");
    top->addWidget(title, 1);
    layout->addLayout(top);

    chart = new QChartView;
    chart->setObjectName("hpChart");
    chart->setRenderHint(QPainter::Antialiasing);
    chart->setMinimumHeight(260);
    layout->addWidget(chart, 5);

    auto* sidesRow = new QHBoxLayout;
    sidesRow->addWidget(buildSide(0));
    sidesRow->addWidget(buildSide(1));
    layout->addLayout(sidesRow, 6);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText("閉じる");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(boutChoice, &QComboBox::currentIndexChanged, this, &FightReportWindow::showBout);
    resize(980, 780);
    // The last bout is the one just fought: it decided how the screen ended.
    const int last = std::max(0, boutCount() - 1);
    boutChoice->setCurrentIndex(last);
    showBout(last);
}

QGroupBox* FightReportWindow::buildSide(int who) {
    const auto i = static_cast<size_t>(who);
    sides[i] = new QGroupBox;
    auto* box = new QVBoxLayout(sides[i]);
    patterns[i] = makeTable({"パターン", "選択", "消費AP"});
    actions[i] = makeTable({"動作", "試行", "成功", "失敗"});
    summaries[i] = new QLabel;
    summaries[i]->setTextFormat(Qt::RichText);
    box->addWidget(patterns[i], 2);
    box->addWidget(actions[i], 3);
    box->addWidget(summaries[i]);
    return sides[i];
}

void FightReportWindow::showBout(int index) {
    if (index < 0 || index >= boutCount()) {
        return;
    }
    const FightReport& r = bouts[static_cast<size_t>(index)].report;
    title->setText(q(reportTitle(r)));
    for (size_t who = 0; who < 2; ++who) {
        const DollReport& d = r.dolls[who];
        sides[who]->setTitle(q(d.name));
        fillTable(patterns[who], reportPatternRows(d));
        fillTable(actions[who], reportActionRows(d));
        // Two figures to a row keeps the tables above as tall as they can be.
        QString html = "<table cellspacing='1' width='100%'>";
        const auto summary = reportSummary(d);
        for (size_t k = 0; k < summary.size(); k += 2) {
            html += "<tr>";
            for (size_t j = k; j < std::min(k + 2, summary.size()); ++j) {
                html += "<td>" + q(summary[j].first).toHtmlEscaped() + "</td><td align='right'>" +
                        q(summary[j].second).toHtmlEscaped() + "&nbsp;&nbsp;&nbsp;</td>";
            }
            html += "</tr>";
        }
        summaries[who]->setText(html + "</table>");
    }
    fillChart(r);
}

void FightReportWindow::fillChart(const FightReport& r) {
    auto* c = new QChart;
    c->setTheme(QChart::ChartThemeDark);
    c->setBackgroundBrush(QColor("#151a22"));
    c->setTitle("HPの推移");
    c->legend()->setAlignment(Qt::AlignBottom);
    // The legend draws each line as it is drawn, so the frame's dashes read apart from the motor.
    c->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    int top = 1;
    std::array<QLineSeries*, 4> lines{};
    for (size_t k = 0; k < 4; ++k) {
        const size_t who = k / 2;
        lines[k] = new QLineSeries;
        lines[k]->setName(q(r.dolls[who].name) + (k % 2 == 0 ? " モータ" : " フレーム"));
        QPen pen(kDollColours[who]);
        pen.setWidthF(2.0);
        pen.setStyle(k % 2 == 0 ? Qt::SolidLine : Qt::DashLine);
        lines[k]->setPen(pen);
    }
    // Step 0 is the bout's opening: the HP each Doll entered with.
    for (size_t k = 0; k < 4; ++k) {
        lines[k]->append(0, std::max(0, r.startHP[k]));
        top = std::max(top, r.startHP[k]);
    }
    for (const auto& row : r.hp) {
        for (size_t k = 0; k < 4; ++k) {
            lines[k]->append(row[0], std::max(0, row[k + 1]));
            top = std::max(top, row[k + 1]);
        }
    }
    for (QLineSeries* s : lines) {
        c->addSeries(s);
    }
    auto* x = new QValueAxis;
    x->setTitleText("ステップ");
    x->setLabelFormat("%d");
    x->setRange(0, std::max(1, r.steps));
    x->applyNiceNumbers();
    auto* y = new QValueAxis;
    y->setTitleText("HP");
    y->setLabelFormat("%d");
    y->setRange(0, top);
    y->applyNiceNumbers();
    c->addAxis(x, Qt::AlignBottom);
    c->addAxis(y, Qt::AlignLeft);
    for (QLineSeries* s : lines) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
    QChart* old = chart->chart();
    chart->setChart(c);
    delete old;
}

}  // namespace vargo
