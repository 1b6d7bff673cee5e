#include <gtest/gtest.h>

#include <filesystem>

#include "model/field_reader.h"
#include "model/game_folder.h"
#include "model/text_codec.h"
#include "support/test_support.h"

namespace vargo {
namespace {

TEST(TextCodec, RoundTripsJapaneseThroughCp932) {
    std::string text = "鋼野拳士 ～①－∥髙 モーター";
    std::string bytes = toCp932(text);
    EXPECT_EQ(fromCp932(bytes), text);
    // "鋼" is 0x8D 0x7C in Shift_JIS.
    EXPECT_EQ(toCp932("鋼"), std::string("\x8D\x7C"));
}

// Input methods type these; CP932 spells them with other code points.
TEST(TextCodec, MapsLookAlikesBeforeEncoding) {
    EXPECT_EQ(fromCp932(toCp932("〜−‖—¬¥")), "～－∥―￢￥");
    EXPECT_THROW(toCp932("😀"), EncodingError);
    EXPECT_FALSE(encodableInCp932("😀"));
    EXPECT_THROW(fromCp932("\x81"), EncodingError);
}

TEST(TextCodec, SplitsAnyLineEnding) {
    EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(encodeLines({"x", "y"}), "x\r\ny\r\n");
}

TEST(TextCodec, AtomicWriteLeavesOldFileOnFailure) {
    test::TempGameFolder dir;
    auto target = dir.path() / "file.ini";
    ASSERT_TRUE(writeFileAtomic(target, "old"));
    std::string error;
    EXPECT_FALSE(writeFileAtomic(dir.path() / "missing" / "file.ini", "new", &error));
    EXPECT_NE(error.find("missing"), std::string::npos);
    EXPECT_EQ(readBytes(target).value(), "old");
    ASSERT_TRUE(writeFileAtomic(target, "new"));
    EXPECT_EQ(readBytes(target).value(), "new");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "file.ini.tmp"));
}

// Some Shift_JIS text has the byte shape of UTF-8 ("關羽" is E8 90 89 48): a file the game wrote
// itself must still read back, as must one it read and wrote again with a character Shift_JIS
// codes twice (≒ as 87 90 is written 81 E0).
TEST(TextCodec, GameWrittenTextThatLooksLikeUtf8ReadsBack) {
    test::TempGameFolder dir;
    const std::vector<std::string> names = {"關羽", "燿子", "燿ー", "關ア Mk2"};
    dir.writeBytes("save/names.ini", encodeLines(names));
    EXPECT_EQ(readTextFile(dir.path() / "save/names.ini"), names);

    dir.writeBytes("save/found.ini", "\xE2\x80\x87\x90\x96\x87\x30\x5B");
    auto found = readTextFile(dir.path() / "save/found.ini");
    ASSERT_TRUE(found);
    dir.writeBytes("save/found.ini", encodeLines(*found));
    EXPECT_EQ(readTextFile(dir.path() / "save/found.ini"), found);
}

// Japanese saved again as UTF-8 is still named as such, whether or not its bytes happen to decode
// as Shift_JIS ("鋼野拳士" in UTF-8 reads as "驪ｼ驥取教螢ｫ", half-width kana and all).
TEST(TextCodec, JapaneseSavedAsUtf8IsNamedAsSuch) {
    test::TempGameFolder dir;
    for (const std::string text : {"2013/01/01\r\n鋼野拳士\r\n", "2013/01/01\r\nＧＤ－１ 守護神\r\n"}) {
        dir.writeBytes("save/utf8.ini", text);
        try {
            readTextFile(dir.path() / "save/utf8.ini");
            ADD_FAILURE() << text << " was read as Shift_JIS";
        } catch (const EncodingError& e) {
            EXPECT_EQ(e.line, 2) << text;
            EXPECT_NE(std::string(e.what()).find("UTF-8で保存された"), std::string::npos) << e.what();
        }
    }
}

TEST(GameFolderTest, MatchesNamesWithoutCase) {
    test::TempGameFolder dir;
    dir.write("INI/motor.INI", {"x"});
    GameFolder f(dir.path());
    EXPECT_EQ(f.resolve("\\ini\\Motor.ini"), dir.path() / "INI" / "motor.INI");
    EXPECT_EQ(f.resolve("save/Playersv1.ini"), dir.path() / "save" / "Playersv1.ini");
    EXPECT_EQ(GameFolder::display("\\ini\\Motor.ini"), "ini/Motor.ini");
}

