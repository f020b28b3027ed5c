#include "toolkit/win32/dpi.h"

namespace extdict::win32 {

UINT dpiOfWindow(HWND window) {
    // Bound at run time: GetDpiForWindow exists from Windows 10 1607 on.
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    const auto user32 = GetModuleHandleW(L"user32.dll");
    const auto getDpi = user32 ? reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(
                                     GetProcAddress(user32, "GetDpiForWindow")))
                               : nullptr;
    if (getDpi) {
        const UINT dpi = getDpi(window);
        if (dpi != 0) return dpi;
    }
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

} // namespace extdict::win32
