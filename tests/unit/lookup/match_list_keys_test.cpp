#include <gtest/gtest.h>

#include "lookup_window.h"
#include "text/encoding.h"

namespace extdict::test {
namespace {

using Items = std::vector<std::string>;
namespace key = tk::key;
namespace mod = tk::modifier;

std::vector<StoredRecord> fourTees() {
    return {{"ta", "A"}, {"tb", "B"}, {"tc", "C"}, {"td", "D"}};
}

struct MoveCase {
    int from;
    int key;
    int modifiers;
    int to;
};

TEST(MatchListKeys, ArrowsMoveTheSelectionWithWrapAroundFirst) {
    const MoveCase cases[] = {
        {0, key::Down, 0, 1},           {3, key::Down, 0, 0},
        {3, key::Down, mod::Ctrl, 0},   {0, key::Down, mod::Ctrl, 3},
        {1, key::Down, mod::Shift, 2},  {1, key::Down, mod::Alt, 2},
        {1, key::Down, mod::Ctrl | mod::Shift, 2},
        {-1, key::Down, 0, 0},          {0, key::Up, 0, 3},
        {0, key::Up, mod::Ctrl, 3},     {2, key::Up, mod::Ctrl, 0},
        {2, key::Up, 0, 1},             {2, key::Up, mod::Ctrl | mod::Alt, 1},
        {-1, key::Up, 0, -1},
    };
    for (const MoveCase& c : cases) {
        LookupWindow w(fourTees());
        w.ui.typeText(w.edit, "t");
        w.ui.setListSelection(w.list, c.from);
        EXPECT_FALSE(w.matchList.onKeyDown(c.key, c.modifiers));
        EXPECT_EQ(w.selection(), c.to) << c.from << ' ' << c.key << ' ' << c.modifiers;
        EXPECT_TRUE(w.listShown());
        EXPECT_EQ(w.editText(), "t");
    }
}

TEST(MatchListKeys, OtherKeysWithTheListShownPassThrough) {
    LookupWindow w(fourTees());
    w.ui.typeText(w.edit, "t");
    for (const int k : {key::Left, key::Right, int{'A'}, 9}) {
        EXPECT_TRUE(w.matchList.onKeyDown(k, 0)) << k;
        EXPECT_EQ(w.selection(), 0);
        EXPECT_TRUE(w.listShown());
    }
}

TEST(MatchListKeys, EscHidesTheListAndPassesOn) {
    LookupWindow w(fourTees());
    w.ui.typeText(w.edit, "t");
    EXPECT_TRUE(w.matchList.onKeyDown(key::Escape, 0));
    EXPECT_FALSE(w.listShown());
    EXPECT_EQ(w.items().size(), 4u);
}

TEST(MatchListKeys, ReleasingLeftOrRightFiltersAgain) {
    for (const int k : {key::Left, key::Right}) {
        LookupWindow w(fourTees());
        w.ui.typeText(w.edit, "t");
        w.ui.pressKey(w.edit, key::Escape);
        ASSERT_FALSE(w.listShown());
        w.ui.listClear(w.list);
        w.matchList.onKeyUp(k, 0);
        EXPECT_TRUE(w.listShown());
        EXPECT_EQ(w.items(), (Items{"ta", "tb", "tc", "td"}));
    }
}

TEST(MatchListKeys, ReleasingUpOrDownFiltersOnlyWithTheListHidden) {
    for (const int k : {key::Up, key::Down}) {
        LookupWindow w(fourTees());
        w.ui.typeText(w.edit, "t");
        w.ui.setListSelection(w.list, 2);
        w.matchList.onKeyUp(k, 0);
        EXPECT_EQ(w.selection(), 2) << "a shown list is left alone";
        w.ui.setVisible(w.list, false);
        w.matchList.onKeyUp(k, 0);
        EXPECT_TRUE(w.listShown());
        EXPECT_EQ(w.selection(), 0);
    }
}

TEST(MatchListKeys, OtherReleasesDoNothing) {
    LookupWindow w(fourTees());
    w.ui.typeText(w.edit, "t");
    w.ui.setVisible(w.list, false);
    w.matchList.onKeyUp(key::Enter, 0);
    w.matchList.onKeyUp(int{'T'}, 0);
    EXPECT_FALSE(w.listShown());
}

TEST(MatchListKeys, EnterOrSpaceChoosesTheSelectedItem) {
    for (const int k : {key::Enter, key::Space}) {
        LookupWindow w;
        w.ui.typeText(w.edit, "t");
        w.ui.pressKey(w.edit, key::Down);
        w.ui.pressKey(w.edit, k);
        EXPECT_EQ(w.editText(), "tmp") << "the key itself never reaches the box";
        EXPECT_EQ(w.ui.selectionStart(w.edit), 3);
        EXPECT_EQ(w.ui.selectionLength(w.edit), 0);
        EXPECT_EQ(w.noteText(), "temporary file");
        EXPECT_FALSE(w.listShown());
        EXPECT_EQ(w.matchList.chosenRecord, 2);
        EXPECT_EQ(w.store.currentRecord(), 2);
    }
}

TEST(MatchListKeys, EnterWithNothingSelectedChoosesTheFirstItem) {
    LookupWindow w;
    w.ui.typeText(w.edit, "t");
    w.ui.setListSelection(w.list, -1);
    EXPECT_FALSE(w.matchList.onKeyDown(key::Enter, 0));
    EXPECT_EQ(w.editText(), "txt");
    EXPECT_EQ(w.noteText(), "text file");
}

TEST(MatchListKeys, EnterWithTheListHiddenShowsEveryUnmarkedRecordAsStored) {
    LookupWindow w;
    w.ui.setText(w.edit, "zz");
    EXPECT_TRUE(w.matchList.onKeyDown(key::Enter, 0));
    EXPECT_EQ(w.items(), (Items{"txt", "TMP", "文本", "doc"}));
    EXPECT_EQ(w.itemValues(), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_TRUE(w.listShown());
    EXPECT_EQ(w.selection(), 0);
    EXPECT_EQ(w.store.currentRecord(), 5);
    EXPECT_EQ(w.editText(), "zz");
}

TEST(MatchListKeys, ChoosingFromTheCompleteListWritesTheTextAsStored) {
    LookupWindow w;
    w.ui.pressKey(w.edit, key::Enter);
    w.ui.pressKey(w.edit, key::Down);
    w.ui.pressKey(w.edit, key::Enter);
    EXPECT_EQ(w.editText(), "TMP");
    EXPECT_EQ(w.noteText(), "temporary file");
    EXPECT_FALSE(w.listShown());
    EXPECT_EQ(w.store.currentRecord(), 2);
}

TEST(MatchListKeys, OtherKeysWithTheListHiddenDoNothing) {
    LookupWindow w;
    for (const int k : {key::Space, key::Down, key::Up, key::Escape}) {
        EXPECT_TRUE(w.matchList.onKeyDown(k, 0)) << k;
        EXPECT_FALSE(w.listShown());
        EXPECT_EQ(w.items(), Items{});
    }
}

// With every record marked (or none stored) the complete list is shown empty; Enter and Space
// on it must not invent a choice.
TEST(MatchListKeys, EnterOrSpaceOnAShownEmptyListIsConsumedAndDoesNothing) {
    const std::vector<std::vector<StoredRecord>> stores = {
        {}, {{"gone", "marked note", true}, {"also", "other", true}}};
    for (const auto& records : stores) {
        for (const int k : {key::Enter, key::Space}) {
            LookupWindow w(records);
            w.ui.setText(w.edit, "abc");
            w.ui.setText(w.note, "kept");
            w.ui.pressKey(w.edit, key::Enter);
            ASSERT_TRUE(w.listShown());
            const int cursor = w.store.currentRecord();
            EXPECT_FALSE(w.matchList.onKeyDown(k, 0));
            EXPECT_EQ(w.editText(), "abc");
            EXPECT_EQ(w.noteText(), "kept");
            EXPECT_EQ(w.matchList.chosenRecord, 0);
            EXPECT_EQ(w.store.currentRecord(), cursor);
            EXPECT_TRUE(w.listShown());
        }
    }
}

TEST(MatchListKeys, SelectingAnItemWithTheMouseChoosesIt) {
    LookupWindow w;
    w.ui.setText(w.edit, "");
    w.ui.selectListItem(w.list, 2);
    EXPECT_EQ(w.editText(), "文本");
    EXPECT_EQ(w.ui.selectionStart(w.edit), 4);
    EXPECT_EQ(w.noteText(), "文本文件");
    EXPECT_EQ(w.matchList.chosenRecord, 3);
    EXPECT_FALSE(w.listShown());
}

// choose sets chosenRecord from the item, then the nested filter finds the first record with
// that text; showNote then goes to the record the filter settled on.
TEST(MatchListKeys, ChoosingADuplicateTextShowsTheFirstRecordWithIt) {
    LookupWindow w({{"dup", "first"}, {"DUP", "second"}});
    w.ui.pressKey(w.edit, key::Enter);
    w.ui.selectListItem(w.list, 1);
    EXPECT_EQ(w.editText(), "DUP");
    EXPECT_EQ(w.matchList.chosenRecord, 1);
    EXPECT_EQ(w.noteText(), "first");
    EXPECT_EQ(w.store.currentRecord(), 1);
}

TEST(MatchListKeys, ChoosingAMarkedRecordsItemShowsItsNoteAndLeavesItCurrent) {
    LookupWindow w({{"one", "1"}, {"two", "2"}});
    w.ui.pressKey(w.edit, key::Enter);
    w.store.goTo(2);
    ASSERT_TRUE(w.store.markDeleted());
    w.ui.selectListItem(w.list, 1);
    EXPECT_EQ(w.editText(), "two");
    EXPECT_EQ(w.matchList.chosenRecord, 2);
    EXPECT_EQ(w.noteText(), "2");
    EXPECT_EQ(w.store.currentRecord(), 2);
}

TEST(MatchList, CopyHasTheSameFieldsAndBindStoresTheControls) {
    LookupWindow w;
    w.ui.typeText(w.edit, "txt");
    std::unique_ptr<MatchList> copy(w.matchList.operations->copy(w.matchList));
    EXPECT_EQ(copy->operations, w.matchList.operations);
    EXPECT_EQ(copy->editBox, w.edit);
    EXPECT_EQ(copy->listBox, w.list);
    EXPECT_EQ(copy->chosenRecord, 1);
    copy->bind(7, 8, 9, 10);
    EXPECT_EQ(copy->editBox, (tk::ControlRef{7, 8}));
    EXPECT_EQ(copy->listBox, (tk::ControlRef{9, 10}));
    EXPECT_EQ(w.matchList.editBox, w.edit);
}

} // namespace
} // namespace extdict::test