// Only characters 2 to 4 of a header count.
TEST(FieldReaderTest, HeaderIdFromCharactersTwoToFour) {
    EXPECT_EQ(headerId(".007"), 7);
    EXPECT_EQ(headerId(".7"), 7);
    EXPECT_EQ(headerId(".0071"), 7);
    EXPECT_EQ(headerId(". 1"), 1);
    EXPECT_EQ(headerId(".12 comment"), 12);
    EXPECT_EQ(headerId(".x"), 0);
    EXPECT_EQ(headerId(".150"), 150);
}

TEST(FieldReaderTest, CommasLineBreaksQuotesAndBlanks) {
    std::vector<std::string> lines = {"  \"name, with comma\" , 12", "  3.5,x", "2.5", "tail ignored",
                                      "next"};
    FieldReader in(lines, 0);
    EXPECT_EQ(in.text(), "name, with comma");
    EXPECT_EQ(in.integer(), 12);
    EXPECT_EQ(in.integer(), 4);
    EXPECT_EQ(in.text(), "x");
    EXPECT_EQ(in.real(), 2.5);
    EXPECT_EQ(in.nextLine(), 3u);
}

TEST(FieldReaderTest, ReportsBadFieldsWithTheirLine) {
    std::vector<std::string> lines = {"abc", "70000", ".002", ""};
    FieldReader a(lines, 0);
    try {
        (void)a.integer();
        FAIL();
    } catch (const FieldError& e) {
        EXPECT_EQ(e.line, 1);
    }
    FieldReader b(lines, 1);
    try {
        (void)b.integer();
        FAIL();
    } catch (const FieldError& e) {
        EXPECT_EQ(e.line, 2);
        EXPECT_NE(std::string(e.what()).find("-32768 から 32767"), std::string::npos);
    }
    FieldReader c(lines, 2);
    EXPECT_THROW((void)c.text(), FieldError);  // a header where a field belongs: cut short
    FieldReader d(lines, 3);
    EXPECT_EQ(d.text(), "");
    EXPECT_THROW((void)d.text(), FieldError);  // end of file
}

TEST(FieldReaderTest, Booleans) {
    std::vector<std::string> lines = {"True,false,-1,0,maybe"};
    FieldReader in(lines, 0);
    EXPECT_TRUE(in.boolean());
    EXPECT_FALSE(in.boolean());
    EXPECT_TRUE(in.boolean());
    EXPECT_FALSE(in.boolean());
    EXPECT_THROW(in.boolean(), FieldError);
}

}  // namespace
}  // namespace vargo

namespace vargo {
namespace {

// A file an editor saved again as UTF-8 is named as such, even where its bytes would decode as
// Shift_JIS into nonsense; the rare Shift_JIS names of that shape are refused at entry and never
// written, so the game's own files always load.
TEST(TextCodec, Utf8FilesAreToldAndNamesOfThatShapeAreRefused) {
    test::TempGameFolder dir;
    dir.writeBytes("a.ini", "2014/01/01\r\n\xE9\x8B\xBC\xE9\x87\x8E\r\n");  // 鋼野 in UTF-8
    try {
        (void)readTextFile(dir.path() / "a.ini");
        FAIL() << "a UTF-8 file was read as Shift_JIS";
    } catch (const EncodingError& e) {
        EXPECT_EQ(e.line, 2);
        EXPECT_NE(std::string(e.what()).find("UTF-8"), std::string::npos);
    }
    EXPECT_TRUE(looksLikeUtf8("\xE9\x8B\xBC"));
    EXPECT_FALSE(looksLikeUtf8("\xC3\xA9"));           // no character of three bytes
    EXPECT_FALSE(looksLikeUtf8("\xE0\x80\x80"));       // an overlong form is not UTF-8
    EXPECT_FALSE(looksLikeUtf8(toCp932("鋼野拳士")));  // Shift_JIS Japanese as it is typed
    EXPECT_TRUE(encodableInCp932("關羽"));             // UTF-8's shape, but no half-width kana
    // A level-2 kanji whose second byte is 0x80 to 0xBF, then a half-width kana: UTF-8's shape.
    std::string odd = fromCp932("\xE0\xA1\xB1");
    EXPECT_FALSE(readsBackAsShiftJis(toCp932(odd)));
    EXPECT_FALSE(encodableInCp932(odd));
    EXPECT_TRUE(encodableInCp932(odd + "あ"));
}

}  // namespace
}  // namespace vargo
