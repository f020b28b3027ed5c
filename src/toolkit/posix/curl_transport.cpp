#include "toolkit/posix/curl_transport.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "text/gbk_chars.h"

namespace extdict {
namespace {

// The body is held back from the caller at most this far ahead of its reads.
constexpr std::size_t kMaxPendingBody = 64 * 1024;
constexpr int kPollMilliseconds = 50;
constexpr long kMaxRedirects = 10;

void initialiseCurlOnce() {
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    (void)initialised;
}

std::vector<std::string> headerLines(std::string_view headers) {
    std::vector<std::string> lines;
    while (!headers.empty()) {
        const std::size_t end = headers.find('\n');
        std::string_view line = headers.substr(0, end);
        headers = end == std::string_view::npos ? std::string_view{} : headers.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!line.empty()) lines.emplace_back(line);
    }
    return lines;
}

std::string_view headerName(std::string_view line) { return line.substr(0, line.find(':')); }

bool hasHeader(const std::vector<std::string>& lines, std::string_view name) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
        return equalsIgnoringAsciiCase(headerName(line), name);
    });
}

// curl drops "Name:" with nothing after it; "Name;" sends it with the empty value.
std::string asCurlHeader(const std::string& line) {
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos) return line;
    if (line.find_first_not_of(' ', colon + 1) != std::string::npos) return line;
    return line.substr(0, colon) + ";";
}

// The caller's header lines, and removals of the headers that curl would add of its own
// accord and the caller did not give.
curl_slist* curlHeaderList(std::string_view headers, bool withBody) {
    const std::vector<std::string> lines = headerLines(headers);
    std::vector<std::string> entries;
    std::transform(lines.begin(), lines.end(), std::back_inserter(entries), asCurlHeader);
    entries.emplace_back("Expect:");
    if (!hasHeader(lines, "Accept")) entries.emplace_back("Accept:");
    if (withBody && !hasHeader(lines, "Content-Type")) entries.emplace_back("Content-Type:");
    curl_slist* list = nullptr;
    for (const std::string& entry : entries) list = curl_slist_append(list, entry.c_str());
    return list;
}

// The proxy for http from a list such as "http=host:port ftp=other" ("host:port" alone
// serves every scheme); nothing when the list names none for http.
std::optional<std::string> httpProxyOf(std::string_view list) {
    std::size_t start = 0;
    while (start < list.size()) {
        const std::size_t end = std::min(list.find_first_of(" ;", start), list.size());
        const std::string_view entry = list.substr(start, end - start);
        const std::size_t equals = entry.find('=');
        if (!entry.empty() && equals == std::string_view::npos) return std::string(entry);
        if (equals != std::string_view::npos && equalsIgnoringAsciiCase(entry.substr(0, equals), "http"))
            return std::string(entry.substr(equals + 1));
        start = end + 1;
    }
    return std::nullopt;
}

std::string addressOf(std::string_view host, int port, std::string_view path) {
    std::string address = "http://" + std::string(host);
    if (port != 0) address += ":" + std::to_string(port);
    if (path.empty() || path.front() != '/') address += '/';
    return address + std::string(path);
}

long wholeSecondsAtLeastOne(std::uint32_t milliseconds) {
    return std::max<long>(1, static_cast<long>((milliseconds + 999) / 1000));
}

} // namespace

// One transfer on its own easy handle, driven by its own multi handle.
class CurlTransport::Request {
public:
    struct Target {
        std::string address;
        std::string method;
        std::string version;
        const Session* session;
    };

    explicit Request(const Target& target)
        : easy_(curl_easy_init()), multi_(curl_multi_init()), method_(target.method),
          timeouts_(target.session->timeouts) {
        if (!valid()) return;
        configure(target);
    }

    ~Request() {
        if (multi_ && easy_ && added_) curl_multi_remove_handle(multi_, easy_);
        if (easy_) curl_easy_cleanup(easy_);
        if (multi_) curl_multi_cleanup(multi_);
        curl_slist_free_all(headerList_);
    }

    Request(const Request&) = delete;
    Request& operator=(const Request&) = delete;

    bool valid() const { return easy_ != nullptr && multi_ != nullptr; }
    Timeouts& timeouts() { return timeouts_; }
    const std::string& rawHeaders() const { return rawHeaders_; }

