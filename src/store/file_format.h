#pragma once
// The bytes of a store file (docs/database-format.md): a header naming the format and the
// fields, two commit slots holding the record count, a one-record undo journal, then the
// records. Every integer is little-endian.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/record_store.h"

namespace extdict::format {

inline constexpr std::uint32_t kVersion = 1;
inline constexpr std::size_t kHeaderSize = 512;
inline constexpr std::size_t kCommitSlotSize = 32;
inline constexpr std::uint64_t kCommitSlotOffsets[2] = {512, 1024};
inline constexpr std::uint64_t kJournalOffset = 1536;
inline constexpr std::size_t kJournalHeaderSize = 32;
// Field descriptors that fit in the header after its fixed part and its checksum.
inline constexpr std::size_t kMaxDescriptors = (kHeaderSize - 24 - 4) / 40;

// Where the records start: after the journal's room for one record, on a 512-byte boundary.
std::uint64_t dataOffset(std::size_t recordSize);

struct Header {
    std::vector<FieldDescriptor> fields;
    std::uint32_t recordSize = 0;
    std::uint32_t dataOffset = 0;
};
// kHeaderSize bytes; at most kMaxDescriptors fields with names of at most 32 bytes.
std::string encodeHeader(const std::vector<FieldDescriptor>& fields, std::size_t recordSize);
// Nothing unless magic, version, descriptor count and checksum are right.
std::optional<Header> decodeHeader(std::string_view block);

struct Commit {
    std::uint64_t sequence = 0;
    std::uint64_t recordCount = 0;
};
std::string encodeCommit(const Commit& commit);
std::optional<Commit> decodeCommit(std::string_view slot);
// Successive commits alternate between the two slots, so a torn one leaves the other whole.
inline std::uint64_t commitSlotOffset(std::uint64_t sequence) {
    return kCommitSlotOffsets[sequence % 2];
}
// The newer of the two slots' commits that are whole.
std::optional<Commit> newestCommit(std::string_view firstSlot, std::string_view secondSlot);

struct JournalEntry {
    std::uint64_t recordIndex = 0; // 0-based
    std::string image;             // the record as it was before the change
};
std::string encodeJournal(std::uint64_t recordIndex, std::string_view image);
// Nothing for an empty, cleared or torn journal.
std::optional<JournalEntry> decodeJournal(std::string_view area, std::size_t recordSize);
// The bytes that mark the journal empty (written over the start of its header).
std::string_view clearedJournalMark();

} // namespace extdict::format
