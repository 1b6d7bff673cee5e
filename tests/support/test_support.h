#pragma once
// Helpers for tests that need a game folder on disk.

#include <filesystem>
#include <string>
#include <vector>

#include "model/game_folder.h"

namespace vargo::test {

/// A fresh folder under the system's temporary directory, removed with the object.
class TempGameFolder {
public:
    TempGameFolder();
    ~TempGameFolder();
    TempGameFolder(const TempGameFolder&) = delete;
    TempGameFolder& operator=(const TempGameFolder&) = delete;

    const std::filesystem::path& path() const { return root; }
    GameFolder folder() const { return GameFolder(root); }

    /// Writes UTF-8 lines as a CP932 file with CR LF, creating folders as needed.
    void write(const std::string& relative, const std::vector<std::string>& lines) const;
    /// Writes raw bytes.
    void writeBytes(const std::string& relative, const std::string& bytes) const;
    /// Copies the shipped catalogues (data/ini) into this folder.
    void copyShippedIni() const;

private:
    std::filesystem::path root;
};

}  // namespace vargo::test
