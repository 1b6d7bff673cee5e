#pragma once
// A small streaming JSON writer: enough for the tool's one-object-per-line output.

#include <string>
#include <vector>

namespace vargo::tool {

class JsonWriter {
public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(const std::string& k);
    JsonWriter& value(const std::string& s);
    JsonWriter& value(const char* s) { return value(std::string(s)); }
    JsonWriter& value(long long n);
    JsonWriter& value(int n) { return value(static_cast<long long>(n)); }
    JsonWriter& value(double x);
    JsonWriter& value(bool b);
    JsonWriter& null();

    template <class T>
    JsonWriter& field(const std::string& k, const T& v) {
        key(k);
        return value(v);
    }

    const std::string& str() const { return out; }

private:
    void separate();
    std::string out;
    std::vector<bool> first;  // per open container: nothing written yet
    bool afterKey = false;
};

std::string jsonEscape(const std::string& s);

}  // namespace vargo::tool
