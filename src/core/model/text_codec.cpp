#include "model/text_codec.h"

#include <errno.h>
#include <fcntl.h>
#include <iconv.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <utility>

#include "model/disk.h"

namespace vargo {
namespace {

class Iconv {
public:
    Iconv(const char* to, const char* from) : cd(iconv_open(to, from)) {
        if (reinterpret_cast<std::intptr_t>(cd) == -1) {  // iconv_open's (iconv_t)-1
            throw EncodingError(std::string("iconv cannot convert ") + from + " to " + to);
        }
    }
    ~Iconv() { iconv_close(cd); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    std::optional<std::string> convert(std::string_view in) {
        std::string out;
        out.resize(in.size() * 4 + 16);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        char* dst = out.data();
        size_t dstLeft = out.size();
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        while (srcLeft > 0) {
            if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1)) {
                if (errno == E2BIG) {
                    size_t used = out.size() - dstLeft;
                    out.resize(out.size() * 2);
                    dst = out.data() + used;
                    dstLeft = out.size() - used;
                    continue;
                }
                return std::nullopt;
            }
        }
        if (iconv(cd, nullptr, nullptr, &dst, &dstLeft) == static_cast<size_t>(-1)) {
            return std::nullopt;
        }
        out.resize(out.size() - dstLeft);
        return out;
    }

private:
    iconv_t cd;
};

// Characters an input method produces that CP932 spells with a different code point.
const std::pair<const char*, const char*> kLookAlikes[] = {
    {"\u301C", "\uFF5E"},  // wave dash to fullwidth tilde
    {"\u2212", "\uFF0D"},  // minus sign to fullwidth hyphen-minus
    {"\u2016", "\u2225"},  // double vertical line to parallel
    {"\u2014", "\u2015"},  // em dash to horizontal bar
    {"\u00AC", "\uFFE2"},  // not sign to fullwidth not sign
    {"\u00A2", "\uFFE0"},  // cent sign
    {"\u00A3", "\uFFE1"},  // pound sign
    {"\u00A5", "\uFFE5"},  // yen sign to fullwidth yen
    {"\u203E", "\uFFE3"},  // overline to fullwidth macron
};

std::string mapLookAlikes(std::string_view utf8) {
    std::string s(utf8);
    for (const auto& [from, to] : kLookAlikes) {
        size_t at = 0;
        const size_t fromLen = std::strlen(from);
        while ((at = s.find(from, at)) != std::string::npos) {
            s.replace(at, fromLen, to);
            at += std::strlen(to);
        }
    }
    return s;
}

// The length of the UTF-8 sequence that starts at b[i] when it is well formed (no overlong form,
// no surrogate, nothing above U+10FFFF); 0 when it is not.
size_t utf8SequenceAt(std::string_view b, size_t i) {
    const auto c = static_cast<unsigned char>(b[i]);
    if (c < 0x80) {
        return 1;
    }
    size_t n = 0;
    unsigned char lo = 0x80, hi = 0xBF;  // the allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        lo = c == 0xE0 ? 0xA0 : 0x80;
        hi = c == 0xED ? 0x9F : 0xBF;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        lo = c == 0xF0 ? 0x90 : 0x80;
        hi = c == 0xF4 ? 0x8F : 0xBF;
    }
    if (n == 0 || i + n > b.size()) {
        return 0;
    }
    for (size_t k = 1; k < n; ++k) {
        const auto t = static_cast<unsigned char>(b[i + k]);
        if (t < (k == 1 ? lo : 0x80) || t > (k == 1 ? hi : 0xBF)) {
            return 0;
        }
    }
    return n;
}

}  // namespace

// Well-formed UTF-8 holding at least one character of three bytes or more, as all Japanese has.
bool looksLikeUtf8(std::string_view b) {
    bool wide = false;
    for (size_t i = 0; i < b.size();) {
        const size_t n = utf8SequenceAt(b, i);
        if (n == 0) {
            return false;
        }
        wide = wide || n >= 3;
        i += n;
    }
    return wide;
}

namespace {

// Half-width katakana U+FF61 to U+FF9F: EF BD A1..BF and EF BE 80..9F in UTF-8.
bool holdsHalfWidthKana(const std::vector<std::string>& lines) {
    for (const auto& line : lines) {
        for (size_t i = 0; i + 2 < line.size(); ++i) {
            const auto a = static_cast<unsigned char>(line[i]);
            const auto b = static_cast<unsigned char>(line[i + 1]);
            const auto c = static_cast<unsigned char>(line[i + 2]);
            if (a == 0xEF && ((b == 0xBD && c >= 0xA1) || (b == 0xBE && c <= 0x9F))) {
                return true;
            }
        }
    }
    return false;
}

constexpr const char* kUtf8File =
    "UTF-8で保存されたファイルのようです（Shift_JIS（CP932）で保存し直してください）";

}  // namespace

