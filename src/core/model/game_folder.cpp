#include "model/game_folder.h"

#include <algorithm>
#include <cctype>
#include <system_error>
#include <vector>

namespace vargo {
namespace {

std::vector<std::string> components(std::string_view relative) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : relative) {
        if (c == '\\' || c == '/') {
            if (!current.empty()) {
                parts.push_back(current);
            }
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    if (!current.empty()) {
        parts.push_back(current);
    }
    return parts;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

GameFolder::GameFolder(std::filesystem::path root) : rootDir(std::move(root)) {}

std::filesystem::path GameFolder::resolve(std::string_view relative) const {
    std::filesystem::path path = rootDir;
    for (const auto& part : components(relative)) {
        std::error_code ec;
        std::filesystem::path exact = path / part;
        if (std::filesystem::exists(exact, ec)) {
            path = exact;
            continue;
        }
        std::filesystem::path found;
        if (std::filesystem::is_directory(path, ec)) {
            for (const auto& entry : std::filesystem::directory_iterator(path, ec)) {
                if (sameIgnoringCase(entry.path().filename().string(), part)) {
                    found = entry.path();
                    break;
                }
            }
        }
        path = found.empty() ? exact : found;
    }
    return path;
}

std::string GameFolder::display(std::string_view relative) {
    std::string out;
    for (const auto& part : components(relative)) {
        if (!out.empty()) {
            out += '/';
        }
        out += part;
    }
    return out;
}

}  // namespace vargo
