#pragma once
// Where the game runs. Started from its own folder (one holding ini/) it works there, as it always
// has. An installed game keeps its shipped data read-only and works in a per-user folder that links
// to that data and holds the player's own save/, seeded once from the shipped registry.

#include <filesystem>
#include <optional>
#include <string>

namespace vargo {

struct FolderChoice {
    std::filesystem::path folder;
    std::string error; /**< why no folder could be prepared; empty on success */
};

/// The shipped data for an executable in exeDir: exeDir/game (the build tree), or
/// exeDir/../share/vargo (an installation). Empty when neither holds ini/.
std::filesystem::path findShippedData(const std::filesystem::path& exeDir);

/// Makes userDir a game folder: links ini/, img/ and midi/ to the shipped ones, and copies every
/// shipped save/ file that the player does not have yet. Running it again changes nothing the
/// player made.
FolderChoice prepareUserGameFolder(const std::filesystem::path& shipped,
                                   const std::filesystem::path& userDir);

/// The whole choice: the current directory when it holds ini/, else the per-user folder under
/// $XDG_DATA_HOME/vargo (or ~/.local/share/vargo).
FolderChoice chooseGameFolder(const std::filesystem::path& cwd, const std::filesystem::path& exeDir,
                              const std::optional<std::string>& xdgDataHome,
                              const std::optional<std::string>& home);

}  // namespace vargo
