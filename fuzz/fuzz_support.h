#pragma once
// What every reader harness shares: the input cut into files, a scratch game folder on a fast
// disk, and a check that stops the run with a message when a property of the readers breaks.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "model/game_folder.h"

namespace vargo::fuzz {

/// Cuts the input into files at each 0xFF byte. CP932 text never holds that byte, so the cut costs
/// the readers nothing they would accept, and a mutation that adds or drops one moves a boundary.
std::vector<std::string_view> splitFiles(const uint8_t* data, size_t size);

/// The input as text.
inline std::string_view asText(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

/// Stops the run (a crash for libFuzzer, with the input saved) when a property does not hold.
[[noreturn]] void fail(const char* what, const char* file, int line);
#define FUZZ_CHECK(cond)                                    \
    do {                                                    \
        if (!(cond)) {                                      \
            ::vargo::fuzz::fail(#cond, __FILE__, __LINE__); \
        }                                                   \
    } while (false)

/// A game folder made once per process and emptied between inputs. Its ini/ is either a link to the
/// shipped catalogues or a folder of its own the harness writes into; save/ always starts empty.
class ScratchFolder {
public:
    enum class Ini { Shipped, Own };
    explicit ScratchFolder(Ini ini);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return root; }
    GameFolder folder() const { return GameFolder(root); }

    /// Removes everything under save/.
    void clearSave() const;
    /// Writes bytes to a file named relative to the folder.
    void write(const std::string& relative, std::string_view bytes) const;
    void remove(const std::string& relative) const;

private:
    std::filesystem::path root;
};

/// The shipped game folder in the source tree (data/).
std::filesystem::path shippedData();

}  // namespace vargo::fuzz
