// Reading and changing windows and controls: texts, visibility, tags, places and sizes.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "text/gbk_chars.h"
#include "toolkit/win32/dpi.h"
#include "toolkit/win32/ui_font.h"
#include "toolkit/win32/wide_text.h"
#include "toolkit/win32/win32_toolkit.h"
#include "toolkit/win32/window_text.h"

namespace extdict::win32 {
namespace {

bool hasStyle(HWND hwnd, LONG_PTR style) { return (GetWindowLongPtrW(hwnd, GWL_STYLE) & style) != 0; }

// The outer rectangle of a window on the screen, or of a control within its parent.
RECT placeOf(HWND hwnd, bool isWindow) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    if (!isWindow) MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

} // namespace

Win32Toolkit::Win32Toolkit(HINSTANCE instance) : instance_(instance) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    registerClasses();
    fontFace_ = chooseUiFontFace();
    taskbarCreatedMessage_ = RegisterWindowMessageW(L"TaskbarCreated");
}

Win32Toolkit::~Win32Toolkit() {
    exiting_ = true;
    while (!windows_.empty()) {
        const HWND hwnd = windows_.begin()->second->hwnd;
        if (!DestroyWindow(hwnd)) windows_.erase(windows_.begin());
    }
    runExitCleanup();
}

WindowRecord* Win32Toolkit::findWindow(tk::WindowId id) const {
    const auto found = windows_.find(id);
    return found == windows_.end() ? nullptr : found->second.get();
}

WindowRecord* Win32Toolkit::windowOf(HWND hwnd) const {
    const auto ref = refOf(hwnd);
    return ref && ref->control == tk::kWindowItself ? findWindow(ref->window) : nullptr;
}

ControlRecord* Win32Toolkit::findControl(tk::ControlRef ref) const {
    WindowRecord* window = findWindow(ref.window);
    return window ? window->control(ref.control) : nullptr;
}

HWND Win32Toolkit::handleOf(tk::ControlRef ref) const {
    if (ref.control == tk::kWindowItself) {
        const WindowRecord* window = findWindow(ref.window);
        return window ? window->hwnd : nullptr;
    }
    const ControlRecord* control = findControl(ref);
    return control ? control->hwnd : nullptr;
}

std::optional<tk::ControlRef> Win32Toolkit::refOf(HWND hwnd) const {
    const auto found = refs_.find(hwnd);
    if (found == refs_.end()) return std::nullopt;
    return found->second;
}

bool Win32Toolkit::exists(tk::ControlRef ref) const {
    const WindowRecord* window = findWindow(ref.window);
    if (!window || !IsWindow(window->hwnd)) return false;
    return ref.control == tk::kWindowItself || window->control(ref.control) != nullptr;
}

tk::ControlId Win32Toolkit::controlNamed(tk::WindowId id, std::string_view name) const {
    const WindowRecord* window = findWindow(id);
    if (!window) return tk::kWindowItself;
    for (std::size_t i = 0; i < window->controls.size(); ++i) {
        if (window->controls[i].form.name == name) return static_cast<tk::ControlId>(i + 1);
    }
    return tk::kWindowItself;
}

std::string Win32Toolkit::text(tk::ControlRef ref) const {
    if (const ControlRecord* control = findControl(ref); control && !control->hwnd) {
        return control->form.text;
    }
    const HWND hwnd = handleOf(ref);
    return hwnd ? gbkFromWide(windowText(hwnd)) : std::string{};
}

void Win32Toolkit::setText(tk::ControlRef ref, std::string_view text) {
    text = untilNul(text);
    ControlRecord* control = findControl(ref);
    if (control && !control->hwnd) {
        control->form.text = std::string(text);
        return;
    }
    if (control && control->form.kind == tk::ControlKind::EditBox) {
        setEditText(*control, ref, text);
        return;
    }
    if (const HWND hwnd = handleOf(ref)) SetWindowTextW(hwnd, wideFromGbk(text).c_str());
}

// Our own write raises TextChanged exactly once, whether or not the box sends EN_CHANGE for it.
void Win32Toolkit::setEditText(ControlRecord& edit, tk::ControlRef ref, std::string_view text) {
    std::wstring wide = wideFromGbk(text);
    edit.programIsChangingText = true;
    SetWindowTextW(edit.hwnd, wide.c_str());
    edit.programIsChangingText = false;
    edit.acceptedText = std::move(wide);
    raise(ref, tk::EventKind::TextChanged);
}

bool Win32Toolkit::visible(tk::ControlRef ref) const {
    if (const ControlRecord* control = findControl(ref); control && !control->hwnd) {
        return control->form.style.visible;
    }
    const HWND hwnd = handleOf(ref);
    return hwnd && hasStyle(hwnd, WS_VISIBLE);
}

