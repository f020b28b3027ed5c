#pragma once
// A random mix of store changes, each described by a few numbers so that one process can run
// it and another can replay its effect on a plain model of the rows.

#include <cstdint>
#include <random>

#include "store_rows.h"

namespace extdict::test {

enum class ChangeKind : std::uint32_t {
    Add,
    BulkAdd,
    WriteExtension,
    WriteNote,
    Mark,
    Purge,
    Clear,
};

struct Change {
    ChangeKind kind = ChangeKind::Add;
    std::int32_t record = 0; // for the in-place changes
    std::uint32_t seed = 0;  // the texts are drawn from it
};

// A change that makes sense for a store of `recordCount` records.
Change randomChange(std::mt19937& random, int recordCount);

bool applyToStore(RecordStore& store, const Change& change);
void applyToModel(Rows& rows, const Change& change);

} // namespace extdict::test
