#include "scenario_http.h"

#include <algorithm>
#include <cstring>

namespace extdict::scenario {

NetHandle ScenarioHttp::internetOpen(std::string_view, int, std::string_view, std::string_view,
                                     std::uint32_t) {
    return nextHandle_++;
}

// The reply decides at connection time whether a server is there.
NetHandle ScenarioHttp::internetConnect(NetHandle, std::string_view host, int port,
                                        std::string_view, std::string_view, int, std::uint32_t,
                                        std::uintptr_t) {
    if (replies_.empty() || replies_.front().refuse) {
        requests_.push_back({std::string(host), port, "", "", "", ""});
        if (!replies_.empty()) replies_.pop_front();
        return 0;
    }
    const NetHandle handle = nextHandle_++;
    connections_[handle] = {std::string(host), port};
    return handle;
}

NetHandle ScenarioHttp::httpOpenRequest(NetHandle connection, std::string_view method,
                                        std::string_view path, std::string_view, std::uint32_t,
                                        std::uintptr_t) {
    const auto found = connections_.find(connection);
    if (found == connections_.end() || replies_.empty()) return 0;
    requests_.push_back(
        {found->second.host, found->second.port, std::string(method), std::string(path), "", ""});
    const NetHandle handle = nextHandle_++;
    open_[handle] = {requests_.size() - 1, std::move(replies_.front())};
    replies_.pop_front();
    return handle;
}

bool ScenarioHttp::internetSetOption(NetHandle handle, int, std::uint32_t) {
    return open_.count(handle) > 0;
}

bool ScenarioHttp::httpSendRequest(NetHandle request, std::string_view headers,
                                   std::string_view optional) {
    const auto found = open_.find(request);
    if (found == open_.end()) return false;
    requests_[found->second.request].headers = std::string(headers);
    requests_[found->second.request].body = std::string(optional);
    return true;
}

std::size_t ScenarioHttp::internetReadFile(NetHandle request, char* buffer, std::size_t size) {
    const auto found = open_.find(request);
    if (found == open_.end()) return 0;
    Open& open = found->second;
    if (advance_ && open.reply.readDelay > 0) advance_(open.reply.readDelay);
    const std::size_t count =
        std::min({size, open.reply.chunk, open.reply.body.size() - open.offset});
    std::memcpy(buffer, open.reply.body.data() + open.offset, count);
    open.offset += count;
    return count;
}

bool ScenarioHttp::httpQueryInfo(NetHandle request, int, char* buffer, std::size_t& length) {
    static constexpr std::string_view kHeaders = "HTTP/1.1 200 OK\r\n\r\n";
    if (!open_.count(request) || length <= kHeaders.size()) return false;
    std::memcpy(buffer, kHeaders.data(), kHeaders.size());
    buffer[kHeaders.size()] = '\0';
    length = kHeaders.size();
    return true;
}

bool ScenarioHttp::internetCloseHandle(NetHandle handle) {
    connections_.erase(handle);
    open_.erase(handle);
    return handle != 0;
}

} // namespace extdict::scenario
