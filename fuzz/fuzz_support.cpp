#include "fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace vargo::fuzz {
namespace {

// Scratch folders live where writes are cheap: the runner's own folder, else shared memory, else
// the system's temporary folder. A save is flushed to disk on every input, which on a real disk
// would dominate the run.
std::filesystem::path scratchBase() {
    if (const char* env = std::getenv("VARGO_FUZZ_TMP"); env && *env) {
        return env;
    }
    std::error_code ec;
    if (std::filesystem::is_directory("/dev/shm", ec) && ::access("/dev/shm", W_OK) == 0) {
        return "/dev/shm";
    }
    return std::filesystem::temp_directory_path();
}

}  // namespace

std::vector<std::string_view> splitFiles(const uint8_t* data, size_t size) {
    std::vector<std::string_view> files;
    std::string_view all = asText(data, size);
    size_t start = 0;
    for (size_t i = 0; i <= all.size(); ++i) {
        if (i == all.size() || static_cast<unsigned char>(all[i]) == 0xFF) {
            files.push_back(all.substr(start, i - start));
            start = i + 1;
        }
    }
    return files;
}

void fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "\n==== reader property broken: %s (%s:%d)\n", what, file, line);
    std::fflush(stderr);
    std::abort();
}

std::filesystem::path shippedData() {
    return std::filesystem::path(VARGO_SOURCE_DIR) / "data";
}

ScratchFolder::ScratchFolder(Ini ini) {
    root = scratchBase() / ("vargo-fuzz-" + std::to_string(::getpid()));
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "save");
    if (ini == Ini::Shipped) {
        std::filesystem::create_directory_symlink(shippedData() / "ini", root / "ini");
    } else {
        std::filesystem::create_directories(root / "ini");
    }
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
}

void ScratchFolder::clearSave() const {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(root / "save", ec)) {
        std::filesystem::remove_all(entry.path(), ec);
    }
}

void ScratchFolder::write(const std::string& relative, std::string_view bytes) const {
    std::ofstream out(root / relative, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        fail("scratch file written", __FILE__, __LINE__);
    }
}

void ScratchFolder::remove(const std::string& relative) const {
    std::error_code ec;
    std::filesystem::remove(root / relative, ec);
}

}  // namespace vargo::fuzz
