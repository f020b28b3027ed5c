#pragma once
// What the Win32 toolkit keeps about each window and control it built from a form.

#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/form.h"

namespace extdict::win32 {

struct ControlRecord {
    tk::ControlForm form;
    HWND hwnd = nullptr;          // none for a file dialog, which is only a set of properties
    std::string tag;
    std::string linkTarget;
    bool programIsChangingText = false;  // our own SetWindowText/EM_REPLACESEL is under way
    std::wstring acceptedText;           // edit boxes with a byte limit: the text last accepted
};

struct WindowRecord {
    tk::WindowId id = 0;
    HWND hwnd = nullptr;
    tk::WindowForm form;          // its control list lives in `controls`
    tk::Bindings bindings;
    std::vector<ControlRecord> controls;  // control id = index + 1
    std::vector<tk::ControlId> tabOrder;
    bool loaded = false;          // Created has been raised: events flow from now on
    bool trayIconShown = false;
    std::wstring trayTip;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    HFONT font = nullptr;
    HFONT linkFont = nullptr;
    UINT dpi = USER_DEFAULT_SCREEN_DPI;
    std::vector<HWND> disabledWhileOpen;  // dialog mode: windows to enable again at the end
    RECT lastRaisedRect{};        // outer rectangle last reported by PositionChanged/SizeChanged
    HWND lastFocus = nullptr;

    ControlRecord* control(tk::ControlId id) {
        if (id < 1 || static_cast<std::size_t>(id) > controls.size()) return nullptr;
        return &controls[static_cast<std::size_t>(id) - 1];
    }
    const ControlRecord* control(tk::ControlId id) const {
        return const_cast<WindowRecord*>(this)->control(id);
    }
};

} // namespace extdict::win32
