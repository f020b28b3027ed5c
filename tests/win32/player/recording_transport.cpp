#include "player_services.h"

namespace extdict::player {

NetHandle RecordingTransport::internetConnect(NetHandle internet, std::string_view host, int port,
                                              std::string_view user, std::string_view password,
                                              int service, std::uint32_t flags,
                                              std::uintptr_t context) {
    const NetHandle handle =
        redirectPort_ == 0
            ? real_.internetConnect(internet, host, port, user, password, service, flags, context)
            : real_.internetConnect(internet, "127.0.0.1", redirectPort_, user, password, service,
                                    flags, context);
    if (handle) connections_[handle] = RequestSeen{std::string(host), port, {}, {}, {}, {}};
    return handle;
}

NetHandle RecordingTransport::httpOpenRequest(NetHandle connection, std::string_view method,
                                              std::string_view path, std::string_view version,
                                              std::uint32_t flags, std::uintptr_t context) {
    const NetHandle handle = real_.httpOpenRequest(connection, method, path, version, flags, context);
    if (!handle) return handle;
    RequestSeen seen = connections_[connection];
    seen.method = method;
    seen.path = path;
    openRequests_[handle] = requests_.size();
    requests_.push_back(std::move(seen));
    return handle;
}

bool RecordingTransport::httpSendRequest(NetHandle request, std::string_view headers,
                                         std::string_view optional) {
    if (const auto found = openRequests_.find(request); found != openRequests_.end()) {
        requests_[found->second].headers = headers;
        requests_[found->second].body = optional;
    }
    return real_.httpSendRequest(request, headers, optional);
}

} // namespace extdict::player
