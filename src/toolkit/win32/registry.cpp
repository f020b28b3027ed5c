// Default values under HKEY_CLASSES_ROOT, read only.
#include "toolkit/win32/wide_text.h"
#include "toolkit/win32/windows_services.h"

namespace extdict::win32 {
namespace {

// A key written as a path ends in a backslash before the (empty) value name; the key itself
// has no trailing backslash.
std::wstring keyPath(std::string_view key) {
    std::wstring path = wideFromGbk(key);
    while (!path.empty() && path.back() == L'\\') path.pop_back();
    return path;
}

std::wstring upToNul(const std::wstring& text) { return text.substr(0, text.find(L'\0')); }

std::wstring expanded(const std::wstring& text) {
    const DWORD size = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (size == 0) return text;
    std::wstring out(size, L'\0');
    const DWORD written = ExpandEnvironmentStringsW(text.c_str(), out.data(), size);
    return upToNul(out.substr(0, written));
}

} // namespace

std::string WindowsServices::registryDefaultValue(std::string_view key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, keyPath(key).c_str(), 0, KEY_QUERY_VALUE, &opened) !=
        ERROR_SUCCESS) {
        return {};
    }
    DWORD type = 0;
    DWORD size = 0;
    std::wstring value;
    if (RegQueryValueExW(opened, nullptr, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
        value.assign(size / sizeof(wchar_t) + 1, L'\0');
        DWORD capacity = static_cast<DWORD>(value.size() * sizeof(wchar_t));
        if (RegQueryValueExW(opened, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value.data()),
                             &capacity) == ERROR_SUCCESS) {
            value = upToNul(value);
            if (type == REG_EXPAND_SZ) value = expanded(value);
        } else {
            value.clear();
        }
    }
    RegCloseKey(opened);
    return gbkFromWide(value);
}

} // namespace extdict::win32
