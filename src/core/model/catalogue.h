#pragma once
// The eight read-only catalogues under ini/. Two readers exist because the game has always had
// two: the shop's full load into a table indexed by ID (which stops at a per-kind ID), and the
// load of one record by ID used when a saved Doll or inventory is rebuilt (which gives the
// record its maxHP and software its named actions).

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/field_reader.h"
#include "model/game_folder.h"
#include "model/parts.h"

namespace vargo {

/// A full-load table: index = ID, null where no record was read.
template <class Part>
struct CatalogueTable {
    std::vector<std::shared_ptr<Part>> byId;

    std::shared_ptr<Part> get(int id) const {
        if (id < 0 || id >= static_cast<int>(byId.size())) {
            return nullptr;
        }
        return byId[static_cast<size_t>(id)];
    }
    int capacity() const { return static_cast<int>(byId.size()) - 1; }
};

/// Where each kind lives and how far its readers go.
struct CatalogueInfo {
    PartKind kind;
    const char* file;    /**< relative to the game folder, e.g. "ini/Motor.ini" */
    const char* keyword; /**< the name vargo-tool uses: motor, frame, ... software3 */
    const char* label;   /**< the name the player reads: モーター ... ソフト（防御） */
    int capacity;        /**< highest ID the full-load table holds */
    int stopValue;       /**< the full load stops after a record with an ID at or above this */
    int endValue;        /**< the load by ID stops at a header with an ID at or above this */
};
const CatalogueInfo& catalogueInfo(PartKind kind);
/// The kind named by vargo-tool's keyword, if any.
std::optional<PartKind> partKindFromKeyword(const std::string& keyword);

/// Reads catalogues from one game folder. Files are read once per reader and kept, since a Doll's
/// rebuild asks for many records of the same file.
class CatalogueReader {
public:
    explicit CatalogueReader(GameFolder folder);

    CatalogueTable<Motor> ld_AllMotors();
    CatalogueTable<DollFrame> ld_AllFrame();
    CatalogueTable<Booster> ld_AllBooster();
    CatalogueTable<Protector> ld_AllProtector();
    CatalogueTable<Hard> ld_AllHard();
    CatalogueTable<SoftMobile> ld_AllSoftM();
    CatalogueTable<SoftAttack> ld_AllSoftA();
    CatalogueTable<SoftDeffence> ld_AllSoftD();

    MotorPtr ld_Motor(int id);
    FramePtr ld_Frame(int id);
    BoosterPtr ld_Boost(int id);
    ProtectorPtr ld_Protect(int id);
    HardPtr ld_Hard(int id);
    SoftMobilePtr ld_SoftM(int id);
    SoftAttackPtr ld_SoftA(int id);
    SoftDeffencePtr ld_SoftD(int id);
    /// The battle screen's readers: the same motor; a frame without its picture code ("00").
    MotorPtr ldMotor(int id) { return ld_Motor(id); }
    FramePtr ldFrame(int id);

    /// Problems met so far, in the order found.
    const std::vector<DataProblem>& problems() const { return found; }
    /// Catalogue files that could not be opened (relative names), each once.
    const std::vector<std::string>& missingFiles() const { return missing; }
    void clearProblems();

    const GameFolder& folder() const { return gameFolder; }

private:
    const std::vector<std::string>* lines(PartKind kind);
    template <class Part, class ReadFn>
    CatalogueTable<Part> fullLoad(PartKind kind, ReadFn read);
    template <class Part, class ReadFn>
    std::shared_ptr<Part> loadById(PartKind kind, int id, ReadFn read);

    GameFolder gameFolder;
    std::map<int, std::optional<std::vector<std::string>>> cache;
    std::vector<DataProblem> found;
    std::vector<std::string> missing;
};

/// Every problem in one catalogue file, reading every record regardless of where the game's
/// readers stop: bad fields, IDs beyond the table, duplicate IDs, records the shop never reaches.
std::vector<DataProblem> checkCatalogue(const GameFolder& folder, PartKind kind);

}  // namespace vargo
