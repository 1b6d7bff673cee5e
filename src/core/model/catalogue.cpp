#include "model/catalogue.h"

#include <array>
#include <set>

#include "model/text_codec.h"

namespace vargo {
namespace {

const char* const kMissing = "ファイルが見つかりません (the file cannot be opened)";
const char* const kMissingJa = "ファイルが見つかりません";

// How software costs are read: the full load keeps bare cost records (code 0, no name) in place
// of the named actions; the load by ID copies the costs into the named ones.
enum class SoftMode { BareCosts, Named };

// Reads `count` costs (AP line, then Memory line) into fresh bare actions.
template <size_t N>
std::array<Action, N> readCosts(FieldReader& in) {
    std::array<Action, N> costs{};
    for (auto& a : costs) {
        a.AP = in.integer();
    }
    for (auto& a : costs) {
        a.Memory = in.integer();
    }
    return costs;
}

ActionPtr bare(const Action& costs) {
    auto a = std::make_shared<Action>();
    a->AP = costs.AP;
    a->Memory = costs.Memory;
    return a;
}

void readRecord(FieldReader& in, Motor& m) {
    m.name = in.text();
    m.Rl = in.integer();
    m.pow = in.integer();
    m.HP = in.integer();
    m.weight = in.integer();
}

void readRecord(FieldReader& in, DollFrame& f, bool withImage = true) {
    f.name = in.text();
    f.Rl = in.integer();
    f.offence = in.integer();
    f.defence = in.integer();
    f.move = in.integer();
    f.jump = in.integer();
    f.spin = in.integer();
    f.HP = in.integer();
    f.weight = in.integer();
    if (withImage) {
        f.image = in.text();
    }
}

void readRecord(FieldReader& in, Booster& b) {
    b.name = in.text();
    b.Rl = in.integer();
    b.move = in.integer();
    b.jump = in.integer();
    b.spin = in.integer();
    b.HP = in.integer();
    b.weight = in.integer();
}

void readRecord(FieldReader& in, Protector& p) {
    p.name = in.text();
    p.Rl = in.integer();
    p.AC = in.real();
    p.weight = in.real();
}

void readRecord(FieldReader& in, Hard& h) {
    h.name = in.text();
    h.Rl = in.integer();
    h.CPU = in.integer();
    h.Memory = in.integer();
}

void readRecord(FieldReader& in, SoftMobile& s, SoftMode mode) {
    std::string name = in.text();
    Int16 rl = in.integer();
    auto c = readCosts<3>(in);
    if (mode == SoftMode::BareCosts) {
        s.move = bare(c[0]);
        s.jump = bare(c[1]);
        s.spin = bare(c[2]);
    } else {
        s.init2(c[0], c[1], c[2]);
    }
    s.name = name;
    s.Rl = rl;
}

void readRecord(FieldReader& in, SoftAttack& s, SoftMode mode) {
    std::string name = in.text();
    Int16 rl = in.integer();
    auto c = readCosts<5>(in);
    if (mode == SoftMode::BareCosts) {
        s.punch = bare(c[0]);
        s.kick = bare(c[1]);
        s.kumi = bare(c[2]);
        s.drop = bare(c[3]);
        s.hold = bare(c[4]);
    } else {
        s.init2(c[0], c[1], c[2], c[3], c[4]);
    }
    s.name = name;
    s.Rl = rl;
}

void readRecord(FieldReader& in, SoftDeffence& s, SoftMode mode) {
    std::string name = in.text();
    Int16 rl = in.integer();
    auto c = readCosts<3>(in);
    if (mode == SoftMode::BareCosts) {
        s.block = bare(c[0]);
        s.uke = bare(c[1]);
        s.hazusi = bare(c[2]);
    } else {
        s.init2(c[0], c[1], c[2]);
    }
    s.name = name;
    s.Rl = rl;
}

// Reads one record of a kind into a fresh object, as the full load or the by-ID load does.
template <class Part>
std::shared_ptr<Part> readFresh(FieldReader& in, SoftMode mode) {
    auto p = std::make_shared<Part>();
    if constexpr (isSoftware(kindOf<Part>)) {
        readRecord(in, *p, mode);
    } else {
        (void)mode;
        readRecord(in, *p);
    }
    return p;
}

}  // namespace

CatalogueReader::CatalogueReader(GameFolder folder) : gameFolder(std::move(folder)) {}

void CatalogueReader::clearProblems() {
    found.clear();
    missing.clear();
}

const std::vector<std::string>* CatalogueReader::lines(PartKind kind) {
    int key = static_cast<int>(kind);
    auto it = cache.find(key);
    if (it == cache.end()) {
        const auto& info = kindInfo(kind);
        std::optional<std::vector<std::string>> content;
        try {
            content = readTextFile(gameFolder.resolve(info.file));
            if (!content) {
                found.push_back({info.file, 0, kMissing, kMissingJa});
                missing.push_back(info.file);
            }
        } catch (const EncodingError& e) {
            found.push_back({info.file, e.line, e.what()});
        }
        it = cache.emplace(key, std::move(content)).first;
    }
    return it->second ? &*it->second : nullptr;
}

template <class Part>
CatalogueTable<Part> CatalogueReader::loadAll() {
    const auto& info = kindInfo(kindOf<Part>);
    CatalogueTable<Part> table;
    table.byId.resize(static_cast<size_t>(info.capacity) + 1);
    const auto* text = lines(info.kind);
    if (!text) {
        return table;
    }
    size_t i = 0;
    bool anyRead = false;
    int lastId = 0;
    while (i < text->size()) {
        const std::string& line = (*text)[i];
        size_t next = i + 1;
        if (isHeader(line)) {
            int id = headerId(line);
            lastId = id;
            anyRead = true;
            try {
                FieldReader in(*text, i + 1);
                std::shared_ptr<Part> part = readFresh<Part>(in, SoftMode::BareCosts);
                next = in.nextLine();
                if (id < 0 || id > info.capacity) {
                    found.push_back({info.file, static_cast<int>(i) + 1,
                                     "record ID " + std::to_string(id) + " is beyond the table (0 to " +
                                         std::to_string(info.capacity) + ")",
                                     "部品番号 " + std::to_string(id) + " は表（0 から " +
                                         std::to_string(info.capacity) + "）に入りません"});
                } else {
                    part->ID = static_cast<Int16>(id);
                    table.byId[static_cast<size_t>(id)] = part;
                }
            } catch (const FieldError& e) {
                // A record that cannot be read whole is not stored: no half-filled part in the table.
                found.push_back({info.file, e.line, e.what(), e.ja});
                next = i + 1;
            }
        }
        i = next;
        if (anyRead && lastId >= info.stopValue) {
            break;
        }
    }
    return table;
}

template <class Part, class ReadFn>
std::shared_ptr<Part> CatalogueReader::loadById(int id, ReadFn read) {
    const auto& info = kindInfo(kindOf<Part>);
    const auto* text = lines(info.kind);
    if (!text) {
        return std::make_shared<Part>();
    }
    size_t i = 0;
    while (i < text->size()) {
        const std::string& line = (*text)[i];
        size_t next = i + 1;
        if (isHeader(line)) {
            int headId = headerId(line);
            if (headId == id) {
                try {
                    FieldReader in(*text, i + 1);
                    std::shared_ptr<Part> part = read(in);
                    part->ID = static_cast<Int16>(id);
                    if constexpr (std::is_same_v<Part, Motor> || std::is_same_v<Part, DollFrame>) {
                        part->maxHP = part->HP;
                    }
                    return part;
                } catch (const FieldError& e) {
                    found.push_back({info.file, e.line, e.what(), e.ja});
                    return std::make_shared<Part>();
                }
            }
            if (headId >= info.endValue) {
                break;
            }
        }
        i = next;
    }
    return std::make_shared<Part>();
}

template <class Part>
std::shared_ptr<Part> CatalogueReader::load(int id) {
    return loadById<Part>(id, [](FieldReader& in) { return readFresh<Part>(in, SoftMode::Named); });
}

FramePtr CatalogueReader::ldFrame(int id) {
    return loadById<DollFrame>(id, [](FieldReader& in) {
        auto f = std::make_shared<DollFrame>();
        readRecord(in, *f, false);
        return f;
    });
}

// The readers of every kind, compiled here once.
#define VARGO_CATALOGUE_READERS(Part)                               \
    template CatalogueTable<Part> CatalogueReader::loadAll<Part>(); \
    template std::shared_ptr<Part> CatalogueReader::load<Part>(int);
VARGO_CATALOGUE_READERS(Motor)
VARGO_CATALOGUE_READERS(DollFrame)
VARGO_CATALOGUE_READERS(Booster)
VARGO_CATALOGUE_READERS(Protector)
VARGO_CATALOGUE_READERS(Hard)
VARGO_CATALOGUE_READERS(SoftMobile)
VARGO_CATALOGUE_READERS(SoftAttack)
VARGO_CATALOGUE_READERS(SoftDeffence)
#undef VARGO_CATALOGUE_READERS

namespace {

// Reads the record under the header at `header` the way the shop does, and says what would go wrong
// with it: a field that does not read, a frame whose picture the game cannot draw, a part with no
// name. Returns the line after the record.
size_t checkRecordFields(const std::vector<std::string>& text, size_t header, PartKind kind,
                         std::vector<DataProblem>& problems) {
    const char* file = kindInfo(kind).file;
    try {
        FieldReader in(text, header + 1);
        visitKind(kind, [&]<class Part>(KindTag<Part>) { readFresh<Part>(in, SoftMode::Named); });
        const size_t next = in.nextLine();
        if (kind == PartKind::Frame) {
            // Re-read the picture code to check it names a body the game can draw.
            FieldReader again(text, header + 1);
            DollFrame f;
            readRecord(again, f);
            if (f.image != "01" && f.image != "02") {
                problems.push_back({file, again.lineNumber(),
                                    "picture code \"" + f.image + "\" is neither \"01\" nor \"02\"",
                                    "絵の番号「" + f.image + "」は 01 でも 02 でもありません"});
            }
        }
        FieldReader nameReader(text, header + 1);
        if (nameReader.text().empty()) {
            problems.push_back({file, static_cast<int>(header) + 2,
                                "the part has no name (it would count as a free slot)",
                                "部品に名前がありません（空きとして扱われます）"});
        }
        return next;
    } catch (const FieldError& e) {
        problems.push_back({file, e.line, e.what(), e.ja});
        return header + 1;
    }
}

// The record's ID: inside the catalogue's table, used once, and not after the shop stops reading.
void checkRecordId(int id, int lineNo, const PartKindInfo& info, std::set<int>& seen, bool& stopped,
                   std::vector<DataProblem>& problems) {
    if (id < 1 || id > info.capacity) {
        problems.push_back(
            {info.file, lineNo,
             "record ID " + std::to_string(id) + " is outside 1 to " + std::to_string(info.capacity),
             "部品番号 " + std::to_string(id) + " は 1 から " + std::to_string(info.capacity) +
                 " の範囲外です"});
    } else if (!seen.insert(id).second) {
        problems.push_back({info.file, lineNo, "record ID " + std::to_string(id) + " appears twice",
                            "部品番号 " + std::to_string(id) + " が二度使われています"});
    }
    if (stopped) {
        problems.push_back({info.file, lineNo,
                            "record " + std::to_string(id) + " comes after the shop stops reading (ID " +
                                std::to_string(info.stopValue) + " or above read earlier)",
                            "部品番号 " + std::to_string(id) + " は店が読むのをやめた後にあります（番号 " +
                                std::to_string(info.stopValue) + " 以上が先にあります）"});
    }
    if (id >= info.stopValue) {
        stopped = true;
    }
}

}  // namespace

std::vector<DataProblem> checkCatalogue(const GameFolder& folder, PartKind kind) {
    const auto& info = kindInfo(kind);
    std::vector<DataProblem> problems;
    std::optional<std::vector<std::string>> text;
    try {
        text = readTextFile(folder.resolve(info.file));
    } catch (const EncodingError& e) {
        problems.push_back({info.file, e.line, e.what()});
        return problems;
    }
    if (!text) {
        problems.push_back({info.file, 0, kMissing, kMissingJa});
        return problems;
    }
    std::set<int> seen;
    bool sawHeader = false;
    bool stopped = false;
    size_t i = 0;
    while (i < text->size()) {
        const std::string& line = (*text)[i];
        if (!isHeader(line)) {
            ++i;
            continue;
        }
        sawHeader = true;
        const size_t next = checkRecordFields(*text, i, kind, problems);
        checkRecordId(headerId(line), static_cast<int>(i) + 1, info, seen, stopped, problems);
        i = next;
    }
    if (!sawHeader) {
        // The shop would show nothing and every saved part of this kind would be dropped.
        problems.push_back({info.file, 0, "the file holds no records", "部品が一つも登録されていません"});
    }
    if (!seen.empty()) {
        // The shop offers row p as ID p + 1, so a gap shows as a dead row.
        for (int id = 1; id < *seen.rbegin(); ++id) {
            if (!seen.count(id)) {
                problems.push_back(
                    {info.file, 0,
                     "no record with ID " + std::to_string(id) + " (IDs must run from 1 without gaps)",
                     "部品番号 " + std::to_string(id) + " がありません（番号は 1 から欠けずに並べます）"});
            }
        }
    }
    return problems;
}

}  // namespace vargo
