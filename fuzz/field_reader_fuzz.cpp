// The field syntax every data file shares. The input is a script and a file, cut at the first 0xFF:
// each script byte reads one field (text, quoted text, integer, real, boolean) or moves to the next
// record, over the file's lines. The reader may refuse a field with FieldError, which the game turns
// into a message with file and line; anything else escaping, or a line number outside the file, is
// a fault.

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "model/field_reader.h"
#include "model/text_codec.h"
#include "persistence/save_files.h"

using namespace vargo;

namespace {

enum Op { kText, kEscaped, kInteger, kReal, kBoolean, kNextRecord, kRestart, kHeader };

// The lines as the readers see them: decoded from CP932, or the raw bytes when they are not CP932
// (the field syntax itself is ASCII, so this still finds faults in it).
std::vector<std::string> fileLines(std::string_view bytes) {
    std::vector<std::string> lines = splitLines(bytes);
    for (auto& line : lines) {
        try {
            line = fromCp932(line);
        } catch (const EncodingError&) {
        }
    }
    return lines;
}

void runScript(std::string_view script, const std::vector<std::string>& lines) {
    const size_t count = lines.size();
    size_t start = script.empty() ? 0 : static_cast<unsigned char>(script[0]) % (count + 1);
    std::optional<FieldReader> reader;
    reader.emplace(lines, start);
    for (size_t k = 1; k < script.size(); ++k) {
        const unsigned char b = static_cast<unsigned char>(script[k]);
        FieldReader& in = *reader;
        try {
            switch (static_cast<Op>(b % 8)) {
                case kText:
                    (void)in.text();
                    break;
                case kEscaped:
                    (void)in.escapedText();
                    break;
                case kInteger: {
                    int v = in.integer();
                    FUZZ_CHECK(v >= -32768 && v <= 32767);
                    break;
                }
                case kReal:
                    FUZZ_CHECK(std::isfinite(in.real()));
                    break;
                case kBoolean:
                    (void)in.boolean();
                    break;
                case kNextRecord: {
                    const size_t next = std::min(in.nextLine(), count);
                    reader.emplace(lines, next);
                    continue;
                }
                case kRestart: {
                    const size_t first = (b / 8) % (count + 1);
                    reader.emplace(lines, first);
                    continue;
                }
                case kHeader:
                    if (in.nextLine() < count) {
                        (void)headerId(lines[in.nextLine()]);
                    }
                    continue;
            }
            // A field comes from a line of the file, and the next record starts after it.
            FUZZ_CHECK(in.lineNumber() >= 1 && static_cast<size_t>(in.lineNumber()) <= count);
            FUZZ_CHECK(in.nextLine() <= count);
        } catch (const FieldError& e) {
            FUZZ_CHECK(e.line >= 0 && static_cast<size_t>(e.line) <= count);
            FUZZ_CHECK(count == 0 || e.line >= 1);
        }
    }
}

// What the save writers put on a line, the readers take back: a name through saveNameField and
// escapedText, a number through integer or real. A name may come back with a leading full stop
// turned into "．" (the registry's way of keeping names apart from record headers), never otherwise
// changed.
void checkNameTrip(const std::string& line) {
    const std::string field = saveNameField(line);
    std::vector<std::string> one = {field};
    FieldReader in(one, 0);
#ifdef VARGO_FUZZ_TOLERATE_KNOWN
    // Known: a name starting with a full stop is written plain and reads back as a record header.
    if (isHeader(field)) {
        return;
    }
#endif
    const std::string back = in.escapedText();
    FUZZ_CHECK(back == line || (isHeader(line) && back == "．" + line.substr(1)));
    FUZZ_CHECK(in.nextLine() == 1);
}

void checkNumberTrip(const std::string& line) {
    double v = 0;
    if (!parseNumber(line, v)) {
        return;
    }
    std::vector<std::string> one = {std::to_string(v)};
    FUZZ_CHECK(std::isfinite(FieldReader(one, 0).real()));
    if (v >= -32768.5 && v <= 32767.5) {
        std::vector<std::string> whole = {line};
        try {
            Int16 n = FieldReader(whole, 0).integer();
            FUZZ_CHECK(std::fabs(n - v) <= 0.5);
        } catch (const FieldError&) {
            // A number like 32767.5 rounds out of range: refused with a message, which is fine.
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto parts = fuzz::splitFiles(data, size);
    std::string_view script = parts.size() > 1 ? parts[0] : std::string_view();
    std::string_view file = parts.size() > 1 ? parts[1] : parts[0];
    const std::vector<std::string> lines = fileLines(file);
    runScript(script, lines);
    for (const auto& line : lines) {
        (void)headerId(line);
        checkNameTrip(line);
        checkNumberTrip(line);
    }
    return 0;
}
