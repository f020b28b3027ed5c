#include <gtest/gtest.h>

#include <windows.h>

#include "text/encoding.h"
#include "toolkit/win32/wide_text.h"
#include "toolkit/win32/windows_services.h"

using namespace extdict;
using namespace extdict::win32;

namespace {

// A class key of our own, removed again at the end of the test.
class RegistryKey {
public:
    RegistryKey(const wchar_t* name, DWORD type, const std::wstring& value) : name_(name) {
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_CLASSES_ROOT, name_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
        if (type == REG_DWORD) {
            const DWORD number = 7;
            RegSetValueExW(key, nullptr, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
        } else {
            RegSetValueExW(key, nullptr, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        }
        RegCloseKey(key);
    }
    ~RegistryKey() { RegDeleteTreeW(HKEY_CLASSES_ROOT, name_.c_str()); }

private:
    std::wstring name_;
};

std::wstring clipboardUnicode() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

TEST(Registry, ReadsStringsAsStoredExpandsExpandableOnesAndIgnoresOtherTypes) {
    WindowsServices services;
    const RegistryKey text(L".extdicttest", REG_SZ, L"extdicttestfile");
    const RegistryKey description(L"extdicttestfile", REG_SZ, L"测试文件");
    const RegistryKey expandable(L".extdictexpand", REG_EXPAND_SZ, L"%EXTDICT_TEST_VAR%\\x");
    const RegistryKey number(L".extdictnumber", REG_DWORD, L"");
    SetEnvironmentVariableW(L"EXTDICT_TEST_VAR", L"展开");

    EXPECT_EQ(services.registryDefaultValue(".extdicttest\\"), "extdicttestfile");
    EXPECT_EQ(services.registryDefaultValue("extdicttestfile"), gbk("测试文件"));
    EXPECT_EQ(services.registryDefaultValue(".extdictexpand\\"), gbk("展开\\x"));
    EXPECT_EQ(services.registryDefaultValue(".extdictnumber"), "");
    EXPECT_EQ(services.registryDefaultValue(".extdictmissing\\"), "");
}

TEST(Clipboard, HoldsTheTextAsUnicode) {
    WindowsServices services;
    ASSERT_TRUE(services.setClipboardText(gbk("导出：txt,,,文本")));
    EXPECT_EQ(clipboardUnicode(), L"导出：txt,,,文本");
}

TEST(Services, NamesPathsHostsAndTheBrowserCommand) {
    WindowsServices services;
    EXPECT_EQ(services.joinPath("C:\\a", "b.edb"), "C:\\a\\b.edb");
    EXPECT_EQ(services.browserCommandLine("http://x/y"), "explorer http://x/y");
    wchar_t module[MAX_PATH];
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    const std::string self = gbkFromWide(module);
    EXPECT_EQ(services.executableDirectory(), self.substr(0, self.rfind('\\')));

    SetEnvironmentVariableW(L"EXTDICT_ENCYCLOPEDIA_HOST", nullptr);
    EXPECT_EQ(services.encyclopediaHost(), "http://baike.baidu.com");
    SetEnvironmentVariableW(L"EXTDICT_ENCYCLOPEDIA_HOST", L"http://127.0.0.1:8123");
    EXPECT_EQ(services.encyclopediaHost(), "http://127.0.0.1:8123");
    SetEnvironmentVariableW(L"EXTDICT_ENCYCLOPEDIA_HOST", nullptr);
}

TEST(Services, StartProgramReportsWhetherItStarted) {
    WindowsServices services;
    EXPECT_TRUE(services.startProgram("cmd.exe /c exit 0"));
    EXPECT_FALSE(services.startProgram("no-such-program-extdict.exe"));
}

TEST(WinInet, FailsLikeAnUnreachableNetworkWhenNothingAnswers) {
    WindowsServices services;
    auto& http = services.http();
    const NetHandle internet = http.internetOpen("test", inet::OpenTypeDirect, "", "", 0);
    ASSERT_NE(internet, 0u);
    const NetHandle connection = http.internetConnect(internet, "127.0.0.1", 9, "", "", inet::ServiceHttp, 0, 0);
    ASSERT_NE(connection, 0u) << "WinINet connects lazily, on send";
    const NetHandle request = http.httpOpenRequest(connection, "GET", "/", "HTTP/1.1", inet::FlagReload, 0);
    ASSERT_NE(request, 0u);
    http.internetSetOption(request, inet::OptionConnectTimeout, 2000);
    EXPECT_FALSE(http.httpSendRequest(request, "", ""));
    char buffer[512];
    EXPECT_EQ(http.internetReadFile(request, buffer, sizeof buffer), 0u);
    EXPECT_TRUE(http.internetCloseHandle(request));
    EXPECT_TRUE(http.internetCloseHandle(connection));
    EXPECT_TRUE(http.internetCloseHandle(internet));
}

} // namespace
