#include <gtest/gtest.h>

#include "lookup_window.h"
#include "text/encoding.h"

namespace extdict::test {
namespace {

using Items = std::vector<std::string>;
using Values = std::vector<int>;

struct FilterCase {
    const char* typed;  // UTF-8
    Items items;
    Values values;
    int chosenRecord;   // 0: no exact match
    int cursor;
};

// Store: 1 'txt', 2 'TMP', 3 '文本', 4 'doc', 5 'tar' marked.
const FilterCase kFilterCases[] = {
    {"t", {"txt", "tmp"}, {1, 2}, 0, 5},
    {"w", {"文本"}, {3}, 0, 5},
    {"W", {"文本"}, {3}, 0, 5},
    {"wb", {"文本"}, {3}, 0, 5},
    {"w本", {"文本"}, {3}, 0, 5},
    {"文b", {"文本"}, {3}, 0, 5},
    {"wx", {}, {}, 0, 5},
    {"b", {}, {}, 0, 5},
    {"TXT", {}, {}, 1, 1},
    {"txt", {}, {}, 1, 1},
    {"tmp", {}, {}, 2, 2},
    {"txtx", {}, {}, 0, 5},
    {"", {"txt", "tmp", "文本", "doc"}, {1, 2, 3, 4}, 0, 5},
    {"zz", {}, {}, 0, 5},
    {"tar", {}, {}, 0, 5},
    {"文本", {}, {}, 3, 3},
    {"本", {}, {}, 0, 5},
};

TEST(MatchListFilter, ListsByCharacterPrefixOrPinyinInitial) {
    for (const FilterCase& c : kFilterCases) {
        LookupWindow w({}, LookupWindow::Wiring::None);
        w.addRecords(sampleRecords());
        w.ui.setText(w.edit, gbk(c.typed));
        w.ui.setText(w.note, "before");
        w.matchList.filter();
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(w.items(), c.items);
        EXPECT_EQ(w.itemValues(), c.values);
        EXPECT_EQ(w.listShown(), !c.items.empty());
        EXPECT_EQ(w.selection(), c.items.empty() ? -1 : 0);
        EXPECT_EQ(w.matchList.chosenRecord, c.chosenRecord);
        EXPECT_EQ(w.store.currentRecord(), c.cursor);
        const auto notes = sampleRecords();
        EXPECT_EQ(w.noteText(), c.chosenRecord ? notes[c.chosenRecord - 1].note : "before");
    }
}

TEST(MatchListFilter, ExactMatchStopsTheWalkAndKeepsTheItemsBeforeIt) {
    LookupWindow w({{"txta", "a"}, {"TXT", "exact"}, {"txtb", "b"}, {"txt", "second"}},
                   LookupWindow::Wiring::None);
    w.ui.setText(w.edit, "txt");
    w.matchList.filter();
    EXPECT_EQ(w.items(), Items{"txta"});
    EXPECT_FALSE(w.listShown());
    EXPECT_EQ(w.matchList.chosenRecord, 2);
    EXPECT_EQ(w.store.currentRecord(), 2);
    EXPECT_EQ(w.noteText(), "exact");
}

TEST(MatchListFilter, EmptyStoreListsNothingAndHidesTheList) {
    LookupWindow w({}, LookupWindow::Wiring::None);
    w.ui.setVisible(w.list, true);
    w.matchList.filter();
    EXPECT_EQ(w.items(), Items{});
    EXPECT_FALSE(w.listShown());
}

TEST(MatchListFilter, DigitsAndSymbolsMatchOnlyThemselves) {
    LookupWindow w({{"7z", ""}, {"中", ""}, {"_x", ""}, {"c++", ""}}, LookupWindow::Wiring::None);
    const std::pair<const char*, Items> cases[] = {
        {"7", {"7z"}}, {"z", {"中"}}, {"Z", {"中"}}, {"_", {"_x"}}, {"c+", {"c++"}}, {"x", {}},
    };
    for (const auto& [typed, items] : cases) {
        w.ui.setText(w.edit, gbk(typed));
        w.matchList.filter();
        EXPECT_EQ(w.items(), items) << typed;
    }
}

// The index is read once; every kind of store change must show in the next filter.
TEST(MatchListFilter, FollowsEveryChangeOfTheStore) {
    LookupWindow w({}, LookupWindow::Wiring::None);
    w.addRecords(sampleRecords());
    w.ui.setText(w.edit, "t");
    w.matchList.filter();
    ASSERT_EQ(w.items(), (Items{"txt", "tmp"}));

    ASSERT_TRUE(w.store.addRecord("Tga", ""));
    w.matchList.filter();
    EXPECT_EQ(w.items(), (Items{"txt", "tmp", "tga"}));

    w.store.goTo(1);
    ASSERT_TRUE(w.store.markDeleted());
    w.matchList.filter();
    EXPECT_EQ(w.items(), (Items{"tmp", "tga"}));

    w.store.goTo(4);
    ASSERT_TRUE(w.store.writeField(1, gbk("通")));
    w.matchList.filter();
    EXPECT_EQ(w.items(), (Items{"tmp", "通", "tga"}));

    ASSERT_TRUE(w.store.purgeDeleted());
    w.matchList.filter();
    EXPECT_EQ(w.items(), (Items{"tmp", "通", "tga"}));
    EXPECT_EQ(w.itemValues(), (Values{1, 3, 4}));

    ASSERT_TRUE(w.store.clearAll());
    w.matchList.filter();
    EXPECT_EQ(w.items(), Items{});
}

} // namespace
} // namespace extdict::test
