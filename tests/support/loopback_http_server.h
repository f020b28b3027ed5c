#pragma once
// A tiny HTTP server on a free port of 127.0.0.1 for integration tests. It answers every
// connection with the same scripted reply, each connection on a thread of its own (so a
// request made inside another one is served too), records what it received, and stops by
// itself after kLifetime at the latest.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace extdict::testing {

struct ReceivedRequest {
    std::string method;
    std::string target;   // as sent, e.g. "/s?cl=3&wd=txt"
    std::string version;
    std::string headers;  // the header lines as received, each ending in CR LF
    std::string body;

    // The value of the first header of that name (ASCII case ignored); empty when absent.
    std::string header(std::string_view name) const;
    // How many header lines bear that name.
    int headerCount(std::string_view name) const;
};

struct ServerReply {
    std::string head = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\n\r\n";
    std::vector<std::string> bodyChunks;
    std::chrono::milliseconds pauseBeforeChunk{0};
    // After the chunks, keeps sending until the client hangs up (or the server's life ends).
    bool endless = false;
};

// A plain 200 answer with the body, closed after it.
ServerReply cannedReply(std::string body);

class LoopbackHttpServer {
public:
    static constexpr std::chrono::seconds kLifetime{30};

    explicit LoopbackHttpServer(ServerReply reply);
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    int port() const { return port_; }
    std::string address() const;  // "http://127.0.0.1:<port>"
    std::vector<ReceivedRequest> requests() const;
    // Connections whose reply ended because the client hung up.
    int connectionsClosedByClient() const { return closedByClient_; }

    // A port of 127.0.0.1 that nothing listens on (just released by this process).
    static int closedPort();

private:
    void acceptLoop();
    void serve(int socket);
    bool sendAll(int socket, std::string_view bytes);
    bool pause(std::chrono::milliseconds length);
    bool running() const;

    ServerReply reply_;
    int listener_ = -1;
    int port_ = 0;
    std::chrono::steady_clock::time_point deadline_;
    std::atomic<bool> stopping_{false};
    std::atomic<int> closedByClient_{0};
    mutable std::mutex mutex_;
    std::vector<ReceivedRequest> requests_;
    std::vector<std::thread> connections_;
    std::thread acceptor_;
};

} // namespace extdict::testing
