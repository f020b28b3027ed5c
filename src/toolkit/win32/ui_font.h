#pragma once
// The font of every control: a readable Chinese face at 9 points.

#include <windows.h>

#include <string>

namespace extdict::win32 {

// The first installed face of a list of Chinese UI faces, else the system's message font.
std::wstring chooseUiFontFace();

HFONT createUiFont(const std::wstring& face, UINT dpi, bool underline);

} // namespace extdict::win32
