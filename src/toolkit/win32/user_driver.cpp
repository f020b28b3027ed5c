#include "toolkit/win32/user_driver.h"

#include "toolkit/win32/wide_text.h"
#include "toolkit/win32/window_classes.h"
#include "toolkit/win32/window_text.h"

namespace extdict::win32 {
namespace {

// A hook procedure has no user data; the answerer of this thread is found here.
thread_local DialogAnswerer* activeAnswerer = nullptr;

constexpr int kMessageTextId = 0xFFFF;  // the static control holding a message box's text
constexpr int kFileNameComboId = 0x47C;
constexpr int kFileNameEditId = 0x480;
constexpr UINT kSettleMs = 50;

// Holds modifier keys down in this thread's keyboard state for as long as it lives.
class HeldModifiers {
public:
    explicit HeldModifiers(int modifiers) {
        GetKeyboardState(saved_);
        BYTE state[256];
        GetKeyboardState(state);
        auto hold = [&](int bit, int key) {
            if (modifiers & bit) state[key] = 0x80;
        };
        hold(tk::modifier::Ctrl, VK_CONTROL);
        hold(tk::modifier::Shift, VK_SHIFT);
        hold(tk::modifier::Alt, VK_MENU);
        SetKeyboardState(state);
    }
    ~HeldModifiers() { SetKeyboardState(saved_); }
    HeldModifiers(const HeldModifiers&) = delete;
    HeldModifiers& operator=(const HeldModifiers&) = delete;

private:
    BYTE saved_[256];
};

LPARAM keyData(int virtualKey, bool release) {
    const UINT scan = MapVirtualKeyW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC);
    LPARAM data = 1 | (static_cast<LPARAM>(scan) << 16);
    if (release) data |= (1LL << 30) | (1LL << 31);
    return data;
}

bool isClass(HWND hwnd, const wchar_t* name) {
    wchar_t actual[64] = {};
    GetClassNameW(hwnd, actual, 64);
    return lstrcmpiW(actual, name) == 0;
}

int commandOf(tk::Answer answer) {
    switch (answer) {
    case tk::Answer::Ok:
        return IDOK;
    case tk::Answer::Yes:
        return IDYES;
    case tk::Answer::No:
        return IDNO;
    case tk::Answer::Cancel:
        break;
    }
    return IDCANCEL;
}

// Several names go into the file name box quoted and relative to the folder shown, as a
// user selecting several files types them.
std::wstring quotedNames(const std::vector<std::string>& names) {
    std::wstring entry;
    for (const auto& name : names) entry += L"\"" + wideFromGbk(name) + L"\" ";
    return entry;
}

std::string folderOf(const std::string& path) { return path.substr(0, path.rfind('\\') + 1); }

void enterFileName(HWND dialog, const std::wstring& entry) {
    HWND nameBox = GetDlgItem(dialog, kFileNameComboId);
    if (!nameBox) nameBox = GetDlgItem(dialog, kFileNameEditId);
    SetWindowTextW(nameBox, entry.c_str());
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

} // namespace

void UserDriver::post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!hwnd) return;
    PostMessageW(hwnd, message, wParam, lParam);
    toolkit_.processEvents();
}

void UserDriver::pressKey(tk::ControlRef control, int virtualKey, int modifiers) {
    const HWND hwnd = toolkit_.handleOf(control);
    if (!hwnd) return;
    SetFocus(hwnd);
    HeldModifiers held(modifiers);
    const bool alt = (modifiers & tk::modifier::Alt) != 0;
    const auto key = static_cast<WPARAM>(virtualKey);
    post(hwnd, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, keyData(virtualKey, false));
    post(toolkit_.handleOf(control), alt ? WM_SYSKEYUP : WM_KEYUP, key, keyData(virtualKey, true));
}

void UserDriver::type(tk::ControlRef edit, std::string_view text) {
    for (const wchar_t c : wideFromGbk(text)) {
        const HWND hwnd = toolkit_.handleOf(edit);
        if (!hwnd) return;
        const SHORT scan = c < 0x80 ? VkKeyScanW(c) : -1;
        if (scan == -1 || c == L'\r' || c == L'\n') {
            post(hwnd, WM_CHAR, c, 1);
            continue;
        }
        const int shiftState = HIBYTE(scan);
        int modifiers = 0;
        if (shiftState & 1) modifiers |= tk::modifier::Shift;
        if (shiftState & 2) modifiers |= tk::modifier::Ctrl;
        pressKey(edit, LOBYTE(scan), modifiers);
    }
}

