#pragma once
// Forms are drawn in 96-DPI pixels; the windows live in physical pixels of their monitor.

#include <windows.h>

namespace extdict::win32 {

// The DPI of the monitor the window is on (per-monitor aware), or the screen's on systems
// that predate per-monitor DPI.
UINT dpiOfWindow(HWND window);

inline int toPhysical(int logical, UINT dpi) {
    return MulDiv(logical, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
}
inline int toLogical(int physical, UINT dpi) {
    return MulDiv(physical, USER_DEFAULT_SCREEN_DPI, static_cast<int>(dpi));
}

} // namespace extdict::win32