    // Starts the transfer and waits for the response's head; false when it failed first.
    bool send(std::string_view headers, std::string_view body) {
        if (added_) return false;
        body_ = body;
        const bool withBody = method_ != "GET" || !body_.empty();
        headerList_ = curlHeaderList(headers, withBody);
        curl_easy_setopt(easy_, CURLOPT_HTTPHEADER, headerList_);
        setMethod(withBody);
        applyTimeouts();
        added_ = curl_multi_add_handle(multi_, easy_) == CURLM_OK;
        while (added_ && !headComplete_ && !finished_) step();
        return headComplete_;
    }

    std::size_t read(char* buffer, std::size_t size) {
        while (added_ && unread() == 0 && !finished_) {
            resume();
            step();
        }
        const std::size_t count = std::min(size, unread());
        std::memcpy(buffer, pending_.data() + consumed_, count);
        consumed_ += count;
        if (unread() == 0) {
            pending_.clear();
            consumed_ = 0;
        }
        return count;
    }

private:
    void configure(const Target& target) {
        curl_easy_setopt(easy_, CURLOPT_URL, target.address.c_str());
        curl_easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, "http");
        curl_easy_setopt(easy_, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(easy_, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(easy_, CURLOPT_MAXREDIRS, kMaxRedirects);
        curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(easy_, CURLOPT_HTTP_VERSION, target.version == "HTTP/1.0"
                                                          ? CURL_HTTP_VERSION_1_0
                                                          : CURL_HTTP_VERSION_1_1);
        if (!target.session->userAgent.empty())
            curl_easy_setopt(easy_, CURLOPT_USERAGENT, target.session->userAgent.c_str());
        // An empty proxy keeps curl from taking one from the environment.
        const std::string proxy = target.session->proxy.value_or("");
        curl_easy_setopt(easy_, CURLOPT_PROXY, proxy.c_str());
        curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &Request::onBody);
        curl_easy_setopt(easy_, CURLOPT_WRITEDATA, this);
        curl_easy_setopt(easy_, CURLOPT_HEADERFUNCTION, &Request::onHeaderLine);
        curl_easy_setopt(easy_, CURLOPT_HEADERDATA, this);
    }

    void setMethod(bool withBody) {
        if (!withBody) {
            curl_easy_setopt(easy_, CURLOPT_HTTPGET, 1L);
            return;
        }
        curl_easy_setopt(easy_, CURLOPT_POST, 1L);
        curl_easy_setopt(easy_, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body_.size()));
        curl_easy_setopt(easy_, CURLOPT_POSTFIELDS, body_.data());
        if (method_ != "POST") curl_easy_setopt(easy_, CURLOPT_CUSTOMREQUEST, method_.c_str());
    }

    // Connecting has its own limit; sending and receiving fail after a silence as long as
    // the longer of their two limits.
    void applyTimeouts() {
        curl_easy_setopt(easy_, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(timeouts_.connect));
        curl_easy_setopt(easy_, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(easy_, CURLOPT_LOW_SPEED_TIME,
                         wholeSecondsAtLeastOne(std::max(timeouts_.receive, timeouts_.send)));
    }

    std::size_t unread() const { return pending_.size() - consumed_; }

    void resume() {
        if (!paused_) return;
        paused_ = false;
        curl_easy_pause(easy_, CURLPAUSE_CONT);
    }

    void step() {
        int running = 0;
        curl_multi_perform(multi_, &running);
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(multi_, &queued))
            if (message->msg == CURLMSG_DONE) finished_ = true;
        const bool nothingToHandOut = !headComplete_ || unread() == 0;
        if (!finished_ && nothingToHandOut)
            curl_multi_poll(multi_, nullptr, 0, kPollMilliseconds, nullptr);
    }

    static std::size_t onBody(char* data, std::size_t size, std::size_t count, void* self) {
        auto& request = *static_cast<Request*>(self);
        const std::size_t bytes = size * count;
        if (request.unread() > 0 && request.unread() + bytes > kMaxPendingBody) {
            request.paused_ = true;
            return CURL_WRITEFUNC_PAUSE;
        }
        request.pending_.append(data, bytes);
        return bytes;
    }

    static std::size_t onHeaderLine(char* data, std::size_t size, std::size_t count, void* self) {
        auto& request = *static_cast<Request*>(self);
        const std::string_view line(data, size * count);
        if (line.starts_with("HTTP/")) request.rawHeaders_.clear();
        request.rawHeaders_ += line;
        if (line == "\r\n" || line == "\n") request.headComplete_ = request.finalStatus();
        return line.size();
    }

    bool finalStatus() const {
        long status = 0;
        curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &status);
        return status >= 200;
    }

    CURL* easy_;
    CURLM* multi_;
    std::string method_;
    Timeouts timeouts_;
    curl_slist* headerList_ = nullptr;
    std::string body_;
    std::string pending_;
    std::size_t consumed_ = 0;
    std::string rawHeaders_;
    bool added_ = false;
    bool paused_ = false;
    bool headComplete_ = false;
    bool finished_ = false;
};

