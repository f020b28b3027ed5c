#include "store/record_store.h"

#include <algorithm>
#include <climits>

#include "store/record_layout.h"
#include "store/store_file.h"

namespace extdict {

struct RecordStore::Impl {
    explicit Impl(FileSystem& fs) : files(fs) {}

    FileSystem& files;
    std::string path;
    std::unique_ptr<StoreFile> file; // none while closed
    std::optional<RecordLayout> layout;
    std::string records; // record images back to back, record 1 first
    int count = 0;
    int cursor = 0; // 0: no current record
    std::uint64_t changes = 0;

    std::string_view image(int record) const {
        const auto size = layout->recordSize();
        return std::string_view(records).substr(static_cast<std::size_t>(record - 1) * size, size);
    }

    void moveToFirst() { cursor = count > 0 ? 1 : 0; }

    bool rewrite(int record, const std::string& newImage) {
        if (newImage == image(record)) return true;
        if (!file->rewrite(static_cast<std::uint64_t>(record - 1), image(record), newImage))
            return false;
        records.replace(static_cast<std::size_t>(record - 1) * newImage.size(), newImage.size(),
                        newImage);
        ++changes;
        return true;
    }

    // Puts a new file holding `kept` in place of the store's file; memory follows the file.
    bool swapIn(std::string kept) {
        auto swap = StoreFile::replace(files, path, *layout, kept);
        if (!swap.file) return false;
        file = std::move(swap.file);
        records = std::move(kept);
        count = static_cast<int>(records.size() / layout->recordSize());
        ++changes;
        moveToFirst();
        return swap.durable;
    }

    std::string liveRecords() const {
        std::string kept;
        for (int record = 1; record <= count; ++record)
            if (!RecordLayout::isDeleted(image(record))) kept.append(image(record));
        return kept;
    }
};

RecordStore::RecordStore(FileSystem& files) : impl_(std::make_unique<Impl>(files)) {}

RecordStore::~RecordStore() { close(); }

bool RecordStore::open(std::string_view path) {
    close();
    auto loaded = StoreFile::open(impl_->files, path);
    if (!loaded) return false;
    impl_->path = std::string(path);
    impl_->file = std::move(loaded->file);
    impl_->layout = std::move(loaded->layout);
    impl_->records = std::move(loaded->records);
    impl_->count = static_cast<int>(impl_->records.size() / impl_->layout->recordSize());
    impl_->moveToFirst();
    ++impl_->changes;
    return true;
}

bool RecordStore::create(std::string_view path, const std::vector<FieldDescriptor>& fields) {
    const auto layout = RecordLayout::fromFields(fields);
    return layout && StoreFile::create(impl_->files, path, *layout);
}

void RecordStore::close() {
    if (!impl_->file) return;
    impl_->file->settle();
    impl_->file.reset();
    impl_->layout.reset();
    impl_->records = std::string();
    impl_->count = 0;
    impl_->cursor = 0;
    ++impl_->changes;
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
    const auto size = impl_->layout->recordSize();
    std::string images(newRecords.size() * size, '\0');
    for (std::size_t i = 0; i < newRecords.size(); ++i) {
        const std::span<char> image(images.data() + i * size, size);
        RecordLayout::putMark(image, false);
        impl_->layout->putField(image, 1, newRecords[i].extension);
        impl_->layout->putField(image, 2, newRecords[i].note);
    }
    if (!impl_->file->append(images)) return false;
    impl_->records.append(images);
    impl_->count += static_cast<int>(newRecords.size());
    impl_->cursor = impl_->count;
    ++impl_->changes;
    return true;
}

bool RecordStore::markDeleted() {
    if (impl_->cursor == 0) return false;
    std::string updated(impl_->image(impl_->cursor));
    RecordLayout::putMark(updated, true);
    return impl_->rewrite(impl_->cursor, updated);
}

bool RecordStore::purgeDeleted() {
    if (!impl_->file) return false;
    auto kept = impl_->liveRecords();
    if (kept.size() == impl_->records.size()) {
        impl_->moveToFirst();
        return true;
    }
    return impl_->swapIn(std::move(kept));
}

bool RecordStore::clearAll() {
    if (!impl_->file) return false;
    if (impl_->count == 0) return true;
    return impl_->swapIn({});
}

std::string_view RecordStore::fieldView(int record, int k) const {
    if (record < 1 || record > impl_->count) return {};
    return impl_->layout->field(impl_->image(record), k);
}

bool RecordStore::isDeletedAt(int record) const {
    return record >= 1 && record <= impl_->count && RecordLayout::isDeleted(impl_->image(record));
}

std::uint64_t RecordStore::changeCount() const { return impl_->changes; }

} // namespace extdict
