#pragma once
// Data files are CP932 with CR LF; inside the game all text is UTF-8. Conversion happens here,
// at the file boundary, and nowhere else.

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vargo {

class EncodingError : public std::runtime_error {
public:
    explicit EncodingError(const std::string& what) : std::runtime_error(what) {}
    EncodingError(size_t lineNumber, const std::string& what)
        : std::runtime_error(what), line(static_cast<int>(lineNumber)) {}
    int line = 0; /**< 1-based line of a file the bytes came from; 0 when not from a file */
};

/// CP932 bytes to UTF-8. Throws EncodingError on bytes that are not CP932.
std::string fromCp932(std::string_view bytes);

/// UTF-8 to CP932. Characters that input methods type but CP932 lacks (〜 − ‖ — ¬ ¥ ‾) are first
/// mapped to their CP932 look-alikes; anything else CP932 cannot hold throws EncodingError.
std::string toCp932(std::string_view utf8);

/// Whether the text survives a trip through CP932 (after the look-alike mapping) and a file
/// holding it reads back as Shift_JIS (see readsBackAsShiftJis): what a name must pass.
bool encodableInCp932(std::string_view utf8);

/// Whether the bytes are well-formed UTF-8 holding a character of three bytes or more (all
/// Japanese): the shape of a file an editor saved again as UTF-8.
bool looksLikeUtf8(std::string_view bytes);

/// False for the rare Shift_JIS text that readTextFile would take for a UTF-8 re-save: bytes of
/// UTF-8's shape whose Shift_JIS reading holds half-width kana ("關ｱ"). Real Shift_JIS text of
/// UTF-8's shape alone ("關羽") reads back. The game never writes such bytes, so its files load.
bool readsBackAsShiftJis(std::string_view cp932);

/// Splits on CR LF, LF or a lone CR. A final line break does not make an extra empty line.
std::vector<std::string> splitLines(std::string_view text);

/// Reads a whole CP932 file as UTF-8 lines. Nothing when the file cannot be opened;
/// EncodingError (with the line number in its message) when its bytes are not CP932.
std::optional<std::vector<std::string>> readTextFile(const std::filesystem::path& path);

/// The same file's raw bytes; nothing when it cannot be opened.
std::optional<std::string> readBytes(const std::filesystem::path& path);

/// Joins UTF-8 lines with CR LF (a line break after every line) and converts them to CP932.
std::string encodeLines(const std::vector<std::string>& lines);

/// The suffix of the temporary file writeFileAtomic writes before its rename.
inline constexpr const char* kTempSuffix = ".vargo-tmp";

/// Writes bytes to a new file at path, created exclusively (a stale file of that name is removed
/// first) and flushed to disk. On failure nothing is left at path and *error holds the errno.
bool writeNewFile(const std::filesystem::path& path, std::string_view bytes, int* error);

/// Writes bytes to path through a temporary file in the same folder, renamed into place only when
/// everything was written and flushed. On failure the old file is untouched and the message says why.
bool writeFileAtomic(const std::filesystem::path& path, std::string_view bytes, std::string* error = nullptr);

}  // namespace vargo
