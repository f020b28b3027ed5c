#include "exchange/text_scan.h"

namespace extdict {
namespace {

// The scan treats 0x80 as a lead byte too, like the case mapping.
std::size_t charWidthAt(std::string_view text, std::size_t at) {
    return static_cast<unsigned char>(text[at]) >= 0x80 ? 2 : 1;
}

// Calls onMatch(offset) for each occurrence, 0-based.
template <typename OnMatch>
void scanOccurrences(std::string_view needle, std::string_view text, OnMatch onMatch) {
    if (needle.empty()) return;
    std::size_t at = 0;
    while (text.size() - at >= needle.size()) {
        if (text.compare(at, needle.size(), needle) == 0) {
            onMatch(at);
            at += needle.size();
        } else {
            at += charWidthAt(text, at);
        }
        if (at > text.size()) return;
    }
}

} // namespace

std::vector<std::size_t> findAllOccurrences(std::string_view needle, std::string_view text) {
    std::vector<std::size_t> positions;
    scanOccurrences(needle, text, [&](std::size_t at) { positions.push_back(at + 1); });
    return positions;
}

std::vector<std::string_view> splitText(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> pieces;
    std::size_t pieceStart = 0;
    scanOccurrences(separator, text, [&](std::size_t at) {
        pieces.push_back(text.substr(pieceStart, at - pieceStart));
        pieceStart = at + separator.size();
    });
    if (pieceStart < text.size()) pieces.push_back(text.substr(pieceStart));
    return pieces;
}

} // namespace extdict
