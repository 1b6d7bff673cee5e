#pragma once
// Part records as JSON, keyed by the records' own field names.

#include "json_text.h"
#include "model/parts.h"

namespace vargo::tool {

Json actionJson(const Action& a);
Json partJson(const Motor& p);
Json partJson(const DollFrame& p);
Json partJson(const Booster& p);
Json partJson(const Protector& p);
Json partJson(const Hard& p);
Json partJson(const SoftMobile& p);
Json partJson(const SoftAttack& p);
Json partJson(const SoftDeffence& p);

}  // namespace vargo::tool
