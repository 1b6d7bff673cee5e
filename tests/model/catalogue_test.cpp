#include "model/catalogue.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vargo {
namespace {

using test::TempGameFolder;

std::vector<std::string> motorRecord(const std::string& header, const std::string& name,
                                     const std::string& pow) {
    return {header, name, "100", pow + ",50,30"};
}

std::vector<std::string> concat(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& p : parts) {
        all.insert(all.end(), p.begin(), p.end());
    }
    return all;
}

TEST(Catalogue, HeadersReadThreeCharactersAndRoundHalvesToEven) {
    TempGameFolder dir;
    dir.write("ini/Motor.ini", concat({{"モーター一覧 (comment)"},
                                       motorRecord(".007", "七号", "2.5"),
                                       motorRecord(".0083", "八号", "3.5"),
                                       motorRecord(".9", "九号", "4")}));
    CatalogueReader reader(dir.folder());
    auto table = reader.ld_AllMotors();
    EXPECT_TRUE(reader.problems().empty());
    ASSERT_TRUE(table.get(7));
    EXPECT_EQ(table.get(7)->name, "七号");
    EXPECT_EQ(table.get(7)->pow, 2);
    EXPECT_EQ(table.get(8)->pow, 4);
    EXPECT_EQ(table.get(9)->ID, 9);
    // The full load never sets maxHP; the load by ID does.
    EXPECT_EQ(table.get(7)->maxHP, 0);
    EXPECT_EQ(table.get(7)->HP, 50);
    auto byId = reader.ld_Motor(8);
    EXPECT_EQ(byId->maxHP, 50);
    EXPECT_EQ(byId->weight, 30);
    EXPECT_EQ(table.capacity(), 20);
    EXPECT_FALSE(table.get(1));
}

TEST(Catalogue, FullLoadStopsAfterTheStopId) {
    TempGameFolder dir;
    // After motor 20 the reader stops: the broken record below is never read.
    dir.write(
        "ini/Motor.ini",
        concat({motorRecord(".019", "a", "1"), motorRecord(".020", "b", "1"), {".005", "never read", "x"}}));
    CatalogueReader reader(dir.folder());
    auto table = reader.ld_AllMotors();
    EXPECT_TRUE(reader.problems().empty());
    EXPECT_TRUE(table.get(20));
    EXPECT_FALSE(table.get(5));
}

TEST(Catalogue, AttackSoftwareStopsAtSeven) {
    TempGameFolder dir;
    std::vector<std::string> lines;
    for (int id : {1, 8, 2}) {
        lines.push_back("." + std::to_string(id));
        lines.push_back("攻撃" + std::to_string(id));
        lines.push_back("300");
        lines.push_back("1,2,3,4,5");
        lines.push_back("6,7,8,9,10");
    }
    dir.write("ini/Software2.ini", lines);
    CatalogueReader reader(dir.folder());
    auto table = reader.ld_AllSoftA();
    EXPECT_TRUE(table.get(1));
    EXPECT_TRUE(table.get(8));
    EXPECT_FALSE(table.get(2));  // came after 8, which is at or above 7
    // Full-load software carries bare costs: code 0, no name.
    auto s = table.get(1);
    EXPECT_EQ(s->punch->ID, 0);
    EXPECT_EQ(s->punch->name, "");
    EXPECT_EQ(s->punch->AP, 1);
    EXPECT_EQ(s->hold->Memory, 10);
    // By ID: the software's own named actions with the costs copied in.
    auto byId = reader.ld_SoftA(2);
    EXPECT_EQ(byId->name, "攻撃2");
    EXPECT_EQ(byId->kick->ID, kKick);
    EXPECT_EQ(byId->kick->name, "キック");
    EXPECT_EQ(byId->kick->AP, 2);
    EXPECT_EQ(byId->kick->Memory, 7);
    EXPECT_EQ(byId->getAction(kKick), byId->kick);
}

TEST(Catalogue, ByIdSearchEndsAtTheEndValue) {
    TempGameFolder dir;
    dir.write("ini/Protector.ini", {".005", "五", "10", "1,1", ".021", "二十一", "10", "1.5, 2.25", ".020",
                                    "二十", "10", "1,1", ".022", "二十二", "10", "1,1"});
    CatalogueReader reader(dir.folder());
    EXPECT_EQ(reader.ld_Protect(5)->name, "五");
    // 21 is the first header at or above 20, so it is found; everything behind it is not.
    auto p21 = reader.ld_Protect(21);
    EXPECT_EQ(p21->name, "二十一");
    EXPECT_DOUBLE_EQ(p21->AC, 1.5);
    EXPECT_DOUBLE_EQ(p21->weight, 2.25);
    EXPECT_EQ(reader.ld_Protect(20)->name, "");
    EXPECT_EQ(reader.ld_Protect(22)->name, "");
    // Motors search on to 99.
    dir.write("ini/Motor.ini", {".030", "三十", "1", "1,1,1", ".040", "四十", "1", "1,1,1"});
    CatalogueReader motors(dir.folder());
    EXPECT_EQ(motors.ld_Motor(40)->name, "四十");
}

