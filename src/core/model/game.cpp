#include "model/game.h"

#include <algorithm>
#include <cstdio>

namespace vargo {
namespace {
bool leap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}
int daysIn(int y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && leap(y) ? 29 : days[m - 1];
}
}  // namespace

GameDate GameDate::addMonths(int n) const {
    int total = year * 12 + (month - 1) + n;
    GameDate d;
    d.year = total / 12;
    d.month = total % 12 + 1;
    d.day = std::min(day, daysIn(d.year, d.month));
    return d;
}

std::string GameDate::format() const {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d/%02d/%02d", year, month, day);
    return buf;
}

Game::Game(GameFolder f, Random& r) : folder(std::move(f)), rng(r) {
    for (size_t i = 0; i < 2; ++i) {
        owners[i] = std::make_shared<Owner>();
        dolls[i] = std::make_shared<doll>();
    }
}

void Game::resetPairs() {
    for (size_t i = 0; i < 2; ++i) {
        owners[i] = std::make_shared<Owner>();
        // Draw: each fresh owner rolls its starting money (2D6), side 0 first.
        owners[i]->putInitRl(rng);
        dolls[i] = std::make_shared<doll>();
    }
}

bool Game::resetDollParam(int i) {
    return vargo::resetDollParam(theDoll(i), owner(i));
}

}  // namespace vargo
