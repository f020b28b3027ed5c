#include "toolkit/win32/ui_font.h"

#include <array>

namespace extdict::win32 {
namespace {

constexpr int kPointSize = 9;

int CALLBACK noteFaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool faceInstalled(HDC dc, const wchar_t* face) {
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(query.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    EnumFontFamiliesExW(dc, &query, noteFaceFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

std::wstring systemMessageFace() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return {};
    return metrics.lfMessageFont.lfFaceName;
}

} // namespace

std::wstring chooseUiFontFace() {
    // Windows' own Chinese faces first; WenQuanYi is what Linux desktops running Wine have.
    constexpr std::array kFaces = {L"Microsoft YaHei UI", L"Microsoft YaHei",
                                   L"WenQuanYi Micro Hei", L"SimSun"};
    const HDC screen = GetDC(nullptr);
    std::wstring chosen;
    for (const wchar_t* face : kFaces) {
        if (faceInstalled(screen, face)) {
            chosen = face;
            break;
        }
    }
    ReleaseDC(nullptr, screen);
    return chosen.empty() ? systemMessageFace() : chosen;
}

HFONT createUiFont(const std::wstring& face, UINT dpi, bool underline) {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(kPointSize, static_cast<int>(dpi), 72);
    font.lfWeight = FW_NORMAL;
    font.lfUnderline = underline ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

} // namespace extdict::win32
