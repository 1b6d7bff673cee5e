#include "part_json.h"

namespace vargo::tool {

Json actionJson(const Action& a) {
    return {{"ID", a.ID}, {"name", a.name}, {"AP", a.AP}, {"Memory", a.Memory}};
}

Json partJson(const Motor& p) {
    return {{"ID", p.ID}, {"name", p.name},   {"pow", p.pow},       {"Rl", p.Rl},
            {"HP", p.HP}, {"maxHP", p.maxHP}, {"weight", p.weight}, {"isNew", p.isNew}};
}

Json partJson(const DollFrame& p) {
    return {{"ID", p.ID},      {"name", p.name},   {"offence", p.offence}, {"defence", p.defence},
            {"move", p.move},  {"jump", p.jump},   {"spin", p.spin},       {"Rl", p.Rl},
            {"HP", p.HP},      {"maxHP", p.maxHP}, {"weight", p.weight},   {"isNew", p.isNew},
            {"image", p.image}};
}

Json partJson(const Booster& p) {
    return {{"ID", p.ID},     {"name", p.name},     {"defence", p.defence}, {"armPow", p.armPow},
            {"move", p.move}, {"jump", p.jump},     {"spin", p.spin},       {"HP", p.HP},
            {"Rl", p.Rl},     {"weight", p.weight}, {"isNew", p.isNew}};
}

Json partJson(const Protector& p) {
    return {{"ID", p.ID}, {"name", p.name},     {"AC", p.AC},
            {"Rl", p.Rl}, {"weight", p.weight}, {"isNew", p.isNew}};
}

Json partJson(const Hard& p) {
    return {{"ID", p.ID},   {"name", p.name},     {"Rl", p.Rl},
            {"CPU", p.CPU}, {"Memory", p.Memory}, {"isNew", p.isNew}};
}

Json partJson(const SoftMobile& p) {
    return {{"ID", p.ID},
            {"name", p.name},
            {"move", actionJson(*p.move)},
            {"jump", actionJson(*p.jump)},
            {"spin", actionJson(*p.spin)},
            {"Rl", p.Rl},
            {"isNew", p.isNew}};
}

Json partJson(const SoftAttack& p) {
    return {{"ID", p.ID},
            {"name", p.name},
            {"punch", actionJson(*p.punch)},
            {"kick", actionJson(*p.kick)},
            {"kumi", actionJson(*p.kumi)},
            {"drop", actionJson(*p.drop)},
            {"hold", actionJson(*p.hold)},
            {"Rl", p.Rl},
            {"isNew", p.isNew}};
}

Json partJson(const SoftDeffence& p) {
    return {{"ID", p.ID},
            {"name", p.name},
            {"hazusi", actionJson(*p.hazusi)},
            {"uke", actionJson(*p.uke)},
            {"block", actionJson(*p.block)},
            {"Rl", p.Rl},
            {"isNew", p.isNew}};
}

}  // namespace vargo::tool
