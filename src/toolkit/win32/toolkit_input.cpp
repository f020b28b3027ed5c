// What the user does to edit boxes, buttons and hyperlinks: keys with their modifiers, the
// byte limit of what is typed or pasted, double-clicks, right clicks and link presses.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "text/gbk_chars.h"
#include "toolkit/win32/wide_text.h"
#include "toolkit/win32/win32_toolkit.h"
#include "toolkit/win32/window_text.h"
#include "toolkit/win32/window_classes.h"

namespace extdict::win32 {
namespace {

bool held(int virtualKey) { return GetKeyState(virtualKey) < 0; }

// Modifier bits of the keys held now; the key being reported never counts as its own modifier.
int modifiersFor(WPARAM virtualKey) {
    int modifiers = 0;
    if (virtualKey != VK_CONTROL && held(VK_CONTROL)) modifiers |= tk::modifier::Ctrl;
    if (virtualKey != VK_SHIFT && held(VK_SHIFT)) modifiers |= tk::modifier::Shift;
    if (virtualKey != VK_MENU && held(VK_MENU)) modifiers |= tk::modifier::Alt;
    return modifiers;
}

// GBK bytes left in the box once the selection, which typing or pasting replaces, is gone.
std::size_t bytesOutsideSelection(HWND edit) {
    const std::wstring text = windowText(edit);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    start = std::min<DWORD>(start, static_cast<DWORD>(text.size()));
    end = std::clamp<DWORD>(end, start, static_cast<DWORD>(text.size()));
    return gbkLength(text) - gbkLength(std::wstring_view(text).substr(start, end - start));
}

std::wstring clipboardText(HWND owner) {
    if (!OpenClipboard(owner)) return {};
    std::wstring text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

bool isEditingControlCharacter(wchar_t c, bool multiLine) {
    if (c == L'\r') return !multiLine;
    return (c < 0x20 && c != L'\t') || c == 0x7F;
}

} // namespace

LRESULT CALLBACK Win32Toolkit::controlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR subclassId, DWORD_PTR toolkit) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, controlProc, subclassId);
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }
    return reinterpret_cast<Win32Toolkit*>(toolkit)->onControlMessage(hwnd, message, wParam, lParam);
}

