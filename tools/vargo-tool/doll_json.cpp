#include "doll_json.h"

namespace vargo::tool {
namespace {

template <class Part>
void brief(JsonWriter& j, const Part& p) {
    j.beginObject().field("ID", static_cast<int>(p.ID)).field("name", p.name).field("isNew", p.isNew);
    if constexpr (requires { p.maxHP; }) {
        j.field("HP", static_cast<int>(p.HP)).field("maxHP", static_cast<int>(p.maxHP));
    }
    j.endObject();
}

template <class Getter>
void occupied(JsonWriter& j, const std::string& name, int slots, Getter get) {
    j.key(name).beginArray();
    for (int i = 0; i < slots; ++i) {
        const auto& p = get(i);
        if (!isEmptyPart(p)) {
            brief(j, *p);
        }
    }
    j.endArray();
}

}  // namespace

void writeDollFields(JsonWriter& j, const doll& d, bool withId) {
    if (withId) {
        j.field("ID", static_cast<int>(d.ID));
    }
    j.field("name", d.name)
        .field("pow", static_cast<int>(d.pow))
        .field("offence", static_cast<int>(d.offence))
        .field("defence", static_cast<int>(d.defence))
        .field("move", static_cast<int>(d.move))
        .field("jump", static_cast<int>(d.jump))
        .field("spin", static_cast<int>(d.spin))
        .field("AC", d.AC)
        .field("AP", static_cast<int>(d.AP))
        .field("Memory", static_cast<int>(d.Memory))
        .field("weight", d.weight)
        .field("value", static_cast<int>(d.value))
        .field("image", d.image)
        .field("programed", d.programed);
    j.key("Motor");
    brief(j, *d.Motor);
    j.key("frame");
    brief(j, *d.frame);
    j.key("Hard");
    brief(j, *d.Hard);
    occupied(j, "boosters", doll::kBoosters, [&](int i) { return d.getBoost(i); });
    occupied(j, "protectors", doll::kProtectors, [&](int i) { return d.getProtector(i); });
    j.key("software1");
    brief(j, *d.getSoftM(0));
    j.key("software2");
    brief(j, *d.getSoftA(0));
    j.key("software3");
    brief(j, *d.getSoftD(0));
}

void writePatterns(JsonWriter& j, const doll& d) {
    j.key("patterns").beginArray();
    for (int k = 0; k < 7; ++k) {
        const Logic& l = *d.getLogic(k);
        j.beginObject()
            .field("ID", static_cast<int>(l.ID))
            .field("name", l.name)
            .field("AP", static_cast<int>(l.AP))
            .field("Memory", static_cast<int>(l.Memory));
        j.key("actions").beginArray();
        for (int i = 0; i < Logic::kSteps; ++i) {
            ActionPtr a = l.getActions(i);
            j.value(a ? static_cast<int>(a->ID) : 0);
        }
        j.endArray().endObject();
    }
    j.endArray();
}

void writeOwner(JsonWriter& j, const Owner& o) {
    j.beginObject()
        .field("name", o.name)
        .field("Rl", static_cast<int>(o.Rl))
        .field("Lv", static_cast<int>(o.Lv))
        .field("exp", static_cast<int>(o.exp))
        .field("skillPlay", static_cast<int>(o.skillPlay))
        .field("skillHard", static_cast<int>(o.skillHard))
        .field("skillSoft", static_cast<int>(o.skillSoft))
        .field("recWin", static_cast<int>(o.recWin))
        .field("recLoose", static_cast<int>(o.recLoose))
        .field("recChamp", static_cast<int>(o.recChamp));
    j.key("inventory").beginObject();
    forEachKind([&]<class Part>(KindTag<Part> kind) {
        occupied(j, kind.info().keyword, kind.info().ownedSlots, [&](int i) { return o.part<Part>(i); });
    });
    j.endObject().endObject();
}

}  // namespace vargo::tool
