#pragma once
// The two registry layouts, record by record: the enemy Doll record of EDollsv.ini and the pattern
// block of ELogicsv.ini. The registry, the shipped-enemy generator and `vargo-tool check` all read
// and write through here, so the files they make are the files the battle reads.

#include <array>
#include <string>
#include <vector>

#include "model/doll.h"
#include "model/logic.h"
#include "model/numbers.h"

namespace vargo {

/// The registry's two files in the game folder.
inline constexpr const char* kRegistryDollFile = "save/EDollsv.ini";
inline constexpr const char* kRegistryLogicFile = "save/ELogicsv.ini";

/// One enemy Doll record as stored: the frozen abilities, the parts by ID, the picture code.
struct EnemyRecord {
    int number = 0; /**< the registry number of its header */
    std::string name;
    Int16 ownerID = 0, pow = 0, offence = 0, defence = 0;
    Int16 move = 0, jump = 0, spin = 0;
    double AC = 0;
    Int16 AP = 0, Memory = 0;
    Int16 motorID = 0, frameID = 0;
    std::array<Int16, 3> boosterIDs{};   /**< Doll booster slots 1..3; no reader uses them */
    std::array<Int16, 3> protectorIDs{}; /**< Doll protector slots 1..3; no reader uses them */
    Int16 hardID = 0, softMID = 0, softAID = 0, softDID = 0;
    Int16 junkParts = 0;
    Int16 constant = 1;
    Int16 value = 0;
    double weight = 0;
    std::string image = "01";
};

/// One pattern block as stored.
struct EnemyPatternBlock {
    int sequence = 0; /**< the number of its header */
    Int16 dollID = 0;
    std::string name;
    Int16 AP = 0, Memory = 0;
    std::array<Int16, Logic::kSteps> actions{};
};

/// Where one record or block lies in its file: from its header line up to the next header.
struct RegistrySpan {
    int number = 0;    /**< the number of its header */
    size_t header = 0; /**< index of the header line */
    size_t end = 0;    /**< index one past its last line */
};

/// Registry numbers an enemy Doll can have.
inline constexpr int kFirstEnemyNumber = 1;
inline constexpr int kLastEnemyNumber = 99;

/// Every record or block of a registry file in file order. Every reader, writer and check walks
/// the files through this one index, so they all agree on what the registry holds.
std::vector<RegistrySpan> indexRegistry(const std::vector<std::string>& lines);

/// The enemy Dolls the registry holds: records numbered 1 to 99, the first record of each number.
/// A record with any other number, or repeating a number, is no Doll to fight (check reports it).
std::vector<RegistrySpan> enemyDollRecords(const std::vector<std::string>& lines);

/// Reads the record whose header is lines[header]. Throws FieldError when it is cut short or a
/// field is not a number.
EnemyRecord readEnemyRecord(const std::vector<std::string>& lines, size_t header);
/// Reads only up to value and weight, as the counting readers do; the picture code may be missing.
EnemyRecord readEnemyRecordValues(const std::vector<std::string>& lines, size_t header);
/// Reads the block whose header is lines[header]; `firstActions` limits how many action codes are
/// read (the battle reads six, checks read all ten).
EnemyPatternBlock readPatternBlock(const std::vector<std::string>& lines, size_t header, int firstActions);
/// The dollID of the block whose header is lines[header].
Int16 readPatternOwner(const std::vector<std::string>& lines, size_t header);

/// The eleven lines of a record for Doll d under `number`.
std::vector<std::string> enemyRecordLines(int number, const doll& d);
std::vector<std::string> enemyRecordLines(const EnemyRecord& r);
/// The five lines of a pattern block.
std::vector<std::string> patternBlockLines(int sequence, int dollID, const Logic& l);

/// A real number the way the registry stores it: full stop, no trailing zeros ("12.5", "3", "0.5").
std::string formatReal(double x);

/// A name as a registry line. The readers take it whole but find records by a leading full stop,
/// so a name that starts with one would pass for a header: its full stop becomes "．". Line
/// breaks would split the record and become blanks.
std::string registryNameLine(const std::string& name);

}  // namespace vargo
