#include "lookup/filter_index.h"

#include <algorithm>

#include "lookup/pinyin.h"

namespace extdict {
namespace {

constexpr int kExtensionField = 1;

bool sameChar(GbkChar a, GbkChar b) {
    return a.leadByte == b.leadByte && a.finalByte == b.finalByte;
}

// Turns counts per key into where each key's run starts, with the end after the last.
template <typename Starts> void countsToStarts(Starts& starts) {
    std::uint32_t next = 0;
    for (auto& start : starts) {
        const std::uint32_t count = start;
        start = next;
        next += count;
    }
}

} // namespace

void FilterIndex::update(const RecordStore& store) {
    if (inStep_ && changeCount_ == store.changeCount()) return;
    rebuild(store);
    changeCount_ = store.changeCount();
    inStep_ = true;
}

void FilterIndex::release() {
    *this = FilterIndex{};
}

std::string_view FilterIndex::loweredExtension(int record) const {
    const std::size_t begin = record > 1 ? loweredEnd_[record - 2] : 0;
    return std::string_view(lowered_).substr(begin, loweredEnd_[record - 1] - begin);
}

bool FilterIndex::matchesTyped(int record, const std::vector<GbkChar>& typed) const {
    const std::size_t begin = record > 1 ? charsEnd_[record - 2] : 0;
    if (charsEnd_[record - 1] - begin < typed.size()) return false;
    for (std::size_t j = 0; j < typed.size(); ++j) {
        const GbkChar t = typed[j];
        if (sameChar(chars_[begin + j], t)) continue;
        // A typed one-byte character may stand for a Chinese character by its initial.
        const char initial = initials_[begin + j];
        if (t.leadByte != 0 || initial == 0 || initial != static_cast<char>(t.finalByte))
            return false;
    }
    return true;
}

void FilterIndex::rebuild(const RecordStore& store) {
    const int count = store.recordCount();
    *this = FilterIndex{};
    marked_.reserve(count);
    loweredEnd_.reserve(count);
    charsEnd_.reserve(count);
    std::vector<GbkChar> scratch;
    for (int r = 1; r <= count; ++r)
        appendRecord(store.fieldView(r, kExtensionField), store.isDeletedAt(r), scratch);
    groupByFirstCharacter();
}

void FilterIndex::appendRecord(std::string_view extension, bool marked,
                               std::vector<GbkChar>& scratch) {
    marked_.push_back(marked);
    const Text lowered = toLower(extension);
    lowered_ += lowered;
    loweredEnd_.push_back(lowered_.size());
    splitChars(lowered, scratch);
    for (const GbkChar c : scratch) {
        chars_.push_back(c);
        initials_.push_back(pinyinInitial(c));
    }
    charsEnd_.push_back(chars_.size());
}

bool FilterIndex::hasChars(int record) const {
    const std::size_t begin = record > 1 ? charsEnd_[record - 2] : 0;
    return charsEnd_[record - 1] > begin;
}

GbkChar FilterIndex::firstChar(int record) const {
    return chars_[record > 1 ? charsEnd_[record - 2] : 0];
}

// Two counting sorts over the record numbers, which keeps each run in ascending order.
void FilterIndex::groupByFirstCharacter() {
    firstCharStart_.assign(kCharCodes + 1, 0);
    initialStart_.fill(0);
    const auto initialIndex = [this](int r) -> std::size_t {
        const std::size_t begin = r > 1 ? charsEnd_[r - 2] : 0;
        const char initial = initials_[begin];
        return initial == 0 ? kLetters : static_cast<std::size_t>(initial - 'a');
    };
    for (int r = 1; r <= recordCount(); ++r) {
        if (!hasChars(r)) continue;
        ++firstCharStart_[codeOf(firstChar(r))];
        if (const std::size_t i = initialIndex(r); i < kLetters) ++initialStart_[i];
    }
    countsToStarts(firstCharStart_);
    countsToStarts(initialStart_);
    byFirstChar_.resize(firstCharStart_[kCharCodes]);
    byInitial_.resize(initialStart_[kLetters]);
    std::vector<std::uint32_t> nextByCode(firstCharStart_.begin(), firstCharStart_.end() - 1);
    std::array<std::uint32_t, kLetters> nextByLetter{};
    std::copy(initialStart_.begin(), initialStart_.end() - 1, nextByLetter.begin());
    for (int r = 1; r <= recordCount(); ++r) {
        if (!hasChars(r)) continue;
        byFirstChar_[nextByCode[codeOf(firstChar(r))]++] = r;
        if (const std::size_t i = initialIndex(r); i < kLetters) byInitial_[nextByLetter[i]++] = r;
    }
}

} // namespace extdict
