#pragma once
// Names, private messages and creation data of the toolkit's own window classes.

#include <windows.h>

#include "toolkit/events.h"

namespace extdict::win32 {

class Win32Toolkit;

inline constexpr wchar_t kFrameClass[] = L"ExtdictFrame";   // top-level windows
inline constexpr wchar_t kPanelClass[] = L"ExtdictPanel";   // shape boxes holding controls
inline constexpr wchar_t kLinkClass[] = L"ExtdictLink";     // hyperlinks

inline constexpr UINT kDestroyRequest = WM_APP + 1;  // destroyWindow, run on the next pass
inline constexpr UINT kTrayMessage = WM_APP + 2;
inline constexpr UINT kTrayIconId = 1;
inline constexpr int kFirstControlId = 100;  // clear of IDOK and IDCANCEL

// Passed to CreateWindowExW so that a window of our classes knows its toolkit and name
// from its very first message.
struct CreationContext {
    Win32Toolkit* toolkit;
    tk::ControlRef ref;
};

} // namespace extdict::win32
