// Writing text to the clipboard: Unicode for every program, plus GBK text with the Chinese
// locale for programs that read the narrow format.
#include <cstring>

#include "text/gbk_chars.h"
#include "toolkit/win32/wide_text.h"
#include "toolkit/win32/windows_services.h"

namespace extdict::win32 {
namespace {

constexpr int kOpenAttempts = 3;
constexpr DWORD kRetryDelayMs = 20;
constexpr LCID kSimplifiedChinese = MAKELCID(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), SORT_DEFAULT);

// Places a copy of the bytes on the clipboard; the clipboard owns the memory on success.
bool put(UINT format, const void* data, std::size_t size) {
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory) return false;
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(target, data, size);
    GlobalUnlock(memory);
    if (SetClipboardData(format, memory)) return true;
    GlobalFree(memory);
    return false;
}

// Another program may hold the clipboard for a moment.
bool openClipboard(HWND owner) {
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        if (OpenClipboard(owner)) return true;
        Sleep(kRetryDelayMs);
    }
    return false;
}

} // namespace

bool WindowsServices::setClipboardText(std::string_view text) {
    if (!openClipboard(clipboardOwner_)) return false;
    const std::string narrow(untilNul(text));
    const std::wstring wide = wideFromGbk(narrow);
    const LCID locale = kSimplifiedChinese;
    const bool written = EmptyClipboard() &&
                         put(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t)) &&
                         put(CF_TEXT, narrow.c_str(), narrow.size() + 1) &&
                         put(CF_LOCALE, &locale, sizeof locale);
    CloseClipboard();
    return written;
}

} // namespace extdict::win32
