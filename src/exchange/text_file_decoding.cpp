#include "exchange/text_file_decoding.h"

#include "text/encoding.h"
#include "text/gbk_chars.h"

namespace extdict {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

bool isContinuation(unsigned char byte) {
    return byte >= 0x80 && byte <= 0xBF;
}

// The allowed range of the byte after a lead byte (Unicode's table of well-formed
// sequences); the bytes after that are plain continuation bytes.
struct LeadRule {
    std::size_t length;
    unsigned char secondLow, secondHigh;
};

LeadRule ruleForLead(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return {2, 0x80, 0xBF};
    if (lead == 0xE0) return {3, 0xA0, 0xBF};
    if (lead == 0xED) return {3, 0x80, 0x9F};
    if (lead >= 0xE1 && lead <= 0xEF) return {3, 0x80, 0xBF};
    if (lead == 0xF0) return {4, 0x90, 0xBF};
    if (lead >= 0xF1 && lead <= 0xF3) return {4, 0x80, 0xBF};
    if (lead == 0xF4) return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

// The length of the well-formed multi-byte sequence at `at`, or 0.
std::size_t multiByteSequenceAt(std::string_view bytes, std::size_t at) {
    const LeadRule rule = ruleForLead(static_cast<unsigned char>(bytes[at]));
    if (rule.length == 0 || bytes.size() - at < rule.length) return 0;
    const auto second = static_cast<unsigned char>(bytes[at + 1]);
    if (second < rule.secondLow || second > rule.secondHigh) return 0;
    for (std::size_t k = 2; k < rule.length; ++k)
        if (!isContinuation(static_cast<unsigned char>(bytes[at + k]))) return 0;
    return rule.length;
}

std::string swapBytePairs(std::string_view bytes) {
    std::string swapped(bytes);
    for (std::size_t i = 0; i + 1 < swapped.size(); i += 2)
        std::swap(swapped[i], swapped[i + 1]);
    return swapped;
}

} // namespace

bool isMultiByteUtf8(std::string_view bytes) {
    bool sawMultiByte = false;
    for (std::size_t at = 0; at < bytes.size();) {
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            ++at;
            continue;
        }
        const std::size_t length = multiByteSequenceAt(bytes, at);
        if (length == 0) return false;
        sawMultiByte = true;
        at += length;
    }
    return sawMultiByte;
}

TextFileEncoding detectTextFileEncoding(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) return TextFileEncoding::Utf8WithMark;
    if (bytes.starts_with(kUtf16LittleEndianMark)) return TextFileEncoding::Utf16LittleEndian;
    if (bytes.starts_with(kUtf16BigEndianMark)) return TextFileEncoding::Utf16BigEndian;
    return isMultiByteUtf8(untilNul(bytes)) ? TextFileEncoding::Utf8 : TextFileEncoding::Gbk;
}

std::string decodeTextFile(std::string_view bytes) {
    std::string text;
    switch (detectTextFileEncoding(bytes)) {
    case TextFileEncoding::Utf8WithMark:
        text = gbkFromUtf8(bytes.substr(kUtf8Mark.size()));
        break;
    case TextFileEncoding::Utf16LittleEndian:
        text = gbkFromUtf16le(bytes.substr(kUtf16LittleEndianMark.size()));
        break;
    case TextFileEncoding::Utf16BigEndian:
        text = gbkFromUtf16le(swapBytePairs(bytes.substr(kUtf16BigEndianMark.size())));
        break;
    case TextFileEncoding::Utf8:
        text = gbkFromUtf8(untilNul(bytes));
        break;
    case TextFileEncoding::Gbk:
        text = untilNul(bytes);
        break;
    }
    text.resize(untilNul(text).size());
    return text;
}

} // namespace extdict
