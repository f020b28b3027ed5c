#include "toolkit/win32/windows_services.h"

#include <shellapi.h>

#include "text/gbk_chars.h"
#include "toolkit/win32/wide_text.h"

namespace extdict::win32 {
namespace {

constexpr char kDefaultEncyclopediaHost[] = "http://baike.baidu.com";
constexpr wchar_t kHostVariable[] = L"EXTDICT_ENCYCLOPEDIA_HOST";
constexpr DWORD kReadyWaitMs = 1000;

std::wstring environmentVariable(const wchar_t* name) {
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return {};
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), size));
    return value;
}

HWND createMessageWindow() {
    return CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

} // namespace

WindowsServices::WindowsServices() : clipboardOwner_(createMessageWindow()) {}

WindowsServices::~WindowsServices() {
    if (clipboardOwner_) DestroyWindow(clipboardOwner_);
}

bool WindowsServices::startProgram(std::string_view commandLine) {
    std::wstring line = wideFromGbk(untilNul(commandLine));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    WaitForInputIdle(process.hProcess, kReadyWaitMs);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool WindowsServices::openWebAddress(std::string_view address) {
    const auto result = ShellExecuteW(nullptr, L"open", wideFromGbk(untilNul(address)).c_str(),
                                      nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

std::string WindowsServices::browserCommandLine(std::string_view link) {
    return "explorer " + std::string(link);
}

std::string WindowsServices::executableDirectory() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const auto slash = path.rfind(L'\\');
    return gbkFromWide(slash == std::wstring::npos ? std::wstring{} : path.substr(0, slash));
}

std::string WindowsServices::joinPath(std::string_view folder, std::string_view name) {
    return std::string(folder) + "\\" + std::string(name);
}

std::string WindowsServices::encyclopediaHost() {
    const std::wstring configured = environmentVariable(kHostVariable);
    return configured.empty() ? kDefaultEncyclopediaHost : gbkFromWide(configured);
}

} // namespace extdict::win32
