#include "store/store_file.h"

#include <climits>
#include <cstring>

namespace extdict {
namespace {

constexpr std::uint64_t kMaxRecords = INT_MAX; // record numbers are ints

std::optional<std::string> readBytes(File& file, std::uint64_t offset, std::size_t size) {
    std::string bytes(size, '\0');
    if (size > 0 && !file.readAt(offset, bytes.data(), size)) return std::nullopt;
    return bytes;
}

std::optional<RecordLayout> readLayout(File& file) {
    const auto block = readBytes(file, 0, format::kHeaderSize);
    if (!block) return std::nullopt;
    const auto header = format::decodeHeader(*block);
    if (!header) return std::nullopt;
    auto layout = RecordLayout::fromFields(header->fields);
    if (!layout || header->recordSize != layout->recordSize() ||
        header->dataOffset != format::dataOffset(layout->recordSize()))
        return std::nullopt;
    return layout;
}

bool allMarksValid(std::string_view records, std::size_t recordSize) {
    for (std::size_t at = 0; at < records.size(); at += recordSize)
        if (!RecordLayout::hasValidMark(records.substr(at, recordSize))) return false;
    return true;
}

struct State {
    format::Commit commit;
    std::optional<format::JournalEntry> journal;
};

// The committed record count and the journal, both consistent with the file's size.
std::optional<State> readState(File& file, std::uint64_t size, std::size_t recordSize) {
    const std::uint64_t dataOffset = format::dataOffset(recordSize);
    if (size < dataOffset) return std::nullopt;
    const auto meta = readBytes(file, format::kHeaderSize, dataOffset - format::kHeaderSize);
    if (!meta) return std::nullopt;
    const auto at = [&](std::uint64_t offset, std::size_t length) {
        return std::string_view(*meta).substr(offset - format::kHeaderSize, length);
    };
    const auto slot = [&](int i) {
        return at(format::kCommitSlotOffsets[i], format::kCommitSlotSize);
    };
    const auto commit = format::newestCommit(slot(0), slot(1));
    if (!commit || commit->recordCount > kMaxRecords ||
        commit->recordCount > (size - dataOffset) / recordSize)
        return std::nullopt;
    auto journal = format::decodeJournal(at(format::kJournalOffset, std::string::npos), recordSize);
    if (journal && (journal->recordIndex >= commit->recordCount ||
                    !RecordLayout::hasValidMark(journal->image)))
        return std::nullopt;
    return State{*commit, std::move(journal)};
}

std::optional<RecordBuffer> readRecords(FileSystem& files, File& file, const State& state,
                                        std::size_t recordSize) {
    const std::size_t bytes = state.commit.recordCount * recordSize;
    RecordBuffer records(files);
    records.reserve(bytes + bytes / 4); // room to grow without moving
    records.resize(bytes);
    if (bytes > 0 && !file.readAt(format::dataOffset(recordSize), records.data(), bytes))
        return std::nullopt;
    // The journaled record may be half written; its saved image is what counts.
    if (state.journal)
        std::memcpy(records.data() + state.journal->recordIndex * recordSize,
                    state.journal->image.data(), recordSize);
    if (!allMarksValid(records.view(), recordSize)) return std::nullopt;
    return records;
}

std::string tempPathFor(std::string_view path) { return std::string(path) + ".tmp"; }

} // namespace

StoreFile::StoreFile(FileSystem& files, std::string_view path, std::unique_ptr<File> file,
                     std::size_t recordSize, format::Commit committed)
    : files_(files), path_(path), file_(std::move(file)), recordSize_(recordSize),
      dataOffset_(format::dataOffset(recordSize)), committed_(committed) {}

std::optional<StoreFile::Loaded> StoreFile::open(FileSystem& files, std::string_view path) {
    auto file = files.open(path, OpenMode::ReadWrite);
    if (!file) return std::nullopt;
    const auto size = file->size();
    if (!size || *size < format::kHeaderSize) return std::nullopt;
    auto layout = readLayout(*file);
    if (!layout) return std::nullopt;
    const std::size_t recordSize = layout->recordSize();
    auto state = readState(*file, *size, recordSize);
    if (!state) return std::nullopt;
    auto records = readRecords(files, *file, *state, recordSize);
    if (!records) return std::nullopt;

    // From here on the file is a store of ours: finish undoing the interrupted change and
    // drop an uncommitted tail.
    std::unique_ptr<StoreFile> store(
        new StoreFile(files, path, std::move(file), recordSize, state->commit));
    store->pendingUndo_ = std::move(state->journal);
    if (!store->settle()) return std::nullopt;
    const std::uint64_t end = store->recordOffset(state->commit.recordCount);
    if (*size > end && !(store->file_->truncate(end) && store->file_->sync())) return std::nullopt;
    // A purge cut short leaves its new file beside the store; it is of no use any more. Left in
    // place it would only cost room until the next purge replaces it.
    files.remove(tempPathFor(path));
    return Loaded{std::move(store), std::move(*layout), std::move(*records)};
}

bool StoreFile::writeNew(FileSystem& files, std::string_view path, const RecordLayout& layout,
                         std::string_view records) {
    auto file = files.open(path, OpenMode::Replace);
    if (!file) return false;
    const std::size_t recordSize = layout.recordSize();
    const format::Commit commit{1, records.size() / recordSize};
    std::string head = format::encodeHeader(layout.fields(), recordSize);
    head.resize(format::dataOffset(recordSize), '\0');
    head.replace(format::commitSlotOffset(commit.sequence), format::kCommitSlotSize,
                 format::encodeCommit(commit));
    return file->writeAt(0, head.data(), head.size()) &&
           (records.empty() || file->writeAt(head.size(), records.data(), records.size())) &&
           file->sync();
}

bool StoreFile::create(FileSystem& files, std::string_view path, const RecordLayout& layout) {
    if (files.exists(path)) return false;
    const auto temp = tempPathFor(path);
    if (writeNew(files, temp, layout, {}) && files.rename(temp, path)) return true;
    files.remove(temp);
    return false;
}

StoreFile::Swap StoreFile::replaceWith(const RecordLayout& layout, std::string_view records) {
    if (!settle()) return {};
    file_.reset();
    const auto temp = tempPathFor(path_);
    const bool written = writeNew(files_, temp, layout, records);
    const bool moved = written && files_.replace(temp, path_);
    // A move that reports failure may still have happened (the folder was not flushed).
    const bool inPlace = moved || (written && !files_.exists(temp));
    if (!inPlace) {
        files_.remove(temp);
        return {}; // this store's file opens again at its next change
    }
    const format::Commit commit{1, records.size() / layout.recordSize()};
    auto file = files_.open(path_, OpenMode::ReadWrite); // or at the first change, should this fail
    std::unique_ptr<StoreFile> fresh(
        new StoreFile(files_, path_, std::move(file), layout.recordSize(), commit));
    return {std::move(fresh), moved};
}

std::uint64_t StoreFile::recordOffset(std::uint64_t index) const {
    return dataOffset_ + index * recordSize_;
}

bool StoreFile::write(std::uint64_t offset, std::string_view bytes) {
    if (!file_) file_ = files_.open(path_, OpenMode::ReadWrite);
    return file_ && file_->writeAt(offset, bytes.data(), bytes.size()) && file_->sync();
}

bool StoreFile::append(std::string_view images) {
    if (!settle()) return false;
    if (!write(recordOffset(committed_.recordCount), images)) return false;
    return commit(committed_.recordCount + images.size() / recordSize_);
}

bool StoreFile::commit(std::uint64_t recordCount) {
    const format::Commit next{committed_.sequence + 1, recordCount};
    const auto offset = format::commitSlotOffset(next.sequence);
    if (write(offset, format::encodeCommit(next))) {
        committed_ = next;
        return true;
    }
    abandonedCommitSlot_ = offset;
    settle();
    return false;
}

bool StoreFile::rewrite(std::uint64_t index, std::string_view oldImage, std::string_view newImage) {
    if (!settle()) return false;
    pendingUndo_ = format::JournalEntry{index, std::string(oldImage)};
    if (write(format::kJournalOffset, format::encodeJournal(index, oldImage)) &&
        write(recordOffset(index), newImage) && clearJournal()) {
        pendingUndo_.reset();
        return true;
    }
    settle();
    return false;
}

bool StoreFile::clearJournal() {
    return write(format::kJournalOffset, format::clearedJournalMark());
}

bool StoreFile::settle() {
    if (abandonedCommitSlot_) {
        if (!write(*abandonedCommitSlot_, std::string(format::kCommitSlotSize, '\0'))) return false;
        abandonedCommitSlot_.reset();
    }
    if (pendingUndo_) {
        if (!write(recordOffset(pendingUndo_->recordIndex), pendingUndo_->image) || !clearJournal())
            return false;
        pendingUndo_.reset();
    }
    return true;
}

void StoreFile::close() {
    settle();
    file_.reset();
}

} // namespace extdict
