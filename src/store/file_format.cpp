#include "store/file_format.h"

#include <array>

#include "store/checksum.h"

namespace extdict::format {
namespace {

constexpr std::string_view kMagic{"\x89XDB\r\n\x1A\n", 8};
constexpr std::string_view kCommitMagic{"XDBC", 4};
constexpr std::string_view kJournalMagic{"XDBJ", 4};
constexpr std::size_t kFixedHeader = 24;
constexpr std::size_t kDescriptorSize = 40;
constexpr std::size_t kNameSize = 32;
constexpr std::size_t kSectorSize = 512;

void putU32(std::string& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

void putU64(std::string& out, std::size_t at, std::uint64_t value) {
    for (int i = 0; i < 8; ++i) out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t getU32(std::string_view in, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(in[at + i]);
    return value;
}

std::uint64_t getU64(std::string_view in, std::size_t at) {
    std::uint64_t value = 0;
    for (int i = 7; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(in[at + i]);
    return value;
}

FieldDescriptor decodeDescriptor(std::string_view bytes) {
    const auto name = bytes.substr(0, kNameSize);
    FieldDescriptor field;
    field.name = std::string(name.substr(0, name.find('\0')));
    field.typeCode = static_cast<int>(getU32(bytes, kNameSize));
    field.maxLength = static_cast<int>(getU32(bytes, kNameSize + 4));
    return field;
}

} // namespace

std::uint64_t dataOffset(std::size_t recordSize) {
    const std::uint64_t end = kJournalOffset + kJournalHeaderSize + recordSize;
    return (end + kSectorSize - 1) / kSectorSize * kSectorSize;
}

std::string encodeHeader(const std::vector<FieldDescriptor>& fields, std::size_t recordSize) {
    std::string out(kHeaderSize, '\0');
    out.replace(0, kMagic.size(), kMagic);
    putU32(out, 8, kVersion);
    putU32(out, 12, static_cast<std::uint32_t>(fields.size()));
    putU32(out, 16, static_cast<std::uint32_t>(recordSize));
    putU32(out, 20, static_cast<std::uint32_t>(dataOffset(recordSize)));
    std::size_t at = kFixedHeader;
    for (const auto& field : fields) {
        out.replace(at, field.name.size(), field.name);
        putU32(out, at + kNameSize, static_cast<std::uint32_t>(field.typeCode));
        putU32(out, at + kNameSize + 4, static_cast<std::uint32_t>(field.maxLength));
        at += kDescriptorSize;
    }
    putU32(out, at, crc32(std::string_view(out).substr(0, at)));
    return out;
}

std::optional<Header> decodeHeader(std::string_view block) {
    if (block.size() < kHeaderSize || block.substr(0, kMagic.size()) != kMagic) return std::nullopt;
    if (getU32(block, 8) != kVersion) return std::nullopt;
    const std::uint32_t count = getU32(block, 12);
    if (count > kMaxDescriptors) return std::nullopt;
    const std::size_t end = kFixedHeader + count * kDescriptorSize;
    if (getU32(block, end) != crc32(block.substr(0, end))) return std::nullopt;
    Header header;
    header.recordSize = getU32(block, 16);
    header.dataOffset = getU32(block, 20);
    for (std::size_t i = 0; i < count; ++i)
        header.fields.push_back(decodeDescriptor(block.substr(kFixedHeader + i * kDescriptorSize)));
    return header;
}

std::string encodeCommit(const Commit& commit) {
    std::string out(kCommitSlotSize, '\0');
    out.replace(0, kCommitMagic.size(), kCommitMagic);
    putU64(out, 8, commit.sequence);
    putU64(out, 16, commit.recordCount);
    putU32(out, 28, crc32(std::string_view(out).substr(0, 28)));
    return out;
}

std::optional<Commit> decodeCommit(std::string_view slot) {
    if (slot.size() < kCommitSlotSize || slot.substr(0, 4) != kCommitMagic) return std::nullopt;
    if (getU32(slot, 28) != crc32(slot.substr(0, 28))) return std::nullopt;
    return Commit{getU64(slot, 8), getU64(slot, 16)};
}

std::optional<Commit> newestCommit(std::string_view firstSlot, std::string_view secondSlot) {
    const auto first = decodeCommit(firstSlot);
    const auto second = decodeCommit(secondSlot);
    if (!first || !second) return first ? first : second;
    // Serial-number order, so that the commit after the largest sequence (which wraps to 0)
    // is still the newer one.
    const auto ahead = static_cast<std::int64_t>(first->sequence - second->sequence);
    return ahead > 0 ? first : second;
}

std::string encodeJournal(std::uint64_t recordIndex, std::string_view image) {
    std::string out(kJournalHeaderSize, '\0');
    out.replace(0, kJournalMagic.size(), kJournalMagic);
    putU32(out, 4, static_cast<std::uint32_t>(image.size()));
    putU64(out, 8, recordIndex);
    out.append(image);
    const auto sum = crc32(image, crc32(std::string_view(out).substr(0, 16)));
    putU32(out, 16, sum);
    return out;
}

std::optional<JournalEntry> decodeJournal(std::string_view area, std::size_t recordSize) {
    if (area.size() < kJournalHeaderSize + recordSize) return std::nullopt;
    if (area.substr(0, 4) != kJournalMagic || getU32(area, 4) != recordSize) return std::nullopt;
    const auto image = area.substr(kJournalHeaderSize, recordSize);
    if (getU32(area, 16) != crc32(image, crc32(area.substr(0, 16)))) return std::nullopt;
    return JournalEntry{getU64(area, 8), std::string(image)};
}

std::string_view clearedJournalMark() {
    static constexpr std::array<char, 4> kZeros{};
    return {kZeros.data(), kZeros.size()};
}

} // namespace extdict::format
