#pragma once
// Every kind of change to a store, run against one small starting store, for the tests that
// break the disk in the middle of each.

#include <functional>
#include <vector>

#include "store_rows.h"

namespace extdict::test {

struct Operation {
    const char* name;
    std::function<bool(RecordStore&)> run;
    // Replaces the whole file: a move that reports failure may still have put the new one in place.
    bool replacesFile;
};

const Rows& startingRows();
const std::vector<Operation>& changingOperations();
// The rows after the operation ran on the starting store without any fault.
Rows rowsAfter(const Operation& operation);

} // namespace extdict::test
