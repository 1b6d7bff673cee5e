#pragma once
// Catalogue, save and registry files share one field syntax: fields separated by commas or line
// breaks, text optionally in double quotes, leading blanks skipped, and records opened by a header
// line that starts with a full stop.

#include <stdexcept>
#include <string>
#include <vector>

#include "model/numbers.h"

namespace vargo {

/// A problem in a data file, located for the player and for `vargo-tool check`.
struct DataProblem {
    std::string file; /**< relative to the game folder, e.g. "ini/Motor.ini" */
    int line = 0;     /**< 1-based; 0 when the problem is the file as a whole */
    std::string problem;
    std::string ja = {}; /**< the same for the player, in Japanese; empty when only `problem` says it */

    std::string text() const;        ///< "FILE:LINE: problem", for tools
    std::string message() const;     ///< "FILE の LINE行目: problem", for the player
    std::string playerText() const;  ///< the same as message()
};

/// Thrown by FieldReader when a field cannot be read; `line` is 1-based.
class FieldError : public std::runtime_error {
public:
    FieldError(int lineNumber, const std::string& what, std::string inJapanese = {})
        : std::runtime_error(what), line(lineNumber), ja(std::move(inJapanese)) {}
    int line;
    std::string ja; /**< what the player reads */
};

/// Whether a line is a record header.
inline bool isHeader(const std::string& line) {
    return !line.empty() && line[0] == '.';
}

/// The record number of a header: characters 2 to 4 read as a number with blanks ignored, stopping
/// at the first character that is not part of a number (".1a" reads 1), then rounded.
int headerId(const std::string& line);

/// Reads the fields of one record, starting at a given line.
class FieldReader {
public:
    FieldReader(const std::vector<std::string>& lines, size_t firstLine);

    std::string text();
    /// A text field that may be quoted with doubled quotes inside ("a ""b"", c" is a "b", c), the
    /// way the save files keep names holding a comma or a leading quote. Unquoted text reads as text().
    std::string escapedText();
    /// A name: read like escapedText(), but the field's line is taken even when it starts with a
    /// full stop, since a name stands where a name must stand (".ハヤテ" is a name, not a header).
    std::string name();
    /// A 16-bit integer; fractions are rounded halves to even (2.5 gives 2).
    Int16 integer();
    double real();
    bool boolean();  ///< "True" / "False" (any case), or a number (non-zero is true)

    /// The index of the line after the last field read: a record's remaining text is ignored.
    size_t nextLine() const { return lastFieldLine + 1; }
    /// 1-based number of the line the last field came from.
    int lineNumber() const { return static_cast<int>(lastFieldLine) + 1; }

private:
    std::string raw(bool mayLookLikeHeader);
    std::string quotedOrRaw(bool mayLookLikeHeader);

    const std::vector<std::string>& lines;
    size_t line;
    size_t col = 0;
    bool midLine = false;  // the previous field ended at a comma
    size_t lastFieldLine;
};

/// Parses a whole decimal number ("12", "-3", "2.5", "1e2"); nothing for anything else.
bool parseNumber(const std::string& text, double& out);

}  // namespace vargo
