#include "career/bot_library.h"

#include <sstream>
#include <stdexcept>

namespace vargo {

extern const char* const kShippedBotLibraryText;

const BotPatternSet* BotLibrary::set(const std::string& name) const {
    for (const auto& s : sets) {
        if (s.name == name) {
            return &s;
        }
    }
    return nullptr;
}

namespace {

constexpr size_t kPatternsPerSet = 6;

class LibraryReader {
public:
    BotLibraryRead read(std::string_view text) {
        std::stringstream in{std::string(text)};
        std::string row;
        while (out.problem.empty() && std::getline(in, row)) {
            ++line;
            if (!row.empty() && row.back() == '\r') {
                row.pop_back();
            }
            take(row);
        }
        if (out.problem.empty()) {
            finish();
        }
        return std::move(out);
    }

private:
    void fail(const std::string& what) {
        if (out.problem.empty()) {
            out.line = line;
            out.problem = what;
        }
    }

    void take(const std::string& row) {
        std::stringstream words(row);
        std::string key;
        words >> key;
        if (key.empty() || key[0] == '#') {
            return;
        }
        std::string rest;
        std::getline(words >> std::ws, rest);
        if (key == "set") {
            closeSet();
            out.library.sets.push_back({rest, {}});
            inSet = true;
        } else if (key == "build") {
            closeSet();
            out.library.builds.push_back({rest, line, {}, {}});
            inSet = false;
        } else if (key == "pattern" && inSet) {
            PatternRecipe p;
            if (auto problem = readPatternRecipe(rest, p)) {
                fail(*problem);
            }
            out.library.sets.back().patterns.push_back(std::move(p));
        } else if (key == "parts" && !inSet && !out.library.builds.empty()) {
            if (auto problem = readPartIds(rest, out.library.builds.back().parts)) {
                fail(*problem);
            }
        } else if (key == "patterns" && !inSet && !out.library.builds.empty()) {
            std::stringstream names(rest);
            std::string name;
            while (names >> name) {
                out.library.builds.back().sets.push_back(name);
            }
        } else {
            fail("\"" + key + "\" does not belong here");
        }
    }

    void closeSet() {
        if (inSet && out.library.sets.back().patterns.size() != kPatternsPerSet) {
            fail("set " + out.library.sets.back().name + " needs six patterns");
        }
    }

    void finish() {
        closeSet();
        for (const auto& b : out.library.builds) {
            line = b.line;
            if (b.parts.empty()) {
                fail("build " + b.name + " has no parts line");
            }
            if (b.sets.empty()) {
                fail("build " + b.name + " names no pattern set");
            }
            for (const auto& s : b.sets) {
                if (out.library.set(s) == nullptr) {
                    fail("build " + b.name + ": no pattern set named " + s);
                }
            }
        }
        if (out.library.builds.empty()) {
            line = 0;
            fail("no builds");
        }
    }

    BotLibraryRead out;
    int line = 0;
    bool inSet = false;
};

}  // namespace

BotLibraryRead readBotLibrary(std::string_view text) {
    return LibraryReader().read(text);
}

const BotLibrary& shippedBotLibrary() {
    static const BotLibrary library = [] {
        BotLibraryRead r = readBotLibrary(kShippedBotLibraryText);
        if (!r.problem.empty()) {
            throw std::logic_error("assets/career/bots.txt line " + std::to_string(r.line) + ": " +
                                   r.problem);
        }
        return std::move(r.library);
    }();
    return library;
}

}  // namespace vargo
