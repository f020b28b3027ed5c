#pragma once
// The shape of one record: a deleted mark, then each text field at its fixed width, zero-padded,
// then zeros up to a multiple of 64 bytes, so that a record's mark and extension share one
// cache line and a scan of all extensions reads half the memory.
// Only the shape the program can read is accepted: an extension and a note, both text.

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "store/record_store.h"
#include "store/record_view.h"

namespace extdict {

class RecordLayout {
public:
    static constexpr int kTextType = 10;
    static constexpr std::size_t kMaxNameBytes = 32;
    static constexpr std::size_t kMaxFieldWidth = 65535;
    static constexpr std::size_t kRecordAlignment = 64;
    static constexpr char kLiveMark = RecordView::kLiveMark;
    static constexpr char kDeletedMark = RecordView::kDeletedMark;

    // Nothing unless the fields are exactly two texts with names and widths in range.
    static std::optional<RecordLayout> fromFields(const std::vector<FieldDescriptor>& fields);

    const std::vector<FieldDescriptor>& fields() const { return fields_; }
    int fieldCount() const { return static_cast<int>(fields_.size()); }
    std::size_t recordSize() const { return recordSize_; }

    // Where `count` records laid out this way, starting at `records`, can be read.
    RecordView viewOf(const char* records, int count) const;
    static bool isDeleted(std::string_view image) { return image[0] == kDeletedMark; }
    static bool hasValidMark(std::string_view image);

    // Fills the whole image: a live record holding the two texts, zeros everywhere else.
    void putNewRecord(std::span<char> image, std::string_view extension,
                      std::string_view note) const;
    // Stores the text cut at its first NUL and to the whole characters that fit.
    void putField(std::span<char> image, int k, std::string_view text) const;
    static void putMark(std::span<char> image, bool deleted);

private:
    explicit RecordLayout(std::vector<FieldDescriptor> fields);

    std::vector<FieldDescriptor> fields_;
    std::vector<std::size_t> offsets_;
    std::size_t recordSize_ = 1;
};

} // namespace extdict
