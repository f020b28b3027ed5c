// The store's operations and the cursor they leave, on an in-memory disk.
#include <functional>

#include <gtest/gtest.h>

#include "store/record_store.h"
#include "store_rows.h"
#include "text/encoding.h"

using namespace extdict;
using namespace extdict::test;

namespace {

const std::string kPath = "C:\\dict\\store.edb";

class RecordStoreTest : public ::testing::Test {
protected:
    void openWith(const Rows& rows) {
        makeStore(files, kPath, rows);
        ASSERT_TRUE(store.open(kPath));
    }

    FaultyFileSystem files;
    RecordStore store{files};
};

using Action = std::function<bool(RecordStore&)>;

struct CursorCase {
    const char* name;
    Rows rows;  // the store as opened
    Action act; // its result is checked too
    int count;
    int current;
    std::string currentExtension; // "" also for no current record
    bool deleted;
};

const Rows kThree = {{"a", "1"}, {"b", "2"}, {"c", "3"}};

// The action after moving to `record`.
Action at(int record, Action action) {
    return [record, action](RecordStore& s) {
        s.goTo(record);
        return action(s);
    };
}

// Runs both actions; true when both are.
Action both(Action first, Action second) {
    return [first, second](RecordStore& s) { return first(s) && second(s); };
}

Action refused(Action action) {
    return [action](RecordStore& s) { return !action(s); };
}

const Action none = [](RecordStore&) { return true; };
const Action mark = [](RecordStore& s) { return s.markDeleted(); };
const Action purge = [](RecordStore& s) { return s.purgeDeleted(); };
const Action clear = [](RecordStore& s) { return s.clearAll(); };
const Action add = [](RecordStore& s) { return s.addRecord("d", "4"); };
const Action writeB = [](RecordStore& s) { return s.writeField(1, "B"); };

TEST_F(RecordStoreTest, EachOperationLeavesTheCursorWhereItShould) {
    const Action writeField0And3 = [](RecordStore& s) {
        return !s.writeField(0, "x") && !s.writeField(3, "x");
    };
    const Action bulkAdd = [](RecordStore& s) { return s.addRecords({{"d", "4"}, {"e", "5"}}); };
    const Action emptyBulkAdd = [](RecordStore& s) { return s.addRecords({}); };
    const CursorCase cases[] = {
        {"new store", {}, none, 0, 1, "", false},
        {"write on new store", {}, refused(writeB), 0, 1, "", false},
        {"mark on new store", {}, refused(mark), 0, 1, "", false},
        {"goTo on new store", {}, at(3, none), 0, 1, "", false},
        {"open", kThree, none, 3, 1, "a", false},
        {"goTo 0", kThree, at(2, at(0, none)), 3, 1, "a", false},
        {"goTo -7", kThree, at(-7, none), 3, 1, "a", false},
        {"goTo 2", kThree, at(2, none), 3, 2, "b", false},
        {"goTo N+5", kThree, at(8, none), 3, 3, "c", false},
        {"add", kThree, add, 4, 4, "d", false},
        {"add to empty", {}, add, 1, 1, "d", false},
        {"bulk add", kThree, bulkAdd, 5, 5, "e", false},
        {"empty bulk add", kThree, at(2, emptyBulkAdd), 3, 2, "b", false},
        {"mark", kThree, at(2, mark), 3, 2, "b", true},
        {"mark twice", kThree, at(2, both(mark, mark)), 3, 2, "b", true},
        {"write a marked record", kThree, at(2, both(mark, writeB)), 3, 2, "B", true},
        {"write field 0 or 3", kThree, writeField0And3, 3, 1, "a", false},
        {"purge", kThree, both(at(1, mark), at(3, purge)), 2, 1, "b", false},
        {"purge nothing marked", kThree, at(3, purge), 3, 1, "a", false},
        {"purge all", {{"a", "1", true}, {"b", "2", true}}, purge, 0, 1, "", false},
        {"clear", kThree, at(2, clear), 0, 1, "", false},
        {"clear empty", {}, clear, 0, 1, "", false},
        {"add after clear", kThree, both(clear, add), 1, 1, "d", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FaultyFileSystem disk;
        makeStore(disk, kPath, c.rows);
        RecordStore s(disk);
        ASSERT_TRUE(s.open(kPath));
        EXPECT_TRUE(c.act(s));
        EXPECT_EQ(s.recordCount(), c.count);
        EXPECT_EQ(s.currentRecord(), c.current);
        EXPECT_EQ(s.isBeforeFirst(), c.count == 0);
        EXPECT_EQ(s.isAfterLast(), c.count == 0);
        EXPECT_EQ(s.readField(1), c.currentExtension);
        EXPECT_EQ(s.isDeleted(), c.deleted);
        // The file holds what memory holds.
        const auto inMemory = rowsOf(s);
        s.close();
        EXPECT_EQ(reopenRows(disk, kPath), inMemory);
    }
}

TEST_F(RecordStoreTest, MarkAndPurgeKeepOrderAndRenumber) {
    openWith({{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}});
    store.goTo(2);
    ASSERT_TRUE(store.markDeleted());
    store.goTo(4);
    ASSERT_TRUE(store.markDeleted());
    EXPECT_EQ(store.recordCount(), 4);
    ASSERT_TRUE(store.purgeDeleted());
    const Rows expected = {{"a", "1"}, {"c", "3"}};
    EXPECT_EQ(rowsOf(store), expected);
    store.close();
    EXPECT_EQ(reopenRows(files, kPath), expected);
    EXPECT_EQ(files.paths(), std::vector<std::string>{kPath}); // no temporary file left behind
}

TEST_F(RecordStoreTest, TextsAreCutAtNulAndToTheWholeCharactersThatFit) {
    const std::string wen = gbk("文");
    struct Case {
        std::string text;
        int field;
        std::string stored;
    };
    const Case cases[] = {
        {std::string(50, 'x'), 1, std::string(50, 'x')},
        {std::string(60, 'x'), 1, std::string(50, 'x')},
        {std::string(48, 'x') + wen, 1, std::string(48, 'x') + wen},
        {std::string(49, 'x') + wen, 1, std::string(49, 'x')},
        {"x" + gbk("扩展名文件类型说明文字扩展名文件类型说明文字扩展名文件"), 1,
         "x" + gbk("扩展名文件类型说明文字扩展名文件类型说明文字扩展")},
        {std::string("ab\0cd", 5), 1, "ab"},
        {std::string(512, 'n'), 2, std::string(512, 'n')},
        {std::string(600, 'n'), 2, std::string(512, 'n')},
        {std::string(511, 'n') + wen, 2, std::string(511, 'n')},
        {std::string(510, 'n') + wen, 2, std::string(510, 'n') + wen},
        {std::string("\0tail", 5), 2, ""},
    };
    openWith({{"seed", "seed"}});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.size());
        ASSERT_TRUE(store.writeField(c.field, c.text));
        EXPECT_EQ(store.readField(c.field), c.stored);
        ASSERT_TRUE(store.addRecord(c.field == 1 ? c.text : "", c.field == 2 ? c.text : ""));
        EXPECT_EQ(store.readField(c.field), c.stored);
        ASSERT_TRUE(store.addRecords({{c.field == 1 ? c.text : "", c.field == 2 ? c.text : ""}}));
        EXPECT_EQ(store.readField(c.field), c.stored);
        const auto rows = rowsOf(store);
        store.close();
        EXPECT_EQ(reopenRows(files, kPath), rows);
        ASSERT_TRUE(store.open(kPath));
    }
}

