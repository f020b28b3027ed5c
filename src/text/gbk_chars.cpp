#include "text/gbk_chars.h"

namespace extdict {
namespace {

unsigned char byteAt(std::string_view text, std::size_t i) {
    return static_cast<unsigned char>(text[i]);
}

template <typename MapLetter> Text mapAsciiLetters(std::string_view text, MapLetter map) {
    Text out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto byte = static_cast<unsigned char>(out[i]);
        if (byte >= 0x80) {
            ++i; // the pair is copied unchanged
            continue;
        }
        out[i] = static_cast<char>(map(byte));
    }
    return out;
}

} // namespace

std::string_view untilNul(std::string_view bytes) {
    const auto nul = bytes.find('\0');
    return nul == std::string_view::npos ? bytes : bytes.substr(0, nul);
}

int charCount(std::string_view text) {
    std::size_t leads = 0;
    for (std::size_t p = 0; p < text.size();) {
        if (isLeadByte(byteAt(text, p))) {
            ++leads;
            p += 2;
        } else {
            ++p;
        }
    }
    return static_cast<int>(text.size() - leads);
}

bool splitChars(std::string_view text, std::vector<GbkChar>& chars) {
    const auto count = static_cast<std::size_t>(charCount(text));
    chars.assign(count, GbkChar{});
    std::size_t filled = 0;
    for (std::size_t p = 0; p < text.size() && filled < count; ++filled) {
        if (isLeadByte(byteAt(text, p))) {
            chars[filled] = {byteAt(text, p), byteAt(text, p + 1)};
            p += 2;
        } else {
            chars[filled] = {0, byteAt(text, p)};
            ++p;
        }
    }
    return true;
}

Text takeChars(std::string_view text, int start, int count) {
    std::vector<GbkChar> chars;
    splitChars(text, chars);
    const int n = static_cast<int>(chars.size());
    if (start < 1 || start > n) return {};
    const int taken = std::min(count, n - start + 1);
    if (taken <= 0) return {};
    Text out;
    out.reserve(static_cast<std::size_t>(taken) * 2);
    for (int k = start - 1; k < start - 1 + taken; ++k) {
        if (chars[k].leadByte != 0) out.push_back(static_cast<char>(chars[k].leadByte));
        out.push_back(static_cast<char>(chars[k].finalByte));
    }
    return out;
}

Text toLower(std::string_view text) {
    return mapAsciiLetters(text, [](unsigned char b) {
        return (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b + 0x20) : b;
    });
}

Text toUpper(std::string_view text) {
    return mapAsciiLetters(text, [](unsigned char b) {
        return (b >= 'a' && b <= 'z') ? static_cast<unsigned char>(b - 0x20) : b;
    });
}

std::string_view cutToWholeChars(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    std::size_t end = 0;
    while (end < maxBytes) {
        const std::size_t width = isLeadByte(byteAt(text, end)) ? 2 : 1;
        if (end + width > maxBytes) break;
        end += width;
    }
    return text.substr(0, end);
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && toLower(a) == toLower(b);
}

} // namespace extdict
