#include "store_rows.h"

#include <gtest/gtest.h>

#include "text/encoding.h"

namespace extdict::test {

std::ostream& operator<<(std::ostream& out, const Row& row) {
    return out << "{" << row.extension << " | " << row.note.size() << " bytes"
               << (row.deleted ? " | deleted" : "") << "}";
}

std::vector<FieldDescriptor> programFields() {
    return {{gbk("扩展名"), 10, 50}, {gbk("注释"), 10, 512}};
}

Rows rowsOf(const RecordStore& store) {
    Rows rows;
    for (int record = 1; record <= store.recordCount(); ++record)
        rows.push_back({std::string(store.fieldView(record, 1)),
                        std::string(store.fieldView(record, 2)), store.isDeletedAt(record)});
    return rows;
}

std::optional<Rows> reopenRows(FileSystem& files, std::string_view path) {
    RecordStore store(files);
    if (!store.open(path)) return std::nullopt;
    return rowsOf(store);
}

std::optional<Rows> rowsOfCopy(const FaultyFileSystem& files, std::string_view path) {
    const auto bytes = files.contents(path);
    if (!bytes) return std::nullopt;
    FaultyFileSystem copy;
    copy.putFile(path, *bytes);
    return reopenRows(copy, path);
}

void makeStore(FileSystem& files, std::string_view path, const Rows& rows) {
    RecordStore store(files);
    ASSERT_TRUE(store.create(path, programFields()));
    ASSERT_TRUE(store.open(path));
    for (const auto& row : rows) {
        ASSERT_TRUE(store.addRecord(row.extension, row.note));
        if (row.deleted) {
            ASSERT_TRUE(store.markDeleted());
        }
    }
}

} // namespace extdict::test
