#include "support/test_support.h"

#include <fstream>
#include <random>

#include "model/text_codec.h"

namespace vargo::test {

TempGameFolder::TempGameFolder() {
    std::random_device rd;
    root = std::filesystem::temp_directory_path() /
           ("vargo-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(root);
}

TempGameFolder::~TempGameFolder() {
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
}

void TempGameFolder::write(const std::string& relative, const std::vector<std::string>& lines) const {
    writeBytes(relative, encodeLines(lines));
}

void TempGameFolder::writeBytes(const std::string& relative, const std::string& bytes) const {
    auto p = root / relative;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    out << bytes;
}

void TempGameFolder::copyShippedIni() const {
    std::filesystem::copy(
        std::filesystem::path(VARGO_SOURCE_DIR) / "data" / "ini", root / "ini",
        std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
}

}  // namespace vargo::test
