// List box items and edit box selection, appending and input mode.
#include "text/gbk_chars.h"
#include "toolkit/win32/wide_text.h"
#include "toolkit/win32/win32_toolkit.h"
#include "toolkit/win32/window_text.h"

namespace extdict::win32 {
namespace {

LRESULT send(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return hwnd ? SendMessageW(hwnd, message, wParam, lParam) : 0;
}

bool inList(HWND list, int index) {
    return index >= 0 && index < static_cast<int>(send(list, LB_GETCOUNT));
}

// Input modes: 0 free input; 1 read only; 2 password (each character shown as '*').
constexpr int kReadOnlyMode = 1;
constexpr int kPasswordMode = 2;

} // namespace

void Win32Toolkit::listClear(tk::ControlRef list) { send(handleOf(list), LB_RESETCONTENT); }

int Win32Toolkit::listAdd(tk::ControlRef list, std::string_view text) {
    const HWND hwnd = handleOf(list);
    if (!hwnd) return -1;
    const std::wstring wide = wideFromGbk(untilNul(text));
    return static_cast<int>(send(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str())));
}

int Win32Toolkit::listCount(tk::ControlRef list) const {
    return static_cast<int>(send(handleOf(list), LB_GETCOUNT));
}

std::string Win32Toolkit::listItemText(tk::ControlRef list, int index) const {
    const HWND hwnd = handleOf(list);
    if (!inList(hwnd, index)) return {};
    std::wstring text(static_cast<std::size_t>(send(hwnd, LB_GETTEXTLEN, static_cast<WPARAM>(index))) + 1, L'\0');
    const auto length = send(hwnd, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return gbkFromWide(text);
}

int Win32Toolkit::listItemValue(tk::ControlRef list, int index) const {
    const HWND hwnd = handleOf(list);
    if (!inList(hwnd, index)) return -1;
    return static_cast<int>(send(hwnd, LB_GETITEMDATA, static_cast<WPARAM>(index)));
}

void Win32Toolkit::setListItemValue(tk::ControlRef list, int index, int value) {
    const HWND hwnd = handleOf(list);
    if (!inList(hwnd, index)) return;
    send(hwnd, LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(value));
}

int Win32Toolkit::listSelection(tk::ControlRef list) const {
    const HWND hwnd = handleOf(list);
    if (!hwnd) return -1;
    const auto selection = send(hwnd, LB_GETCURSEL);
    return selection == LB_ERR ? -1 : static_cast<int>(selection);
}

// LB_SETCURSEL sends no LBN_SELCHANGE, so the program's selection raises no ItemSelected.
void Win32Toolkit::setListSelection(tk::ControlRef list, int index) {
    const HWND hwnd = handleOf(list);
    if (!hwnd) return;
    const int last = static_cast<int>(send(hwnd, LB_GETCOUNT)) - 1;
    const int chosen = index < 0 ? -1 : std::min(index, last);
    send(hwnd, LB_SETCURSEL, static_cast<WPARAM>(chosen));
}

void Win32Toolkit::setSelectionStart(tk::ControlRef edit, int byteOffset) {
    const HWND hwnd = handleOf(edit);
    if (!hwnd) return;
    const std::string text = gbkFromWide(windowText(hwnd));
    const auto bytes = static_cast<std::size_t>(std::max(0, byteOffset));
    const auto position = wideFromGbk(cutToWholeChars(text, bytes)).size();
    send(hwnd, EM_SETSEL, position, static_cast<LPARAM>(position));
    send(hwnd, EM_SCROLLCARET);
}

void Win32Toolkit::selectAll(tk::ControlRef edit) { send(handleOf(edit), EM_SETSEL, 0, -1); }

void Win32Toolkit::append(tk::ControlRef ref, std::string_view text) {
    ControlRecord* edit = findControl(ref);
    if (!edit || !edit->hwnd || edit->form.kind != tk::ControlKind::EditBox) return;
    const auto end = static_cast<WPARAM>(GetWindowTextLengthW(edit->hwnd));
    const std::wstring wide = wideFromGbk(untilNul(text));
    edit->programIsChangingText = true;
    send(edit->hwnd, EM_SETSEL, end, static_cast<LPARAM>(end));
    send(edit->hwnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
    send(edit->hwnd, EM_SCROLLCARET);
    edit->programIsChangingText = false;
    edit->acceptedText = windowText(edit->hwnd);
    raise(ref, tk::EventKind::TextChanged);
}

void Win32Toolkit::setInputMode(tk::ControlRef ref, int mode) {
    const ControlRecord* edit = findControl(ref);
    if (!edit || !edit->hwnd || edit->form.kind != tk::ControlKind::EditBox) return;
    const bool readOnly = mode == kReadOnlyMode || edit->form.style.readOnly;
    send(edit->hwnd, EM_SETREADONLY, readOnly ? TRUE : FALSE);
    send(edit->hwnd, EM_SETPASSWORDCHAR, mode == kPasswordMode ? L'*' : 0);
    InvalidateRect(edit->hwnd, nullptr, TRUE);
}

} // namespace extdict::win32
