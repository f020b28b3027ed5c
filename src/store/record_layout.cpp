#include "store/record_layout.h"

#include <algorithm>
#include <cstring>

#include "text/gbk_chars.h"

namespace extdict {
namespace {

constexpr int kProgramFieldCount = 2; // extension, note

bool isReadableField(const FieldDescriptor& field) {
    return field.typeCode == RecordLayout::kTextType && field.maxLength >= 1 &&
           static_cast<std::size_t>(field.maxLength) <= RecordLayout::kMaxFieldWidth &&
           !field.name.empty() && field.name.size() <= RecordLayout::kMaxNameBytes &&
           field.name.find('\0') == std::string::npos;
}

} // namespace

std::optional<RecordLayout> RecordLayout::fromFields(const std::vector<FieldDescriptor>& fields) {
    if (fields.size() != kProgramFieldCount) return std::nullopt;
    if (!std::all_of(fields.begin(), fields.end(), isReadableField)) return std::nullopt;
    return RecordLayout(fields);
}

RecordLayout::RecordLayout(std::vector<FieldDescriptor> fields) : fields_(std::move(fields)) {
    for (const auto& field : fields_) {
        offsets_.push_back(recordSize_);
        recordSize_ += static_cast<std::size_t>(field.maxLength);
    }
}

std::string_view RecordLayout::field(std::string_view image, int k) const {
    if (k < 1 || k > fieldCount()) return {};
    const auto width = static_cast<std::size_t>(fields_[k - 1].maxLength);
    const char* start = image.data() + offsets_[k - 1];
    const void* nul = std::memchr(start, '\0', width);
    const std::size_t length = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - start) : width;
    return {start, length};
}

bool RecordLayout::hasValidMark(std::string_view image) {
    return image[0] == kLiveMark || image[0] == kDeletedMark;
}

void RecordLayout::putField(std::span<char> image, int k, std::string_view text) const {
    const auto width = static_cast<std::size_t>(fields_[k - 1].maxLength);
    const auto stored = cutToWholeChars(untilNul(text), width);
    char* start = image.data() + offsets_[k - 1];
    std::memcpy(start, stored.data(), stored.size());
    std::memset(start + stored.size(), 0, width - stored.size());
}

void RecordLayout::putMark(std::span<char> image, bool deleted) {
    image[0] = deleted ? kDeletedMark : kLiveMark;
}

} // namespace extdict
