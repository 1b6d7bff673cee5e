#pragma once
// The tool's JSON: built as nlohmann::json values and printed one value to a line. Keys stay in the
// order the command adds them, so a Doll reads ID, name, pow, ... as it always has, and scripts that
// compare outputs line by line keep working.

#include <nlohmann/json.hpp>
#include <string>

namespace vargo::tool {

using Json = nlohmann::ordered_json;

/// The value as one line (no newline): no spaces, Japanese text written as UTF-8, and every number
/// with a fraction as the shortest %g text that reads back as the same double (0.5, 12.25, 1e+02),
/// so that the balance tables line up between runs and machines. A number that is not finite is
/// written as null.
std::string jsonText(const Json& value);

}  // namespace vargo::tool
