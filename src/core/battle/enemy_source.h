#pragma once
// Where the fight gets its enemy Dolls: the registry files in the game, prepared Dolls in tests,
// the simulator and the benchmarks. Every Doll handed out is a fresh one at full HP, so a fight
// never damages the source.

#include <memory>
#include <vector>

#include "model/doll.h"

namespace vargo {

class EnemySource {
public:
    virtual ~EnemySource() = default;
    /// A new Doll from record `number` with fresh motor and frame; null when there is none.
    virtual std::shared_ptr<doll> ldTekiDoll(int number) = 0;
    /// 101 entries from index 0: the numbers of enemies whose value is at most limit, in order.
    virtual std::vector<int> ldTekiIDs(int limit) = 0;
    /// How many enemies have value at most limit; fills enemyIDs from index 1 (101 entries).
    virtual int countTekiDoll(int limit, std::vector<int>* enemyIDs) = 0;
};

/// Enemies held in memory. ldTekiDoll hands out copies of the stored Dolls with their own motor
/// and frame records at full HP (patterns are shared: nothing in a fight changes them).
class MemoryEnemies final : public EnemySource {
public:
    /// Stores d under its ID (registry numbers 1..99), after any stored before.
    void add(std::shared_ptr<doll> d);
    const std::vector<std::shared_ptr<doll>>& all() const { return dolls; }

    std::shared_ptr<doll> ldTekiDoll(int number) override;
    std::vector<int> ldTekiIDs(int limit) override;
    int countTekiDoll(int limit, std::vector<int>* enemyIDs) override;

private:
    std::vector<std::shared_ptr<doll>> dolls;
};

class EnemyRegistry;

/// The game's enemies: the registry files, read afresh on every call.
class RegistryEnemies final : public EnemySource {
public:
    explicit RegistryEnemies(EnemyRegistry& r) : registry(r) {}
    std::shared_ptr<doll> ldTekiDoll(int number) override;
    std::vector<int> ldTekiIDs(int limit) override;
    int countTekiDoll(int limit, std::vector<int>* enemyIDs) override;

private:
    EnemyRegistry& registry;
};

/// A copy of d that shares its patterns and software but has its own motor and frame at full HP.
std::shared_ptr<doll> freshCopy(const doll& d);

}  // namespace vargo
