#include "model/game_folder_setup.h"

namespace vargo {
namespace fs = std::filesystem;

namespace {
bool holdsIni(const fs::path& dir) {
    std::error_code ec;
    return fs::is_directory(dir / "ini", ec);
}
}  // namespace

fs::path findShippedData(const fs::path& exeDir) {
    for (const fs::path& candidate : {exeDir / "game", exeDir / ".." / "share" / "vargo"}) {
        if (holdsIni(candidate)) {
            std::error_code ec;
            fs::path canonical = fs::weakly_canonical(candidate, ec);
            return ec ? candidate : canonical;
        }
    }
    return {};
}

FolderChoice prepareUserGameFolder(const fs::path& shipped, const fs::path& userDir) {
    std::error_code ec;
    fs::create_directories(userDir / "save", ec);
    if (ec) {
        return {{}, "cannot create " + (userDir / "save").string() + ": " + ec.message()};
    }
    for (const char* sub : {"ini", "img", "midi"}) {
        fs::path link = userDir / sub;
        fs::path target = shipped / sub;
        if (fs::is_symlink(link, ec)) {
            if (fs::read_symlink(link, ec) == target) {
                continue;
            }
            fs::remove(link, ec);  // an older installation's data
        } else if (fs::exists(link, ec)) {
            continue;  // a real folder the player put there: leave it alone
        }
        fs::create_directory_symlink(target, link, ec);
        if (ec) {
            return {{}, "cannot link " + link.string() + ": " + ec.message()};
        }
    }
    if (fs::is_directory(shipped / "save", ec)) {
        for (const auto& entry : fs::directory_iterator(shipped / "save", ec)) {
            fs::path mine = userDir / "save" / entry.path().filename();
            if (entry.is_regular_file() && !fs::exists(mine)) {
                fs::copy_file(entry.path(), mine, ec);
                if (ec) {
                    return {{}, "cannot copy " + entry.path().string() + ": " + ec.message()};
                }
            }
        }
    }
    return {userDir, {}};
}

FolderChoice chooseGameFolder(const fs::path& cwd, const fs::path& exeDir,
                              const std::optional<std::string>& xdgDataHome,
                              const std::optional<std::string>& home) {
    if (holdsIni(cwd)) {
        return {cwd, {}};
    }
    fs::path shipped = findShippedData(exeDir);
    if (shipped.empty()) {
        return {{}, "the game's data (ini/, img/, midi/) is not installed beside " + exeDir.string()};
    }
    fs::path base;
    if (xdgDataHome && !xdgDataHome->empty()) {
        base = *xdgDataHome;
    } else if (home && !home->empty()) {
        base = fs::path(*home) / ".local" / "share";
    } else {
        return {{}, "neither XDG_DATA_HOME nor HOME is set"};
    }
    return prepareUserGameFolder(shipped, base / "vargo");
}

}  // namespace vargo
