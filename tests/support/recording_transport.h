#pragma once
// An HTTP transport for unit tests: records every call with its arguments in order, and
// answers from a script (handles or none, body chunks, an endless body, raw headers).

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/http_transport.h"

namespace extdict::testing {

struct TransportCall {
    std::string function;           // "internetOpen", "internetReadFile", ... or a mark
    std::vector<std::string> args;  // every argument as text, handles and numbers in decimal
};

class RecordingTransport final : public HttpTransport {
public:
    static constexpr NetHandle kInternet = 11;
    static constexpr NetHandle kConnection = 22;
    static constexpr NetHandle kRequest = 33;

    // ---- The script ----
    void refuseInternet() { refuseInternet_ = true; }
    void refuseConnection() { refuseConnection_ = true; }
    void refuseRequest() { refuseRequest_ = true; }
    // Each read hands out the next chunk (a chunk longer than the buffer is split).
    void addBodyChunk(std::string chunk) { chunks_.push_back(std::move(chunk)); }
    // After the chunks, every read fills the whole buffer with this byte, for ever.
    void sendForever(char filler) { filler_ = filler; }
    // What httpQueryInfo writes into the buffer (with a NUL when it fits); until this is
    // called it fails and leaves the buffer alone.
    void setRawHeaders(std::string headers) { rawHeaders_ = std::move(headers); }

    // ---- What happened ----
    // A call of its own, so that a test can see where something happened among the calls.
    void mark(std::string label) { calls_.push_back({std::move(label), {}}); }
    const std::vector<TransportCall>& calls() const { return calls_; }
    std::vector<TransportCall> callsTo(std::string_view function) const;
    std::vector<std::string> functionNames() const;
    // The one call to this function; fails the test when there is not exactly one.
    TransportCall onlyCallTo(std::string_view function) const;

    // ---- HttpTransport ----
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
    void record(std::string function, std::vector<std::string> args);

    bool refuseInternet_ = false;
    bool refuseConnection_ = false;
    bool refuseRequest_ = false;
    std::deque<std::string> chunks_;
    std::optional<char> filler_;
    std::optional<std::string> rawHeaders_;
    std::vector<TransportCall> calls_;
};

} // namespace extdict::testing
