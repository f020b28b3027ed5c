// Windows side of the text conversion: the system's own code page tables (936 and UTF-8).
#include "text/encoding.h"

#include <windows.h>

#include "toolkit/win32/wide_text.h"

namespace extdict {
namespace {

std::wstring wideFromUtf8(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out.data(), length);
    return out;
}

std::string utf8FromWide(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr,
                                           nullptr);
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, out.data(), length, nullptr, nullptr);
    return out;
}

} // namespace

std::string gbkFromUtf8(std::string_view utf8) { return win32::gbkFromWide(wideFromUtf8(utf8)); }

std::string utf8FromGbk(std::string_view gbk) { return utf8FromWide(win32::wideFromGbk(gbk)); }

std::string gbkFromUtf16le(std::string_view utf16le) {
    std::wstring wide(utf16le.size() / 2, L'\0');
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const auto low = static_cast<unsigned char>(utf16le[2 * i]);
        const auto high = static_cast<unsigned char>(utf16le[2 * i + 1]);
        wide[i] = static_cast<wchar_t>(low | (high << 8));
    }
    std::string out = win32::gbkFromWide(wide);
    if (utf16le.size() % 2 != 0) out.push_back('?');
    return out;
}

} // namespace extdict
