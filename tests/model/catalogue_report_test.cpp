// What the game tells the player about broken catalogues: every problem, with file and line, once,
// in one Japanese message; an empty catalogue counts as broken.

#include "model/catalogue_report.h"

#include <gtest/gtest.h>

#include "model/catalogue.h"
#include "ports/prompts.h"
#include "support/test_support.h"

namespace vargo {
namespace {

using test::TempGameFolder;

size_t occurrences(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

// An empty file, or one holding only comments, gives the shop nothing to show and a loaded game
// nothing to rebuild its parts from.
TEST(CatalogueCheck, ACatalogueWithoutRecordsIsAProblem) {
    TempGameFolder dir;
    dir.writeBytes("ini/Booster.ini", "");
    dir.write("ini/Hardware.ini", {"; computers", "; none yet"});
    for (PartKind kind : {PartKind::Booster, PartKind::Hardware}) {
        auto problems = checkCatalogue(dir.folder(), kind);
        ASSERT_EQ(problems.size(), 1u) << kindInfo(kind).file;
        EXPECT_EQ(problems[0].text(), std::string(kindInfo(kind).file) + ": the file holds no records");
        EXPECT_EQ(problems[0].playerText(),
                  std::string(kindInfo(kind).file) + ": 部品が一つも登録されていません");
    }
}

// A missing file, an empty one and a bad field, each named once with its file and line, in one
// plain message box in Japanese.
TEST(CatalogueReport, EveryProblemOnceInOneJapaneseMessage) {
    TempGameFolder dir;
    dir.copyShippedIni();
    std::filesystem::remove(dir.path() / "ini/Motor.ini");
    dir.writeBytes("ini/Booster.ini", "");
    dir.write("ini/Hardware.ini", {".1", "ＣＰ－１", "300", "2", "many"});
    ScriptedPrompts prompts;
    ASSERT_TRUE(reportCatalogueProblems(dir.folder(), prompts));
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0].kind, ScriptedPrompts::Kind::MsgBox);
    const std::string& msg = prompts.calls[0].msg;
    EXPECT_EQ(
        msg,
        "部品カタログに問題があります。\n問題のある部品は店に並ばず、セーブデータからも読み込まれません。\n"
        "ini/Motor.ini: ファイルが見つかりません\n"
        "ini/Booster.ini: 部品が一つも登録されていません\n"
        "ini/Hardware.ini の 5行目: 「many」は数値ではありません");
    EXPECT_EQ(occurrences(msg, "ini/Motor.ini"), 1u);
}

TEST(CatalogueReport, SoundCataloguesSayNothing) {
    TempGameFolder dir;
    dir.copyShippedIni();
    ScriptedPrompts prompts;
    EXPECT_FALSE(reportCatalogueProblems(dir.folder(), prompts));
    EXPECT_TRUE(prompts.calls.empty());
}

TEST(CatalogueReport, AProblemListedTwiceIsShownOnce) {
    std::vector<DataProblem> twice = {{"ini/Frame.ini", 3, "x", "エックス"},
                                      {"ini/Frame.ini", 3, "x", "エックス"},
                                      {"ini/Frame.ini", 0, "whole file"}};
    EXPECT_EQ(problemMessage("見出し", twice),
              "見出し\nini/Frame.ini の 3行目: エックス\nini/Frame.ini: whole file");
}

}  // namespace
}  // namespace vargo
