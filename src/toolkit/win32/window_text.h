#pragma once
// The text of a window or control as the API holds it (UTF-16).

#include <windows.h>

#include <string>

namespace extdict::win32 {

std::wstring windowText(HWND hwnd);

} // namespace extdict::win32
