#include "ui/battle/lab_window.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>

#include "battle/enemy_source.h"
#include "battle/lab_view.h"
#include "ports/prompts.h"
#include "ui/qt_text.h"

namespace vargo {

namespace {

// A cell that sorts by its number when the column holds numbers.
class LabItem final : public QTableWidgetItem {
public:
    explicit LabItem(const LabCell& c) : QTableWidgetItem(q(c.text)), key(c.key), numeric(c.numeric) {
        if (numeric) {
            setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    bool operator<(const QTableWidgetItem& other) const override {
        const auto* o = dynamic_cast<const LabItem*>(&other);
        if (numeric && o) {
            return key < o->key;
        }
        return QTableWidgetItem::operator<(other);
    }

private:
    double key;
    bool numeric;
};

}  // namespace

LabWindow::LabWindow(const doll& d, EnemySource& e, Prompts& p, QWidget* parent)
    : QDialog(parent), player(freshCopy(d)), enemies(e), prompts(p) {
    // A damaged Doll is still the Doll the player built: the lab fights it at full health.
    setWindowTitle("Dollラボ");
    setObjectName("Lab");
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(q(labIntro(*player)));
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* options = new QHBoxLayout;
    options->addWidget(new QLabel("1体あたりの試合数"));
    fights = new QSpinBox;
    fights->setObjectName("labFights");
    fights->setRange(10, 2000);
    fights->setSingleStep(50);
    fights->setValue(200);
    options->addWidget(fights);
    neighbours = new QCheckBox("隣のクラスの敵も");
    neighbours->setObjectName("labNeighbours");
    options->addWidget(neighbours);
    options->addStretch();
    runButton = new QPushButton("実行(&R)");
    runButton->setObjectName("labRun");
    runButton->setDefault(true);
    cancelButton = new QPushButton("中止(&C)");
    cancelButton->setObjectName("labCancel");
    cancelButton->setEnabled(false);
    auto* close = new QPushButton("閉じる");
    close->setObjectName("labClose");
    options->addWidget(runButton);
    options->addWidget(cancelButton);
    options->addWidget(close);
    layout->addLayout(options);

    bar = new QProgressBar;
    bar->setObjectName("labProgress");
    bar->setRange(0, 1);
    bar->setValue(0);
    layout->addWidget(bar);

    const auto& columns = labColumns();
    grid = new QTableWidget(0, static_cast<int>(columns.size()));
    grid->setObjectName("labTable");
    QStringList headings;
    for (const auto& c : columns) {
        headings << q(c);
    }
    grid->setHorizontalHeaderLabels(headings);
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    layout->addWidget(grid, 1);

    status = new QLabel;
    status->setObjectName("labStatus");
    status->setWordWrap(true);
    layout->addWidget(status);

    timer = new QTimer(this);
    timer->setInterval(50);
    connect(timer, &QTimer::timeout, this, &LabWindow::poll);
    connect(runButton, &QPushButton::clicked, this, &LabWindow::start);
    connect(cancelButton, &QPushButton::clicked, this, &LabWindow::cancel);
    connect(close, &QPushButton::clicked, this, &LabWindow::reject);
    resize(1100, 640);
}

LabWindow::~LabWindow() {
    if (worker.joinable()) {
        progress->cancel = true;
        worker.join();
    }
}

void LabWindow::start() {
    if (running()) {
        return;
    }
    LabOptions o;
    o.fights = fights->value();
    o.neighbours = neighbours->isChecked();
    o.seed = seed++;
    progress = std::make_unique<FightProgress>();
    outcome.reset();
    runButton->setEnabled(false);
    cancelButton->setEnabled(true);
    fights->setEnabled(false);
    neighbours->setEnabled(false);
    bar->setRange(0, 0);  // busy until the run knows its total
    status->setText("対戦中…");
    // The enemies are read on the run's thread; the window is modal, so nothing else reads them.
    finished = false;
    worker = std::thread([this, o, p = progress.get()] {
        outcome = runLab(*player, enemies, o, p);
        finished.store(true, std::memory_order_release);
    });
    timer->start();
}

void LabWindow::cancel() {
    if (running()) {
        progress->cancel = true;
    }
}

void LabWindow::poll() {
    const long long total = progress->total.load();
    if (total > 0) {
        bar->setRange(0, static_cast<int>(std::min<long long>(total, 1 << 30)));
        bar->setValue(static_cast<int>(std::min(progress->done.load(), total)));
    }
    if (finished.load(std::memory_order_acquire)) {
        finishNow();
    }
}

void LabWindow::finishNow() {
    if (!worker.joinable()) {
        return;
    }
    worker.join();
    timer->stop();
    runButton->setEnabled(true);
    cancelButton->setEnabled(false);
    fights->setEnabled(true);
    neighbours->setEnabled(true);
    if (outcome) {
        showOutcome(*outcome);
    }
}

void LabWindow::showOutcome(const std::variant<LabResult, FightRunProblem>& result) {
    if (const auto* problem = std::get_if<FightRunProblem>(&result)) {
        bar->setRange(0, 1);
        bar->setValue(0);
        grid->setRowCount(0);
        status->setText(q(problem->message));
        prompts.msgBox(problem->message, BoxButtons::Ok);
        return;
    }
    const LabResult& r = std::get<LabResult>(result);
    grid->setSortingEnabled(false);
    grid->setRowCount(static_cast<int>(r.rows.size()));
    for (size_t row = 0; row < r.rows.size(); ++row) {
        const auto cells = labRowCells(r.rows[row]);
        for (size_t c = 0; c < cells.size(); ++c) {
            grid->setItem(static_cast<int>(row), static_cast<int>(c), new LabItem(cells[c]));
        }
    }
    // The run's order is the weakest match-up first; sorting starts from there, not from a column
    // (turning sorting on sorts at once by the heading last shown).
    grid->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    grid->setSortingEnabled(true);
    bar->setRange(0, 1);
    bar->setValue(r.cancelled ? 0 : 1);
    status->setText(q(labSummary(r)));
}

// Escape and the window's close stop a run first; a second Escape closes.
void LabWindow::reject() {
    if (running()) {
        cancel();
        finishNow();
        return;
    }
    QDialog::reject();
}

}  // namespace vargo
