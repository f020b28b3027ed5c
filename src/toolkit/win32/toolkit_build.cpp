// Building windows and their controls from form tables.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>

#include "toolkit/win32/dpi.h"
#include "toolkit/win32/resource_ids.h"
#include "toolkit/win32/ui_font.h"
#include "toolkit/win32/wide_text.h"
#include "toolkit/win32/win32_toolkit.h"
#include "toolkit/win32/window_classes.h"

namespace extdict::win32 {
namespace {

struct ControlClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

DWORD editStyle(const tk::ControlStyle& s) {
    DWORD style = WS_TABSTOP | ES_LEFT;
    if (s.multiLine) style |= ES_MULTILINE;
    if (s.wantReturn) style |= ES_WANTRETURN;
    if (s.verticalScrollBar) style |= WS_VSCROLL;
    if (s.autoVerticalScroll) style |= ES_AUTOVSCROLL;
    if (s.autoHorizontalScroll) style |= ES_AUTOHSCROLL;
    if (!s.hideSelection) style |= ES_NOHIDESEL;
    if (s.readOnly) style |= ES_READONLY;
    return style;
}

ControlClass controlClass(const tk::ControlForm& form) {
    switch (form.kind) {
    case tk::ControlKind::EditBox:
        return {L"EDIT", editStyle(form.style),
                form.style.sunkenBorder ? DWORD{WS_EX_CLIENTEDGE} : DWORD{0}};
    case tk::ControlKind::ListBox:
        return {L"LISTBOX",
                WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                    LBS_HASSTRINGS,
                0};
    case tk::ControlKind::Button:
        return {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0};
    case tk::ControlKind::Label:
        return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case tk::ControlKind::Hyperlink:
        return {kLinkClass, WS_TABSTOP, 0};
    case tk::ControlKind::ShapeBox:
        return {kPanelClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case tk::ControlKind::FileDialog:
        break;
    }
    return {nullptr, 0, 0};
}

bool takesFocus(const tk::ControlForm& form) {
    switch (form.kind) {
    case tk::ControlKind::EditBox:
        return !form.style.readOnly;
    case tk::ControlKind::ListBox:
    case tk::ControlKind::Button:
    case tk::ControlKind::Hyperlink:
        return true;
    default:
        return false;
    }
}

DWORD frameStyle(const tk::WindowForm& form) {
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    if (form.resizable) style |= WS_THICKFRAME;
    if (form.minimiseBox) style |= WS_MINIMIZEBOX;
    if (form.maximiseBox) style |= WS_MAXIMIZEBOX;
    return style;
}

} // namespace

void Win32Toolkit::registerClasses() {
    WNDCLASSEXW frame{};
    frame.cbSize = sizeof frame;
    frame.style = CS_DBLCLKS;
    frame.lpfnWndProc = windowProc;
    frame.hInstance = instance_;
    frame.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    frame.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    frame.lpszClassName = kFrameClass;
    RegisterClassExW(&frame);

    WNDCLASSEXW panel = frame;
    panel.lpszClassName = kPanelClass;
    RegisterClassExW(&panel);

    WNDCLASSEXW link = frame;
    link.lpfnWndProc = linkProc;
    link.hCursor = LoadCursorW(nullptr, IDC_HAND);
    link.lpszClassName = kLinkClass;
    RegisterClassExW(&link);
}

tk::WindowId Win32Toolkit::loadWindow(const tk::WindowForm& form, tk::Bindings bindings,
                                      std::optional<tk::ControlRef> owner, bool dialogMode) {
    auto record = std::make_unique<WindowRecord>();
    const tk::WindowId id = nextWindowId_++;
    record->id = id;
    record->form = form;
    record->form.controls.clear();
    for (const auto& control : form.controls) {
        record->controls.emplace_back();
        record->controls.back().form = control;
    }
    record->bindings = std::move(bindings);
    const HWND ownerHwnd = owner && exists(*owner) ? GetAncestor(handleOf(*owner), GA_ROOT)
                                                   : nullptr;
    WindowRecord& window = *record;
    windows_.emplace(id, std::move(record));
    if (!createFrame(window, ownerHwnd)) {
        windows_.erase(id);
        return id;
    }
    loadIcons(window);
    createControls(window);
    applyFonts(window);
    stackControls(window);
    computeTabOrder(window);
    placeAtStart(window);
    if (dialogMode) disableOthersFor(window);
    GetWindowRect(window.hwnd, &window.lastRaisedRect);
    window.loaded = true;

    // From here on handlers run and may destroy or change anything: look the window up again.
    raise({id, tk::kWindowItself}, tk::EventKind::Created);
    if (exists({id})) raise({id, tk::kWindowItself}, tk::EventKind::PositionChanged);
    if (exists({id})) raise({id, tk::kWindowItself}, tk::EventKind::SizeChanged);
    if (exists({id}) && form.visibleAtLoad) showLoaded(id);
    return id;
}

HWND Win32Toolkit::createFrame(WindowRecord& window, HWND owner) {
    CreationContext context{this, {window.id, tk::kWindowItself}};
    const auto& form = window.form;
    CreateWindowExW(0, kFrameClass, wideFromGbk(form.caption).c_str(), frameStyle(form),
                    form.left, form.top, form.width, form.height, owner, nullptr, instance_,
                    &context);
    if (window.hwnd) window.dpi = dpiOfWindow(window.hwnd);
    return window.hwnd;
}

void Win32Toolkit::createControls(WindowRecord& window) {
    std::vector<bool> started(window.controls.size(), false);
    std::function<HWND(std::size_t)> create = [&](std::size_t index) -> HWND {
        auto& control = window.controls[index];
        if (started[index]) return control.hwnd;
        started[index] = true;
        HWND parent = window.hwnd;
        if (!control.form.parent.empty()) {
            const auto found = std::find_if(window.controls.begin(), window.controls.end(),
                                            [&](const ControlRecord& c) {
                                                return c.form.name == control.form.parent;
                                            });
            if (found != window.controls.end()) {
                const HWND container = create(static_cast<std::size_t>(found - window.controls.begin()));
                if (container) parent = container;
            }
        }
        const auto cls = controlClass(control.form);
        if (!cls.name) return nullptr;
        const tk::ControlRef ref{window.id, static_cast<tk::ControlId>(index + 1)};
        CreationContext context{this, ref};
        const auto& f = control.form;
        const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | cls.style | (f.style.visible ? WS_VISIBLE : 0);
        control.hwnd = CreateWindowExW(
            cls.exStyle, cls.name, wideFromGbk(f.text).c_str(), style, toPhysical(f.left, window.dpi),
            toPhysical(f.top, window.dpi), toPhysical(f.width, window.dpi),
            toPhysical(f.height, window.dpi), parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index)), instance_,
            &context);
        if (!control.hwnd) return nullptr;
        refs_[control.hwnd] = ref;
        if (f.kind == tk::ControlKind::EditBox || f.kind == tk::ControlKind::Button) {
            SetWindowSubclass(control.hwnd, controlProc, 1, reinterpret_cast<DWORD_PTR>(this));
        }
        if (f.kind == tk::ControlKind::EditBox) {
            SendMessageW(control.hwnd, EM_SETLIMITTEXT, 0, 0);  // limits are ours, in GBK bytes
            control.acceptedText = wideFromGbk(f.text);
        }
        return control.hwnd;
    };
    for (std::size_t i = 0; i < window.controls.size(); ++i) create(i);
}

