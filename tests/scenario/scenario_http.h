#pragma once
// The network a scenario plays: each request takes the next queued reply; a request with
// no reply queued finds no server. Every request is recorded.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "toolkit/http_transport.h"

namespace extdict::scenario {

struct HttpReply {
    bool refuse = false;         // the connection is refused
    std::string body;            // GBK bytes
    std::size_t chunk = 512;     // most bytes that one read hands out
    std::uint64_t readDelay = 0; // virtual ms that each read takes
};

struct HttpRequestSeen {
    std::string host;
    int port = 0;
    std::string method;
    std::string path;
    std::string headers;
    std::string body;
};

class ScenarioHttp final : public HttpTransport {
  public:
    void queue(HttpReply reply) { replies_.push_back(std::move(reply)); }
    std::size_t queuedReplies() const { return replies_.size(); }
    const std::vector<HttpRequestSeen>& requests() const { return requests_; }
    // Called with each read's delay, so that the scenario's clock moves on.
    void setClock(std::function<void(std::uint64_t)> advance) { advance_ = std::move(advance); }

    NetHandle internetOpen(std::string_view userAgent, int accessType, std::string_view proxy,
                           std::string_view proxyBypass, std::uint32_t flags) override;
    NetHandle internetConnect(NetHandle internet, std::string_view host, int port,
                              std::string_view user, std::string_view password, int service,
                              std::uint32_t flags, std::uintptr_t context) override;
    NetHandle httpOpenRequest(NetHandle connection, std::string_view method, std::string_view path,
                              std::string_view version, std::uint32_t flags,
                              std::uintptr_t context) override;
    bool internetSetOption(NetHandle handle, int option, std::uint32_t value) override;
    bool httpSendRequest(NetHandle request, std::string_view headers,
                         std::string_view optional) override;
    std::size_t internetReadFile(NetHandle request, char* buffer, std::size_t size) override;
    bool httpQueryInfo(NetHandle request, int infoLevel, char* buffer,
                       std::size_t& length) override;
    bool internetCloseHandle(NetHandle handle) override;

  private:
    struct Open {
        std::size_t request; // index into requests_
        HttpReply reply;
        std::size_t offset = 0;
    };
    struct Connection {
        std::string host;
        int port = 0;
    };

    std::deque<HttpReply> replies_;
    std::vector<HttpRequestSeen> requests_;
    std::map<NetHandle, Connection> connections_;
    std::map<NetHandle, Open> open_;
    NetHandle nextHandle_ = 1;
    std::function<void(std::uint64_t)> advance_;
};

} // namespace extdict::scenario
