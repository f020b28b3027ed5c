#pragma once
// The HTTP transport on Linux, over libcurl. Opening the Internet handle, connecting and
// opening a request only keep their parameters; sending performs the request (streamed with
// curl's multi interface) and returns once the response's head has arrived or the transfer
// failed; reads hand the body out as it arrives, holding only a small window of it, so a
// server that never stops sending cannot fill the memory. Failures read as 0 bytes.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "toolkit/http_transport.h"

namespace extdict {

class CurlTransport final : public HttpTransport {
public:
    CurlTransport();
    ~CurlTransport() override;
    CurlTransport(const CurlTransport&) = delete;
    CurlTransport& operator=(const CurlTransport&) = delete;

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

    // Milliseconds; set on any handle, inherited by the handles opened from it.
    struct Timeouts {
        std::uint32_t connect = 60000;
        std::uint32_t receive = 60000;
        std::uint32_t send = 60000;
    };

private:
    struct Session {
        std::string userAgent;
        std::optional<std::string> proxy;  // nothing: direct
        Timeouts timeouts;
    };
    struct Connection {
        Session session;
        std::string host;
        int port = 0;  // 0: the default port
    };
    class Request;
    using HandleState = std::variant<Session, Connection, std::unique_ptr<Request>>;

    template <typename State> State* find(NetHandle handle);
    Timeouts* timeoutsOf(NetHandle handle);
    NetHandle add(HandleState state);

    std::map<NetHandle, HandleState> handles_;
    NetHandle nextHandle_ = 1;
};

} // namespace extdict
