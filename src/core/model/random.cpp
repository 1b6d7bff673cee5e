#include "model/random.h"

#include <cmath>
#include <stdexcept>

namespace vargo {

GameRandom::GameRandom() {
    std::random_device device;
    std::seed_seq seq{device(), device(), device(), device()};
    engine.seed(seq);
}

GameRandom::GameRandom(std::uint64_t seed) : engine(seed) {}

double GameRandom::next() {
    // 53 random bits give every double in [0, 1) on the grid; never 1.0.
    return static_cast<double>(engine() >> 11) * 0x1.0p-53;
}

ScriptedRandom::ScriptedRandom(std::vector<double> v) : values(std::move(v)) {}

void ScriptedRandom::push(double r) {
    values.push_back(r);
}

void ScriptedRandom::pushDie(int faces, int face) {
    // The middle of the face's interval, so single-precision arithmetic cannot tip it over.
    values.push_back((static_cast<double>(face) - 0.5) / faces);
}

double ScriptedRandom::next() {
    if (pos >= values.size()) {
        throw std::logic_error("scripted random sequence ran out after " + std::to_string(pos) + " rolls");
    }
    double r = values[pos++];
    if (!(r >= 0.0 && r < 1.0)) {
        throw std::logic_error("scripted random value outside [0, 1)");
    }
    return r;
}

int rollDie(Random& rng, int faces) {
    return static_cast<int>(std::floor(faces * rng.next())) + 1;
}

int roll2D6(Random& rng) {
    int a = rollDie(rng, 6);
    int b = rollDie(rng, 6);
    return a + b;
}

int roll3D6(Random& rng) {
    int a = rollDie(rng, 6);
    int b = rollDie(rng, 6);
    int c = rollDie(rng, 6);
    return a + b + c;
}

}  // namespace vargo