void Win32Toolkit::applyFonts(WindowRecord& window) {
    if (window.font) DeleteObject(window.font);
    if (window.linkFont) DeleteObject(window.linkFont);
    window.font = createUiFont(fontFace_, window.dpi, false);
    window.linkFont = createUiFont(fontFace_, window.dpi, true);
    for (const auto& control : window.controls) {
        if (!control.hwnd) continue;
        const bool link = control.form.kind == tk::ControlKind::Hyperlink;
        SendMessageW(control.hwnd, WM_SETFONT,
                     reinterpret_cast<WPARAM>(link ? window.linkFont : window.font), TRUE);
    }
}

// The form lists controls from the top of the stack down; siblings are stacked in that order.
void Win32Toolkit::stackControls(WindowRecord& window) {
    std::unordered_map<HWND, HWND> lastPlacedUnder;
    for (const auto& control : window.controls) {
        if (!control.hwnd) continue;
        const HWND parent = GetParent(control.hwnd);
        const auto previous = lastPlacedUnder.find(parent);
        const HWND after = previous == lastPlacedUnder.end() ? HWND_TOP : previous->second;
        SetWindowPos(control.hwnd, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        lastPlacedUnder[parent] = control.hwnd;
    }
}

// Tab visits the controls in reading order (top to bottom, then left to right), whatever
// their stacking order.
void Win32Toolkit::computeTabOrder(WindowRecord& window) {
    struct Place {
        tk::ControlId id;
        int top, left;
    };
    auto absolute = [&](const ControlRecord& control) {
        POINT at{control.form.left, control.form.top};
        for (std::string parent = control.form.parent; !parent.empty();) {
            const auto found = std::find_if(window.controls.begin(), window.controls.end(),
                                            [&](const ControlRecord& c) { return c.form.name == parent; });
            if (found == window.controls.end() || &*found == &control) break;
            at.x += found->form.left;
            at.y += found->form.top;
            parent = found->form.parent;
        }
        return at;
    };
    std::vector<Place> places;
    for (std::size_t i = 0; i < window.controls.size(); ++i) {
        const auto& control = window.controls[i];
        if (!control.hwnd || !takesFocus(control.form)) continue;
        const POINT at = absolute(control);
        places.push_back({static_cast<tk::ControlId>(i + 1), at.y, at.x});
    }
    std::stable_sort(places.begin(), places.end(), [](const Place& a, const Place& b) {
        return a.top != b.top ? a.top < b.top : a.left < b.left;
    });
    window.tabOrder.clear();
    for (const auto& place : places) window.tabOrder.push_back(place.id);
}

void Win32Toolkit::loadIcons(WindowRecord& window) {
    if (!window.form.hasIcon) return;
    auto load = [&](int sizeMetric) {
        const int size = GetSystemMetrics(sizeMetric);
        return static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(EXTDICT_ICON_ID),
                                             IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    };
    window.bigIcon = load(SM_CXICON);
    window.smallIcon = load(SM_CXSMICON);
    if (window.bigIcon) SendMessageW(window.hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(window.bigIcon));
    if (window.smallIcon) SendMessageW(window.hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(window.smallIcon));
}

void Win32Toolkit::placeAtStart(WindowRecord& window) {
    const auto& form = window.form;
    const int width = toPhysical(form.width, window.dpi);
    const int height = toPhysical(form.height, window.dpi);
    int x = toPhysical(form.left, window.dpi);
    int y = toPhysical(form.top, window.dpi);
    if (form.centred) {
        const HWND anchor = GetWindow(window.hwnd, GW_OWNER) ? GetWindow(window.hwnd, GW_OWNER) : window.hwnd;
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(anchor, MONITOR_DEFAULTTOPRIMARY), &monitor);
        const RECT& area = monitor.rcWork;
        x = area.left + (area.right - area.left - width) / 2;
        y = area.top + (area.bottom - area.top - height) / 2;
    }
    SetWindowPos(window.hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Toolkit::disableOthersFor(WindowRecord& window) {
    window.disabledWhileOpen = enabledProgramWindows(window.hwnd);
    for (const HWND other : window.disabledWhileOpen) EnableWindow(other, FALSE);
}

void Win32Toolkit::showLoaded(tk::WindowId id) {
    const HWND hwnd = handleOf({id});
    ShowWindow(hwnd, SW_SHOWNORMAL);
    SetForegroundWindow(hwnd);
    auto* window = findWindow(id);
    if (!window || window->tabOrder.empty()) return;
    const HWND focus = GetFocus();
    if (!focus || (focus != hwnd && !IsChild(hwnd, focus))) {
        SetFocus(handleOf({id, window->tabOrder.front()}));
    }
}

} // namespace extdict::win32
