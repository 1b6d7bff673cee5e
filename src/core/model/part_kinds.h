#pragma once
// Everything the game knows about a kind of part beyond its record: where its catalogue lives and
// how far it is read, what the player calls it, how many the inventory holds and how many the save
// files keep. One row per kind, in PartKind order; and one way to visit every kind with its record
// type, so that code doing the same thing for each kind says it once.

#include <array>
#include <optional>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>

#include "model/parts.h"

namespace vargo {

struct PartKindInfo {
    PartKind kind;
    const char* file;    /**< the catalogue, relative to the game folder, e.g. "ini/Motor.ini" */
    const char* keyword; /**< the name vargo-tool uses: motor, frame, ... software3 */
    const char* label;   /**< the name the player reads in lists: モーター ... ソフト（防御） */
    const char* phrase;  /**< the name inside a sentence: モーター ... 移動ソフト */

    int capacity;  /**< highest ID the catalogue's full-load table holds */
    int stopValue; /**< the full load stops after a record with an ID at or above this */
    int endValue;  /**< the load by ID stops at a header with an ID at or above this */

    int ownedSlots; /**< the owner's inventory slots of the kind */
    int fillable;   /**< slots a purchase (or a loaded game) fills; the shop lists these */
    int covered;    /**< slots removal, use and clearing cover; the player file keeps these */

    int dollSlots;      /**< slots of the kind on a Doll */
    int dollFileIds;    /**< IDs of the kind in a saved Doll file */
    int dollFileFitted; /**< of those, the ones a loaded Doll is given */

    bool carriesProgram; /**< changing the part voids the Doll's programming */
};

inline constexpr std::array<PartKindInfo, kPartKinds> kPartKindInfo = {{
    // clang-format off
    // kind                  file                 keyword      label             phrase          cap stop end  owned fill cover  doll file fit  program
    {PartKind::Motor,        "ini/Motor.ini",     "motor",     "モーター",       "モーター",     20, 20, 99,   4,  4,  4,     1,   1,   1,   false},
    {PartKind::Frame,        "ini/Frame.ini",     "frame",     "フレーム",       "フレーム",     30, 25, 99,   4,  4,  4,     1,   1,   1,   false},
    {PartKind::Booster,      "ini/Booster.ini",   "booster",   "ブースター",     "ブースター",   20, 21, 99,  11,  5, 10,     8,   5,   5,   false},
    {PartKind::Protector,    "ini/Protector.ini", "protector", "プロテクタ",     "プロテクタ",   20, 25, 20,  11, 10, 10,     4,   4,   4,   false},
    {PartKind::Hardware,     "ini/Hardware.ini",  "hardware",  "コンピュータ",   "コンピュータ", 20, 25, 99,   4,  4,  4,     1,   1,   1,   true},
    {PartKind::SoftMobile,   "ini/Software1.ini", "software1", "ソフト（移動）", "移動ソフト",   20, 25, 20,   4,  4,  4,     4,   4,   1,   true},
    {PartKind::SoftAttack,   "ini/Software2.ini", "software2", "ソフト（攻撃）", "攻撃ソフト",   20,  7, 20,   4,  4,  4,     4,   4,   1,   true},
    {PartKind::SoftDeffence, "ini/Software3.ini", "software3", "ソフト（防御）", "防御ソフト",   20, 25, 20,   4,  4,  4,     4,   4,   1,   true},
    // clang-format on
}};

constexpr const PartKindInfo& kindInfo(PartKind kind) {
    return kPartKindInfo[static_cast<size_t>(kind)];
}

/// The three program kinds: their shop columns are action costs, and the assembly panel lists them
/// together.
constexpr bool isSoftware(PartKind kind) {
    return kind == PartKind::SoftMobile || kind == PartKind::SoftAttack || kind == PartKind::SoftDeffence;
}

/// Boosters and plates: a Doll wears several at once. Of every other kind it has one fitted part.
constexpr bool fitsMany(PartKind kind) {
    return kind == PartKind::Booster || kind == PartKind::Protector;
}

/// The kind named by vargo-tool's keyword, if any.
inline std::optional<PartKind> partKindFromKeyword(const std::string& keyword) {
    for (const auto& info : kPartKindInfo) {
        if (keyword == info.keyword) {
            return info.kind;
        }
    }
    return std::nullopt;
}

/// The record type of each kind, in PartKind order.
using PartTypes =
    std::tuple<Motor, DollFrame, Booster, Protector, Hard, SoftMobile, SoftAttack, SoftDeffence>;
static_assert(std::tuple_size_v<PartTypes> == kPartKinds);

template <PartKind K>
using PartOf = std::tuple_element_t<static_cast<size_t>(K), PartTypes>;

namespace detail {
template <class Part, size_t... I>
constexpr int kindIndex(std::index_sequence<I...>) {
    int found = -1;
    ((std::is_same_v<Part, std::tuple_element_t<I, PartTypes>> ? (found = static_cast<int>(I)) : 0), ...);
    return found;
}
template <class F, size_t... I>
constexpr void forEachKind(F& f, std::index_sequence<I...>);
template <template <class> class T, class Types>
struct PerKindOf;
template <template <class> class T, class... Parts>
struct PerKindOf<T, std::tuple<Parts...>> {
    using type = std::tuple<T<Parts>...>;
};
}  // namespace detail

/// The kind of a record type.
template <class Part>
inline constexpr PartKind kindOf =
    static_cast<PartKind>(detail::kindIndex<Part>(std::make_index_sequence<kPartKinds>{}));

/// One T<Part> per kind, e.g. PerKind<CatalogueTable>; reach one with std::get<T<Part>>.
template <template <class> class T>
using PerKind = typename detail::PerKindOf<T, PartTypes>::type;

/// What a visitor receives: the record type and its kind.
template <class Part>
struct KindTag {
    static_assert(detail::kindIndex<Part>(std::make_index_sequence<kPartKinds>{}) >= 0, "not a part type");
    using type = Part;
    static constexpr PartKind kind = kindOf<Part>;
    static constexpr const PartKindInfo& info() { return kindInfo(kind); }
};

/// Calls f(KindTag<Part>{}) for every kind, in PartKind order.
template <class F>
constexpr void forEachKind(F&& f) {
    detail::forEachKind(f, std::make_index_sequence<kPartKinds>{});
}

template <class F, size_t... I>
constexpr void detail::forEachKind(F& f, std::index_sequence<I...>) {
    (f(KindTag<std::tuple_element_t<I, PartTypes>>{}), ...);
}

/// Calls f(KindTag<Part>{}) for the record type of `kind` and returns what it returns.
template <class F>
decltype(auto) visitKind(PartKind kind, F&& f) {
    switch (kind) {
        case PartKind::Motor:
            return f(KindTag<Motor>{});
        case PartKind::Frame:
            return f(KindTag<DollFrame>{});
        case PartKind::Booster:
            return f(KindTag<Booster>{});
        case PartKind::Protector:
            return f(KindTag<Protector>{});
        case PartKind::Hardware:
            return f(KindTag<Hard>{});
        case PartKind::SoftMobile:
            return f(KindTag<SoftMobile>{});
        case PartKind::SoftAttack:
            return f(KindTag<SoftAttack>{});
        case PartKind::SoftDeffence:
            break;
    }
    return f(KindTag<SoftDeffence>{});
}

}  // namespace vargo
