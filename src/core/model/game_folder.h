#pragma once
// The game folder holds ini/, save/, img/ and midi/. The game names its files the Windows way
// ("\ini\Motor.ini"); on Linux names are matched without regard to case.

#include <filesystem>
#include <string>
#include <string_view>

namespace vargo {

class GameFolder {
public:
    explicit GameFolder(std::filesystem::path root);

    const std::filesystem::path& root() const { return rootDir; }

    /// The path of a file named relative to the game folder ("\ini\Motor.ini" or "ini/Motor.ini").
    /// Each component is matched case-insensitively against what exists; components that do not
    /// exist keep the spelling given, so the result can also name a file about to be created.
    std::filesystem::path resolve(std::string_view relative) const;

    /// The name relative to the game folder, with forward slashes, for messages ("ini/Motor.ini").
    static std::string display(std::string_view relative);

private:
    std::filesystem::path rootDir;
};

}  // namespace vargo
