#pragma once
// The replay list ("Replay"): every replay in the game folder's replay/ folder, newest first, with
// when it was recorded, the game's date, the kind of fight, the opponent, the result, the steps and
// the name it was kept under. "再生" (or Enter, or a double click) plays the chosen one in the
// battle window; "名前をつけて保存" keeps it for good under the name typed beside it; "レポート"
// shows its fight report; "閉じる" (or Escape) closes. Files that do not read are left out and
// named in one message. Nothing here touches the career.

#include <QDialog>
#include <memory>
#include <vector>

#include "battle/replay_player.h"
#include "model/game_folder.h"
#include "persistence/replay_store.h"

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace vargo {

class Prompts;

class ReplayListWindow : public QDialog {
    Q_OBJECT
public:
    ReplayListWindow(const GameFolder& folder, Prompts& prompts, QWidget* parent = nullptr);

    /// Reads the folder again and fills the list; files that do not read are told in one message,
    /// the first time.
    void reload();
    const std::vector<ReplayEntry>& entries() const { return shown; }
    QTableWidget* table() const { return list; }

    /// The buttons' work, on the selected row.
    void cmdPlay_Click();
    void cmdKeep_Click();
    void cmdReport_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// The selected entry, or null (with nothing selected, the player is told to choose one).
    const ReplayEntry* chosen();
    std::unique_ptr<ReplayPlayer> openChosen();
    void refreshButtons();

    GameFolder folder;
    Prompts& prompts;
    ReplayStore store;
    std::vector<ReplayEntry> shown;
    bool toldProblems = false;
    QTableWidget* list = nullptr;
    QLineEdit* txtName = nullptr;
    QPushButton* cmdPlay = nullptr;
    QPushButton* cmdKeep = nullptr;
    QPushButton* cmdReport = nullptr;
};

}  // namespace vargo
