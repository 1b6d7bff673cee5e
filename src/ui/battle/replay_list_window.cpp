#include "ui/battle/replay_list_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "battle/replay_player.h"
#include "ports/prompts.h"
#include "ui/battle/fight_report_window.h"
#include "ui/battle/fight_window.h"
#include "ui/qt_text.h"

namespace vargo {

namespace {
const char* const kColumns[] = {"記録日時", "試合日", "種類", "対戦", "結果", "ステップ", "保存名"};
}  // namespace

ReplayListWindow::ReplayListWindow(const GameFolder& f, Prompts& p, QWidget* parent)
    : QDialog(parent), folder(f), prompts(p), store(f) {
    setObjectName("ReplayList");
    setWindowTitle("Replay");

    list = new QTableWidget(0, static_cast<int>(std::size(kColumns)));
    list->setObjectName("lstReplay");
    QStringList headers;
    for (const char* c : kColumns) {
        headers << c;
    }
    list->setHorizontalHeaderLabels(headers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->verticalHeader()->hide();
    list->horizontalHeader()->setStretchLastSection(true);
    connect(list, &QTableWidget::cellDoubleClicked, this, [this] { cmdPlay_Click(); });
    connect(list, &QTableWidget::itemSelectionChanged, this, &ReplayListWindow::refreshButtons);

    cmdPlay = new QPushButton("再生");
    cmdPlay->setObjectName("cmdPlay");
    cmdPlay->setDefault(true);
    cmdPlay->setMinimumSize(110, 36);
    cmdReport = new QPushButton("レポート");
    cmdReport->setObjectName("cmdReport");
    txtName = new QLineEdit;
    txtName->setObjectName("txtName");
    txtName->setPlaceholderText("保存する名前");
    txtName->setMaxLength(ReplayStore::kMaxNameLength);
    txtName->installEventFilter(this);
    cmdKeep = new QPushButton("名前をつけて保存");
    cmdKeep->setObjectName("cmdKeep");
    auto* close = new QPushButton("閉じる");
    close->setObjectName("cmdClose");
    close->setAutoDefault(false);
    cmdKeep->setAutoDefault(false);
    cmdReport->setAutoDefault(false);
    connect(cmdPlay, &QPushButton::clicked, this, &ReplayListWindow::cmdPlay_Click);
    connect(cmdKeep, &QPushButton::clicked, this, &ReplayListWindow::cmdKeep_Click);
    connect(cmdReport, &QPushButton::clicked, this, &ReplayListWindow::cmdReport_Click);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* keepRow = new QHBoxLayout;
    keepRow->addWidget(new QLabel("名前"));
    keepRow->addWidget(txtName, 1);
    keepRow->addWidget(cmdKeep);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdPlay);
    buttons->addWidget(cmdReport);
    buttons->addStretch();
    buttons->addLayout(keepRow, 2);
    buttons->addSpacing(18);
    buttons->addWidget(close);

    auto* root = new QVBoxLayout(this);
    auto* note = new QLabel(
        QString("自動で記録した最近の%1試合と、名前をつけて保存した試合です。").arg(ReplayStore::kAutomatic));
    note->setObjectName("caption");
    root->addWidget(note);
    root->addWidget(list, 1);
    root->addLayout(buttons);
    resize(900, 520);
    reload();
}

void ReplayListWindow::reload() {
    std::vector<std::string> problems;
    shown = store.list(&problems);
    list->setRowCount(static_cast<int>(shown.size()));
    for (int row = 0; row < static_cast<int>(shown.size()); ++row) {
        const ReplayEntry& e = shown[static_cast<size_t>(row)];
        const QString cells[] = {
            q(e.recordedAt), q(e.gameDate.format()),   q(e.modeText()), q(e.player + " 対 " + e.opponent),
            q(e.result),     QString::number(e.steps), q(e.keptName)};
        for (int c = 0; c < static_cast<int>(std::size(cells)); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c == 5) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            list->setItem(row, c, item);
        }
    }
    list->resizeColumnsToContents();
    if (!shown.empty()) {
        list->selectRow(0);
    }
    list->setFocus();
    refreshButtons();
    // The files that do not read are told once, when the list opens.
    if (!problems.empty() && !toldProblems) {
        toldProblems = true;
        std::string text = "読めないリプレイがあったので、一覧から外しました。";
        for (const std::string& p : problems) {
            text += "\n" + p;
        }
        prompts.msgBox(text);
    }
}

void ReplayListWindow::refreshButtons() {
    const bool any = !list->selectionModel()->selectedRows().isEmpty();
    cmdPlay->setEnabled(any);
    cmdKeep->setEnabled(any);
    cmdReport->setEnabled(any);
}

const ReplayEntry* ReplayListWindow::chosen() {
    const QModelIndexList rows = list->selectionModel()->selectedRows();
    if (rows.isEmpty() || rows[0].row() >= static_cast<int>(shown.size())) {
        prompts.msgBox("リプレイを選んでください。");
        return nullptr;
    }
    return &shown[static_cast<size_t>(rows[0].row())];
}

// The chosen replay, ready to play; nothing (and the player told why) when it will not read or play.
std::unique_ptr<ReplayPlayer> ReplayListWindow::openChosen() {
    const ReplayEntry* e = chosen();
    if (!e) {
        return nullptr;
    }
    std::string error;
    std::optional<Replay> r = store.load(*e, &error);
    if (!r) {
        prompts.msgBox(error);
        return nullptr;
    }
    auto player = std::make_unique<ReplayPlayer>(std::move(*r), e->shownPath());
    if (player->damaged()) {
        prompts.msgBox(player->problem());
        return nullptr;
    }
    return player;
}

void ReplayListWindow::cmdPlay_Click() {
    const std::unique_ptr<ReplayPlayer> player = openChosen();
    if (!player) {
        return;
    }
    FightWindow window(*player, folder, this);
    window.exec();
}

void ReplayListWindow::cmdKeep_Click() {
    const ReplayEntry* e = chosen();
    if (!e) {
        return;
    }
    const std::string name = txtName->text().trimmed().toStdString();
    std::string error;
    if (!store.keep(*e, name, &error)) {
        prompts.msgBox(error);
        return;
    }
    txtName->clear();
    reload();
    // The replay kept stays chosen under its new name.
    for (int row = 0; row < static_cast<int>(shown.size()); ++row) {
        if (shown[static_cast<size_t>(row)].keptName == name) {
            list->selectRow(row);
        }
    }
}

void ReplayListWindow::cmdReport_Click() {
    const std::unique_ptr<ReplayPlayer> player = openChosen();
    if (!player) {
        return;
    }
    // One bout of its own: named as a bout, whichever stage of a tournament it was.
    FightReportWindow report({player->boutRecord()}, false, this);
    report.exec();
}

// Enter in the name field keeps the replay under that name; it does not also play it.
bool ReplayListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtName && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            cmdKeep_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace vargo
