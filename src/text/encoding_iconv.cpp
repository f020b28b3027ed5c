// Linux side of the text conversion: glibc's iconv with Windows' code page 936.
#include "text/encoding.h"

#include <cerrno>
#include <iconv.h>

namespace extdict {
namespace {

std::size_t utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

// Converts whole input; an unconvertible sequence is replaced and skipped.
std::string convert(const char* to, const char* from, std::string_view input,
                    std::string_view replacement, bool utf8Input, std::size_t unitSize) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
    std::string out;
    out.reserve(input.size() * 2);
    char buffer[4096];
    auto* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (rc != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
        out.append(replacement);
        std::size_t skip = utf8Input ? utf8SequenceLength(static_cast<unsigned char>(*in)) : unitSize;
        skip = std::min(skip, inLeft);
        in += skip;
        inLeft -= skip;
    }
    iconv_close(cd);
    return out;
}

} // namespace

std::string gbkFromUtf8(std::string_view utf8) {
    return convert("CP936", "UTF-8", utf8, "?", true, 1);
}

std::string utf8FromGbk(std::string_view gbk) {
    return convert("UTF-8", "CP936", gbk, "\xEF\xBF\xBD", false, 1);
}

std::string gbkFromUtf16le(std::string_view utf16le) {
    return convert("CP936", "UTF-16LE", utf16le, "?", false, 2);
}

} // namespace extdict
