#pragma once
// What the match list's filter needs of every record, read once and kept in step with the
// store through its change count: the deleted mark, the lower-cased extension, for each of
// its characters the pinyin initial that a typed letter may stand for, and the records
// grouped by their first character and by its initial, so that a keystroke visits only the
// records that can match.

#include <array>
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

    // Calls visit(record), in ascending record order, for every record whose first character
    // can match typed's first one (every record when typed has no character), marked ones
    // included. A visit that returns false ends the walk; the result is then false.
    template <typename Visit> bool forEachCandidate(const std::vector<GbkChar>& typed, Visit visit) const;

private:
    static constexpr std::size_t kCharCodes = 0x10000;
    static constexpr std::size_t kLetters = 26;

    static std::uint16_t codeOf(GbkChar c) {
        return static_cast<std::uint16_t>(c.leadByte << 8 | c.finalByte);
    }
    void rebuild(const RecordStore& store);
    void appendRecord(std::string_view extension, bool marked, std::vector<GbkChar>& scratch);
    void groupByFirstCharacter();
    GbkChar firstChar(int record) const;
    bool hasChars(int record) const;

    bool inStep_ = false;
    std::uint64_t changeCount_ = 0;
    std::vector<bool> marked_;
    std::string lowered_;                  // the lower-cased extensions, back to back
    std::vector<std::size_t> loweredEnd_;  // where each record's extension ends in lowered_
    std::vector<GbkChar> chars_;           // the characters of every record, back to back
    std::vector<char> initials_;           // pinyin initial of each character in chars_, or 0
    std::vector<std::size_t> charsEnd_;    // where each record's characters end in chars_

    // Records by the code of their first character, ascending within each code; code c's
    // records are byFirstChar_[firstCharStart_[c] .. firstCharStart_[c + 1]).
    std::vector<int> byFirstChar_;
    std::vector<std::uint32_t> firstCharStart_;
    // The same by the initial ('a' + i) of their first character.
    std::vector<int> byInitial_;
    std::array<std::uint32_t, kLetters + 1> initialStart_{};
};

template <typename Visit>
bool FilterIndex::forEachCandidate(const std::vector<GbkChar>& typed, Visit visit) const {
    if (typed.empty()) {
        for (int r = 1; r <= recordCount(); ++r)
            if (!visit(r)) return false;
        return true;
    }
    // Records whose first character is the typed one, and records whose first character
    // has the typed letter as its initial: two ascending runs, merged.
    const std::uint16_t code = codeOf(typed.front());
    const int* same = byFirstChar_.data() + firstCharStart_[code];
    const int* sameEnd = byFirstChar_.data() + firstCharStart_[code + 1];
    const int* byLetter = nullptr;
    const int* byLetterEnd = nullptr;
    const unsigned letter = typed.front().finalByte - unsigned{'a'};
    if (typed.front().leadByte == 0 && letter < kLetters) {
        byLetter = byInitial_.data() + initialStart_[letter];
        byLetterEnd = byInitial_.data() + initialStart_[letter + 1];
    }
    while (same != sameEnd || byLetter != byLetterEnd) {
        const bool takeSame = byLetter == byLetterEnd || (same != sameEnd && *same < *byLetter);
        if (!visit(takeSame ? *same++ : *byLetter++)) return false;
    }
    return true;
}

} // namespace extdict
