#include "store/checksum.h"

#include <array>

namespace extdict {
namespace {

constexpr std::array<std::uint32_t, 256> makeTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr auto kTable = makeTable();

} // namespace

std::uint32_t crc32(std::string_view bytes, std::uint32_t running) {
    std::uint32_t c = ~running;
    for (const char byte : bytes)
        c = kTable[(c ^ static_cast<unsigned char>(byte)) & 0xFF] ^ (c >> 8);
    return ~c;
}

} // namespace extdict
