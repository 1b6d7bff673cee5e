// The text codec at the file boundary: CP932 in, UTF-8 inside, CP932 out, and the line splitter.
// The input is read both as file bytes (CP932) and as text typed in the game (UTF-8).

#include <cstdint>
#include <optional>
#include <string>

#include "fuzz_support.h"
#include "model/text_codec.h"

using namespace vargo;

namespace {

std::optional<std::string> decoded(std::string_view bytes) {
    try {
        return fromCp932(bytes);
    } catch (const EncodingError&) {
        return std::nullopt;
    }
}

std::optional<std::string> encoded(std::string_view utf8) {
    try {
        return toCp932(utf8);
    } catch (const EncodingError&) {
        return std::nullopt;
    }
}

// CR LF and lone CR as LF, the way splitLines sees line breaks.
std::string unixBreaks(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out.push_back('\n');
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

void checkSplit(std::string_view text) {
    auto lines = splitLines(text);
    std::string joined;
    for (const auto& line : lines) {
        FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
        joined += line;
        joined += '\n';
    }
    // Every line but a last one without its break ends in a break.
    std::string expected = unixBreaks(text);
    if (!expected.empty() && expected.back() != '\n') {
        expected.push_back('\n');
    }
    FUZZ_CHECK(joined == expected);
}

// Decoding then encoding CP932 may pick the other code of a character CP932 codes twice (NEC and
// IBM extensions), so bytes need not come back; after one trip they are settled.
void checkFileBytes(std::string_view bytes) {
    auto text = decoded(bytes);
    if (!text) {
        return;
    }
    auto again = encoded(*text);
    FUZZ_CHECK(again.has_value());  // whatever the game read, it can write back
    auto text2 = decoded(*again);
    FUZZ_CHECK(text2 && *text2 == *text);
    auto again2 = encoded(*text2);
    FUZZ_CHECK(again2 && *again2 == *again);
    FUZZ_CHECK(encodableInCp932(*text) == readsBackAsShiftJis(*again));
}

// Text typed in the game: once encoded it is settled too, and encodableInCp932 agrees with toCp932
// and with what a file holding it reads back as.
void checkTypedText(std::string_view utf8) {
    auto bytes = encoded(utf8);
    FUZZ_CHECK(encodableInCp932(utf8) == (bytes.has_value() && readsBackAsShiftJis(*bytes)));
    if (!bytes) {
        return;
    }
    auto text = decoded(*bytes);
    FUZZ_CHECK(text.has_value());
    auto bytes2 = encoded(*text);
    FUZZ_CHECK(bytes2 && *bytes2 == *bytes);
    // Text that is already in CP932's spelling survives unchanged; look-alikes only move one way.
    auto text2 = decoded(*bytes2);
    FUZZ_CHECK(text2 && *text2 == *text);
}

// A whole file through readTextFile: nothing, lines that decode one by one, or an EncodingError
// naming the line, which the readers turn into a message.
void checkFile(std::string_view bytes) {
    static fuzz::ScratchFolder dir(fuzz::ScratchFolder::Ini::Own);
    dir.write("save/text.ini", bytes);
    auto raw = splitLines(bytes);
    std::optional<std::vector<std::string>> lines;
    try {
        lines = readTextFile(dir.path() / "save" / "text.ini");
    } catch (const EncodingError& e) {
        bool someLineBad = false;
        for (const auto& line : raw) {
            someLineBad = someLineBad || !decoded(line);
        }
        // A bad byte, or Japanese saved again as UTF-8: either way the line is named.
        FUZZ_CHECK(someLineBad || looksLikeUtf8(bytes));
        FUZZ_CHECK(e.line >= 1 && static_cast<size_t>(e.line) <= raw.size());
        return;
    }
    FUZZ_CHECK(lines && lines->size() == raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        auto one = decoded(raw[i]);
        FUZZ_CHECK(one && *one == (*lines)[i]);
    }
    // Lines read from a file are written back as CP932 with CR LF and read again the same, unless
    // the bytes take the shape of UTF-8, which the writers refuse to write.
    std::string out = encodeLines(*lines);
    if (!readsBackAsShiftJis(out)) {
        return;
    }
    dir.write("save/text.ini", out);
    auto back = readTextFile(dir.path() / "save" / "text.ini");
    FUZZ_CHECK(back && *back == *lines);
    FUZZ_CHECK(!readTextFile(dir.path() / "save" / "missing.ini"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input = fuzz::asText(data, size);
    checkSplit(input);
    checkFileBytes(input);
    checkTypedText(input);
    checkFile(input);
    return 0;
}
