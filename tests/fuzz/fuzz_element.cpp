// Taking an element out of an arbitrary response, against a plain reading of the rule:
// p and q are the 1-based positions of the first opening and closing tags (letter case
// ignored, -1 when missing); the element is the bytes from p + len(open) with length
// q - p - len(open), cut at the end, empty when that length is 0 or less or the start lies
// beyond the end.
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "net/response_element.h"
#include "text/gbk_chars.h"

using namespace extdict;
using extdict::fuzz::check;

namespace {

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

long positionIgnoringCase(std::string_view text, std::string_view tag) {
    for (std::size_t at = 0; at + tag.size() <= text.size(); ++at) {
        std::size_t i = 0;
        while (i < tag.size() && lowerAscii(text[at + i]) == lowerAscii(tag[i])) ++i;
        if (i == tag.size()) return static_cast<long>(at) + 1;
    }
    return -1;
}

std::string referenceElement(std::string_view r, std::string_view open, std::string_view close) {
    const long p = positionIgnoringCase(r, open);
    const long q = positionIgnoringCase(r, close);
    const long start = p + static_cast<long>(open.size());
    const long length = q - p - static_cast<long>(open.size());
    if (length <= 0 || start > static_cast<long>(r.size())) return {};
    return std::string(r.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(length)));
}

// A tag of printable ASCII that starts with "<", as every tag of the program does; its
// letters can then never be the second byte of a double-byte character.
std::string asciiTag(std::string_view raw) {
    std::string tag = "<";
    for (const char c : raw) tag.push_back(static_cast<char>(' ' + static_cast<unsigned char>(c) % 95));
    return tag;
}

void checkTags(std::string_view response, std::string_view open, std::string_view close) {
    const std::string element = takeElement(response, open, close);
    check(element == referenceElement(response, open, close));
    check(element.size() <= response.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::string open = asciiTag(input.bytes(input.byte() % 8));
    const std::string close = asciiTag(input.bytes(input.byte() % 8));
    const std::string_view response = untilNul(input.rest());

    checkTags(response, "<link>", "</link>");
    checkTags(response, "<text>", "</text>");
    checkTags(response, open, close);
    return 0;
}
