// Window messages turned into the program's events.
#include "toolkit/win32/dpi.h"
#include "toolkit/win32/win32_toolkit.h"
#include "toolkit/win32/window_classes.h"

namespace extdict::win32 {
namespace {

// Binds a window of our classes to its toolkit on its first message; later messages find
// the toolkit in the window's user data.
Win32Toolkit* attachedToolkit(HWND hwnd, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        const auto* context = static_cast<const CreationContext*>(create->lpCreateParams);
        if (context) SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(context->toolkit));
    }
    return reinterpret_cast<Win32Toolkit*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

const CreationContext* creationContext(UINT message, LPARAM lParam) {
    if (message != WM_NCCREATE) return nullptr;
    return static_cast<const CreationContext*>(
        reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
}

int trayKindOf(LPARAM mouseMessage) {
    switch (LOWORD(mouseMessage)) {
    case WM_LBUTTONUP:
        return 1;
    case WM_LBUTTONDBLCLK:
        return 2;
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU:
        return 3;
    default:
        return 0;
    }
}

COLORREF colourOf(unsigned rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

bool sameSize(const RECT& a, const RECT& b) {
    return a.right - a.left == b.right - b.left && a.bottom - a.top == b.bottom - b.top;
}

} // namespace

LRESULT CALLBACK Win32Toolkit::windowProc(HWND hwnd, UINT message, WPARAM wParam,
                                          LPARAM lParam) {
    Win32Toolkit* toolkit = attachedToolkit(hwnd, message, lParam);
    if (const auto* context = creationContext(message, lParam)) {
        toolkit->refs_[hwnd] = context->ref;
        if (auto* window = toolkit->findWindow(context->ref.window);
            window && context->ref.control == tk::kWindowItself) {
            window->hwnd = hwnd;
        }
    }
    if (!toolkit) return DefWindowProcW(hwnd, message, wParam, lParam);
    return toolkit->onFrameMessage(hwnd, message, wParam, lParam);
}

bool Win32Toolkit::raise(tk::ControlRef source, tk::EventKind kind, int key, int modifiers,
                         int trayKind) {
    if (exiting_) return true;
    const WindowRecord* window = findWindow(source.window);
    if (!window || !window->loaded) return true;
    std::string name;
    if (source.control != tk::kWindowItself) {
        const auto* control = findControl(source);
        if (!control) return true;
        name = control->form.name;
    }
    // Copies: a handler may destroy the window and with it the bindings.
    std::vector<tk::Handler> handlers;
    for (const auto& binding : window->bindings) {
        if (binding.event == kind && binding.control == name && binding.handler) {
            handlers.push_back(binding.handler);
        }
    }
    const tk::Event event{kind, source, key, modifiers, trayKind};
    bool goOn = true;
    for (const auto& handler : handlers) {
        if (!handler(event)) goOn = false;
    }
    return goOn;
}

LRESULT Win32Toolkit::onFrameMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (lParam != 0) onNotification(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return onControlColour(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam),
                               message);
    default:
        break;
    }
    const auto ref = refOf(hwnd);
    WindowRecord* window = ref && ref->control == tk::kWindowItself ? findWindow(ref->window) : nullptr;
    if (!window) return DefWindowProcW(hwnd, message, wParam, lParam);

