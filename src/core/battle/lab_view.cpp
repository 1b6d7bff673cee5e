#include "battle/lab_view.h"

#include <cmath>
#include <cstdio>

namespace vargo {

namespace {

std::string percent(double share) {
    char text[16];
    std::snprintf(text, sizeof text, "%.1f%%", share * 100.0);
    return text;
}

LabCell number(long long n) {
    return {std::to_string(n), static_cast<double>(n), true};
}

LabCell pattern(const LabPattern& p) {
    if (p.slot < 0) {
        return {"—", -1, false};
    }
    return {p.name.empty() ? "パターン" + std::to_string(p.slot + 1) : p.name, static_cast<double>(p.slot),
            false};
}

}  // namespace

const std::vector<std::string>& labColumns() {
    static const std::vector<std::string> columns{"ID",
                                                  "名前",
                                                  "価値",
                                                  "試合",
                                                  "勝",
                                                  "敗",
                                                  "分",
                                                  "勝率",
                                                  "95%区間",
                                                  "平均ステップ",
                                                  "勝ちを支えたパターン",
                                                  "敗れたときのパターン"};
    return columns;
}

std::vector<LabCell> labRowCells(const LabRow& row) {
    char steps[16];
    std::snprintf(steps, sizeof steps, "%.1f", row.averageSteps);
    return {
        number(row.ID),
        {row.name, 0, false},
        number(row.value),
        number(row.fights),
        number(row.wins),
        number(row.losses),
        number(row.draws),
        {percent(row.winRate), row.winRate, true},
        {percent(row.interval.low) + "〜" + percent(row.interval.high), row.interval.low, true},
        {steps, row.averageSteps, true},
        pattern(row.winPattern),
        pattern(row.lossPattern),
    };
}

std::string labIntro(const doll& d) {
    return d.name + "（" + dollClassName(d.dollClass()) + "、価値" + std::to_string(d.value) +
           "）を登録された敵と戦わせます。両者ともコンピュータが操作します。時間・お金・損傷は発生しません。";
}

std::string labSummary(const LabResult& result) {
    std::string text = std::to_string(result.fights) + "試合";
    if (result.cancelled) {
        return text + "で中止しました。表は中止までの試合の結果です。";
    }
    return text + "を終えました。弱い相手から順に並んでいます（見出しをクリックで並べ替え）。";
}

}  // namespace vargo