TEST_F(RecordStoreTest, ReopeningGivesBackEveryRecordAndMarkWithRecordOneCurrent) {
    const Rows rows = {{"txt", gbk("文本文件")}, {gbk("文档"), "doc", true}, {"", ""}};
    openWith(rows);
    store.goTo(3);
    store.close();
    EXPECT_EQ(store.recordCount(), 0);
    EXPECT_FALSE(store.addRecord("x", "y"));
    ASSERT_TRUE(store.open(kPath));
    EXPECT_EQ(rowsOf(store), rows);
    EXPECT_EQ(store.currentRecord(), 1);
    EXPECT_EQ(store.readField(2), gbk("文本文件"));
}

TEST_F(RecordStoreTest, ReadsByNumberLeaveTheCursorAloneAndAreEmptyOutsideTheStore) {
    openWith({{"a", "1"}, {"b", "2", true}});
    store.goTo(1);
    EXPECT_EQ(store.fieldView(2, 1), "b");
    EXPECT_EQ(store.fieldView(2, 2), "2");
    EXPECT_TRUE(store.isDeletedAt(2));
    EXPECT_FALSE(store.isDeletedAt(1));
    for (const int outside : {0, -1, 3}) {
        EXPECT_EQ(store.fieldView(outside, 1), "");
        EXPECT_FALSE(store.isDeletedAt(outside));
    }
    EXPECT_EQ(store.fieldView(1, 0), "");
    EXPECT_EQ(store.fieldView(1, 3), "");
    EXPECT_EQ(store.currentRecord(), 1);
}