    switch (message) {
    case WM_CLOSE:
        if (raise(*ref, tk::EventKind::CanBeClosed)) closeWindowNow(ref->window);
        return 0;
    case kDestroyRequest:
        closeWindowNow(ref->window);
        return 0;
    case WM_DESTROY:
        for (const HWND other : window->disabledWhileOpen) EnableWindow(other, TRUE);
        window->disabledWhileOpen.clear();
        if (window->trayIconShown) removeTrayIcon(window->id);
        raise(*ref, tk::EventKind::WillBeDestroyed);
        return 0;
    case WM_NCDESTROY:
        forgetWindow(hwnd);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_MOVE:
    case WM_SIZE:
        raiseGeometryChanges(*window);
        return 0;
    case kTrayMessage:
        if (const int kind = trayKindOf(lParam)) raise(*ref, tk::EventKind::Tray, 0, 0, kind);
        return 0;
    case WM_ACTIVATE:
        if (HIWORD(wParam) == 0) {
            onActivate(*window, wParam);
            return 0;
        }
        break;
    case WM_DPICHANGED:
        onDpiChanged(*window, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    default:
        if (message == taskbarCreatedMessage_ && window->trayIconShown) showTrayIcon(*window, NIM_ADD);
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void Win32Toolkit::onNotification(HWND hwnd, WORD code) {
    const auto ref = refOf(hwnd);
    ControlRecord* control = ref ? findControl(*ref) : nullptr;
    if (!control) return;
    switch (control->form.kind) {
    case tk::ControlKind::EditBox:
        if (code == EN_CHANGE && !control->programIsChangingText && acceptUserChange(*control)) {
            raise(*ref, tk::EventKind::TextChanged);
        }
        break;
    case tk::ControlKind::Button:
        if (code == BN_CLICKED) raise(*ref, tk::EventKind::Clicked);
        break;
    case tk::ControlKind::ListBox:
        if (code == LBN_SELCHANGE) raise(*ref, tk::EventKind::ItemSelected);
        break;
    default:
        break;
    }
}

LRESULT Win32Toolkit::onControlColour(HWND hwnd, HDC dc, UINT message) {
    const auto ref = refOf(hwnd);
    const ControlRecord* control = ref ? findControl(*ref) : nullptr;
    if (!control) return DefWindowProcW(GetParent(hwnd), message, reinterpret_cast<WPARAM>(dc),
                                        reinterpret_cast<LPARAM>(hwnd));
    SetTextColor(dc, colourOf(control->form.style.textColour));
    const bool whiteBox = control->form.kind == tk::ControlKind::EditBox && !control->form.style.readOnly;
    if (whiteBox) {
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

// PositionChanged and SizeChanged, each when the outer rectangle really changed.
void Win32Toolkit::raiseGeometryChanges(WindowRecord& window) {
    if (!window.loaded) return;
    RECT now{};
    GetWindowRect(window.hwnd, &now);
    const RECT before = window.lastRaisedRect;
    window.lastRaisedRect = now;
    const tk::ControlRef ref{window.id, tk::kWindowItself};
    const tk::WindowId id = window.id;
    if (now.left != before.left || now.top != before.top) raise(ref, tk::EventKind::PositionChanged);
    if (!sameSize(now, before) && findWindow(id)) raise(ref, tk::EventKind::SizeChanged);
}

// Runs on the next pass of the message loop, like every destruction the program asks for.
void Win32Toolkit::destroyWindow(tk::WindowId id) {
    if (const HWND hwnd = handleOf({id})) PostMessageW(hwnd, kDestroyRequest, 0, 0);
}

void Win32Toolkit::closeWindowNow(tk::WindowId id) {
    WindowRecord* window = findWindow(id);
    if (!window) return;
    // Enable the owner first, so that it and not some other program gets activated.
    for (const HWND other : window->disabledWhileOpen) EnableWindow(other, TRUE);
    window->disabledWhileOpen.clear();
    DestroyWindow(window->hwnd);
}

void Win32Toolkit::forgetWindow(HWND hwnd) {
    const auto ref = refOf(hwnd);
    if (!ref) return;
    const auto found = windows_.find(ref->window);
    if (found == windows_.end()) return;
    WindowRecord& window = *found->second;
    for (const auto& control : window.controls) refs_.erase(control.hwnd);
    refs_.erase(hwnd);
    if (window.font) DeleteObject(window.font);
    if (window.linkFont) DeleteObject(window.linkFont);
    if (window.bigIcon) DestroyIcon(window.bigIcon);
    if (window.smallIcon) DestroyIcon(window.smallIcon);
    if (swallowCharOf_ && (swallowCharOf_ == hwnd || IsChild(hwnd, swallowCharOf_))) swallowCharOf_ = nullptr;
    windows_.erase(found);
}

// A window remembers which control had the focus and gives it back when it is activated
// again; a window activated for the first time focuses its first control in tab order.
void Win32Toolkit::onActivate(WindowRecord& window, WPARAM state) {
    if (LOWORD(state) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus && IsChild(window.hwnd, focus)) window.lastFocus = focus;
        return;
    }
    HWND target = window.lastFocus;
    if (!target || !IsWindow(target) || !IsWindowVisible(target) || !IsWindowEnabled(target)) {
        target = nullptr;
        for (const auto id : window.tabOrder) {
            const HWND candidate = handleOf({window.id, id});
            if (IsWindowVisible(candidate) && IsWindowEnabled(candidate)) {
                target = candidate;
                break;
            }
        }
    }
    SetFocus(target ? target : window.hwnd);
}

void Win32Toolkit::onDpiChanged(WindowRecord& window, UINT dpi, const RECT& suggested) {
    const UINT before = window.dpi;
    window.dpi = dpi;
    for (const auto& control : window.controls) {
        if (!control.hwnd) continue;
        RECT r{};
        GetWindowRect(control.hwnd, &r);
        MapWindowPoints(HWND_DESKTOP, GetParent(control.hwnd), reinterpret_cast<POINT*>(&r), 2);
        auto rescale = [&](LONG v) { return toPhysical(toLogical(v, before), dpi); };
        SetWindowPos(control.hwnd, nullptr, rescale(r.left), rescale(r.top),
                     rescale(r.right - r.left), rescale(r.bottom - r.top),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    applyFonts(window);
    SetWindowPos(window.hwnd, nullptr, suggested.left, suggested.top,
                 suggested.right - suggested.left, suggested.bottom - suggested.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace extdict::win32
