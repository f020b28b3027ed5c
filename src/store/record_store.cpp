#include "store/record_store.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "store/record_layout.h"
#include "store/store_file.h"

namespace extdict {

struct RecordStore::Impl {
    explicit Impl(FileSystem& fs) : files(fs), records(fs) {}

    FileSystem& files;
    std::unique_ptr<StoreFile> file; // none while closed
    std::optional<RecordLayout> layout;
    RecordBuffer records; // record 1 first
    int count = 0;
    int cursor = 0; // 0: no current record
    std::uint64_t changes = 0;

    std::size_t offsetOf(int record) const {
        return static_cast<std::size_t>(record - 1) * layout->recordSize();
    }
    std::string_view image(int record) const {
        return records.view().substr(offsetOf(record), layout->recordSize());
    }
    void moveToFirst() { cursor = count > 0 ? 1 : 0; }

    bool rewrite(int record, const std::string& newImage) {
        if (newImage == image(record)) return true;
        if (!file->rewrite(static_cast<std::uint64_t>(record - 1), image(record), newImage))
            return false;
        std::memcpy(records.data() + offsetOf(record), newImage.data(), newImage.size());
        ++changes;
        return true;
    }

    bool append(const std::vector<NewRecord>& newRecords) {
        const auto size = layout->recordSize();
        const auto start = records.size();
        records.resize(start + newRecords.size() * size);
        for (std::size_t i = 0; i < newRecords.size(); ++i)
            layout->putNewRecord({records.data() + start + i * size, size}, newRecords[i].extension,
                                 newRecords[i].note);
        if (!file->append(records.view().substr(start))) {
            records.resize(start);
            return false;
        }
        count += static_cast<int>(newRecords.size());
        cursor = count;
        ++changes;
        return true;
    }

    // Puts a new file holding `kept` in place of the store's file; memory follows the file.
    bool swapIn(RecordBuffer kept) {
        auto swap = file->replaceWith(*layout, kept.view());
        if (!swap.file) return false;
        file = std::move(swap.file);
        records = std::move(kept);
        count = static_cast<int>(records.size() / layout->recordSize());
        ++changes;
        moveToFirst();
        return swap.durable;
    }

    bool anyDeleted() const {
        for (int record = 1; record <= count; ++record)
            if (RecordLayout::isDeleted(image(record))) return true;
        return false;
    }

    RecordBuffer liveRecords() const {
        RecordBuffer kept(files);
        kept.reserve(records.size());
        for (int record = 1; record <= count; ++record)
            if (!RecordLayout::isDeleted(image(record))) kept.append(image(record));
        return kept;
    }
};

RecordStore::RecordStore(FileSystem& files) : impl_(std::make_unique<Impl>(files)) {}

RecordStore::~RecordStore() { close(); }

void RecordStore::refreshView() {
    view_ = impl_->layout ? impl_->layout->viewOf(impl_->records.view().data(), impl_->count)
                          : RecordView{};
}

bool RecordStore::open(std::string_view path) {
    close();
    auto loaded = StoreFile::open(impl_->files, path);
    if (!loaded) return false;
    impl_->file = std::move(loaded->file);
    impl_->layout = std::move(loaded->layout);
    impl_->records = std::move(loaded->records);
    impl_->count = static_cast<int>(impl_->records.size() / impl_->layout->recordSize());
    impl_->moveToFirst();
    ++impl_->changes;
    refreshView();
    return true;
}

bool RecordStore::create(std::string_view path, const std::vector<FieldDescriptor>& fields) {
    const auto layout = RecordLayout::fromFields(fields);
    return layout && StoreFile::create(impl_->files, path, *layout);
}

void RecordStore::close() {
    if (!impl_->file) return;
    impl_->file->close();
    impl_->file.reset();
    impl_->layout.reset();
    impl_->records = RecordBuffer(impl_->files);
    impl_->count = 0;
    impl_->cursor = 0;
    ++impl_->changes;
    refreshView();
}

int RecordStore::recordCount() const { return impl_->count; }

int RecordStore::currentRecord() const { return impl_->cursor == 0 ? 1 : impl_->cursor; }

void RecordStore::goTo(int n) {
    impl_->cursor = impl_->count == 0 ? 0 : std::clamp(n, 1, impl_->count);
}

bool RecordStore::isBeforeFirst() const { return impl_->cursor == 0; }

bool RecordStore::isAfterLast() const { return impl_->cursor == 0; }

bool RecordStore::isDeleted() const { return isDeletedAt(impl_->cursor); }

std::string RecordStore::readField(int k) const {
    return std::string(fieldView(impl_->cursor, k));
}

bool RecordStore::writeField(int k, std::string_view text) {
    if (impl_->cursor == 0 || k < 1 || k > impl_->layout->fieldCount()) return false;
    std::string updated(impl_->image(impl_->cursor));
    impl_->layout->putField(updated, k, text);
    return impl_->rewrite(impl_->cursor, updated);
}

bool RecordStore::addRecord(std::string_view extension, std::string_view note) {
    return addRecords({{extension, note}});
}

bool RecordStore::addRecords(const std::vector<NewRecord>& newRecords) {
    if (!impl_->file || newRecords.size() > static_cast<std::size_t>(INT_MAX - impl_->count))
        return false;
    if (newRecords.empty()) return true;
    const bool added = impl_->append(newRecords);
    refreshView();
    return added;
}

bool RecordStore::markDeleted() {
    if (impl_->cursor == 0) return false;
    std::string updated(impl_->image(impl_->cursor));
    RecordLayout::putMark(updated, true);
    return impl_->rewrite(impl_->cursor, updated);
}

bool RecordStore::purgeDeleted() {
    if (!impl_->file) return false;
    if (!impl_->anyDeleted()) {
        impl_->moveToFirst();
        return true;
    }
    const bool purged = impl_->swapIn(impl_->liveRecords());
    refreshView();
    return purged;
}

bool RecordStore::clearAll() {
    if (!impl_->file) return false;
    if (impl_->count == 0) return true;
    const bool cleared = impl_->swapIn(RecordBuffer(impl_->files));
    refreshView();
    return cleared;
}

std::uint64_t RecordStore::changeCount() const { return impl_->changes; }

} // namespace extdict
