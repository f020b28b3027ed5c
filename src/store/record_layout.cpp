#include "store/record_layout.h"

#include <algorithm>
#include <cstring>

#include "text/gbk_chars.h"

namespace extdict {
namespace {

bool isReadableField(const FieldDescriptor& field) {
    return field.typeCode == RecordLayout::kTextType && field.maxLength >= 1 &&
           static_cast<std::size_t>(field.maxLength) <= RecordLayout::kMaxFieldWidth &&
           !field.name.empty() && field.name.size() <= RecordLayout::kMaxNameBytes &&
           field.name.find('\0') == std::string::npos;
}

} // namespace

std::optional<RecordLayout> RecordLayout::fromFields(const std::vector<FieldDescriptor>& fields) {
    if (fields.size() != RecordView::kFieldCount) return std::nullopt;
    if (!std::all_of(fields.begin(), fields.end(), isReadableField)) return std::nullopt;
    return RecordLayout(fields);
}

RecordLayout::RecordLayout(std::vector<FieldDescriptor> fields) : fields_(std::move(fields)) {
    for (const auto& field : fields_) {
        offsets_.push_back(recordSize_);
        recordSize_ += static_cast<std::size_t>(field.maxLength);
    }
    recordSize_ = (recordSize_ + kRecordAlignment - 1) / kRecordAlignment * kRecordAlignment;
}

RecordView RecordLayout::viewOf(const char* records, int count) const {
    RecordView view;
    view.records = records;
    view.recordSize = recordSize_;
    view.count = count;
    for (int k = 0; k < RecordView::kFieldCount; ++k) {
        view.offsets[k] = offsets_[k];
        view.widths[k] = static_cast<std::size_t>(fields_[k].maxLength);
    }
    return view;
}

bool RecordLayout::hasValidMark(std::string_view image) {
    return image[0] == kLiveMark || image[0] == kDeletedMark;
}

void RecordLayout::putNewRecord(std::span<char> image, std::string_view extension,
                                std::string_view note) const {
    std::memset(image.data(), 0, image.size());
    putMark(image, false);
    putField(image, 1, extension);
    putField(image, 2, note);
}

void RecordLayout::putField(std::span<char> image, int k, std::string_view text) const {
    const auto width = static_cast<std::size_t>(fields_[k - 1].maxLength);
    const auto stored = cutToWholeChars(untilNul(text), width);
    char* start = image.data() + offsets_[k - 1];
    // An empty text may point nowhere, and memcpy must not be given a null pointer.
    if (!stored.empty()) std::memcpy(start, stored.data(), stored.size());
    std::memset(start + stored.size(), 0, width - stored.size());
}

void RecordLayout::putMark(std::span<char> image, bool deleted) {
    image[0] = deleted ? kDeletedMark : kLiveMark;
}

} // namespace extdict
