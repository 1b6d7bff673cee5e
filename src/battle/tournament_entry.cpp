#include "battle/tournament_entry.h"

#include "battle/enemy_source.h"
#include "ui/prompts/prompts.h"

namespace vargo {

int classLimit(const std::string& className) {
    if (className == "Novice") {
        return 2500;
    }
    if (className == "Expert") {
        return 3500;
    }
    return 9999;
}

std::string notEnoughEnemies(const std::string& className) {
    return className + "クラスの敵が足りません。\n敵Dollの登録をして下さい。";
}

std::string tournamentEntry(const doll& d, EnemySource& enemies, Prompts& prompts) {
    if (!d.programed) {
        prompts.msgBox("プログラムを登録して下さい");
        return {};
    }
    const std::string className = dollClassName(d.dollClass());
    if (enemies.countTekiDoll(classLimit(className), nullptr) < 8) {
        prompts.msgBox(notEnoughEnemies(className));
        return {};
    }
    if (prompts.askOkCancel(className + "クラスのトーナメントに参加しますか？") != kOk) {
        return {};
    }
    return className;
}

}  // namespace vargo
