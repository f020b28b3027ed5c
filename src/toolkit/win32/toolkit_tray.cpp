// The notification-area icon of a window.
#include <windows.h>
#include <shellapi.h>

#include "text/gbk_chars.h"
#include "toolkit/win32/wide_text.h"
#include "toolkit/win32/win32_toolkit.h"
#include "toolkit/win32/window_classes.h"

namespace extdict::win32 {

void Win32Toolkit::setTrayIcon(tk::WindowId id, std::string_view tip) {
    WindowRecord* window = findWindow(id);
    if (!window || !window->bigIcon) return;  // a window without an icon shows no tray icon
    window->trayTip = wideFromGbk(cutToWholeChars(untilNul(tip), tk::kTrayTipBytes));
    showTrayIcon(*window, window->trayIconShown ? NIM_MODIFY : NIM_ADD);
    window->trayIconShown = true;
}

void Win32Toolkit::removeTrayIcon(tk::WindowId id) {
    WindowRecord* window = findWindow(id);
    if (!window || !window->trayIconShown) return;
    showTrayIcon(*window, NIM_DELETE);
    window->trayIconShown = false;
}

// The icon is re-added when the shell restarts (TaskbarCreated), so a failed NIM_ADD here
// is not final.
void Win32Toolkit::showTrayIcon(WindowRecord& window, DWORD operation) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window.hwnd;
    data.uID = kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayMessage;
    data.hIcon = window.smallIcon ? window.smallIcon : window.bigIcon;
    lstrcpynW(data.szTip, window.trayTip.c_str(), static_cast<int>(std::size(data.szTip)));
    if (!Shell_NotifyIconW(operation, &data) && operation == NIM_MODIFY) {
        Shell_NotifyIconW(NIM_ADD, &data);
    }
}

} // namespace extdict::win32
