#pragma once
// What a store holds, as plain values tests can compare, and ways to look at a file afresh.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "store/record_store.h"
#include "support/faulty_file_system.h"

namespace extdict::test {

struct Row {
    std::string extension;
    std::string note;
    bool deleted = false;
    bool operator==(const Row&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Row& row);

using Rows = std::vector<Row>;

// The program's schema: "扩展名" text 50, "注释" text 512.
std::vector<FieldDescriptor> programFields();

Rows rowsOf(const RecordStore& store);

// Opens the file with a new store, as the next run would; nothing when it does not open.
std::optional<Rows> reopenRows(FileSystem& files, std::string_view path);
// The same on a copy of the file, leaving the original and its open stores alone.
std::optional<Rows> rowsOfCopy(const FaultyFileSystem& files, std::string_view path);

// A new store file at `path` holding `rows`, built through the store's own operations.
void makeStore(FileSystem& files, std::string_view path, const Rows& rows);

} // namespace extdict::test
