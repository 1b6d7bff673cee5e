#pragma once
// Owners, Dolls and patterns as JSON for `save show` and `registry show`.

#include "json.h"
#include "model/doll.h"
#include "model/owner.h"

namespace vargo::tool {

/// The Doll's own fields, its parts and software; `withId` adds its registry number.
void writeDollFields(JsonWriter& j, const doll& d, bool withId);
/// Pattern slots 0 to 6 as {"ID", "name", "AP", "Memory", "actions": [ten codes]}.
void writePatterns(JsonWriter& j, const doll& d);
/// The owner's record and its inventory by kind.
void writeOwner(JsonWriter& j, const Owner& o);

}  // namespace vargo::tool
