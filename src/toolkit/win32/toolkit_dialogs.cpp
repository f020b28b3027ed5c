// Message boxes and the common file dialogs, modal for the whole program.
#include <windows.h>
#include <commdlg.h>

#include "toolkit/win32/dialog_texts.h"
#include "toolkit/win32/wide_text.h"
#include "toolkit/win32/win32_toolkit.h"

namespace extdict::win32 {
namespace {

constexpr wchar_t kMessageTitle[] = L"信息：";
constexpr std::size_t kPathBuffer = 32768;
constexpr std::size_t kMultiPathBuffer = 1 << 17;

// The program's windows other than the box's owner stay disabled while the box is up
// (the owner is disabled by the box itself).
class ProgramModal {
public:
    explicit ProgramModal(std::vector<HWND> windows) : disabled_(std::move(windows)) {
        for (const HWND hwnd : disabled_) EnableWindow(hwnd, FALSE);
    }
    ~ProgramModal() {
        for (auto it = disabled_.rbegin(); it != disabled_.rend(); ++it) {
            if (IsWindow(*it)) EnableWindow(*it, TRUE);
        }
    }
    ProgramModal(const ProgramModal&) = delete;
    ProgramModal& operator=(const ProgramModal&) = delete;

private:
    std::vector<HWND> disabled_;
};

UINT iconFlag(tk::MessageIcon icon) {
    switch (icon) {
    case tk::MessageIcon::Warning:
        return MB_ICONWARNING;
    case tk::MessageIcon::Information:
        return MB_ICONINFORMATION;
    case tk::MessageIcon::Question:
        return MB_ICONQUESTION;
    }
    return 0;
}

UINT buttonsFlag(tk::MessageButtons buttons) {
    switch (buttons) {
    case tk::MessageButtons::Ok:
        return MB_OK;
    case tk::MessageButtons::OkCancel:
        return MB_OKCANCEL;
    case tk::MessageButtons::YesNo:
        return MB_YESNO;
    case tk::MessageButtons::YesNoCancel:
        return MB_YESNOCANCEL;
    }
    return MB_OK;
}

tk::Answer answerOf(int pressed) {
    switch (pressed) {
    case IDOK:
        return tk::Answer::Ok;
    case IDYES:
        return tk::Answer::Yes;
    case IDNO:
        return tk::Answer::No;
    default:
        return tk::Answer::Cancel;
    }
}

const wchar_t* orNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

} // namespace

// The active window of the program, else its latest visible one, else none.
HWND Win32Toolkit::programOwnerWindow() const {
    const HWND active = GetActiveWindow();
    if (windowOf(active)) return active;
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
        if (IsWindowVisible(it->second->hwnd)) return it->second->hwnd;
    }
    return nullptr;
}

std::vector<HWND> Win32Toolkit::enabledProgramWindows(HWND except) const {
    std::vector<HWND> enabled;
    for (const auto& [id, window] : windows_) {
        if (window->hwnd != except && IsWindowEnabled(window->hwnd)) enabled.push_back(window->hwnd);
    }
    return enabled;
}

tk::Answer Win32Toolkit::messageBox(std::string_view text, tk::MessageIcon icon,
                                    tk::MessageButtons buttons) {
    const HWND owner = programOwnerWindow();
    ProgramModal modal(enabledProgramWindows(owner));
    const UINT flags = iconFlag(icon) | buttonsFlag(buttons) | MB_SETFOREGROUND |
                       (owner ? MB_APPLMODAL : MB_TASKMODAL);
    const int pressed = MessageBoxW(owner, wideFromGbk(text).c_str(), kMessageTitle, flags);
    return answerOf(pressed);
}

std::optional<std::string> Win32Toolkit::fileDialog(const tk::FileDialogRequest& request) {
    const std::wstring filter = dialogFilter(wideFromGbk(request.filter));
    const std::wstring title = wideFromGbk(request.title);
    const std::wstring extension = wideFromGbk(request.defaultExtension);
    std::wstring file = wideFromGbk(request.fileName);
    file.resize(kPathBuffer, L'\0');

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = programOwnerWindow();
    dialog.lpstrFilter = orNull(filter);
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = orNull(title);
    dialog.lpstrDefExt = orNull(extension);
    const bool open = request.mode == tk::FileDialogMode::Open;
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   (open ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT);

    ProgramModal modal(enabledProgramWindows(dialog.hwndOwner));
    const BOOL chosen = open ? GetOpenFileNameW(&dialog) : GetSaveFileNameW(&dialog);
    if (!chosen) return std::nullopt;
    return gbkFromWide(file.c_str());
}

std::vector<std::string> Win32Toolkit::multiSelectOpenDialog(std::string_view title,
                                                             std::string_view filter) {
    const std::wstring wideFilter = dialogFilter(wideFromGbk(filter));
    const std::wstring wideTitle = wideFromGbk(title);
    std::wstring buffer(kMultiPathBuffer, L'\0');

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = programOwnerWindow();
    dialog.lpstrFilter = orNull(wideFilter);
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.lpstrTitle = orNull(wideTitle);
    dialog.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST |
                   OFN_HIDEREADONLY | OFN_NOCHANGEDIR;

    ProgramModal modal(enabledProgramWindows(dialog.hwndOwner));
    if (!GetOpenFileNameW(&dialog)) return {};
    std::vector<std::string> paths;
    for (const auto& path : chosenPaths(buffer)) paths.push_back(gbkFromWide(path));
    return paths;
}

} // namespace extdict::win32
