#pragma once
// The HTTP transport, shaped like the eight WinINet calls that the request helper makes.
// Handles are opaque non-zero numbers; 0 is "no handle".

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace extdict {

using NetHandle = std::uintptr_t;

namespace inet {
constexpr int OpenTypeDirect = 1;         // INTERNET_OPEN_TYPE_DIRECT
constexpr int OpenTypeProxy = 3;          // INTERNET_OPEN_TYPE_PROXY
constexpr int ServiceHttp = 3;            // INTERNET_SERVICE_HTTP
constexpr std::uint32_t FlagReload = 0x80000000u;  // INTERNET_FLAG_RELOAD
constexpr int OptionConnectTimeout = 2;
constexpr int OptionSendTimeout = 5;
constexpr int OptionReceiveTimeout = 6;
constexpr int QueryRawHeadersCrlf = 22;   // HTTP_QUERY_RAW_HEADERS_CRLF
} // namespace inet

class HttpTransport {
public:
    virtual ~HttpTransport() = default;
    virtual NetHandle internetOpen(std::string_view userAgent, int accessType,
                                   std::string_view proxy, std::string_view proxyBypass,
                                   std::uint32_t flags) = 0;
    virtual NetHandle internetConnect(NetHandle internet, std::string_view host, int port,
                                      std::string_view user, std::string_view password,
                                      int service, std::uint32_t flags, std::uintptr_t context) = 0;
    // referrer and acceptTypes are always null in this program, so they are not passed.
    virtual NetHandle httpOpenRequest(NetHandle connection, std::string_view method,
                                      std::string_view path, std::string_view version,
                                      std::uint32_t flags, std::uintptr_t context) = 0;
    virtual bool internetSetOption(NetHandle handle, int option, std::uint32_t value) = 0;
    virtual bool httpSendRequest(NetHandle request, std::string_view headers,
                                 std::string_view optional) = 0;
    // Bytes read into buffer; 0 at the end of the data and on failure.
    virtual std::size_t internetReadFile(NetHandle request, char* buffer, std::size_t size) = 0;
    virtual bool httpQueryInfo(NetHandle request, int infoLevel, char* buffer,
                               std::size_t& length) = 0;
    virtual bool internetCloseHandle(NetHandle handle) = 0;
};

} // namespace extdict
