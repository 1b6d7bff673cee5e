#include "persistence/enemy_list.h"

#include <algorithm>

#include "ports/prompts.h"

namespace vargo {

EnemyList::EnemyList(EnemyRegistry& r, Prompts& p) : registry(r), prompts(p) {}

void EnemyList::open() {
    dspEnemyList();
    cmdDelEnabled = false;
}

void EnemyList::dspEnemyList() {
    list = registry.dspEnemyList();
    selection.assign(list.size(), false);
    // A Doll that has just been deleted (or replaced by InitFile) must not stay described beside
    // a list that no longer holds it.
    const bool stillListed = std::any_of(list.begin(), list.end(), [this](const EnemyRegistry::ListEntry& e) {
        return e.number == shownNumber;
    });
    if (!stillListed) {
        dspDollData.clear();
        shownNumber = 0;
    }
}

bool EnemyList::isSelected(int row) const {
    return row >= 0 && row < static_cast<int>(selection.size()) && selection[static_cast<size_t>(row)];
}

int EnemyList::selectedCount() const {
    return static_cast<int>(std::count(selection.begin(), selection.end(), true));
}

void EnemyList::setSelection(const std::vector<int>& rows) {
    selection.assign(list.size(), false);
    for (int row : rows) {
        if (row >= 0 && row < static_cast<int>(list.size())) {
            selection[static_cast<size_t>(row)] = true;
        }
    }
    cmdDelEnabled = selectedCount() > 0;
}

void EnemyList::showEntry(int row) {
    if (row < 0 || row >= static_cast<int>(list.size())) {
        return;
    }
    const auto& entry = list[static_cast<size_t>(row)];
    if (auto d = registry.readEnemyDoll(entry.number)) {
        dspDollData = "ID" + std::to_string(entry.number) + ":" + d->name + "\nPow " +
                      std::to_string(d->pow) + "\nmove " + std::to_string(d->move) + "\n価値 " +
                      std::to_string(d->value);
        shownNumber = entry.number;
    }
}

void EnemyList::del() {
    int count = selectedCount();
    if (count == 0) {
        prompts.msgBox("Dollが選択されていません", BoxButtons::Ok);
        return;
    }
    if (prompts.msgBox(std::to_string(count) + "体のDollを削除しますか？", BoxButtons::OkCancel) != kOk) {
        return;
    }
    std::vector<int> numbers;
    for (size_t i = 0; i < list.size(); ++i) {
        if (selection[i]) {
            numbers.push_back(list[i].number);
        }
    }
    if (registry.deleteEnemies(numbers)) {
        prompts.msgBox("削除しました", BoxButtons::Ok);
    }
    dspEnemyList();
    cmdDelEnabled = false;
}

void EnemyList::initFile() {
    if (prompts.msgBox("敵Dollファイルを初期化しますか？", BoxButtons::YesNo) != kYes) {
        return;
    }
    if (registry.initFiles()) {
        prompts.msgBox("初期化完了しました", BoxButtons::Ok);
    }
    dspEnemyList();
    cmdDelEnabled = false;
}

}  // namespace vargo
