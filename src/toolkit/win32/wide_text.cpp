#include "toolkit/win32/wide_text.h"

#include <windows.h>

namespace extdict::win32 {
namespace {

constexpr UINT kGbk = 936;
constexpr wchar_t kReplacement = 0xFFFD;

int wideLength(std::string_view bytes, DWORD flags) {
    return MultiByteToWideChar(kGbk, flags, bytes.data(), static_cast<int>(bytes.size()), nullptr,
                               0);
}

void appendWide(std::wstring& out, std::string_view bytes, int length) {
    const auto start = out.size();
    out.resize(start + static_cast<std::size_t>(length));
    MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                        out.data() + start, length);
}

// The slow path for text with invalid bytes: one character at a time, as the GBK
// character model splits it, so each bad character becomes one replacement.
std::wstring wideFromGbkByCharacter(std::string_view gbk) {
    std::wstring out;
    for (std::size_t p = 0; p < gbk.size();) {
        const bool lead = static_cast<unsigned char>(gbk[p]) > 0x80 && p + 1 < gbk.size();
        const auto piece = gbk.substr(p, lead ? 2 : 1);
        const int length = wideLength(piece, MB_ERR_INVALID_CHARS);
        if (length > 0) {
            appendWide(out, piece, length);
        } else {
            out.push_back(kReplacement);
        }
        p += piece.size();
    }
    return out;
}

} // namespace

std::wstring wideFromGbk(std::string_view gbk) {
    if (gbk.empty()) return {};
    const int length = wideLength(gbk, MB_ERR_INVALID_CHARS);
    if (length <= 0) return wideFromGbkByCharacter(gbk);
    std::wstring out;
    appendWide(out, gbk, length);
    return out;
}

std::string gbkFromWide(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(kGbk, 0, wide.data(), size, nullptr, 0, "?", nullptr);
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(kGbk, 0, wide.data(), size, out.data(), length, "?", nullptr);
    return out;
}

std::size_t gbkLength(std::wstring_view wide) {
    if (wide.empty()) return 0;
    return static_cast<std::size_t>(WideCharToMultiByte(
        kGbk, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, "?", nullptr));
}

} // namespace extdict::win32
