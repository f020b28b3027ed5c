#pragma once
// An open store file and the durable path of each kind of change:
// - appends write the records after the committed ones, flush, then commit the new count;
// - in-place rewrites save the old record in the undo journal, flush, write, flush, clear it;
// - purge and clear write a whole new file beside the old one and atomically replace it.
// A change that fails part-way is undone before the call returns, or at the latest before
// the next change or on the next open.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "store/file_format.h"
#include "store/file_system.h"
#include "store/record_buffer.h"
#include "store/record_layout.h"

namespace extdict {

class StoreFile {
public:
    struct Loaded {
        std::unique_ptr<StoreFile> file;
        RecordLayout layout;
        RecordBuffer records; // every committed record, back to back
    };
    // Opens a store for writing, checks it against its size and undoes an interrupted change.
    // Nothing, and the file untouched, when it is not a store this program can read.
    static std::optional<Loaded> open(FileSystem& files, std::string_view path);

    // Creates an empty store at a path where no file is; never replaces one.
    static bool create(FileSystem& files, std::string_view path, const RecordLayout& layout);

    struct Swap {
        std::unique_ptr<StoreFile> file; // set once the path holds the new store
        bool durable = false;            // and the replacement is known to be on the disk
    };
    // Puts a new store holding `records` in the place of this one, through a file beside it.
    // No file is held open while files move: Windows refuses to move an open file.
    Swap replaceWith(const RecordLayout& layout, std::string_view records);

    // Appends whole record images; they count only once the new count is committed.
    bool append(std::string_view images);
    // Rewrites record `index` (0-based) in place through the undo journal.
    bool rewrite(std::uint64_t index, std::string_view oldImage, std::string_view newImage);
    // Retries undoing what a failed change left behind; true when nothing is left to undo.
    bool settle();
    // Settles and lets go of the file.
    void close();

private:
    StoreFile(FileSystem& files, std::string_view path, std::unique_ptr<File> file,
              std::size_t recordSize, format::Commit committed);

    // A complete store file at `path` (created or emptied), flushed and closed.
    static bool writeNew(FileSystem& files, std::string_view path, const RecordLayout& layout,
                         std::string_view records);

    std::uint64_t recordOffset(std::uint64_t index) const;
    // Writes and flushes, opening the file again first if it was let go.
    bool write(std::uint64_t offset, std::string_view bytes);
    bool commit(std::uint64_t recordCount);
    bool clearJournal();

    FileSystem& files_;
    std::string path_;
    std::unique_ptr<File> file_; // none while let go
    std::size_t recordSize_;
    std::uint64_t dataOffset_;
    format::Commit committed_;
    std::optional<format::JournalEntry> pendingUndo_;    // a rewrite that must be undone
    std::optional<std::uint64_t> abandonedCommitSlot_;   // a slot that may hold a failed commit
};

} // namespace extdict
