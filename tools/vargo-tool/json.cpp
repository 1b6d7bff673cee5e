#include "json.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vargo::tool {

std::string jsonEscape(const std::string& s) {
    std::string o = "\"";
    for (char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"':
                o += "\\\"";
                break;
            case '\\':
                o += "\\\\";
                break;
            case '\n':
                o += "\\n";
                break;
            case '\r':
                o += "\\r";
                break;
            case '\t':
                o += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    o += buf;
                } else {
                    o += static_cast<char>(c);
                }
        }
    }
    return o + "\"";
}

void JsonWriter::separate() {
    if (afterKey) {
        afterKey = false;
        return;
    }
    if (!first.empty()) {
        if (!first.back()) {
            out += ',';
        }
        first.back() = false;
    }
}

JsonWriter& JsonWriter::beginObject() {
    separate();
    out += '{';
    first.push_back(true);
    return *this;
}
JsonWriter& JsonWriter::endObject() {
    out += '}';
    first.pop_back();
    return *this;
}
JsonWriter& JsonWriter::beginArray() {
    separate();
    out += '[';
    first.push_back(true);
    return *this;
}
JsonWriter& JsonWriter::endArray() {
    out += ']';
    first.pop_back();
    return *this;
}
JsonWriter& JsonWriter::key(const std::string& k) {
    separate();
    out += jsonEscape(k);
    out += ':';
    afterKey = true;
    return *this;
}
JsonWriter& JsonWriter::value(const std::string& s) {
    separate();
    out += jsonEscape(s);
    return *this;
}
JsonWriter& JsonWriter::value(long long n) {
    separate();
    out += std::to_string(n);
    return *this;
}
JsonWriter& JsonWriter::value(double x) {
    separate();
    if (!std::isfinite(x)) {
        out += "null";
        return *this;
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g", x);
    // Prefer the shortest text that reads back the same.
    for (int prec = 1; prec <= 17; ++prec) {
        char b2[64];
        std::snprintf(b2, sizeof b2, "%.*g", prec, x);
        if (std::strtod(b2, nullptr) == x) {
            std::snprintf(buf, sizeof buf, "%s", b2);
            break;
        }
    }
    out += buf;
    return *this;
}
JsonWriter& JsonWriter::value(bool b) {
    separate();
    out += b ? "true" : "false";
    return *this;
}
JsonWriter& JsonWriter::null() {
    separate();
    out += "null";
    return *this;
}

}  // namespace vargo::tool