LRESULT Win32Toolkit::onControlMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto ref = refOf(hwnd);
    const ControlRecord* control = ref ? findControl(*ref) : nullptr;
    if (!control) return DefSubclassProc(hwnd, message, wParam, lParam);
    if (control->form.kind == tk::ControlKind::EditBox) {
        return onEditMessage(*ref, hwnd, message, wParam, lParam);
    }
    if (message == WM_RBUTTONUP) {
        const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
        raise(*ref, tk::EventKind::RightReleased);
        return result;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT Win32Toolkit::onEditMessage(tk::ControlRef ref, HWND hwnd, UINT message, WPARAM wParam,
                                    LPARAM lParam) {
    ControlRecord* edit = findControl(ref);
    const bool limited = edit->form.style.userByteLimit > 0;
    switch (message) {
    case WM_GETDLGCODE:
        // Enter, Escape and the arrows reach the box (and its key handlers), not the dialog keys.
        return DefSubclassProc(hwnd, message, wParam, lParam) | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (!keyAllowed(ref, hwnd, wParam)) return 0;
        if (!IsWindow(hwnd)) return 0;
        if (limited && message == WM_KEYDOWN && wParam == VK_INSERT && held(VK_SHIFT)) {
            if (ControlRecord* again = findControl(ref)) pasteWithinLimit(*again);
            return 0;
        }
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        raise(ref, tk::EventKind::KeyUp, static_cast<int>(wParam), modifiersFor(wParam));
        if (!IsWindow(hwnd)) return 0;
        break;
    case WM_CHAR:
    case WM_SYSCHAR:
        if (swallowCharOf_ == hwnd) {
            swallowCharOf_ = nullptr;
            return 0;
        }
        if (limited && message == WM_CHAR) {
            if (wParam == 0x16) {  // Ctrl+V
                pasteWithinLimit(*edit);
                return 0;
            }
            if (!charFitsLimit(*edit, static_cast<wchar_t>(wParam))) return 0;
        }
        break;
    case WM_IME_CHAR:
        if (limited && !charFitsLimit(*edit, static_cast<wchar_t>(wParam))) return 0;
        break;
    case WM_PASTE:
        if (limited) {
            pasteWithinLimit(*edit);
            return 0;
        }
        break;
    case WM_LBUTTONDBLCLK: {
        const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
        raise(ref, tk::EventKind::DoubleClicked);
        return result;
    }
    default:
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// Raises KeyDown; a handler's false consumes the key and the character it would type.
bool Win32Toolkit::keyAllowed(tk::ControlRef ref, HWND hwnd, WPARAM virtualKey) {
    if (swallowCharOf_ == hwnd) swallowCharOf_ = nullptr;
    if (raise(ref, tk::EventKind::KeyDown, static_cast<int>(virtualKey), modifiersFor(virtualKey))) {
        return true;
    }
    if (IsWindow(hwnd)) swallowCharOf_ = hwnd;
    return false;
}

bool Win32Toolkit::charFitsLimit(ControlRecord& edit, wchar_t character) {
    if (isEditingControlCharacter(character, edit.form.style.multiLine)) return true;
    if (IS_LOW_SURROGATE(character)) return true;  // its high half was already counted
    const std::size_t added = character == L'\r' ? 2 : IS_HIGH_SURROGATE(character) ? 1 : gbkLength(std::wstring(1, character));
    const auto limit = static_cast<std::size_t>(edit.form.style.userByteLimit);
    return bytesOutsideSelection(edit.hwnd) + added <= limit;
}

// Pastes as much of the clipboard's text as fits, cut between whole characters.
void Win32Toolkit::pasteWithinLimit(ControlRecord& edit) {
    if (GetWindowLongPtrW(edit.hwnd, GWL_STYLE) & ES_READONLY) return;
    const auto limit = static_cast<std::size_t>(edit.form.style.userByteLimit);
    const std::size_t used = bytesOutsideSelection(edit.hwnd);
    if (used >= limit) return;
    const std::string pasted = gbkFromWide(clipboardText(edit.hwnd));
    const std::string_view fitting = cutToWholeChars(untilNul(pasted), limit - used);
    if (fitting.empty()) return;
    SendMessageW(edit.hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wideFromGbk(fitting).c_str()));
}

// The last guard of the byte limit, for input that reaches the box by other roads (an input
// method inserting its result itself, undo): a user change that grows the text beyond the
// limit is taken back.
bool Win32Toolkit::acceptUserChange(ControlRecord& edit) {
    const auto limit = static_cast<std::size_t>(edit.form.style.userByteLimit);
    if (limit == 0) return true;
    std::wstring now = windowText(edit.hwnd);
    const std::size_t bytes = gbkLength(now);
    if (bytes > limit && bytes > gbkLength(edit.acceptedText)) {
        edit.programIsChangingText = true;
        SetWindowTextW(edit.hwnd, edit.acceptedText.c_str());
        edit.programIsChangingText = false;
        const auto end = static_cast<WPARAM>(edit.acceptedText.size());
        SendMessageW(edit.hwnd, EM_SETSEL, end, static_cast<LPARAM>(end));
        return false;
    }
    edit.acceptedText = std::move(now);
    return true;
}

void Win32Toolkit::pressLink(tk::ControlRef ref) {
    if (!raise(ref, tk::EventKind::LinkPressed)) return;
    const ControlRecord* link = findControl(ref);
    if (!link || link->linkTarget.empty()) return;
    ShellExecuteW(programOwnerWindow(), L"open", wideFromGbk(link->linkTarget).c_str(), nullptr,
                  nullptr, SW_SHOWNORMAL);
}

} // namespace extdict::win32
