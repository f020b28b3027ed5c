#include "world.h"

#include <windows.h>

#include <cstring>
#include <filesystem>

#include "toolkit/win32/wide_text.h"

namespace extdict::player {
namespace {

using win32::gbkFromWide;
using win32::wideFromGbk;

// Wine's HKEY_CLASSES_ROOT does not show HKCU\Software\Classes, so values go to the
// merged root itself (the machine's classes in the test prefix) and are given back after.
const HKEY kClassesRoot = HKEY_CLASSES_ROOT;

std::wstring classesKey(const std::string& key) {
    std::wstring wide = wideFromGbk(key);
    while (!wide.empty() && wide.back() == L'\\') wide.pop_back();
    return wide;
}

// The clipboard needs an owner window to take data.
HWND clipboardOwner() {
    static const HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                              nullptr, GetModuleHandleW(nullptr), nullptr);
    return owner;
}

bool openClipboard() {
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (OpenClipboard(clipboardOwner())) return true;
        Sleep(10);
    }
    return false;
}

} // namespace

std::vector<std::string> filesMatching(const std::string& pattern) {
    const std::string folder = pattern.substr(0, pattern.rfind('\\') + 1);
    std::vector<std::string> found;
    WIN32_FIND_DATAW data;
    const HANDLE search = FindFirstFileW(wideFromGbk(pattern).c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return found;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            found.push_back(folder + gbkFromWide(data.cFileName));
    } while (FindNextFileW(search, &data));
    FindClose(search);
    return found;
}

bool makeFolder(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(wideFromGbk(path)), error);
    return !error;
}

bool removePath(const std::string& path) {
    std::error_code error;
    std::filesystem::remove_all(std::filesystem::path(wideFromGbk(path)), error);
    return !error;
}

bool cutFile(const std::string& path, unsigned long long size) {
    std::error_code error;
    std::filesystem::resize_file(std::filesystem::path(wideFromGbk(path)), size, error);
    return !error;
}

bool setClassesDefault(const std::string& key, const std::string& value, RegistryType type) {
    HKEY handle = nullptr;
    if (RegCreateKeyExW(kClassesRoot, classesKey(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return false;
    const std::wstring wide = wideFromGbk(value);
    const DWORD kind = type == RegistryType::String         ? REG_SZ
                       : type == RegistryType::ExpandString ? REG_EXPAND_SZ
                                                            : REG_BINARY;
    const auto* bytes = reinterpret_cast<const BYTE*>(wide.c_str());
    const auto size = static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t));
    const bool written = RegSetValueExW(handle, nullptr, 0, kind, bytes, size) == ERROR_SUCCESS;
    RegCloseKey(handle);
    return written;
}

RegistrySnapshot::RegistrySnapshot(const std::vector<std::string>& keys) {
    for (const std::string& key : keys) {
        Saved saved{classesKey(key), false, std::nullopt, 0};
        HKEY handle = nullptr;
        if (RegOpenKeyExW(kClassesRoot, saved.key.c_str(), 0, KEY_QUERY_VALUE, &handle) ==
            ERROR_SUCCESS) {
            saved.existed = true;
            DWORD size = 0;
            if (RegQueryValueExW(handle, nullptr, nullptr, &saved.type, nullptr, &size) ==
                ERROR_SUCCESS) {
                std::vector<unsigned char> bytes(size);
                RegQueryValueExW(handle, nullptr, nullptr, &saved.type, bytes.data(), &size);
                saved.value = std::move(bytes);
            }
            RegCloseKey(handle);
        }
        saved_.push_back(std::move(saved));
    }
}

RegistrySnapshot::~RegistrySnapshot() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
        if (!it->existed) {
            RegDeleteTreeW(kClassesRoot, it->key.c_str());
            continue;
        }
        HKEY handle = nullptr;
        if (RegOpenKeyExW(kClassesRoot, it->key.c_str(), 0, KEY_SET_VALUE, &handle) !=
            ERROR_SUCCESS)
            continue;
        if (it->value)
            RegSetValueExW(handle, nullptr, 0, it->type, it->value->data(),
                           static_cast<DWORD>(it->value->size()));
        else
            RegDeleteValueW(handle, nullptr);
        RegCloseKey(handle);
    }
}

namespace {

std::wstring environmentVariable(const wchar_t* name) {
    wchar_t value[MAX_PATH + 1] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
    return length == 0 || length > MAX_PATH ? std::wstring() : std::wstring(value, length);
}

} // namespace

std::string replySpool() { return gbkFromWide(environmentVariable(L"EXTDICT_PLAYER_REPLIES")); }

int replyPort() {
    const std::wstring port = environmentVariable(L"EXTDICT_PLAYER_REPLY_PORT");
    return port.empty() ? 0 : static_cast<int>(std::wcstol(port.c_str(), nullptr, 10));
}

std::optional<std::string> clipboardText() {
    if (!openClipboard()) return std::nullopt;
    std::optional<std::string> text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = gbkFromWide(chars);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

bool setClipboardText(const std::optional<std::string>& text) {
    if (!openClipboard()) return false;
    bool done = EmptyClipboard();
    if (done && text) {
        const std::wstring wide = wideFromGbk(*text);
        const SIZE_T size = (wide.size() + 1) * sizeof(wchar_t);
        const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
        done = memory != nullptr;
        if (done) {
            std::memcpy(GlobalLock(memory), wide.c_str(), size);
            GlobalUnlock(memory);
            done = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
            if (!done) GlobalFree(memory);
        }
    }
    CloseClipboard();
    return done;
}

} // namespace extdict::player
