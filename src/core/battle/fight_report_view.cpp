#include "battle/fight_report_view.h"

#include "model/action.h"

namespace vargo {

namespace {
std::string S(long long n) {
    return std::to_string(n);
}
}  // namespace

std::string reportTitle(const FightReport& r) {
    std::string title = r.dolls[0].name + " 対 " + r.dolls[1].name + "　";
    if (r.winner == 0 || r.winner == 1) {
        title += "勝者 " + r.dolls[static_cast<size_t>(r.winner)].name;
    } else {
        title += "決着なし";
    }
    return title + "（" + S(r.steps) + "ステップ）";
}

std::vector<std::vector<std::string>> reportPatternRows(const DollReport& d) {
    std::vector<std::vector<std::string>> rows;
    for (const PatternTally& p : d.patterns) {
        // Watching is a choice too: the computer makes it when nothing is affordable.
        std::string name = p.slot < 0 ? "様子見" : (p.name.empty() ? "パターン" + S(p.slot + 1) : p.name);
        rows.push_back({name, S(p.chosen), S(p.apSpent)});
    }
    return rows;
}

std::vector<std::vector<std::string>> reportActionRows(const DollReport& d) {
    std::vector<std::vector<std::string>> rows;
    for (int code = kMove; code <= kHazusi; ++code) {
        const ActionTally& t = d.actions[static_cast<size_t>(code)];
        if (t.tries > 0) {
            rows.push_back({actionName(code), S(t.tries), S(t.hits), S(t.misses)});
        }
    }
    return rows;
}

std::vector<std::pair<std::string, std::string>> reportSummary(const DollReport& d) {
    return {
        {"与ダメージ（モータ）", S(d.damageDealt.motor)},
        {"与ダメージ（フレーム）", S(d.damageDealt.frame)},
        {"被ダメージ（モータ）", S(d.damageTaken.motor)},
        {"被ダメージ（フレーム）", S(d.damageTaken.frame)},
        {"転倒", S(d.falls)},
        {"組み成功", S(d.grapplesWon)},
        {"組み失敗", S(d.grapplesLost)},
        {"脱出", S(d.escapes)},
    };
}

std::string boutLabel(size_t index, bool tournament) {
    if (!tournament) {
        return "試合";
    }
    static const char* const kStages[] = {"1回戦", "準決勝", "決勝"};
    return index < 3 ? kStages[index] : S(static_cast<long long>(index) + 1) + "試合目";
}

}  // namespace vargo
