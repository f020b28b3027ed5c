#include "lookup/filter_index.h"

#include "lookup/pinyin.h"

namespace extdict {
namespace {

constexpr int kExtensionField = 1;

bool sameChar(GbkChar a, GbkChar b) {
    return a.leadByte == b.leadByte && a.finalByte == b.finalByte;
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
    for (int r = 1; r <= count; ++r)
        appendRecord(store.fieldView(r, kExtensionField), store.isDeletedAt(r));
}

void FilterIndex::appendRecord(std::string_view extension, bool marked) {
    marked_.push_back(marked);
    const Text lowered = toLower(extension);
    lowered_ += lowered;
    loweredEnd_.push_back(lowered_.size());
    std::vector<GbkChar> chars;
    splitChars(lowered, chars);
    for (const GbkChar c : chars) {
        chars_.push_back(c);
        initials_.push_back(pinyinInitial(c));
    }
    charsEnd_.push_back(chars_.size());
}

} // namespace extdict
