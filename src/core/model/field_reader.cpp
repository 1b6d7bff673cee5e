#include "model/field_reader.h"

#include <cctype>
#include <clocale>
#include <cmath>
#include <cstdlib>

namespace vargo {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string trimmed(const std::string& s) {
    size_t b = 0;
    size_t e = s.size();
    while (b < e && isBlank(s[b])) {
        ++b;
    }
    while (e > b && isBlank(s[e - 1])) {
        --e;
    }
    return s.substr(b, e - b);
}

}  // namespace

namespace {
std::string located(const std::string& file, int line, const std::string& what) {
    if (line > 0) {
        return file + ":" + std::to_string(line) + ": " + what;
    }
    return file + ": " + what;
}
}  // namespace

std::string DataProblem::text() const {
    return located(file, line, problem);
}

std::string DataProblem::playerText() const {
    return message();
}

std::string DataProblem::message() const {
    const std::string& what = ja.empty() ? problem : ja;
    if (line > 0) {
        return file + " の " + std::to_string(line) + "行目: " + what;
    }
    return file + ": " + what;
}

int headerId(const std::string& line) {
    std::string digits;
    for (size_t i = 1; i < line.size() && i <= 3; ++i) {
        if (!isBlank(line[i])) {
            digits.push_back(line[i]);
        }
    }
    // An optional sign, digits, an optional fraction; stop at anything else.
    size_t i = 0;
    std::string number;
    if (i < digits.size() && (digits[i] == '-' || digits[i] == '+')) {
        number.push_back(digits[i++]);
    }
    bool any = false;
    while (i < digits.size() && std::isdigit(static_cast<unsigned char>(digits[i]))) {
        number.push_back(digits[i++]);
        any = true;
    }
    if (i < digits.size() && digits[i] == '.') {
        number.push_back(digits[i++]);
        while (i < digits.size() && std::isdigit(static_cast<unsigned char>(digits[i]))) {
            number.push_back(digits[i++]);
            any = true;
        }
    }
    if (!any) {
        return 0;
    }
    return static_cast<int>(roundHalfEven(std::strtod(number.c_str(), nullptr)));
}

bool parseNumber(const std::string& text, double& out) {
    std::string t = trimmed(text);
    if (t.empty()) {
        return false;
    }
    for (char c : t) {
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '+' || c == '.' || c == 'e' ||
              c == 'E')) {
            return false;
        }
    }
    char* end = nullptr;
    out = std::strtod(t.c_str(), &end);
    return end == t.c_str() + t.size() && std::isfinite(out);
}

FieldReader::FieldReader(const std::vector<std::string>& l, size_t firstLine)
    : lines(l), line(firstLine), lastFieldLine(firstLine == 0 ? 0 : firstLine - 1) {}

std::string FieldReader::raw(bool mayLookLikeHeader) {
    if (!midLine) {
        // A field starts on a fresh line. A blank line is an empty field.
        if (line >= lines.size()) {
            throw FieldError(static_cast<int>(lines.size()),
                             "ファイルが途中で終わっています（項目が足りません）");
        }
        if (!mayLookLikeHeader && isHeader(lines[line])) {
            throw FieldError(static_cast<int>(line) + 1,
                             "項目が足りません（項目のある行が「.」で始まる見出しになっています）");
        }
        col = 0;
    }
    const std::string& s = lines[line];
    lastFieldLine = line;
    while (col < s.size() && isBlank(s[col])) {
        ++col;
    }
    std::string field;
    if (col < s.size() && s[col] == '"') {
        size_t close = s.find('"', col + 1);
        if (close == std::string::npos) {
            field = s.substr(col + 1);
            col = s.size();
        } else {
            field = s.substr(col + 1, close - col - 1);
            col = close + 1;
        }
        // Whatever stands between the closing quote and the separator is not part of the field.
        size_t comma = s.find(',', col);
        col = comma == std::string::npos ? s.size() : comma;
    } else {
        size_t comma = s.find(',', col);
        size_t end = comma == std::string::npos ? s.size() : comma;
        field = trimmed(s.substr(col, end - col));
        col = end;
    }
    if (col < s.size() && s[col] == ',') {
        ++col;
        midLine = true;
    } else {
        midLine = false;
        ++line;
    }
    return field;
}

std::string FieldReader::text() {
    return raw(false);
}

std::string FieldReader::escapedText() {
    return quotedOrRaw(false);
}

std::string FieldReader::name() {
    return quotedOrRaw(true);
}

std::string FieldReader::quotedOrRaw(bool mayLookLikeHeader) {
    if (!midLine && line < lines.size() && (mayLookLikeHeader || !isHeader(lines[line]))) {
        const std::string& s = lines[line];
        size_t start = 0;
        while (start < s.size() && isBlank(s[start])) {
            ++start;
        }
        if (start < s.size() && s[start] == '"') {
            std::string field;
            size_t i = start + 1;
            while (i < s.size()) {
                if (s[i] == '"') {
                    if (i + 1 < s.size() && s[i + 1] == '"') {
                        field.push_back('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field.push_back(s[i++]);
            }
            lastFieldLine = line;
            size_t comma = s.find(',', i);
            if (comma == std::string::npos) {
                ++line;
            } else {
                col = comma + 1;
                midLine = true;
            }
            return field;
        }
    }
    return raw(mayLookLikeHeader);
}

double FieldReader::real() {
    std::string f = raw(false);
    double v = 0;
    if (!parseNumber(f, v)) {
        throw FieldError(lineNumber(), "「" + f + "」は数値ではありません");
    }
    return v;
}

Int16 FieldReader::integer() {
    std::string f = raw(false);
    double v = 0;
    if (!parseNumber(f, v)) {
        throw FieldError(lineNumber(), "「" + f + "」は数値ではありません");
    }
    try {
        return CInt(v);
    } catch (const OverflowError&) {
        throw FieldError(lineNumber(), "「" + f + "」は -32768 から 32767 の範囲を超えています");
    }
}

bool FieldReader::boolean() {
    std::string f = raw(false);
    std::string lower;
    for (char c : f) {
        lower.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    }
    if (lower == "true" || lower == "#true#") {
        return true;
    }
    if (lower == "false" || lower == "#false#") {
        return false;
    }
    double v = 0;
    if (parseNumber(f, v)) {
        return v != 0;
    }
    throw FieldError(lineNumber(), "「" + f + "」は True でも False でもありません");
}

}  // namespace vargo
