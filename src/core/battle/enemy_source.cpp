#include "battle/enemy_source.h"

#include "persistence/enemy_registry.h"

namespace vargo {

std::shared_ptr<doll> freshCopy(const doll& d) {
    auto copy = std::make_shared<doll>(d);
    copy->Motor = std::make_shared<Motor>(d.Motor ? *d.Motor : Motor{});
    copy->frame = std::make_shared<DollFrame>(d.frame ? *d.frame : DollFrame{});
    copy->Motor->HP = copy->Motor->maxHP;
    copy->frame->HP = copy->frame->maxHP;
    return copy;
}

void MemoryEnemies::add(std::shared_ptr<doll> d) {
    dolls.push_back(std::move(d));
}

std::shared_ptr<doll> MemoryEnemies::ldTekiDoll(int number) {
    for (const auto& d : dolls) {
        if (d->ID == number) {
            return freshCopy(*d);
        }
    }
    return nullptr;
}

std::vector<int> MemoryEnemies::ldTekiIDs(int limit) {
    std::vector<int> ids(101, 0);
    size_t n = 0;
    for (const auto& d : dolls) {
        if (d->ID > 0 && d->value <= limit && n < ids.size()) {
            ids[n++] = d->ID;
        }
    }
    return ids;
}

int MemoryEnemies::countTekiDoll(int limit, std::vector<int>* enemyIDs) {
    if (enemyIDs) {
        enemyIDs->assign(101, 0);
    }
    int n = 0;
    for (const auto& d : dolls) {
        if (d->ID > 0 && d->value <= limit && n < 100) {
            ++n;
            if (enemyIDs) {
                (*enemyIDs)[static_cast<size_t>(n)] = d->ID;
            }
        }
    }
    return n;
}

std::shared_ptr<doll> RegistryEnemies::ldTekiDoll(int number) {
    return registry.ldTekiDoll(number);
}

std::vector<int> RegistryEnemies::ldTekiIDs(int limit) {
    return registry.ldTekiIDs(limit);
}

int RegistryEnemies::countTekiDoll(int limit, std::vector<int>* enemyIDs) {
    return registry.countTekiDoll(limit, enemyIDs);
}

}  // namespace vargo
