#pragma once
// RecordStore: the dictionary's database file. Fixed-width text records with a deleted
// mark, a cursor shared by all callers, and every change durable when the call returns.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/file_system.h"
#include "store/record_view.h"

namespace extdict {

struct FieldDescriptor {
    std::string name;     // GBK
    int typeCode = 0;     // 10 is text
    int maxLength = 20;   // bytes
};

class RecordStore {
public:
    explicit RecordStore(FileSystem& files);
    ~RecordStore();
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    bool open(std::string_view path);
    bool create(std::string_view path, const std::vector<FieldDescriptor>& fields);
    void close();

    int recordCount() const;
    int currentRecord() const;
    void goTo(int n);
    bool isBeforeFirst() const;
    bool isAfterLast() const;
    bool isDeleted() const;
    std::string readField(int k) const;
    bool writeField(int k, std::string_view text);
    bool addRecord(std::string_view extension, std::string_view note);
    bool markDeleted();
    bool purgeDeleted();
    bool clearAll();

    // Appends many records with one flush; all or none are added. Cursor: the last new record.
    struct NewRecord {
        std::string_view extension;
        std::string_view note;
    };
    bool addRecords(const std::vector<NewRecord>& records);

    // Reads by record number without moving the cursor, for fast scans; empty or false
    // outside 1..recordCount.
    std::string_view fieldView(int record, int k) const { return view_.field(record, k); }
    bool isDeletedAt(int record) const { return view_.isDeleted(record); }
    // Bytes field k holds; a longer text is stored cut to the whole characters that fit.
    std::size_t fieldWidth(int k) const {
        return k >= 1 && k <= RecordView::kFieldCount ? view_.widths[k - 1] : 0;
    }
    // Grows with every change to the records (and on open and close), so caches can keep in step.
    std::uint64_t changeCount() const;

    // Moves a file that is not a usable store out of the way, in the same folder, and
    // returns its new path (GBK); nothing when it could not be moved.
    static std::optional<std::string> moveAside(FileSystem& files, std::string_view path);

private:
    // Points the read view at the records again after they changed in number or moved.
    void refreshView();

    struct Impl;
    std::unique_ptr<Impl> impl_;
    RecordView view_;
};

} // namespace extdict
