#pragma once
// The platform services on Windows: the registry, the clipboard, files, WinINet, starting
// programs and the shell's opening of web addresses.

#include <windows.h>

#include "toolkit/services.h"
#include "toolkit/win32/win32_file_system.h"
#include "toolkit/win32/wininet_transport.h"

namespace extdict::win32 {

class WindowsServices final : public Services {
public:
    WindowsServices();
    ~WindowsServices() override;
    WindowsServices(const WindowsServices&) = delete;
    WindowsServices& operator=(const WindowsServices&) = delete;

    std::string registryDefaultValue(std::string_view key) override;
    bool setClipboardText(std::string_view text) override;
    FileSystem& files() override { return files_; }
    HttpTransport& http() override { return http_; }
    bool startProgram(std::string_view commandLine) override;
    bool openWebAddress(std::string_view address) override;
    std::string browserCommandLine(std::string_view link) override;
    std::string executableDirectory() override;
    std::string joinPath(std::string_view folder, std::string_view name) override;
    std::string encyclopediaHost() override;

private:
    Win32FileSystem files_;
    WinInetTransport http_;
    HWND clipboardOwner_;  // a message-only window: the clipboard needs an owner to take data
};

} // namespace extdict::win32
