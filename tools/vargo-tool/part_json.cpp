#include "part_json.h"

namespace vargo::tool {

void writeAction(JsonWriter& j, const Action& a) {
    j.beginObject()
        .field("ID", int{a.ID})
        .field("name", a.name)
        .field("AP", int{a.AP})
        .field("Memory", int{a.Memory});
    j.endObject();
}

void writePart(JsonWriter& j, const Motor& p) {
    j.beginObject()
        .field("ID", int{p.ID})
        .field("name", p.name)
        .field("pow", int{p.pow})
        .field("Rl", int{p.Rl})
        .field("HP", int{p.HP})
        .field("maxHP", int{p.maxHP})
        .field("weight", int{p.weight})
        .field("isNew", p.isNew)
        .endObject();
}

void writePart(JsonWriter& j, const DollFrame& p) {
    j.beginObject()
        .field("ID", int{p.ID})
        .field("name", p.name)
        .field("offence", int{p.offence})
        .field("defence", int{p.defence})
        .field("move", int{p.move})
        .field("jump", int{p.jump})
        .field("spin", int{p.spin})
        .field("Rl", int{p.Rl})
        .field("HP", int{p.HP})
        .field("maxHP", int{p.maxHP})
        .field("weight", int{p.weight})
        .field("isNew", p.isNew)
        .field("image", p.image)
        .endObject();
}

void writePart(JsonWriter& j, const Booster& p) {
    j.beginObject()
        .field("ID", int{p.ID})
        .field("name", p.name)
        .field("defence", int{p.defence})
        .field("armPow", int{p.armPow})
        .field("move", int{p.move})
        .field("jump", int{p.jump})
        .field("spin", int{p.spin})
        .field("HP", int{p.HP})
        .field("Rl", int{p.Rl})
        .field("weight", int{p.weight})
        .field("isNew", p.isNew)
        .endObject();
}

void writePart(JsonWriter& j, const Protector& p) {
    j.beginObject()
        .field("ID", int{p.ID})
        .field("name", p.name)
        .field("AC", p.AC)
        .field("Rl", int{p.Rl})
        .field("weight", p.weight)
        .field("isNew", p.isNew)
        .endObject();
}

void writePart(JsonWriter& j, const Hard& p) {
    j.beginObject()
        .field("ID", int{p.ID})
        .field("name", p.name)
        .field("Rl", int{p.Rl})
        .field("CPU", int{p.CPU})
        .field("Memory", int{p.Memory})
        .field("isNew", p.isNew)
        .endObject();
}

namespace {
void member(JsonWriter& j, const char* k, const ActionPtr& a) {
    j.key(k);
    writeAction(j, *a);
}
}  // namespace

void writePart(JsonWriter& j, const SoftMobile& p) {
    j.beginObject().field("ID", int{p.ID}).field("name", p.name);
    member(j, "move", p.move);
    member(j, "jump", p.jump);
    member(j, "spin", p.spin);
    j.field("Rl", int{p.Rl}).field("isNew", p.isNew).endObject();
}

void writePart(JsonWriter& j, const SoftAttack& p) {
    j.beginObject().field("ID", int{p.ID}).field("name", p.name);
    member(j, "punch", p.punch);
    member(j, "kick", p.kick);
    member(j, "kumi", p.kumi);
    member(j, "drop", p.drop);
    member(j, "hold", p.hold);
    j.field("Rl", int{p.Rl}).field("isNew", p.isNew).endObject();
}

void writePart(JsonWriter& j, const SoftDeffence& p) {
    j.beginObject().field("ID", int{p.ID}).field("name", p.name);
    member(j, "hazusi", p.hazusi);
    member(j, "uke", p.uke);
    member(j, "block", p.block);
    j.field("Rl", int{p.Rl}).field("isNew", p.isNew).endObject();
}

}  // namespace vargo::tool
