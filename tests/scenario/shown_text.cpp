#include "shown_text.h"

#include <cstdio>
#include <stdexcept>

#include "text/encoding.h"
#include "text/gbk_chars.h"

namespace extdict::scenario {
namespace {

std::string hexByte(unsigned char byte) {
    char escaped[5];
    std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
    return escaped;
}

std::string shownAscii(unsigned char c) {
    switch (c) {
    case '\r':
        return "\\r";
    case '\n':
        return "\\n";
    case '\t':
        return "\\t";
    case '"':
        return "\\\"";
    case '\\':
        return "\\\\";
    default:
        return c < 0x20 || c >= 0x7F ? hexByte(c) : std::string(1, static_cast<char>(c));
    }
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    throw std::runtime_error("\\x needs two hexadecimal digits");
}

char escaped(char c) {
    switch (c) {
    case 'r':
        return '\r';
    case 'n':
        return '\n';
    case 't':
        return '\t';
    case '\\':
    case '"':
    case '$':
        return c;
    default:
        throw std::runtime_error(std::string("unknown escape \\") + c);
    }
}

} // namespace

std::string shown(std::string_view gbk) {
    std::string out = "\"";
    for (std::size_t i = 0; i < gbk.size();) {
        const auto c = static_cast<unsigned char>(gbk[i]);
        if (isLeadByte(c) && i + 1 < gbk.size()) {
            const std::string utf8 = utf8FromGbk(gbk.substr(i, 2));
            const bool valid = utf8 != "\xEF\xBF\xBD" && !utf8.empty();
            out += valid ? utf8 : hexByte(c) + hexByte(static_cast<unsigned char>(gbk[i + 1]));
            i += 2;
        } else {
            out += shownAscii(c);
            ++i;
        }
    }
    return out + "\"";
}

namespace {

std::string decodeScriptText(std::string_view raw, bool toGbk) {
    std::string out;
    std::string utf8Run;
    const auto flush = [&] {
        out += toGbk ? gbkFromUtf8(utf8Run) : utf8Run;
        utf8Run.clear();
    };
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\') {
            utf8Run += raw[i];
            continue;
        }
        if (++i >= raw.size()) throw std::runtime_error("a text ends with a lone backslash");
        if (raw[i] != 'x') {
            utf8Run += escaped(raw[i]);
            continue;
        }
        if (i + 2 >= raw.size()) throw std::runtime_error("\\x needs two hexadecimal digits");
        flush();
        out += static_cast<char>(hexValue(raw[i + 1]) * 16 + hexValue(raw[i + 2]));
        i += 2;
    }
    flush();
    return out;
}

} // namespace

std::string gbkOfScriptText(std::string_view raw) {
    return decodeScriptText(raw, true);
}

std::string bytesOfScriptText(std::string_view raw) {
    return decodeScriptText(raw, false);
}

} // namespace extdict::scenario
