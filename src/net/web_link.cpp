#include "net/web_link.h"

#include <algorithm>

#include "text/gbk_chars.h"

namespace extdict {
namespace {

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           equalsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

bool isSpaceOrControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte <= 0x20 || byte == 0x7F;
}

std::size_t schemeLength(std::string_view link) {
    for (const std::string_view scheme : {"http://", "https://"})
        if (startsWithIgnoringCase(link, scheme)) return scheme.size();
    return 0;
}

} // namespace

bool isOpenableWebLink(std::string_view link) {
    const std::size_t scheme = schemeLength(link);
    if (scheme == 0 || link.size() == scheme) return false;
    return std::none_of(link.begin(), link.end(), isSpaceOrControl);
}

} // namespace extdict
