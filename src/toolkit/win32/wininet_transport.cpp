#include "toolkit/win32/wininet_transport.h"

#include <string>

namespace extdict::win32 {
namespace {

template <typename Fn> Fn bind(HMODULE library, const char* name) {
    if (!library) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

NetHandle netHandle(void* handle) { return reinterpret_cast<NetHandle>(handle); }
void* apiHandle(NetHandle handle) { return reinterpret_cast<void*>(handle); }

} // namespace

WinInetTransport::WinInetTransport() : library_(LoadLibraryW(L"wininet.dll")) {
    open_ = bind<OpenFn>(library_, "InternetOpenA");
    connect_ = bind<ConnectFn>(library_, "InternetConnectA");
    openRequest_ = bind<OpenRequestFn>(library_, "HttpOpenRequestA");
    setOption_ = bind<SetOptionFn>(library_, "InternetSetOptionA");
    sendRequest_ = bind<SendRequestFn>(library_, "HttpSendRequestA");
    readFile_ = bind<ReadFileFn>(library_, "InternetReadFile");
    queryInfo_ = bind<QueryInfoFn>(library_, "HttpQueryInfoA");
    closeHandle_ = bind<CloseHandleFn>(library_, "InternetCloseHandle");
}

WinInetTransport::~WinInetTransport() {
    if (library_) FreeLibrary(library_);
}

NetHandle WinInetTransport::internetOpen(std::string_view userAgent, int accessType,
                                         std::string_view proxy, std::string_view proxyBypass,
                                         std::uint32_t flags) {
    if (!open_) return 0;
    return netHandle(open_(std::string(userAgent).c_str(), static_cast<DWORD>(accessType),
                           std::string(proxy).c_str(), std::string(proxyBypass).c_str(), flags));
}

NetHandle WinInetTransport::internetConnect(NetHandle internet, std::string_view host, int port,
                                            std::string_view user, std::string_view password,
                                            int service, std::uint32_t flags,
                                            std::uintptr_t context) {
    if (!connect_) return 0;
    return netHandle(connect_(apiHandle(internet), std::string(host).c_str(),
                              static_cast<WORD>(port), std::string(user).c_str(),
                              std::string(password).c_str(), static_cast<DWORD>(service), flags,
                              context));
}

NetHandle WinInetTransport::httpOpenRequest(NetHandle connection, std::string_view method,
                                            std::string_view path, std::string_view version,
                                            std::uint32_t flags, std::uintptr_t context) {
    if (!openRequest_) return 0;
    return netHandle(openRequest_(apiHandle(connection), std::string(method).c_str(),
                                  std::string(path).c_str(), std::string(version).c_str(),
                                  nullptr, nullptr, flags, context));
}

bool WinInetTransport::internetSetOption(NetHandle handle, int option, std::uint32_t value) {
    if (!setOption_) return false;
    DWORD data = value;
    return setOption_(apiHandle(handle), static_cast<DWORD>(option), &data, sizeof data) != 0;
}

bool WinInetTransport::httpSendRequest(NetHandle request, std::string_view headers,
                                       std::string_view optional) {
    if (!sendRequest_) return false;
    const std::string headerText(headers);
    std::string body(optional);
    return sendRequest_(apiHandle(request), headerText.empty() ? nullptr : headerText.c_str(),
                        static_cast<DWORD>(headerText.size()), body.empty() ? nullptr : body.data(),
                        static_cast<DWORD>(body.size())) != 0;
}

std::size_t WinInetTransport::internetReadFile(NetHandle request, char* buffer, std::size_t size) {
    if (!readFile_) return 0;
    DWORD read = 0;
    if (!readFile_(apiHandle(request), buffer, static_cast<DWORD>(size), &read)) return 0;
    return read;
}

bool WinInetTransport::httpQueryInfo(NetHandle request, int infoLevel, char* buffer,
                                     std::size_t& length) {
    if (!queryInfo_) return false;
    DWORD size = static_cast<DWORD>(length);
    const bool ok = queryInfo_(apiHandle(request), static_cast<DWORD>(infoLevel), buffer, &size,
                               nullptr) != 0;
    length = size;
    return ok;
}

bool WinInetTransport::internetCloseHandle(NetHandle handle) {
    return closeHandle_ && closeHandle_(apiHandle(handle)) != 0;
}

} // namespace extdict::win32