TEST(Catalogue, FrameImageOnlyForTheWorkshopReader) {
    TempGameFolder dir;
    dir.write("ini/Frame.ini", {".1", "軽量フレーム", "500", "5,6,7,8,9", "60,40", "02"});
    CatalogueReader reader(dir.folder());
    auto workshop = reader.ld_Frame(1);
    EXPECT_EQ(workshop->image, "02");
    EXPECT_EQ(workshop->maxHP, 60);
    EXPECT_EQ(workshop->spin, 9);
    auto battle = reader.ldFrame(1);
    EXPECT_EQ(battle->image, "00");
    EXPECT_EQ(battle->HP, 60);
    EXPECT_EQ(reader.ld_AllFrame().get(1)->image, "02");
}

TEST(Catalogue, MissingRecordsAndFilesGiveEmptyParts) {
    TempGameFolder dir;
    CatalogueReader reader(dir.folder());
    auto m = reader.ld_Motor(3);
    EXPECT_TRUE(isEmptyPart(m));
    auto soft = reader.ld_SoftM(1);
    EXPECT_EQ(soft->name, "");
    EXPECT_EQ(soft->move->ID, kMove);
    EXPECT_EQ(soft->move->AP, 0);
    ASSERT_EQ(reader.missingFiles().size(), 2u);
    EXPECT_EQ(reader.missingFiles()[0], "ini/Motor.ini");
    EXPECT_EQ(reader.ld_AllMotors().byId.size(), 21u);
}

TEST(Catalogue, GetActionOutsideTheSoftwaresCodesIsEmpty) {
    SoftMobile s;
    auto a = s.getAction(5);
    EXPECT_EQ(a->ID, 0);
    EXPECT_EQ(a->name, "");
    EXPECT_NE(a, s.getAction(5));  // a new one each time
    EXPECT_EQ(s.getAction(kSpin), s.spin);
    SoftDeffence d;
    EXPECT_EQ(d.getAction(kHazusi)->name, "外し");
}

// A bad record is reported with its line and never stored half-filled.
TEST(Catalogue, BadRecordsAreReportedAndSkipped) {
    TempGameFolder dir;
    dir.write("ini/Motor.ini", {".1",   "ok",   "100",   "1,2,3",  // lines 1-4
                                ".2",   "bad",  "lots",  "1,2,3",  // 5-8: Rl not a number
                                ".3",   "huge", "40000", "1,2,3", ".4",     "short", "100",  ".5",
                                "fine", "1",    "1,1,1", ".21",   "beyond", "1",     "1,1,1"});
    CatalogueReader reader(dir.folder());
    auto table = reader.ld_AllMotors();
    EXPECT_TRUE(table.get(1));
    EXPECT_FALSE(table.get(2));
    EXPECT_FALSE(table.get(3));
    EXPECT_FALSE(table.get(4));
    EXPECT_TRUE(table.get(5));
    ASSERT_EQ(reader.problems().size(), 4u);
    EXPECT_EQ(reader.problems()[0].text(), "ini/Motor.ini:7: 「lots」は数値ではありません");
    EXPECT_EQ(reader.problems()[1].line, 11);
    EXPECT_EQ(reader.problems()[2].line, 16);  // the header that cut record 4 short
    EXPECT_NE(reader.problems()[3].problem.find("beyond"), std::string::npos);
}

TEST(Catalogue, CheckFindsGapsDuplicatesAndUnreachableRecords) {
    TempGameFolder dir;
    dir.write("ini/Software2.ini", {"; attack programs", ".1", "A", "1", "1,1,1,1,1", "1,1,1,1,1", ".7", "B",
                                    "1", "1,1,1,1,1", "1,1,1,1,1", ".1", "C", "1", "1,1,1,1,1", "1,1,1,1,1"});
    auto problems = checkCatalogue(dir.folder(), PartKind::SoftAttack);
    std::vector<std::string> texts;
    texts.reserve(problems.size());
    for (const auto& p : problems) {
        texts.push_back(p.text());
    }
    ASSERT_EQ(texts.size(), 7u) << ::testing::PrintToString(texts);
    EXPECT_EQ(texts[0], "ini/Software2.ini:12: record ID 1 appears twice");
    EXPECT_NE(texts[1].find("after the shop stops"), std::string::npos);
    EXPECT_NE(texts[2].find("no record with ID 2"), std::string::npos);
}

}  // namespace
}  // namespace vargo
