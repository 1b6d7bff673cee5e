#pragma once
// The enemy registry: frozen snapshots of Dolls and their patterns in save/EDollsv.ini and
// save/ELogicsv.ini, read by the battle and the tournament, written by "EntryAsEnemy", and managed
// on the enemy list screen. Nothing is cached: every call reads the files afresh.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/catalogue.h"
#include "model/doll.h"
#include "model/field_reader.h"
#include "model/game_folder.h"

namespace vargo {

class Prompts;

class EnemyRegistry {
public:
    /// Prompts carry the registry's messages (full registry, seeded files, missing files).
    EnemyRegistry(GameFolder folder, Prompts& prompts);

    // --- Battle side ---------------------------------------------------------------------------
    /// A new Doll from record `number`: stored abilities, fresh catalogue motor and frame at full HP,
    /// and its patterns (ldLogics). Null when the record is not there or cannot be read.
    std::shared_ptr<doll> ldTekiDoll(int number);
    /// The patterns owned by `number` into d's slots from 0: names, stored AP and Memory, and the
    /// first six actions by code with names but no costs. Returns how many it found.
    int ldLogics(int number, doll& d);
    /// The candidate list: 101 entries (index 0..100), filled from 0 with the numbers of enemies
    /// whose value is at most limit, in file order; stops after a header of 99 or more.
    std::vector<int> ldTekiIDs(int limit);
    /// How many entered enemies have value at most limit. When enemyIDs is given it becomes the
    /// battle's list: 101 entries, the counted numbers from index 1 on (at most 100).
    int countTekiDoll(int limit, std::vector<int>* enemyIDs = nullptr);

    // --- Workshop side -------------------------------------------------------------------------
    /// Asks "<name>を敵として登録しますか？"; on Yes enters d and its patterns 0..5. Returns the new
    /// registry number, 0 when declined or refused.
    int entryEnemy(const doll& d);
    int saveEnemyDoll(const doll& d);
    void saveEnemyLogic(int number, const doll& d);

    // --- Enemy list screen ---------------------------------------------------------------------
    struct ListEntry {
        int number;
        std::string name;
    };
    std::vector<ListEntry> dspEnemyList();
    /// A Doll carrying the record's values only (no parts, no patterns); null when absent.
    std::shared_ptr<doll> readEnemyDoll(int number);
    /// Each changes one file only; deleteEnemies changes both files as one.
    void delEnemyDoll(int number);
    void delEnemyLogic(int number);
    /// Deletes the records of the given numbers and their patterns, both files or neither.
    bool deleteEnemies(const std::vector<int>& numbers);
    /// Copies ini/Dollsv.ini and ini/Logicsv.ini over the registry files.
    bool initFiles();

    const GameFolder& folder() const { return gameFolder; }

private:
    struct Counted {
        int number;
        int value;
    };
    /// Reads a registry file, seeding it from the shipped one when it is missing.
    std::optional<std::vector<std::string>> readRegistryFile(const char* relative, const char* shipped);
    std::optional<std::vector<std::string>> readDolls();
    std::optional<std::vector<std::string>> readLogics();
    /// Keeps the scratch copy of each file it changes, then replaces the Doll file (when given)
    /// and the pattern file (when given) as one.
    bool commitRegistry(const std::vector<std::string>* dolls,
                        const std::optional<std::vector<std::string>>& logics);
    void reportProblem(const DataProblem& problem);
    std::vector<Counted> scanValues();

    GameFolder gameFolder;
    Prompts& prompts;
    CatalogueReader catalogue;
};

}  // namespace vargo
