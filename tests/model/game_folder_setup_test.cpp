#include "model/game_folder_setup.h"

#include <gtest/gtest.h>

#include "model/text_codec.h"
#include "support/test_support.h"

namespace vargo {
namespace {
namespace fs = std::filesystem;

struct Installed : ::testing::Test {
    test::TempGameFolder root;
    fs::path share() { return root.path() / "usr" / "share" / "vargo"; }
    fs::path bin() { return root.path() / "usr" / "bin"; }
    void SetUp() override {
        root.writeBytes("usr/share/vargo/ini/Motor.ini", "x");
        root.writeBytes("usr/share/vargo/img/a.jpg", "x");
        root.writeBytes("usr/share/vargo/midi/a.mid", "x");
        root.writeBytes("usr/share/vargo/save/EDollsv.ini", "shipped");
        fs::create_directories(bin());
    }
};

TEST_F(Installed, TheGamesOwnFolderWins) {
    auto choice = chooseGameFolder(share(), bin(), std::nullopt, std::nullopt);
    EXPECT_EQ(choice.folder, share());
}

// The per-user folder links the shipped data and seeds save/ once; the player's files survive.
TEST_F(Installed, PerUserFolderIsSeededOnce) {
    fs::path xdg = root.path() / "home" / ".data";
    auto choice = chooseGameFolder(root.path(), bin(), xdg.string(), std::nullopt);
    ASSERT_EQ(choice.error, "");
    EXPECT_EQ(choice.folder, xdg / "vargo");
    EXPECT_TRUE(fs::exists(choice.folder / "ini" / "Motor.ini"));
    EXPECT_TRUE(fs::is_symlink(choice.folder / "img"));
    EXPECT_EQ(readBytes(choice.folder / "save" / "EDollsv.ini").value(), "shipped");
    ASSERT_TRUE(writeFileAtomic(choice.folder / "save" / "EDollsv.ini", "mine"));
    auto again = chooseGameFolder(root.path(), bin(), xdg.string(), std::nullopt);
    EXPECT_EQ(again.error, "");
    EXPECT_EQ(readBytes(again.folder / "save" / "EDollsv.ini").value(), "mine");
}

TEST_F(Installed, HomeIsTheFallbackAndMissingDataIsReported) {
    auto choice = chooseGameFolder(root.path(), bin(), std::nullopt, (root.path() / "h").string());
    EXPECT_EQ(choice.folder, root.path() / "h" / ".local" / "share" / "vargo");
    auto none = chooseGameFolder(root.path(), root.path() / "elsewhere", std::nullopt, std::string("/tmp"));
    EXPECT_TRUE(none.folder.empty());
    EXPECT_NE(none.error.find("not installed"), std::string::npos);
}

}  // namespace
}  // namespace vargo
