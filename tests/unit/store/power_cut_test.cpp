// The program stops at any point of a change and the power goes: the file opens with the
// change whole or absent, and a change that returned true is there. Recovery on open may
// itself be cut short and is redone on the next open.
#include <gtest/gtest.h>

#include "store_operations.h"

using namespace extdict;
using namespace extdict::test;

namespace {

const std::string kPath = "C:\\data\\store.edb";

struct Loss {
    PowerLoss kind;
    std::uint32_t seed;
};

// Stops the program at each change of a fresh open of `bytes` and checks the next open sees `rows`.
void expectRecoveryToBeRepeatable(const std::string& bytes, const Rows& rows, const Loss& loss) {
    for (int m = 1;; ++m) {
        FaultyFileSystem files;
        files.putFile(kPath, bytes);
        files.failAt(m, Fault::Crash);
        RecordStore(files).open(kPath);
        const bool hit = files.faultHit();
        files.powerCut(loss.kind, loss.seed);
        files.disarm();
        EXPECT_EQ(reopenRows(files, kPath), rows) << "recovery stopped at change " << m;
        if (!hit) return;
    }
}

void cutPowerAtEachChange(const Operation& operation, const Loss& loss) {
    const Rows before = startingRows();
    const Rows expected = rowsAfter(operation);
    for (int n = 1;; ++n) {
        SCOPED_TRACE(n);
        FaultyFileSystem files;
        makeStore(files, kPath, before);
        bool result = false;
        {
            RecordStore store(files);
            ASSERT_TRUE(store.open(kPath));
            files.failAt(n, Fault::Crash);
            result = operation.run(store);
        }
        const bool hit = files.faultHit();
        files.powerCut(loss.kind, loss.seed + static_cast<std::uint32_t>(n));
        files.disarm();
        const auto bytes = files.contents(kPath);
        ASSERT_TRUE(bytes);
        const auto rows = rowsOfCopy(files, kPath);
        ASSERT_TRUE(rows);
        EXPECT_TRUE(*rows == before || *rows == expected);
        if (result) {
            EXPECT_EQ(*rows, expected);
        }
        expectRecoveryToBeRepeatable(*bytes, *rows, loss);
        if (!hit) return;
    }
}

TEST(PowerCut, UnflushedWritesLostAtAnyPointKeepEachChangeWholeOrAbsent) {
    for (const auto& operation : changingOperations()) {
        SCOPED_TRACE(operation.name);
        cutPowerAtEachChange(operation, {PowerLoss::DropUnflushed, 0});
    }
}

TEST(PowerCut, UnflushedWritesPartlyKeptAtAnyPointKeepEachChangeWholeOrAbsent) {
    for (const auto& operation : changingOperations()) {
        SCOPED_TRACE(operation.name);
        for (std::uint32_t seed = 1; seed <= 40; ++seed)
            cutPowerAtEachChange(operation, {PowerLoss::KeepRandomPieces, seed * 1000});
    }
}

} // namespace
