// The prompt measure and the separator search on arbitrary text with any limit, against
// plain readings of their rules. A limit of 0 or less wraps nothing (the literal rule would
// never end there); libFuzzer's time-out catches any input that makes either slow.
#include <cstdint>
#include <vector>

#include "exchange/text_measure.h"
#include "exchange/text_scan.h"
#include "fuzz_support.h"

using namespace extdict;
using extdict::fuzz::check;

namespace {

// Left to right, one character at a time (a byte of 0x80 or more takes the next one along),
// resuming right after each match.
std::vector<std::size_t> referenceOccurrences(std::string_view needle, std::string_view text) {
    std::vector<std::size_t> positions;
    if (needle.empty()) return positions;
    std::size_t at = 0;
    while (at + needle.size() <= text.size()) {
        if (text.substr(at, needle.size()) == needle) {
            positions.push_back(at + 1);
            at += needle.size();
        } else {
            at += static_cast<unsigned char>(text[at]) >= 0x80 ? 2 : 1;
        }
    }
    return positions;
}

std::size_t lineBytes(std::string_view text, std::size_t start) {
    std::size_t end = start;
    while (end < text.size() && text[end] != 10 && text[end] != 26) ++end;
    const bool crBeforeLf = end < text.size() && text[end] == 10 && end > start && text[end - 1] == '\r';
    return end - start - (crBeforeLf ? 1 : 0);
}

std::int64_t referenceMeasure(std::string_view text, int limit) {
    const auto breaks = referenceOccurrences("\r\n", text);
    std::int64_t lines = static_cast<std::int64_t>(breaks.size()) + 1;
    for (std::size_t k = 0; k <= breaks.size(); ++k) {
        const std::size_t start = k == 0 ? 0 : breaks[k - 1] + 1;
        std::int64_t width = 6 * static_cast<std::int64_t>(lineBytes(text, start));
        while (limit > 0 && width > limit) {
            ++lines;
            width -= limit;
        }
    }
    return lines * 12;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const int limit = input.int32();
    const std::string_view needle = input.bytes(input.byte() % 5);
    const std::string_view text = input.rest();

    check(findAllOccurrences(needle, text) == referenceOccurrences(needle, text));
    check(findAllOccurrences("\r\n", text) == referenceOccurrences("\r\n", text));
    check(measureText(text, limit) == referenceMeasure(text, limit));
    return 0;
}
