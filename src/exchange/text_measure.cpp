#include "exchange/text_measure.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "exchange/text_scan.h"

namespace extdict {
namespace {

constexpr char kLineFeed = 10;
constexpr char kEndOfFile = 26;

std::size_t lineBytes(std::string_view text, std::size_t start) {
    std::size_t end = start;
    while (end < text.size() && text[end] != kLineFeed && text[end] != kEndOfFile)
        ++end;
    if (end < text.size() && text[end] == kLineFeed && end > start && text[end - 1] == '\r') --end;
    return end - start;
}

// The extra lines a line of this width needs when wrapped at limit: as many as taking
// limit away while the width still exceeds it.
std::int64_t wrappedLines(std::int64_t width, int limit) {
    if (limit <= 0 || width <= limit) return 0;
    return (width - 1) / limit;
}

} // namespace

int measureText(std::string_view text, int limit) {
    const auto breaks = findAllOccurrences("\r\n", text);
    std::int64_t lines = static_cast<std::int64_t>(breaks.size()) + 1;
    std::size_t start = 0;
    for (std::size_t line = 0; line <= breaks.size(); ++line) {
        const auto width = static_cast<std::int64_t>(lineBytes(text, start)) * kPixelsPerByte;
        lines += wrappedLines(width, limit);
        // A break at 1-based position p is a CR at index p - 1; the next line starts at p + 1.
        if (line < breaks.size()) start = breaks[line] + 1;
    }
    return static_cast<int>(std::min<std::int64_t>(lines * kPixelsPerLine, INT_MAX));
}

} // namespace extdict
