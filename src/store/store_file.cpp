#include "store/store_file.h"

#include <climits>

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
    const auto commit = format::newestCommit(at(format::kCommitSlotOffsets[0], format::kCommitSlotSize),
                                             at(format::kCommitSlotOffsets[1], format::kCommitSlotSize));
    if (!commit || commit->recordCount > kMaxRecords ||
        commit->recordCount > (size - dataOffset) / recordSize)
        return std::nullopt;
    auto journal = format::decodeJournal(at(format::kJournalOffset, std::string::npos), recordSize);
    if (journal && (journal->recordIndex >= commit->recordCount ||
                    !RecordLayout::hasValidMark(journal->image)))
        return std::nullopt;
    return State{*commit, std::move(journal)};
}

std::optional<std::string> readRecords(File& file, const State& state, std::size_t recordSize) {
    auto records = readBytes(file, format::dataOffset(recordSize), state.commit.recordCount * recordSize);
    if (!records) return std::nullopt;
    // The journaled record may be half written; its saved image is what counts.
    if (state.journal)
        records->replace(state.journal->recordIndex * recordSize, recordSize, state.journal->image);
    if (!allMarksValid(*records, recordSize)) return std::nullopt;
    return records;
}

std::string tempPathFor(std::string_view path) { return std::string(path) + ".tmp"; }

} // namespace

StoreFile::StoreFile(std::unique_ptr<File> file, std::size_t recordSize, format::Commit committed)
    : file_(std::move(file)), recordSize_(recordSize), dataOffset_(format::dataOffset(recordSize)),
      committed_(committed) {}

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
    auto records = readRecords(*file, *state, recordSize);
    if (!records) return std::nullopt;

    // From here on the file is a store of ours: finish undoing the interrupted change and
    // drop an uncommitted tail.
    std::unique_ptr<StoreFile> store(new StoreFile(std::move(file), recordSize, state->commit));
    store->pendingUndo_ = std::move(state->journal);
    if (!store->settle()) return std::nullopt;
    const std::uint64_t end = store->recordOffset(state->commit.recordCount);
    if (*size > end && !(store->file_->truncate(end) && store->file_->sync())) return std::nullopt;
    return Loaded{std::move(store), std::move(*layout), std::move(*records)};
}

std::unique_ptr<StoreFile> StoreFile::writeNew(FileSystem& files, std::string_view path,
                                               const RecordLayout& layout,
                                               std::string_view records) {
    auto file = files.open(path, OpenMode::Replace);
    if (!file) return nullptr;
    const std::size_t recordSize = layout.recordSize();
    const format::Commit commit{1, records.size() / recordSize};
    std::string head = format::encodeHeader(layout.fields(), recordSize);
    head.resize(format::dataOffset(recordSize), '\0');
    head.replace(format::commitSlotOffset(commit.sequence), format::kCommitSlotSize,
                 format::encodeCommit(commit));
    std::unique_ptr<StoreFile> store(new StoreFile(std::move(file), recordSize, commit));
    if (!store->file_->writeAt(0, head.data(), head.size())) return nullptr;
    if (!records.empty() && !store->file_->writeAt(head.size(), records.data(), records.size()))
        return nullptr;
    if (!store->file_->sync()) return nullptr;
    return store;
}

bool StoreFile::create(FileSystem& files, std::string_view path, const RecordLayout& layout) {
    if (files.exists(path)) return false;
    const auto temp = tempPathFor(path);
    if (writeNew(files, temp, layout, {}) && files.rename(temp, path)) return true;
    files.remove(temp);
    return false;
}

StoreFile::Swap StoreFile::replace(FileSystem& files, std::string_view path,
                                   const RecordLayout& layout, std::string_view records) {
    const auto temp = tempPathFor(path);
    auto store = writeNew(files, temp, layout, records);
    if (store && files.replace(temp, path)) return {std::move(store), true};
    // A replacement that reports failure after the move still put the new store in place.
    if (store && !files.exists(temp)) return {std::move(store), false};
    files.remove(temp);
    return {};
}

std::uint64_t StoreFile::recordOffset(std::uint64_t index) const {
    return dataOffset_ + index * recordSize_;
}

bool StoreFile::write(std::uint64_t offset, std::string_view bytes) {
    return file_->writeAt(offset, bytes.data(), bytes.size()) && file_->sync();
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

bool StoreFile::clearJournal() { return write(format::kJournalOffset, format::clearedJournalMark()); }

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

} // namespace extdict
