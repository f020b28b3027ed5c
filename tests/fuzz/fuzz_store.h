#pragma once
// What the fuzz targets compare stores by: every record's two fields and its mark.

#include <optional>
#include <string>
#include <vector>

#include "store/record_store.h"

namespace extdict::fuzz {

struct Row {
    std::string extension;
    std::string note;
    bool deleted = false;

    bool operator==(const Row&) const = default;
};

using Rows = std::vector<Row>;

inline Rows rowsOf(const RecordStore& store) {
    Rows rows;
    for (int record = 1; record <= store.recordCount(); ++record)
        rows.push_back({std::string(store.fieldView(record, 1)), std::string(store.fieldView(record, 2)),
                        store.isDeletedAt(record)});
    return rows;
}

// The rows a fresh open of the file finds; nothing when it does not open.
inline std::optional<Rows> reopenedRows(FileSystem& files, std::string_view path) {
    RecordStore store(files);
    if (!store.open(path)) return std::nullopt;
    return rowsOf(store);
}

} // namespace extdict::fuzz
