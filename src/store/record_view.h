#pragma once
// Where an open store's records are in memory: reads by record number in constant time,
// defined here so that scans over every record inline them.

#include <array>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace extdict {

struct RecordView {
    static constexpr int kFieldCount = 2; // extension, note
    static constexpr char kLiveMark = ' ';
    static constexpr char kDeletedMark = '*';

    const char* records = nullptr;
    std::size_t recordSize = 0;
    int count = 0;
    std::array<std::size_t, kFieldCount> offsets{};
    std::array<std::size_t, kFieldCount> widths{};

    bool holds(int record) const { return record >= 1 && record <= count; }
    const char* at(int record) const {
        return records + static_cast<std::size_t>(record - 1) * recordSize;
    }
    bool isDeleted(int record) const { return holds(record) && *at(record) == kDeletedMark; }

    // Field k of the record, up to its first NUL; empty outside the store or for no such field.
    std::string_view field(int record, int k) const {
        if (!holds(record) || k < 1 || k > kFieldCount) return {};
        const char* start = at(record) + offsets[k - 1];
        const std::size_t width = widths[k - 1];
        const auto* nul = static_cast<const char*>(std::memchr(start, '\0', width));
        return {start, nul ? static_cast<std::size_t>(nul - start) : width};
    }
};

} // namespace extdict
