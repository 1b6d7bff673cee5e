#pragma once
// Part records as JSON, keyed by the records' own field names.

#include "json.h"
#include "model/parts.h"

namespace vargo::tool {

void writeAction(JsonWriter& j, const Action& a);
void writePart(JsonWriter& j, const Motor& p);
void writePart(JsonWriter& j, const DollFrame& p);
void writePart(JsonWriter& j, const Booster& p);
void writePart(JsonWriter& j, const Protector& p);
void writePart(JsonWriter& j, const Hard& p);
void writePart(JsonWriter& j, const SoftMobile& p);
void writePart(JsonWriter& j, const SoftAttack& p);
void writePart(JsonWriter& j, const SoftDeffence& p);

}  // namespace vargo::tool
