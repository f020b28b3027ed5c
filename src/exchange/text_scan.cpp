#include "exchange/text_scan.h"

namespace extdict {
namespace {

// The scan treats 0x80 as a lead byte too, like the case mapping.
std::size_t charWidthAt(std::string_view text, std::size_t at) {
    return static_cast<unsigned char>(text[at]) >= 0x80 ? 2 : 1;
}

// Calls onMatch(offset) for each occurrence, 0-based, until it returns false; false when
// it stopped the scan.
template <typename OnMatch>
bool scanOccurrences(std::string_view needle, std::string_view text, OnMatch onMatch) {
    if (needle.empty()) return true;
    std::size_t at = 0;
    while (text.size() - at >= needle.size()) {
        if (text.compare(at, needle.size(), needle) == 0) {
            if (!onMatch(at)) return false;
            at += needle.size();
        } else {
            at += charWidthAt(text, at);
        }
        if (at > text.size()) return true;
    }
    return true;
}

} // namespace

std::vector<std::size_t> findAllOccurrences(std::string_view needle, std::string_view text) {
    std::vector<std::size_t> positions;
    scanOccurrences(needle, text, [&](std::size_t at) {
        positions.push_back(at + 1);
        return true;
    });
    return positions;
}

std::vector<std::string_view> splitText(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> pieces;
    forEachPiece(text, separator, [&](std::string_view piece) {
        pieces.push_back(piece);
        return true;
    });
    return pieces;
}

void forEachPiece(std::string_view text, std::string_view separator,
                  const std::function<bool(std::string_view)>& visit) {
    std::size_t pieceStart = 0;
    const bool scannedAll = scanOccurrences(separator, text, [&](std::size_t at) {
        const bool goOn = visit(text.substr(pieceStart, at - pieceStart));
        pieceStart = at + separator.size();
        return goOn;
    });
    if (scannedAll && pieceStart < text.size()) visit(text.substr(pieceStart));
}

} // namespace extdict
