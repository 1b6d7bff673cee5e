#pragma once
// Owners, Dolls and patterns as JSON for `save show` and `registry show`.

#include "json_text.h"
#include "model/doll.h"
#include "model/owner.h"

namespace vargo::tool {

/// Adds the Doll's own fields, its parts and software to `object`; `withId` puts its registry number first.
void addDollFields(Json& object, const doll& d, bool withId);
/// Adds "patterns": slots 0 to 6 as {"ID", "name", "AP", "Memory", "actions": [ten codes]}.
void addPatterns(Json& object, const doll& d);
/// The owner's record and its inventory by kind.
Json ownerJson(const Owner& o);

}  // namespace vargo::tool
