#pragma once
// The logic of the enemy list screen (FEnemyList): the entered Dolls, which of them are selected,
// the text of dspDollData, and the Delete and InitFile flows. The window only draws this state.

#include <string>
#include <vector>

#include "persistence/enemy_registry.h"

namespace vargo {

class Prompts;

class EnemyList {
public:
    EnemyList(EnemyRegistry& registry, Prompts& prompts);

    /// Opening the screen: the list filled, Delete disabled.
    void open();
    /// Refills List1 from the registry; nothing is selected afterwards.
    void dspEnemyList();
    /// The rows List1 shows selected, however they came to be (mouse, keyboard, select-all, a drag,
    /// or code). Delete is enabled exactly when one is selected, and Delete removes these rows.
    void setSelection(const std::vector<int>& rows);
    /// The entry the player clicked or moved to: its record goes to dspDollData.
    void showEntry(int row);
    /// The Delete button: asks, deletes every selected Doll with its patterns, refills.
    void del();
    /// The InitFile button: asks, copies the shipped registry back, refills.
    void initFile();

    const std::vector<EnemyRegistry::ListEntry>& entries() const { return list; }
    bool isSelected(int row) const;
    int selectedCount() const;

    std::string dspDollData;
    bool cmdDelEnabled = false;
    static constexpr const char* kDelToolTip = "Dollの削除";

private:
    EnemyRegistry& registry;
    Prompts& prompts;
    std::vector<EnemyRegistry::ListEntry> list;
    std::vector<bool> selection;
    int shownNumber = 0;  ///< the registry number dspDollData describes, 0 for none
};

}  // namespace vargo