TEST_F(RecordStoreTest, ChangeCountMovesWithEveryChangeAndOnlyThen) {
    openWith({{"a", "1"}, {"b", "2"}});
    struct Step {
        const char* name;
        std::function<void()> act;
        bool changes;
    };
    const Step steps[] = {
        {"goTo", [&] { store.goTo(2); }, false},
        {"read", [&] { (void)store.readField(1); }, false},
        {"write", [&] { store.writeField(1, "B"); }, true},
        {"same write", [&] { store.writeField(1, "B"); }, false},
        {"mark", [&] { store.markDeleted(); }, true},
        {"mark again", [&] { store.markDeleted(); }, false},
        {"add", [&] { store.addRecord("c", "3"); }, true},
        {"purge", [&] { store.purgeDeleted(); }, true},
        {"purge nothing", [&] { store.purgeDeleted(); }, false},
        {"clear", [&] { store.clearAll(); }, true},
        {"reopen", [&] { store.open(kPath); }, true},
    };
    for (const auto& step : steps) {
        const auto before = store.changeCount();
        step.act();
        EXPECT_EQ(store.changeCount() != before, step.changes) << step.name;
    }
}

TEST_F(RecordStoreTest, BulkAddIsAllOrNone) {
    openWith({{"a", "1"}});
    std::vector<RecordStore::NewRecord> many;
    const std::string note(512, 'n');
    for (int i = 0; i < 200; ++i) many.push_back({"e", note});
    files.setCapacity(files.contents(kPath)->size() + 100 * 576);
    EXPECT_FALSE(store.addRecords(many));
    EXPECT_EQ(store.recordCount(), 1);
    EXPECT_EQ(reopenRows(files, kPath), (Rows{{"a", "1"}}));
    files.setCapacity(std::nullopt);
    EXPECT_TRUE(store.addRecords(many));
    EXPECT_EQ(store.recordCount(), 201);
    EXPECT_EQ(store.currentRecord(), 201);
    EXPECT_EQ(reopenRows(files, kPath)->size(), 201u);
}

TEST_F(RecordStoreTest, MoveAsideFindsTheFirstUnusedName) {
    files.putFile(kPath, "not a store");
    files.putFile(kPath + ".damaged-1", "older");
    EXPECT_EQ(RecordStore::moveAside(files, kPath), kPath + ".damaged-2");
    EXPECT_FALSE(files.exists(kPath));
    EXPECT_EQ(files.contents(kPath + ".damaged-2"), "not a store");
    EXPECT_EQ(files.contents(kPath + ".damaged-1"), "older");
    EXPECT_EQ(RecordStore::moveAside(files, kPath), std::nullopt); // nothing left to move
}

} // namespace
