#pragma once
// The Doll lab's table as the lab window shows it: the columns' headings, and each row's texts
// with the numbers its columns sort by. The window only places them.

#include <string>
#include <vector>

#include "battle/lab.h"

namespace vargo {

struct LabCell {
    std::string text;
    double key = 0;        ///< what the column sorts by
    bool numeric = false;  ///< sorts by key rather than text; right-aligned
};

/// ID, 名前, 価値, 試合, 勝, 敗, 分, 勝率, 95%区間, 平均ステップ, 勝ちを支えたパターン, 敗因のパターン.
const std::vector<std::string>& labColumns();

std::vector<LabCell> labRowCells(const LabRow& row);

/// What the lab is about to do, for the line above the table.
std::string labIntro(const doll& d);

/// The line under the table once a run ends: how many fights, and whether it was cut short.
std::string labSummary(const LabResult& result);

}  // namespace vargo
