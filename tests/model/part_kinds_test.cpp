#include "model/part_kinds.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <vector>

#include "career/assembly.h"
#include "model/doll_parts.h"
#include "model/owner.h"
#include "screens/shop.h"

namespace vargo {
namespace {

static_assert(std::is_same_v<PartOf<PartKind::Hardware>, Hard>);
static_assert(kindOf<SoftAttack> == PartKind::SoftAttack);

// Every kind has its row, in PartKind order, and the visitors reach each kind once with its type.
TEST(PartKindsTest, TableAndVisitorsCoverEveryKindOnceInOrder) {
    std::set<std::string> keywords, files, labels;
    for (int k = 0; k < kPartKinds; ++k) {
        const PartKindInfo& info = kPartKindInfo[static_cast<size_t>(k)];
        EXPECT_EQ(static_cast<int>(info.kind), k);
        EXPECT_TRUE(keywords.insert(info.keyword).second) << info.keyword;
        EXPECT_TRUE(files.insert(info.file).second) << info.file;
        EXPECT_TRUE(labels.insert(info.label).second) << info.label;
        EXPECT_EQ(partKindFromKeyword(info.keyword), info.kind);
        EXPECT_LE(info.fillable, info.covered);
        EXPECT_LE(info.covered, info.ownedSlots);
        EXPECT_LE(info.dollFileFitted, info.dollFileIds);
        EXPECT_LE(info.dollFileIds, info.dollSlots);
        EXPECT_EQ(visitKind(info.kind, [](auto tag) { return tag.kind; }), info.kind);
    }
    EXPECT_FALSE(partKindFromKeyword("software4"));

    std::vector<PartKind> visited;
    forEachKind([&]<class Part>(KindTag<Part> tag) {
        EXPECT_EQ(kindOf<Part>, tag.kind);
        visited.push_back(tag.kind);
    });
    ASSERT_EQ(visited.size(), static_cast<size_t>(kPartKinds));
    for (int k = 0; k < kPartKinds; ++k) {
        EXPECT_EQ(visited[static_cast<size_t>(k)], static_cast<PartKind>(k));
    }
}

// The shop's selector and the workshop's kind list are the same list: position p is kind p.
TEST(PartKindsTest, ShopAndAssemblyListTheKindsInTableOrder) {
    ASSERT_EQ(Shop::kindLabels().size(), static_cast<size_t>(kPartKinds));
    ASSERT_EQ(Assembly::kindNames().size(), static_cast<size_t>(kPartKinds));
    for (int k = 0; k < kPartKinds; ++k) {
        const char* label = kindInfo(static_cast<PartKind>(k)).label;
        EXPECT_STREQ(Shop::kindLabels()[static_cast<size_t>(k)], label);
        EXPECT_EQ(Assembly::kindNames()[static_cast<size_t>(k)], label);
    }
}

// The inventory and the Doll take the shapes the table gives: purchases fill `fillable` slots,
// the slots beyond exist empty, and a Doll has `dollSlots` places for the kind.
TEST(PartKindsTest, InventoryAndDollFollowTheTable) {
    Owner o;
    doll d;
    forEachKind([&]<class Part>(KindTag<Part> kind) {
        const PartKindInfo& info = kind.info();
        int added = 0;
        for (int i = 0; i < info.ownedSlots + 1; ++i) {
            auto p = std::make_shared<Part>();
            p->ID = static_cast<Int16>(i + 1);
            p->name = "p" + std::to_string(i);
            added += o.add(p) ? 1 : 0;
        }
        EXPECT_EQ(added, info.fillable) << info.keyword;
        for (int i = info.fillable; i < info.ownedSlots; ++i) {
            EXPECT_TRUE(o.part<Part>(i) && isEmptyPart(o.part<Part>(i))) << info.keyword << " " << i;
        }
        EXPECT_THROW(o.part<Part>(info.ownedSlots), std::out_of_range) << info.keyword;
        o.remove<Part>(1, true);
        EXPECT_EQ(o.part<Part>(0)->ID, 2) << info.keyword;
        EXPECT_TRUE(isEmptyPart(o.part<Part>(info.fillable - 1))) << info.keyword;

        for (int i = 0; i < info.dollSlots; ++i) {
            auto p = std::make_shared<Part>();
            setDollPart(d, i, p);
            EXPECT_EQ(dollPart<Part>(d, i), p) << info.keyword << " " << i;
        }
    });
}

}  // namespace
}  // namespace vargo
