// The eight catalogues under ini/. The input becomes every catalogue file at once (the eight names
// link to one file), and each kind is read the three ways the game reads it: the shop's full load,
// the load of one record by ID for the IDs the file names, and (for one kind per input) the check of
// `vargo-tool check`.
// A bad record is a problem with its file and line, never an exception or a part with a wrong ID.

#include <cstdint>
#include <set>
#include <string>

#include "fuzz_support.h"
#include "model/catalogue.h"
#include "model/text_codec.h"

using namespace vargo;

namespace {

fuzz::ScratchFolder& scratch() {
    static fuzz::ScratchFolder dir(fuzz::ScratchFolder::Ini::Own);
    static const bool linked = [] {
        dir.write("ini/input.ini", "");
        for (int k = 0; k < kPartKinds; ++k) {
            std::filesystem::create_symlink("input.ini",
                                            dir.path() / kindInfo(static_cast<PartKind>(k)).file);
        }
        return true;
    }();
    (void)linked;
    return dir;
}

void checkProblems(const std::vector<DataProblem>& problems, size_t lineCount) {
    for (const auto& p : problems) {
        FUZZ_CHECK(p.line >= 0 && static_cast<size_t>(p.line) <= lineCount);
        FUZZ_CHECK(!p.problem.empty());
        FUZZ_CHECK(p.file.rfind("ini/", 0) == 0);
    }
}

template <class Part>
void checkTable(const CatalogueTable<Part>& table, PartKind kind) {
    FUZZ_CHECK(table.capacity() == kindInfo(kind).capacity);
    for (size_t i = 0; i < table.byId.size(); ++i) {
        if (table.byId[i]) {
            FUZZ_CHECK(table.byId[i]->ID == static_cast<int>(i));
        }
    }
}

// A record loaded by ID is the record asked for, or an empty part when there is none.
template <class Ptr>
void checkById(const Ptr& p, int id) {
    FUZZ_CHECK(p != nullptr);
    FUZZ_CHECK(p->ID == 0 || p->ID == static_cast<Int16>(id));
}

void loadEverything(const std::set<int>& ids, size_t lineCount, PartKind checked) {
    CatalogueReader cat(scratch().folder());
    checkTable(cat.ld_AllMotors(), PartKind::Motor);
    checkTable(cat.ld_AllFrame(), PartKind::Frame);
    checkTable(cat.ld_AllBooster(), PartKind::Booster);
    checkTable(cat.ld_AllProtector(), PartKind::Protector);
    checkTable(cat.ld_AllHard(), PartKind::Hardware);
    checkTable(cat.ld_AllSoftM(), PartKind::SoftMobile);
    checkTable(cat.ld_AllSoftA(), PartKind::SoftAttack);
    checkTable(cat.ld_AllSoftD(), PartKind::SoftDeffence);
    for (int id : ids) {
        auto m = cat.ld_Motor(id);
        checkById(m, id);
        FUZZ_CHECK(m->ID == 0 || m->maxHP == m->HP);
        auto f = cat.ld_Frame(id);
        checkById(f, id);
        FUZZ_CHECK(f->ID == 0 || f->maxHP == f->HP);
        auto plain = cat.ldFrame(id);
        checkById(plain, id);
        // The battle's reader skips only the picture code, so it may find a record the full reader
        // refuses for a missing code, never the other way round.
        FUZZ_CHECK(plain->image == "00");
        FUZZ_CHECK(f->ID == 0 || plain->name == f->name);
        checkById(cat.ld_Boost(id), id);
        checkById(cat.ld_Protect(id), id);
        checkById(cat.ld_Hard(id), id);
        auto sm = cat.ld_SoftM(id);
        checkById(sm, id);
        FUZZ_CHECK(sm->move && sm->jump && sm->spin);
        auto sa = cat.ld_SoftA(id);
        checkById(sa, id);
        FUZZ_CHECK(sa->punch && sa->kick && sa->kumi && sa->drop && sa->hold);
        auto sd = cat.ld_SoftD(id);
        checkById(sd, id);
        FUZZ_CHECK(sd->block && sd->uke && sd->hazusi);
    }
    checkProblems(cat.problems(), lineCount);
    checkProblems(checkCatalogue(cat.folder(), checked), lineCount);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = fuzz::asText(data, size);
    scratch().write("ini/input.ini", bytes);
    const std::vector<std::string> lines = splitLines(bytes);
    // The IDs the headers name (counted on the raw bytes, which is close enough to choose what to
    // ask for), and the edges of the tables.
    std::set<int> ids = {-1, 0, 1, 20, 99};
    for (const auto& line : lines) {
        if (isHeader(line) && ids.size() < 24) {
            ids.insert(headerId(line));
        }
    }
    // The tool's check reads the file afresh for its kind; one kind per input keeps the run quick.
    loadEverything(ids, lines.size(), static_cast<PartKind>(size % kPartKinds));
    return 0;
}
