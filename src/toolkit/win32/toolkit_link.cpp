// The hyperlink: blue underlined text with a hand cursor; a left press, Space or Enter on it,
// or Alt with its marked letter presses it.
#include "toolkit/win32/win32_toolkit.h"
#include "toolkit/win32/window_text.h"
#include "toolkit/win32/window_classes.h"

namespace extdict::win32 {
namespace {

constexpr COLORREF kLinkBlue = RGB(0, 0, 255);

} // namespace

LRESULT CALLBACK Win32Toolkit::linkProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        if (const auto* context = static_cast<const CreationContext*>(create->lpCreateParams)) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(context->toolkit));
            context->toolkit->refs_[hwnd] = context->ref;
        }
    }
    auto* toolkit = reinterpret_cast<Win32Toolkit*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!toolkit) return DefWindowProcW(hwnd, message, wParam, lParam);
    return toolkit->onLinkMessage(hwnd, message, wParam, lParam);
}

LRESULT Win32Toolkit::onLinkMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto ref = refOf(hwnd);
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(hwnd, &paint);
        const WindowRecord* window = ref ? findWindow(ref->window) : nullptr;
        const HGDIOBJ oldFont = window ? SelectObject(dc, window->linkFont) : nullptr;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, IsWindowEnabled(hwnd) ? kLinkBlue : GetSysColor(COLOR_GRAYTEXT));
        RECT area{};
        GetClientRect(hwnd, &area);
        const std::wstring text = windowText(hwnd);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        if (GetFocus() == hwnd) {
            RECT used = area;
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &used, DT_LEFT | DT_SINGLELINE | DT_CALCRECT);
            const int shift = (area.bottom - area.top - (used.bottom - used.top)) / 2;
            OffsetRect(&used, 0, shift);
            DrawFocusRect(dc, &used);
        }
        if (oldFont) SelectObject(dc, oldFont);
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        if (ref) pressLink(*ref);
        return 0;
    case WM_KEYDOWN:
        if ((wParam == VK_SPACE || wParam == VK_RETURN) && ref) {
            pressLink(*ref);
            return 0;
        }
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
        InvalidateRect(hwnd, nullptr, TRUE);
        break;
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return result;
    }
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace extdict::win32
