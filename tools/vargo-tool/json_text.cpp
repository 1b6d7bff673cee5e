#include "json_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vargo::tool {
namespace {

std::string numberText(double x) {
    if (!std::isfinite(x)) {
        return "null";
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", x);
    for (int precision = 1; precision < 17; ++precision) {
        char shorter[64];
        std::snprintf(shorter, sizeof shorter, "%.*g", precision, x);
        if (std::strtod(shorter, nullptr) == x) {
            return shorter;
        }
    }
    return text;
}

// Text that is not UTF-8 (a name typed into a file by hand) is written with U+FFFD in place of the
// bad bytes rather than stopping the command.
std::string scalarText(const Json& value) {
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

void write(std::string& out, const Json& value) {
    switch (value.type()) {
        case Json::value_t::object: {
            out += '{';
            bool first = true;
            for (const auto& [key, member] : value.items()) {
                if (!first) {
                    out += ',';
                }
                first = false;
                out += scalarText(Json(key));
                out += ':';
                write(out, member);
            }
            out += '}';
            return;
        }
        case Json::value_t::array: {
            out += '[';
            bool first = true;
            for (const Json& element : value) {
                if (!first) {
                    out += ',';
                }
                first = false;
                write(out, element);
            }
            out += ']';
            return;
        }
        case Json::value_t::number_float:
            out += numberText(value.get<double>());
            return;
        default:
            out += scalarText(value);
    }
}

}  // namespace

std::string jsonText(const Json& value) {
    std::string out;
    write(out, value);
    return out;
}

}  // namespace vargo::tool
