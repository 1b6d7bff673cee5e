// vargo-tool replay tells a recorded fight exactly as vargo-tool fight told it, on the shipped data.

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

#include "commands.h"
#include "support/test_support.h"

namespace vargo::tool {
namespace {

// What a command prints on standard output, and its exit status.
std::pair<std::string, int> run(int (*command)(const GameFolder&, const Args&), const Args& args) {
    std::ostringstream out;
    std::streambuf* old = std::cout.rdbuf(out.rdbuf());
    const int status = command(GameFolder(VARGO_SOURCE_DIR "/data"), args);
    std::cout.rdbuf(old);
    return {out.str(), status};
}

TEST(ReplayCommand, TellsTheFightAndItsReportByteForByte) {
    test::TempGameFolder dir;
    const std::string file = (dir.path() / "bout.rpl").string();
    const std::vector<std::array<const char*, 3>> fights = {
        {"1", "2", "5"}, {"9", "25", "42"}, {"33", "3", "777"}, {"14", "31", "1"}, {"20", "12", "8"}};
    for (const auto& [a, b, seed] : fights) {
        const auto told = run(cmdFight, {a, b, "--seed", seed});
        const auto recorded = run(cmdFight, {a, b, "--seed", seed, "--record", file});
        ASSERT_EQ(recorded.second, 0);
        EXPECT_EQ(recorded.first, told.first) << "recording changed the fight " << a << " " << b;
        const auto replayed = run(cmdReplay, {file});
        ASSERT_EQ(replayed.second, 0);
        EXPECT_EQ(replayed.first, told.first) << a << " " << b << " seed " << seed;
        EXPECT_NE(told.first.find("--- step 1\n"), std::string::npos);

        const auto report = run(cmdFight, {a, b, "--seed", seed, "--report", "json"});
        EXPECT_EQ(run(cmdReplay, {file, "--report", "json"}).first, report.first);
    }
    EXPECT_EQ(run(cmdReplay, {(dir.path() / "missing.rpl").string()}).second, 1);
    EXPECT_EQ(run(cmdReplay, {file, "--report", "xml"}).second, 2);
}

}  // namespace
}  // namespace vargo::tool
