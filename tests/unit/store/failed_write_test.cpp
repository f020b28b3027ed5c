// A change whose write or flush fails returns false and leaves the file and the store's
// memory as they were, and the store keeps working.
#include <gtest/gtest.h>

#include "store_operations.h"

using namespace extdict;
using namespace extdict::test;

namespace {

const std::string kPath = "C:\\data\\store.edb";

void failEachChangeInTurn(const Operation& operation, Fault fault) {
    const Rows before = startingRows();
    const Rows expected = rowsAfter(operation);
    for (int n = 1;; ++n) {
        SCOPED_TRACE(n);
        FaultyFileSystem files;
        makeStore(files, kPath, before);
        RecordStore store(files);
        ASSERT_TRUE(store.open(kPath));
        files.failAt(n, fault);
        const bool result = operation.run(store);
        const bool hit = files.faultHit();
        files.disarm();
        if (!hit) {
            EXPECT_TRUE(result);
            EXPECT_EQ(rowsOf(store), expected);
            EXPECT_EQ(rowsOfCopy(files, kPath), expected);
            EXPECT_GT(n, 2); // the change reached the disk, and was flushed
            return;
        }
        EXPECT_FALSE(result);
        const Rows inMemory = rowsOf(store);
        const bool mayHaveLanded = operation.replacesFile && fault == Fault::FailsAfterEffect;
        EXPECT_TRUE(inMemory == before || (mayHaveLanded && inMemory == expected));
        EXPECT_EQ(rowsOfCopy(files, kPath), inMemory);
        EXPECT_EQ(files.paths(), std::vector<std::string>{kPath});

        EXPECT_TRUE(operation.run(store));
        EXPECT_EQ(rowsOf(store), expected);
        EXPECT_EQ(rowsOfCopy(files, kPath), expected);
    }
}

TEST(FailedWrite, EveryWriteOrFlushOfEveryChangeFailingCleanlyLeavesAllAsBefore) {
    for (const auto& operation : changingOperations()) {
        SCOPED_TRACE(operation.name);
        failEachChangeInTurn(operation, Fault::FailsCleanly);
    }
}

TEST(FailedWrite, AFailureReportedAfterTheWriteLandedIsUndoneToo) {
    for (const auto& operation : changingOperations()) {
        SCOPED_TRACE(operation.name);
        failEachChangeInTurn(operation, Fault::FailsAfterEffect);
    }
}

TEST(FailedWrite, AFullDiskRefusesWhatNeedsRoomAndKeepsInPlaceChangesWorking) {
    for (const auto& operation : changingOperations()) {
        SCOPED_TRACE(operation.name);
        FaultyFileSystem files;
        makeStore(files, kPath, startingRows());
        RecordStore store(files);
        ASSERT_TRUE(store.open(kPath));
        files.setCapacity(files.contents(kPath)->size());
        const std::string name = operation.name;
        const bool inPlace =
            name == "write extension" || name == "write note" || name == "mark deleted";
        EXPECT_EQ(operation.run(store), inPlace);
        const Rows expected = inPlace ? rowsAfter(operation) : startingRows();
        EXPECT_EQ(rowsOf(store), expected);
        EXPECT_EQ(rowsOfCopy(files, kPath), expected);
        EXPECT_EQ(files.paths(), std::vector<std::string>{kPath});
    }
}

TEST(FailedWrite, CreateThatFailsLeavesNoFileBehind) {
    for (int n = 1;; ++n) {
        FaultyFileSystem files;
        RecordStore store(files);
        files.failAt(n, Fault::FailsCleanly);
        const bool created = store.create(kPath, programFields());
        if (!files.faultHit()) {
            EXPECT_TRUE(created);
            break;
        }
        EXPECT_FALSE(created) << n;
        EXPECT_TRUE(files.paths().empty()) << n;
    }
}

} // namespace
