#include "lookup/pinyin.h"

#include <cstdint>
#include <iterator>
#include <optional>

namespace extdict {
namespace {

#include "lookup/pinyin_table.inc"

constexpr int kLeadFirst = 0xB0, kLeadLast = 0xF7;
constexpr int kTrailFirst = 0xA1, kTrailLast = 0xFE;
constexpr int kCellsPerRow = kTrailLast - kTrailFirst + 1;

static_assert(std::size(kReadingStart) == (kLeadLast - kLeadFirst + 1) * kCellsPerRow + 1);

std::optional<int> gb2312Cell(GbkChar character) {
    const int lead = character.leadByte, trail = character.finalByte;
    if (lead < kLeadFirst || lead > kLeadLast || trail < kTrailFirst || trail > kTrailLast)
        return std::nullopt;
    return (lead - kLeadFirst) * kCellsPerRow + (trail - kTrailFirst);
}

// The syllable of a character's reading (1-based), or none.
const char* syllableOf(GbkChar character, int reading) {
    const auto cell = gb2312Cell(character);
    if (!cell || reading < 1) return nullptr;
    const int first = kReadingStart[*cell], end = kReadingStart[*cell + 1];
    if (reading > end - first) return nullptr;
    return kSyllables[kReadings[first + reading - 1]];
}

} // namespace

std::string pinyinOf(std::string_view character, int reading) {
    if (character.size() != 2) return {};
    const GbkChar c{static_cast<std::uint8_t>(character[0]), static_cast<std::uint8_t>(character[1])};
    const char* syllable = syllableOf(c, reading);
    return syllable ? syllable : "";
}

char pinyinInitial(GbkChar character) {
    const char* syllable = syllableOf(character, 1);
    return syllable ? syllable[0] : 0;
}

} // namespace extdict
