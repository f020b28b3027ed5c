// A disk that fills up at any point of any change: the change reports false and leaves the
// file byte for byte as it was (no stray file beside it), and it succeeds once there is room.
// In the program, the user is told, and the next command works.
#include <gtest/gtest.h>

#include "exchange/exchange_texts.h"
#include "lookup/editing_texts.h"
#include "program_run.h"
#include "test_names.h"
#include "text/encoding.h"

namespace extdict::test {
namespace {

const std::string kPath = "C:\\data\\store.edb";
constexpr std::uint64_t kRoomStep = 16;

struct Operation {
    const char* name;
    std::function<bool(RecordStore&)> run;
};

void PrintTo(const Operation& operation, std::ostream* out) { *out << operation.name; }

const StoreRows& startingRows() {
    static const StoreRows rows = {{"txt", "text"},
                                   {"doc", "word"},
                                   {gbk("文档"), std::string(300, 'w'), true},
                                   {"zip", gbk("压缩")}};
    return rows;
}

const Operation kOperations[] = {
    {"add", [](RecordStore& s) { return s.addRecord("new", "note"); }},
    {"bulk add",
     [](RecordStore& s) { return s.addRecords({{"a", "1"}, {gbk("文"), "2"}, {"c", std::string(600, 'c')}}); }},
    {"write extension", [](RecordStore& s) { s.goTo(2); return s.writeField(1, "DOC"); }},
    {"write note", [](RecordStore& s) { s.goTo(4); return s.writeField(2, std::string(512, 'n')); }},
    {"mark deleted", [](RecordStore& s) { s.goTo(1); return s.markDeleted(); }},
    {"purge", [](RecordStore& s) { return s.purgeDeleted(); }},
    {"clear", [](RecordStore& s) { return s.clearAll(); }},
};

StoreRows rowsAfter(const Operation& operation) {
    FaultyFileSystem disk;
    writeStore(disk, kPath, startingRows());
    RecordStore store(disk);
    store.open(kPath);
    operation.run(store);
    return rowsOf(store);
}

class FullDiskTest : public ::testing::TestWithParam<Operation> {};

TEST_P(FullDiskTest, AtAnyPointLeavesTheFileAsItWasAndSucceedsOnceThereIsRoom) {
    const Operation& operation = GetParam();
    const StoreRows expected = rowsAfter(operation);
    int refusals = 0;
    for (std::uint64_t room = 0;; room += kRoomStep) {
        SCOPED_TRACE(room);
        FaultyFileSystem disk;
        writeStore(disk, kPath, startingRows());
        const std::string bytes = *disk.contents(kPath);
        RecordStore store(disk);
        ASSERT_TRUE(store.open(kPath));
        disk.setCapacity(bytes.size() + room);
        if (operation.run(store)) {
            EXPECT_EQ(rowsOf(store), expected);
            EXPECT_EQ(storeRows(disk, kPath), expected);
            break;
        }
        ++refusals;
        EXPECT_EQ(rowsOf(store), startingRows());
        EXPECT_EQ(disk.contents(kPath), bytes);
        EXPECT_EQ(disk.paths(), std::vector<std::string>{kPath});

        disk.setCapacity(std::nullopt);
        EXPECT_TRUE(operation.run(store));
        EXPECT_EQ(storeRows(disk, kPath), expected);
    }
    const std::string name = operation.name;
    const bool inPlace = name == "write extension" || name == "write note" || name == "mark deleted";
    EXPECT_EQ(refusals > 0, !inPlace);
    RecordProperty("refusals", refusals);
}

INSTANTIATE_TEST_SUITE_P(EveryChange, FullDiskTest, ::testing::ValuesIn(kOperations),
                         [](const auto& info) { return testNameOf(info.param.name); });

// ---- In the program ----

class FullDiskProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        p.putDatabase({{"txt", "text"}, {"doc", "word"}});
        p.disk.setCapacity(p.disk.contents(p.databasePath())->size());
    }

    void freeTheDisk() { p.disk.setCapacity(std::nullopt); }

    ProgramRun p;
};

TEST_F(FullDiskProgramTest, AddSaysItFailedAndWorksOnceThereIsRoom) {
    std::vector<std::string> seen;
    p.then([&] {
        p.paste("编辑框扩展名", "new");
        p.paste("编辑框注释", "note");
        p.click("按钮添加");
    });
    p.then([&] { seen.push_back(p.caption()); }, StepTiming::after(10));
    p.then([&] {
        p.paste("编辑框扩展名", "txt");
        seen.push_back(p.text("编辑框注释"));
        freeTheDisk();
        p.paste("编辑框扩展名", "new");
        p.paste("编辑框注释", "note");
        p.click("按钮添加");
    });
    p.then([&] { seen.push_back(p.caption()); }, StepTiming::after(10));
    p.run();

    EXPECT_EQ(seen, (std::vector<std::string>{editing_texts::addFailed("new"), "text",
                                                  editing_texts::addDone("new")}));
    EXPECT_EQ(p.databaseRows(), (StoreRows{{"txt", "text"}, {"doc", "word"}, {"new", "note"}}));
}

TEST_F(FullDiskProgramTest, ImportSaysNothingWasSavedAndWorksOnceThereIsRoom) {
    const auto importText = [&] {
        p.then([&] { p.click("按钮导入"); });
        p.then([&] {
            p.paste("编辑框输入区", "a,,,1;;;TXT,,,2;;;b,,,3", "InputWindow");
            p.click("按钮确认", "InputWindow");
        }, StepTiming::after(10));
    };
    importText();
    p.then([&] { freeTheDisk(); });
    importText();
    p.run();

    EXPECT_EQ(p.messages(), (std::vector<std::string>{exchange_texts::importNotSaved(),
                                                      exchange_texts::importDone()}));
    EXPECT_EQ(p.databaseRows(),
              (StoreRows{{"txt", "text"}, {"doc", "word"}, {"a", "1"}, {"b", "3"}}));
}

} // namespace
} // namespace extdict::test