void UserDriver::click(tk::ControlRef button) { post(toolkit_.handleOf(button), BM_CLICK, 0, 0); }

void UserDriver::rightClick(tk::ControlRef control) {
    post(toolkit_.handleOf(control), WM_RBUTTONDOWN, MK_RBUTTON, 0);
    post(toolkit_.handleOf(control), WM_RBUTTONUP, 0, 0);
}

void UserDriver::doubleClick(tk::ControlRef control) {
    post(toolkit_.handleOf(control), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    post(toolkit_.handleOf(control), WM_LBUTTONUP, 0, 0);
    post(toolkit_.handleOf(control), WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
    post(toolkit_.handleOf(control), WM_LBUTTONUP, 0, 0);
}

void UserDriver::pressLink(tk::ControlRef link) {
    post(toolkit_.handleOf(link), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    post(toolkit_.handleOf(link), WM_LBUTTONUP, 0, 0);
}

void UserDriver::selectListItem(tk::ControlRef list, int index) {
    const HWND hwnd = toolkit_.handleOf(list);
    if (!hwnd) return;
    SendMessageW(hwnd, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    const auto id = static_cast<WORD>(GetDlgCtrlID(hwnd));
    post(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(hwnd));
}

void UserDriver::closeWindow(tk::WindowId window) { post(toolkit_.handleOf({window}), WM_CLOSE, 0, 0); }

void UserDriver::trayEvent(tk::WindowId window, int trayKind) {
    static constexpr UINT kMouse[] = {0, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP};
    if (trayKind < 1 || trayKind > 3) return;
    post(toolkit_.handleOf({window}), kTrayMessage, kTrayIconId, kMouse[trayKind]);
}

DialogAnswerer::DialogAnswerer() {
    activeAnswerer = this;
    hook_ = SetWindowsHookExW(WH_CBT, hookProc, nullptr, GetCurrentThreadId());
}

DialogAnswerer::~DialogAnswerer() {
    if (hook_) UnhookWindowsHookEx(hook_);
    if (activeAnswerer == this) activeAnswerer = nullptr;
}

LRESULT CALLBACK DialogAnswerer::hookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && activeAnswerer) {
        const auto dialog = reinterpret_cast<HWND>(wParam);
        if (isClass(dialog, L"#32770") && !activeAnswerer->waiting_) {
            // Answered from the dialog's own loop, once it has finished setting itself up.
            activeAnswerer->waiting_ = dialog;
            SetTimer(nullptr, 0, kSettleMs, timerProc);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK DialogAnswerer::timerProc(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (!activeAnswerer || !activeAnswerer->waiting_) return;
    const HWND dialog = activeAnswerer->waiting_;
    activeAnswerer->waiting_ = nullptr;
    if (IsWindow(dialog)) activeAnswerer->answer(dialog);
}

void DialogAnswerer::answer(HWND dialog) {
    if (!namesInFolder_.empty()) {
        enterFileName(dialog, quotedNames(namesInFolder_));
        namesInFolder_.clear();
        return;
    }
    if (GetPropW(dialog, L"ExtdictAnswered")) return;  // activated again, already answered
    SetPropW(dialog, L"ExtdictAnswered", reinterpret_cast<HANDLE>(1));
    if (const HWND text = GetDlgItem(dialog, kMessageTextId)) {
        seen_.push_back(gbkFromWide(windowText(dialog)) + "|" + gbkFromWide(windowText(text)));
    }
    if (answers_.empty()) return;
    const DialogAnswer next = answers_.front();
    answers_.pop_front();
    if (const auto* press = std::get_if<PressButton>(&next)) {
        if (press->answer == tk::Answer::Cancel) {
            PostMessageW(dialog, WM_CLOSE, 0, 0);
        } else {
            PostMessageW(dialog, WM_COMMAND, static_cast<WPARAM>(commandOf(press->answer)), 0);
        }
        return;
    }
    const auto& files = std::get<ChooseFiles>(next);
    if (files.names.empty()) {
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    if (files.names.size() == 1) {
        enterFileName(dialog, wideFromGbk(files.names.front()));
        return;
    }
    // First open the folder of the files, then pick them by name in it.
    enterFileName(dialog, wideFromGbk(folderOf(files.names.front())));
    for (const auto& name : files.names) namesInFolder_.push_back(name.substr(folderOf(name).size()));
    waiting_ = dialog;
    SetTimer(nullptr, 0, kSettleMs, timerProc);
}

} // namespace extdict::win32
