#pragma once
// Every roll in the game goes through Random so that tests can choose each outcome.

#include <cstdint>
#include <random>
#include <vector>

namespace vargo {

/// Uniform numbers in [0, 1).
class Random {
public:
    virtual ~Random() = default;
    virtual double next() = 0;
    /// Marks where a new run of dice begins (a pilot's creation, a fight's start, a bracket's draw).
    /// Reseeding there from a clock would make rolls in quick succession equal, so our generators
    /// keep their sequence going and the call only marks the place.
    virtual void reseed() {}
};

/// The game's generator: seeded once from an entropy source, or from a given seed for replays.
class GameRandom final : public Random {
public:
    GameRandom();
    explicit GameRandom(std::uint64_t seed);
    double next() override;

private:
    std::mt19937_64 engine;
};

/// A fixed sequence for tests. Running past its end is a fault in the test, reported loudly.
class ScriptedRandom final : public Random {
public:
    ScriptedRandom() = default;
    explicit ScriptedRandom(std::vector<double> values);
    void push(double r);
    /// Queues the value that makes a die of n faces show face (1..n).
    void pushDie(int faces, int face);
    double next() override;
    std::size_t remaining() const { return values.size() - pos; }

private:
    std::vector<double> values;
    std::size_t pos = 0;
};

/// A die of n faces: Int(n * r) + 1.
int rollDie(Random& rng, int faces);
/// Int(6 r1) + Int(6 r2) + 2.
int roll2D6(Random& rng);
/// Int(6 r1) + Int(6 r2) + Int(6 r3) + 3.
int roll3D6(Random& rng);

}  // namespace vargo
