#pragma once
// CRC-32 (the zlib polynomial), used to tell a whole header, commit slot or journal entry
// from a torn or damaged one.

#include <cstdint>
#include <string_view>

namespace extdict {

// Continues a running checksum: crc32(b, crc32(a)) == crc32(a + b).
std::uint32_t crc32(std::string_view bytes, std::uint32_t running = 0);

} // namespace extdict
