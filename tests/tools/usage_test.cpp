// vargo-tool's text about itself: every command listed, its help and its usage from one text.

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <sstream>

#include "commands.h"

namespace vargo::tool {
namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        out.push_back(line);
    }
    return out;
}

TEST(ToolUsage, EveryCommandIsListedWithItsFormsAndHelp) {
    const std::string overview = usageText();
    for (const ToolCommand& c : toolCommands()) {
        SCOPED_TRACE(std::string(c.name));
        EXPECT_EQ(findCommand(c.name), &c);
        ASSERT_NE(c.run, nullptr);
        EXPECT_FALSE(c.about.empty());
        // Every form begins with the command's name and shows in the overview.
        const std::string forms(c.forms);
        for (const std::string& form : lines(forms)) {
            EXPECT_EQ(form.rfind(std::string(c.name), 0), 0u) << form;
        }
        EXPECT_NE(overview.find("\n  " + lines(forms)[0].substr(0, 20)), std::string::npos);
        // COMMAND --help: the usage lines, a blank line, the paragraph.
        const std::vector<std::string> help = lines(commandHelpText(c));
        ASSERT_GE(help.size(), 3u);
        EXPECT_EQ(help[0].rfind("usage: vargo-tool [--dir DIR] " + std::string(c.name), 0), 0u) << help[0];
        EXPECT_NE(std::find(help.begin(), help.end(), ""), help.end());
    }
    EXPECT_EQ(findCommand("frobnicate"), nullptr);
    EXPECT_EQ(findCommand(""), nullptr);
}

TEST(ToolUsage, TextFitsATerminalAndKeepsItsColumns) {
    for (const std::string& line : lines(usageText())) {
        EXPECT_LE(line.size(), 96u) << line;
    }
    // A short form has its paragraph beside it at column 28; a long one below it, at the same column.
    const std::vector<std::string> overview = lines(usageText());
    EXPECT_NE(
        std::find(overview.begin(), overview.end(),
                  "  check                     validate every data file of the game folder: one FILE:LINE: "
                  "problem"),
        overview.end());
    const auto fight = std::find_if(overview.begin(), overview.end(),
                                    [](const std::string& l) { return l.rfind("  fight A B", 0) == 0; });
    ASSERT_NE(fight, overview.end());
    ASSERT_NE(fight + 1, overview.end());
    EXPECT_EQ((fight + 1)->rfind(std::string(28, ' ') + "registry Dolls A and B fight", 0), 0u)
        << *(fight + 1);
}

TEST(ToolUsage, AMistakeShowsTheCommandsFormsThenTheUsageAndReturnsTwo) {
    std::ostringstream err;
    std::streambuf* old = std::cerr.rdbuf(err.rdbuf());
    const int status = usageOf("save");
    std::cerr.rdbuf(old);
    EXPECT_EQ(status, 2);
    EXPECT_EQ(err.str(), "vargo-tool: save show N | save resave N M\n" + usageText());
}

}  // namespace
}  // namespace vargo::tool