std::string fromCp932(std::string_view bytes) {
    Iconv cv("UTF-8", "CP932");
    auto out = cv.convert(bytes);
    if (!out) {
        throw EncodingError("Shift_JIS（CP932）の文字ではありません");
    }
    return *out;
}

std::string toCp932(std::string_view utf8) {
    Iconv cv("CP932", "UTF-8");
    auto out = cv.convert(mapLookAlikes(utf8));
    if (!out) {
        throw EncodingError("Shift_JIS（CP932）で書けない文字があります");
    }
    return *out;
}

bool encodableInCp932(std::string_view utf8) {
    try {
        return readsBackAsShiftJis(toCp932(utf8));
    } catch (const EncodingError&) {
        return false;
    }
}

bool readsBackAsShiftJis(std::string_view cp932) {
    if (!looksLikeUtf8(cp932)) {
        return true;
    }
    try {
        return !holdsHalfWidthKana({fromCp932(cp932)});
    } catch (const EncodingError&) {
        return true;  // not Shift_JIS at all: no writer of ours produced it
    }
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string current;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(current));
            current.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            current.push_back(c);
        }
    }
    if (!current.empty()) {
        lines.push_back(std::move(current));
    }
    return lines;
}

std::optional<std::string> readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<std::vector<std::string>> readTextFile(const std::filesystem::path& path) {
    auto bytes = readBytes(path);
    if (!bytes) {
        return std::nullopt;
    }
    // Decode line by line so a bad byte is reported where it is.
    std::vector<std::string> raw = splitLines(*bytes);
    std::vector<std::string> lines;
    lines.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        try {
            lines.push_back(fromCp932(raw[i]));
        } catch (const EncodingError&) {
            if (looksLikeUtf8(*bytes)) {
                throw EncodingError(i + 1, kUtf8File);
            }
            throw EncodingError(i + 1, "Shift_JIS（CP932）の文字ではないバイトがあります");
        }
    }
    // Japanese saved again as UTF-8 can also decode without a single bad byte, into nonsense that
    // nearly always holds half-width kana (UTF-8's continuation bytes read one by one). The game
    // never writes a file of that shape (see readsBackAsShiftJis), so its own files always load.
    if (holdsHalfWidthKana(lines) && looksLikeUtf8(*bytes)) {
        size_t line = 1;
        while (line <= lines.size() && !holdsHalfWidthKana({lines[line - 1]})) {
            ++line;
        }
        throw EncodingError(line, kUtf8File);
    }
    return lines;
}

std::string encodeLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) {
        out += toCp932(line);
        out += "\r\n";
    }
    return out;
}

bool writeNewFile(const std::filesystem::path& path, std::string_view bytes, int* error) {
    Disk& d = disk();
    // A file left by an interrupted write is ours and stale; the name is freed first, and the new
    // file is then created exclusively: never written through a link planted under that name.
    if (d.unlink(path) != 0 && errno != ENOENT) {
        *error = errno;
        return false;
    }
    int fd = d.createExclusive(path);
    if (fd < 0) {
        *error = errno;
        return false;
    }
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = d.write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            *error = errno;
            d.close(fd);
            d.unlink(path);
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    if (d.fsync(fd) != 0) {
        *error = errno;
        d.close(fd);
        d.unlink(path);
        return false;
    }
    if (d.close(fd) != 0) {
        *error = errno;
        d.unlink(path);
        return false;
    }
    return true;
}

bool writeFileAtomic(const std::filesystem::path& path, std::string_view bytes, std::string* error) {
    std::filesystem::path tmp = path;
    tmp += kTempSuffix;
    int why = 0;
    if (!writeNewFile(tmp, bytes, &why)) {
        if (error) {
            *error = path.string() + ": " + systemErrorText(why);
        }
        return false;
    }
    Disk& d = disk();
    if (d.rename(tmp, path) != 0) {
        why = errno;
        d.unlink(tmp);
        if (error) {
            *error = path.string() + ": " + systemErrorText(why);
        }
        return false;
    }
    d.syncFolder(path.parent_path());
    return true;
}

}  // namespace vargo
