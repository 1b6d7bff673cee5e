#pragma once
// The enemy list (FEnemyList): entered Dolls, their numbers, Delete and InitFile. Modeless, so the
// workshop stays usable beside it.

#include <QDialog>
#include <memory>

#include "persistence/enemy_list.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace vargo {

class EnemyListWindow : public QDialog {
    Q_OBJECT
public:
    EnemyListWindow(EnemyRegistry& registry, Prompts& prompts, QWidget* parent = nullptr);

private:
    void fill();
    EnemyList logic;
    QListWidget* List1 = nullptr;
    QLabel* dspDollData = nullptr;
    QPushButton* cmdDel = nullptr;
    bool filling = false;
};

}  // namespace vargo