CurlTransport::CurlTransport() { initialiseCurlOnce(); }

CurlTransport::~CurlTransport() = default;

template <typename State> State* CurlTransport::find(NetHandle handle) {
    const auto found = handles_.find(handle);
    if (found == handles_.end()) return nullptr;
    return std::get_if<State>(&found->second);
}

CurlTransport::Timeouts* CurlTransport::timeoutsOf(NetHandle handle) {
    if (auto* session = find<Session>(handle)) return &session->timeouts;
    if (auto* connection = find<Connection>(handle)) return &connection->session.timeouts;
    if (auto* request = find<std::unique_ptr<Request>>(handle)) return &(*request)->timeouts();
    return nullptr;
}

NetHandle CurlTransport::add(HandleState state) {
    const NetHandle handle = nextHandle_++;
    handles_.emplace(handle, std::move(state));
    return handle;
}

NetHandle CurlTransport::internetOpen(std::string_view userAgent, int accessType,
                                      std::string_view proxy, std::string_view, std::uint32_t) {
    Session session{std::string(userAgent), std::nullopt, {}};
    if (accessType == inet::OpenTypeProxy) session.proxy = httpProxyOf(proxy);
    return add(std::move(session));
}

NetHandle CurlTransport::internetConnect(NetHandle internet, std::string_view host, int port,
                                         std::string_view, std::string_view, int service,
                                         std::uint32_t, std::uintptr_t) {
    const Session* session = find<Session>(internet);
    if (session == nullptr || service != inet::ServiceHttp) return 0;
    return add(Connection{*session, std::string(host), port});
}

NetHandle CurlTransport::httpOpenRequest(NetHandle connection, std::string_view method,
                                         std::string_view path, std::string_view version,
                                         std::uint32_t, std::uintptr_t) {
    const Connection* parent = find<Connection>(connection);
    if (parent == nullptr) return 0;
    auto request = std::make_unique<Request>(Request::Target{
        addressOf(parent->host, parent->port, path), std::string(method), std::string(version),
        &parent->session});
    if (!request->valid()) return 0;
    return add(std::move(request));
}

bool CurlTransport::internetSetOption(NetHandle handle, int option, std::uint32_t value) {
    Timeouts* timeouts = timeoutsOf(handle);
    if (timeouts == nullptr) return false;
    switch (option) {
    case inet::OptionConnectTimeout: timeouts->connect = value; return true;
    case inet::OptionReceiveTimeout: timeouts->receive = value; return true;
    case inet::OptionSendTimeout: timeouts->send = value; return true;
    default: return false;
    }
}

bool CurlTransport::httpSendRequest(NetHandle request, std::string_view headers,
                                    std::string_view optional) {
    auto* state = find<std::unique_ptr<Request>>(request);
    return state != nullptr && (*state)->send(headers, optional);
}

std::size_t CurlTransport::internetReadFile(NetHandle request, char* buffer, std::size_t size) {
    auto* state = find<std::unique_ptr<Request>>(request);
    return state == nullptr ? 0 : (*state)->read(buffer, size);
}

bool CurlTransport::httpQueryInfo(NetHandle request, int infoLevel, char* buffer,
                                  std::size_t& length) {
    auto* state = find<std::unique_ptr<Request>>(request);
    if (state == nullptr || infoLevel != inet::QueryRawHeadersCrlf) return false;
    const std::string& headers = (*state)->rawHeaders();
    if (headers.empty()) return false;  // no response: the buffer is left alone
    if (headers.size() + 1 > length) {
        length = headers.size() + 1;  // what would be needed; the buffer is left alone
        return false;
    }
    std::memcpy(buffer, headers.c_str(), headers.size() + 1);
    length = headers.size();
    return true;
}

bool CurlTransport::internetCloseHandle(NetHandle handle) { return handles_.erase(handle) == 1; }

} // namespace extdict
