#include "loopback_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>

#include "text/gbk_chars.h"

namespace extdict::testing {
namespace {

constexpr std::chrono::milliseconds kPollSlice{20};
constexpr std::size_t kMaxRequestBytes = 1 << 20;
constexpr std::size_t kFillerBlock = 64 * 1024;
constexpr std::string_view kHeadEnd = "\r\n\r\n";

sockaddr_in loopbackAddress(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// A listening socket on a free port of 127.0.0.1, and that port.
std::pair<int, int> listenOnFreePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) throw std::runtime_error("socket");
    sockaddr_in address = loopbackAddress(0);
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 16) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(fd);
        throw std::runtime_error("bind or listen on 127.0.0.1");
    }
    return {fd, ntohs(address.sin_port)};
}

void setTimeouts(int socket) {
    timeval slice{0, static_cast<suseconds_t>(
                         std::chrono::microseconds(kPollSlice).count())};
    ::setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, &slice, sizeof slice);
    ::setsockopt(socket, SOL_SOCKET, SO_SNDTIMEO, &slice, sizeof slice);
}

bool isTimeout(int error) { return error == EAGAIN || error == EWOULDBLOCK || error == EINTR; }

std::size_t contentLength(std::string_view headers) {
    const std::string lowered = toLower(headers);
    const std::size_t at = lowered.find("\r\ncontent-length:");
    if (at == std::string::npos) return 0;
    const std::string digits(headers.substr(at + 17, 20));
    return std::strtoul(digits.c_str(), nullptr, 10);
}

ReceivedRequest parseHead(std::string_view head) {
    ReceivedRequest request;
    const std::size_t lineEnd = head.find("\r\n");
    const std::string_view line = head.substr(0, lineEnd);
    const std::size_t firstSpace = line.find(' ');
    const std::size_t lastSpace = line.rfind(' ');
    request.method = line.substr(0, firstSpace);
    if (firstSpace != std::string_view::npos && lastSpace > firstSpace) {
        request.target = line.substr(firstSpace + 1, lastSpace - firstSpace - 1);
        request.version = line.substr(lastSpace + 1);
    }
    if (lineEnd != std::string_view::npos) request.headers = head.substr(lineEnd + 2);
    return request;
}

// Each header line with its name and value.
template <typename Visit> void forEachHeader(std::string_view headers, Visit visit) {
    std::size_t start = 0;
    while (start < headers.size()) {
        std::size_t end = headers.find("\r\n", start);
        if (end == std::string_view::npos) end = headers.size();
        const std::string_view line = headers.substr(start, end - start);
        const std::size_t colon = line.find(':');
        if (colon != std::string_view::npos) {
            std::string_view value = line.substr(colon + 1);
            while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
            visit(line.substr(0, colon), value);
        }
        start = end + 2;
    }
}

} // namespace

std::string ReceivedRequest::header(std::string_view name) const {
    std::string found;
    bool seen = false;
    forEachHeader(headers, [&](std::string_view key, std::string_view value) {
        if (!seen && equalsIgnoringAsciiCase(key, name)) {
            found = value;
            seen = true;
        }
    });
    return found;
}

int ReceivedRequest::headerCount(std::string_view name) const {
    int count = 0;
    forEachHeader(headers, [&](std::string_view key, std::string_view) {
        if (equalsIgnoringAsciiCase(key, name)) ++count;
    });
    return count;
}

ServerReply cannedReply(std::string body) {
    ServerReply reply;
    reply.bodyChunks.push_back(std::move(body));
    return reply;
}

LoopbackHttpServer::LoopbackHttpServer(ServerReply reply)
    : reply_(std::move(reply)), deadline_(std::chrono::steady_clock::now() + kLifetime) {
    std::tie(listener_, port_) = listenOnFreePort();
    acceptor_ = std::thread([this] { acceptLoop(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
    stopping_ = true;
    acceptor_.join();
    for (std::thread& connection : connections_) connection.join();
    ::close(listener_);
}

std::string LoopbackHttpServer::address() const {
    return "http://127.0.0.1:" + std::to_string(port_);
}

std::vector<ReceivedRequest> LoopbackHttpServer::requests() const {
    const std::lock_guard lock(mutex_);
    return requests_;
}

int LoopbackHttpServer::closedPort() {
    const auto [fd, port] = listenOnFreePort();
    ::close(fd);
    return port;
}

bool LoopbackHttpServer::running() const {
    return !stopping_ && std::chrono::steady_clock::now() < deadline_;
}

void LoopbackHttpServer::acceptLoop() {
    while (running()) {
        pollfd waiting{listener_, POLLIN, 0};
        if (::poll(&waiting, 1, static_cast<int>(kPollSlice.count())) <= 0) continue;
        const int socket = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (socket < 0) continue;
        const std::lock_guard lock(mutex_);
        connections_.emplace_back([this, socket] { serve(socket); });
    }
}

void LoopbackHttpServer::serve(int socket) {
    setTimeouts(socket);
    std::string received;
    char buffer[4096];
    std::size_t headEnd = std::string::npos;
    std::size_t wanted = 0;
    while (running() && received.size() < kMaxRequestBytes) {
        if (headEnd == std::string::npos && (headEnd = received.find(kHeadEnd)) != std::string::npos)
            wanted = headEnd + kHeadEnd.size() + contentLength(received.substr(0, headEnd + 2));
        if (headEnd != std::string::npos && received.size() >= wanted) break;
        const ssize_t count = ::recv(socket, buffer, sizeof buffer, 0);
        if (count == 0 || (count < 0 && !isTimeout(errno))) break;
        if (count > 0) received.append(buffer, static_cast<std::size_t>(count));
    }
    if (headEnd != std::string::npos) {
        ReceivedRequest request = parseHead(std::string_view(received).substr(0, headEnd + 2));
        request.body = received.substr(headEnd + kHeadEnd.size());
        {
            const std::lock_guard lock(mutex_);
            requests_.push_back(std::move(request));
        }
        bool open = sendAll(socket, reply_.head);
        for (const std::string& chunk : reply_.bodyChunks)
            open = open && pause(reply_.pauseBeforeChunk) && sendAll(socket, chunk);
        const std::string filler(kFillerBlock, 'x');
        while (open && reply_.endless) open = sendAll(socket, filler);
        if (!open && running()) ++closedByClient_;
    }
    ::shutdown(socket, SHUT_RDWR);
    ::close(socket);
}

bool LoopbackHttpServer::sendAll(int socket, std::string_view bytes) {
    while (!bytes.empty()) {
        if (!running()) return false;
        const ssize_t count = ::send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (count < 0 && !isTimeout(errno)) return false;
        if (count > 0) bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

bool LoopbackHttpServer::pause(std::chrono::milliseconds length) {
    const auto until = std::chrono::steady_clock::now() + length;
    while (std::chrono::steady_clock::now() < until) {
        if (!running()) return false;
        std::this_thread::sleep_for(kPollSlice);
    }
    return running();
}

} // namespace extdict::testing