void Win32Toolkit::setVisible(tk::ControlRef ref, bool show) {
    if (ControlRecord* control = findControl(ref); control && !control->hwnd) {
        control->form.style.visible = show;
        return;
    }
    const HWND hwnd = handleOf(ref);
    if (!hwnd) return;
    if (ref.control != tk::kWindowItself) {
        ShowWindow(hwnd, show ? SW_SHOWNA : SW_HIDE);
        return;
    }
    ShowWindow(hwnd, show ? SW_SHOW : SW_HIDE);
    if (show) SetForegroundWindow(hwnd);
}

std::string Win32Toolkit::tag(tk::ControlRef ref) const {
    const ControlRecord* control = findControl(ref);
    return control ? control->tag : std::string{};
}

void Win32Toolkit::setTag(tk::ControlRef ref, std::string_view tag) {
    if (ControlRecord* control = findControl(ref)) control->tag = std::string(untilNul(tag));
}

std::string Win32Toolkit::linkTarget(tk::ControlRef ref) const {
    const ControlRecord* control = findControl(ref);
    return control ? control->linkTarget : std::string{};
}

void Win32Toolkit::setLinkTarget(tk::ControlRef ref, std::string_view target) {
    if (ControlRecord* control = findControl(ref)) control->linkTarget = std::string(untilNul(target));
}

bool Win32Toolkit::alwaysOnTop(tk::WindowId window) const {
    const HWND hwnd = handleOf({window});
    return hwnd && (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

void Win32Toolkit::setAlwaysOnTop(tk::WindowId window, bool onTop) {
    if (const HWND hwnd = handleOf({window})) {
        SetWindowPos(hwnd, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

int Win32Toolkit::left(tk::ControlRef ref) const {
    if (const ControlRecord* control = findControl(ref); control && !control->hwnd) return control->form.left;
    const HWND hwnd = handleOf(ref);
    if (!hwnd) return 0;
    return toLogical(placeOf(hwnd, ref.control == tk::kWindowItself).left, findWindow(ref.window)->dpi);
}

int Win32Toolkit::top(tk::ControlRef ref) const {
    if (const ControlRecord* control = findControl(ref); control && !control->hwnd) return control->form.top;
    const HWND hwnd = handleOf(ref);
    if (!hwnd) return 0;
    return toLogical(placeOf(hwnd, ref.control == tk::kWindowItself).top, findWindow(ref.window)->dpi);
}

int Win32Toolkit::width(tk::ControlRef ref) const {
    if (const ControlRecord* control = findControl(ref); control && !control->hwnd) return control->form.width;
    const HWND hwnd = handleOf(ref);
    if (!hwnd) return 0;
    const RECT r = placeOf(hwnd, true);
    return toLogical(r.right - r.left, findWindow(ref.window)->dpi);
}

int Win32Toolkit::height(tk::ControlRef ref) const {
    if (const ControlRecord* control = findControl(ref); control && !control->hwnd) return control->form.height;
    const HWND hwnd = handleOf(ref);
    if (!hwnd) return 0;
    const RECT r = placeOf(hwnd, true);
    return toLogical(r.bottom - r.top, findWindow(ref.window)->dpi);
}

void Win32Toolkit::move(tk::ControlRef ref, std::optional<int> left, std::optional<int> top,
                        std::optional<int> width, std::optional<int> height) {
    if (ControlRecord* control = findControl(ref); control && !control->hwnd) {
        auto& f = control->form;
        f.left = left.value_or(f.left);
        f.top = top.value_or(f.top);
        f.width = width.value_or(f.width);
        f.height = height.value_or(f.height);
        return;
    }
    const HWND hwnd = handleOf(ref);
    if (!hwnd) return;
    const UINT dpi = findWindow(ref.window)->dpi;
    const RECT r = placeOf(hwnd, ref.control == tk::kWindowItself);
    auto physical = [dpi](std::optional<int> logical, LONG current) {
        return logical ? toPhysical(*logical, dpi) : static_cast<int>(current);
    };
    // A window cannot be smaller than nothing; a negative size stops at zero.
    const int w = std::max(0, physical(width, r.right - r.left));
    const int h = std::max(0, physical(height, r.bottom - r.top));
    SetWindowPos(hwnd, nullptr, physical(left, r.left), physical(top, r.top), w, h,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

int Win32Toolkit::clientWidth(tk::WindowId window) const {
    const HWND hwnd = handleOf({window});
    if (!hwnd) return 0;
    RECT r{};
    GetClientRect(hwnd, &r);
    return toLogical(r.right, findWindow(window)->dpi);
}

int Win32Toolkit::clientHeight(tk::WindowId window) const {
    const HWND hwnd = handleOf({window});
    if (!hwnd) return 0;
    RECT r{};
    GetClientRect(hwnd, &r);
    return toLogical(r.bottom, findWindow(window)->dpi);
}

bool Win32Toolkit::hasIcon(tk::WindowId window) const {
    const WindowRecord* record = findWindow(window);
    return record && record->bigIcon;
}

} // namespace extdict::win32
