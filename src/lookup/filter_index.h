#pragma once
// What the match list's filter needs of every record, read once and kept in step with the
// store through its change count: the deleted mark, the lower-cased extension, and for each
// of its characters the pinyin initial that a typed letter may stand for.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/record_store.h"
#include "text/gbk_chars.h"

namespace extdict {

class FilterIndex {
public:
    // Reads the store again when it changed since the last call; the cursor is not moved.
    void update(const RecordStore& store);
    // Drops everything; the next update reads the store again.
    void release();

    int recordCount() const { return static_cast<int>(marked_.size()); }
    // Records are numbered from 1, as in the store.
    bool isMarked(int record) const { return marked_[record - 1]; }
    std::string_view loweredExtension(int record) const;
    // True when the record has at least as many characters as `typed` (already lower-cased
    // and split) and each typed character equals the record's character at its place, or is
    // the pinyin initial of that character.
    bool matchesTyped(int record, const std::vector<GbkChar>& typed) const;

private:
    void rebuild(const RecordStore& store);
    void appendRecord(std::string_view extension, bool marked);

    bool inStep_ = false;
    std::uint64_t changeCount_ = 0;
    std::vector<bool> marked_;
    std::string lowered_;                 // the lower-cased extensions, back to back
    std::vector<std::size_t> loweredEnd_;  // where each record's extension ends in lowered_
    std::vector<GbkChar> chars_;          // the characters of every record, back to back
    std::vector<char> initials_;          // pinyin initial of each character in chars_, or 0
    std::vector<std::size_t> charsEnd_;    // where each record's characters end in chars_
};

} // namespace extdict
