// A career history file: any bytes are read as the file is (Shift_JIS lines), and either read as a
// history or named as damaged with a line inside the file. A history that reads writes back lines
// that read back the same.

#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "model/career_history.h"
#include "model/text_codec.h"

using namespace vargo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines;
    try {
        lines = splitLines(fromCp932(std::string_view(reinterpret_cast<const char*>(data), size)));
    } catch (const EncodingError&) {
        return 0;  // the loader tells the player of a file that is not Shift_JIS
    }
    const HistoryRead r = readHistory(lines);
    if (!r.history) {
        FUZZ_CHECK(r.line >= 1 && static_cast<std::size_t>(r.line) <= lines.size() + 1);
        FUZZ_CHECK(!r.problem.empty());
        return 0;
    }
    const HistoryRead again = readHistory(historyLines(*r.history));
    FUZZ_CHECK(again.history && again.history->points == r.history->points);
    return 0;
}
