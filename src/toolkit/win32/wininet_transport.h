#pragma once
// HTTP through WinINet, bound at run time from wininet.dll with the eight "A" functions the
// request helper uses. The "A" functions take the program's GBK bytes as they are. Without
// wininet.dll every call fails, as an unreachable network would.

#include <windows.h>

#include "toolkit/http_transport.h"

namespace extdict::win32 {

class WinInetTransport final : public HttpTransport {
public:
    WinInetTransport();
    ~WinInetTransport() override;
    WinInetTransport(const WinInetTransport&) = delete;
    WinInetTransport& operator=(const WinInetTransport&) = delete;

    NetHandle internetOpen(std::string_view userAgent, int accessType, std::string_view proxy,
                           std::string_view proxyBypass, std::uint32_t flags) override;
    NetHandle internetConnect(NetHandle internet, std::string_view host, int port,
                              std::string_view user, std::string_view password, int service,
                              std::uint32_t flags, std::uintptr_t context) override;
    NetHandle httpOpenRequest(NetHandle connection, std::string_view method,
                              std::string_view path, std::string_view version,
                              std::uint32_t flags, std::uintptr_t context) override;
    bool internetSetOption(NetHandle handle, int option, std::uint32_t value) override;
    bool httpSendRequest(NetHandle request, std::string_view headers,
                         std::string_view optional) override;
    std::size_t internetReadFile(NetHandle request, char* buffer, std::size_t size) override;
    bool httpQueryInfo(NetHandle request, int infoLevel, char* buffer,
                       std::size_t& length) override;
    bool internetCloseHandle(NetHandle handle) override;

private:
    using Handle = void*;
    using OpenFn = Handle(WINAPI*)(const char*, DWORD, const char*, const char*, DWORD);
    using ConnectFn = Handle(WINAPI*)(Handle, const char*, WORD, const char*, const char*, DWORD,
                                      DWORD, DWORD_PTR);
    using OpenRequestFn = Handle(WINAPI*)(Handle, const char*, const char*, const char*,
                                          const char*, const char**, DWORD, DWORD_PTR);
    using SetOptionFn = BOOL(WINAPI*)(Handle, DWORD, void*, DWORD);
    using SendRequestFn = BOOL(WINAPI*)(Handle, const char*, DWORD, void*, DWORD);
    using ReadFileFn = BOOL(WINAPI*)(Handle, void*, DWORD, DWORD*);
    using QueryInfoFn = BOOL(WINAPI*)(Handle, DWORD, void*, DWORD*, DWORD*);
    using CloseHandleFn = BOOL(WINAPI*)(Handle);

    HMODULE library_ = nullptr;
    OpenFn open_ = nullptr;
    ConnectFn connect_ = nullptr;
    OpenRequestFn openRequest_ = nullptr;
    SetOptionFn setOption_ = nullptr;
    SendRequestFn sendRequest_ = nullptr;
    ReadFileFn readFile_ = nullptr;
    QueryInfoFn queryInfo_ = nullptr;
    CloseHandleFn closeHandle_ = nullptr;
};

} // namespace extdict::win32
