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
#include "model/part_kinds.h"

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

/// Reads catalogues from one game folder. Files are read once per reader and kept, since a Doll's
/// rebuild asks for many records of the same file.
class CatalogueReader {
public:
    explicit CatalogueReader(GameFolder folder);

    /// The shop's full load of a kind. Software keeps bare cost records (code 0, no name) in
    /// place of its named actions.
    template <class Part>
    CatalogueTable<Part> loadAll();
    /// The record with this ID, or an empty part: motor and frame get their maxHP, software its
    /// named actions carrying the costs.
    template <class Part>
    std::shared_ptr<Part> load(int id);

    CatalogueTable<Motor> ld_AllMotors() { return loadAll<Motor>(); }
    CatalogueTable<DollFrame> ld_AllFrame() { return loadAll<DollFrame>(); }
    CatalogueTable<Booster> ld_AllBooster() { return loadAll<Booster>(); }
    CatalogueTable<Protector> ld_AllProtector() { return loadAll<Protector>(); }
    CatalogueTable<Hard> ld_AllHard() { return loadAll<Hard>(); }
    CatalogueTable<SoftMobile> ld_AllSoftM() { return loadAll<SoftMobile>(); }
    CatalogueTable<SoftAttack> ld_AllSoftA() { return loadAll<SoftAttack>(); }
    CatalogueTable<SoftDeffence> ld_AllSoftD() { return loadAll<SoftDeffence>(); }

    MotorPtr ld_Motor(int id) { return load<Motor>(id); }
    FramePtr ld_Frame(int id) { return load<DollFrame>(id); }
    BoosterPtr ld_Boost(int id) { return load<Booster>(id); }
    ProtectorPtr ld_Protect(int id) { return load<Protector>(id); }
    HardPtr ld_Hard(int id) { return load<Hard>(id); }
    SoftMobilePtr ld_SoftM(int id) { return load<SoftMobile>(id); }
    SoftAttackPtr ld_SoftA(int id) { return load<SoftAttack>(id); }
    SoftDeffencePtr ld_SoftD(int id) { return load<SoftDeffence>(id); }
    /// The battle screen's readers: the same motor; a frame without its picture code ("00").
    MotorPtr ldMotor(int id) { return load<Motor>(id); }
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
    std::shared_ptr<Part> loadById(int id, ReadFn read);

    GameFolder gameFolder;
    std::map<int, std::optional<std::vector<std::string>>> cache;
    std::vector<DataProblem> found;
    std::vector<std::string> missing;
};

/// Every problem in one catalogue file, reading every record regardless of where the game's
/// readers stop: bad fields, IDs beyond the table, duplicate IDs, records the shop never reaches.
std::vector<DataProblem> checkCatalogue(const GameFolder& folder, PartKind kind);

}  // namespace vargo
