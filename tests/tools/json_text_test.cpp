// The tool's JSON text: what the balance tables, `save show` and `registry show` have always printed,
// which scripts compare line by line.

#include "json_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vargo::tool {
namespace {

TEST(JsonText, NumbersWithAFractionAreTheShortestGText) {
    const Json numbers = Json::array({0.5, 100.0, 1.0, 1.0 / 3, 0.1 + 0.2, 1e-05, 0.0001, 2.5e20, -12.25});
    EXPECT_EQ(jsonText(numbers),
              "[0.5,1e+02,1,0.3333333333333333,0.30000000000000004,1e-05,0.0001,2.5e+20,-12.25]");
    // A rate of nothing played is written as null, never as nan.
    const Json odd = Json::array({std::nan(""), std::numeric_limits<double>::infinity(), 7, -3LL});
    EXPECT_EQ(jsonText(odd), "[null,null,7,-3]");
}

TEST(JsonText, KeysKeepTheirOrderAndTextStaysUtf8) {
    const Json doll = {{"name", "神威"},
                       {"value", 2480},
                       {"programed", true},
                       {"winner", nullptr},
                       {"notes", Json::array({"a\"b\\c", "line\nnext\ttab\r", std::string("\x01")})},
                       {"empty", Json::array()},
                       {"inventory", Json::object()}};
    EXPECT_EQ(
        jsonText(doll),
        "{\"name\":\"神威\",\"value\":2480,\"programed\":true,\"winner\":null,"
        "\"notes\":[\"a\\\"b\\\\c\",\"line\\nnext\\ttab\\r\",\"\\u0001\"],\"empty\":[],\"inventory\":{}}");
}

TEST(JsonText, TextThatIsNotUtf8IsWrittenNotThrown) {
    // A name typed into a file by hand may hold any bytes: the command still prints its line.
    const Json name = {{"name", std::string("A\xff"
                                            "B")}};
    EXPECT_EQ(jsonText(name),
              "{\"name\":\"A\xEF\xBF\xBD"
              "B\"}");
}

}  // namespace
}  // namespace vargo::tool
