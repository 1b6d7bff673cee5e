#include "doll_json.h"

namespace vargo::tool {
namespace {

template <class Part>
Json brief(const Part& p) {
    Json j = {{"ID", p.ID}, {"name", p.name}, {"isNew", p.isNew}};
    if constexpr (requires { p.maxHP; }) {
        j["HP"] = p.HP;
        j["maxHP"] = p.maxHP;
    }
    return j;
}

template <class Getter>
Json occupied(int slots, Getter get) {
    Json list = Json::array();
    for (int i = 0; i < slots; ++i) {
        const auto& p = get(i);
        if (!isEmptyPart(p)) {
            list.push_back(brief(*p));
        }
    }
    return list;
}

}  // namespace

void addDollFields(Json& object, const doll& d, bool withId) {
    if (withId) {
        object["ID"] = d.ID;
    }
    object["name"] = d.name;
    object["pow"] = d.pow;
    object["offence"] = d.offence;
    object["defence"] = d.defence;
    object["move"] = d.move;
    object["jump"] = d.jump;
    object["spin"] = d.spin;
    object["AC"] = d.AC;
    object["AP"] = d.AP;
    object["Memory"] = d.Memory;
    object["weight"] = d.weight;
    object["value"] = d.value;
    object["image"] = d.image;
    object["programed"] = d.programed;
    object["Motor"] = brief(*d.Motor);
    object["frame"] = brief(*d.frame);
    object["Hard"] = brief(*d.Hard);
    object["boosters"] = occupied(doll::kBoosters, [&](int i) { return d.getBoost(i); });
    object["protectors"] = occupied(doll::kProtectors, [&](int i) { return d.getProtector(i); });
    object["software1"] = brief(*d.getSoftM(0));
    object["software2"] = brief(*d.getSoftA(0));
    object["software3"] = brief(*d.getSoftD(0));
}

void addPatterns(Json& object, const doll& d) {
    Json patterns = Json::array();
    for (int k = 0; k < 7; ++k) {
        const Logic& l = *d.getLogic(k);
        Json actions = Json::array();
        for (int i = 0; i < Logic::kSteps; ++i) {
            ActionPtr a = l.getActions(i);
            actions.push_back(a ? static_cast<int>(a->ID) : 0);
        }
        patterns.push_back(
            {{"ID", l.ID}, {"name", l.name}, {"AP", l.AP}, {"Memory", l.Memory}, {"actions", actions}});
    }
    object["patterns"] = std::move(patterns);
}

Json ownerJson(const Owner& o) {
    Json inventory = Json::object();
    forEachKind([&]<class Part>(KindTag<Part> kind) {
        inventory[kind.info().keyword] =
            occupied(kind.info().ownedSlots, [&](int i) { return o.part<Part>(i); });
    });
    return {{"name", o.name},
            {"Rl", o.Rl},
            {"Lv", o.Lv},
            {"exp", o.exp},
            {"skillPlay", o.skillPlay},
            {"skillHard", o.skillHard},
            {"skillSoft", o.skillSoft},
            {"recWin", o.recWin},
            {"recLoose", o.recLoose},
            {"recChamp", o.recChamp},
            {"inventory", std::move(inventory)}};
}

}  // namespace vargo::tool
