// The message loop: pending events, sleeping, the clock, the program's end, and the keys
// that belong to the window rather than to a control (Tab, Enter on a button, Alt+letter
// on a hyperlink).
#include "toolkit/win32/win32_toolkit.h"
#include "toolkit/win32/window_text.h"

namespace extdict::win32 {
namespace {

bool held(int virtualKey) { return GetKeyState(virtualKey) < 0; }

bool isButton(HWND hwnd) {
    wchar_t name[16] = {};
    GetClassNameW(hwnd, name, static_cast<int>(std::size(name)));
    return lstrcmpiW(name, L"Button") == 0;
}

// The letter after a single '&' in a caption ("&&" is a literal ampersand), or 0.
wchar_t mnemonicOf(const std::wstring& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] != L'&') return caption[i + 1];
        ++i;
    }
    return 0;
}

wchar_t upper(wchar_t c) {
    return static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(c)))));
}

} // namespace

void Win32Toolkit::dispatch(MSG& message) {
    if (preTranslate(message)) return;
    if (message.hwnd) {
        const HWND root = GetAncestor(message.hwnd, GA_ROOT);
        if (windowOf(root) && IsDialogMessageW(root, &message)) return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

bool Win32Toolkit::preTranslate(const MSG& message) {
    switch (message.message) {
    case WM_KEYDOWN:
        if (swallowCharOf_ && swallowCharOf_ != message.hwnd) swallowCharOf_ = nullptr;
        if (message.wParam == VK_TAB && !held(VK_CONTROL) && !held(VK_MENU)) {
            return moveFocusByTab(message.hwnd, held(VK_SHIFT));
        }
        if (message.wParam == VK_RETURN && refOf(message.hwnd) && isButton(message.hwnd)) {
            SendMessageW(message.hwnd, BM_CLICK, 0, 0);
            return true;
        }
        return false;
    case WM_CHAR:
    case WM_SYSCHAR:
        if (message.hwnd == swallowCharOf_) {
            swallowCharOf_ = nullptr;
            return true;
        }
        return message.message == WM_SYSCHAR &&
               pressLinkByMnemonic(message.hwnd, static_cast<wchar_t>(message.wParam));
    default:
        return false;
    }
}

bool Win32Toolkit::moveFocusByTab(HWND from, bool backwards) {
    const WindowRecord* window = windowOf(GetAncestor(from, GA_ROOT));
    if (!window) return false;
    std::vector<HWND> stops;
    for (const auto id : window->tabOrder) {
        const HWND hwnd = handleOf({window->id, id});
        if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) stops.push_back(hwnd);
    }
    if (stops.empty()) return true;
    const auto at = std::find(stops.begin(), stops.end(), from);
    std::size_t next = 0;
    if (at == stops.end()) {
        next = backwards ? stops.size() - 1 : 0;
    } else {
        const auto index = static_cast<std::size_t>(at - stops.begin());
        next = backwards ? (index + stops.size() - 1) % stops.size() : (index + 1) % stops.size();
    }
    SetFocus(stops[next]);
    const auto ref = refOf(stops[next]);
    if (const ControlRecord* control = ref ? findControl(*ref) : nullptr;
        control && control->form.kind == tk::ControlKind::EditBox) {
        SendMessageW(stops[next], EM_SETSEL, 0, -1);
    }
    return true;
}

bool Win32Toolkit::pressLinkByMnemonic(HWND from, wchar_t letter) {
    const WindowRecord* window = windowOf(GetAncestor(from, GA_ROOT));
    if (!window) return false;
    for (std::size_t i = 0; i < window->controls.size(); ++i) {
        const ControlRecord& control = window->controls[i];
        if (control.form.kind != tk::ControlKind::Hyperlink || !control.hwnd) continue;
        if (!IsWindowVisible(control.hwnd) || !IsWindowEnabled(control.hwnd)) continue;
        const wchar_t mnemonic = mnemonicOf(windowText(control.hwnd));
        if (mnemonic == 0 || upper(mnemonic) != upper(letter)) continue;
        pressLink({window->id, static_cast<tk::ControlId>(i + 1)});
        return true;
    }
    return false;
}

void Win32Toolkit::processEvents() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) continue;
        dispatch(message);
    }
}

void Win32Toolkit::sleep(int milliseconds) { Sleep(static_cast<DWORD>(std::max(0, milliseconds))); }

std::uint32_t Win32Toolkit::uptime() const { return GetTickCount(); }

void Win32Toolkit::runEventLoop() {
    MSG message;
    while (!windows_.empty()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        dispatch(message);
    }
}

void Win32Toolkit::setExitCleanup(std::function<void()> cleanup) { exitCleanup_ = std::move(cleanup); }

void Win32Toolkit::runExitCleanup() {
    auto cleanup = std::move(exitCleanup_);
    exitCleanup_ = nullptr;
    if (cleanup) cleanup();
}

void Win32Toolkit::exit(int code) {
    exiting_ = true;
    for (const auto& [id, window] : windows_) removeTrayIcon(id);
    runExitCleanup();
    ExitProcess(static_cast<UINT>(code));
}

} // namespace extdict::win32
