#include "net/http_request.h"

#include <algorithm>
#include <array>
#include <utility>

#include "net/request_headers.h"
#include "net/url_split.h"
#include "text/gbk_chars.h"

namespace extdict {
namespace {

constexpr std::string_view kUserAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
constexpr std::string_view kHttpVersion = "HTTP/1.1";
constexpr std::uint32_t kTimeoutMilliseconds = 18000;
constexpr std::size_t kReadSize = 512;
constexpr std::size_t kRawHeadersBytes = 1024;

// Closes whatever was opened, the Internet handle first, also when a handler that runs
// inside the request unwinds through it.
class OpenHandles {
public:
    explicit OpenHandles(HttpTransport& transport) : transport_(transport) {}
    OpenHandles(const OpenHandles&) = delete;
    OpenHandles& operator=(const OpenHandles&) = delete;
    ~OpenHandles() {
        for (const NetHandle handle : {internet, connection, request})
            if (handle != 0) transport_.internetCloseHandle(handle);
    }

    NetHandle internet = 0;
    NetHandle connection = 0;
    NetHandle request = 0;

private:
    HttpTransport& transport_;
};

NetHandle openInternet(HttpTransport& transport, std::string_view proxy, bool useProxy) {
    if (useProxy)
        return transport.internetOpen(kUserAgent, inet::OpenTypeProxy, "http=" + std::string(proxy),
                                      "", 0);
    return transport.internetOpen(kUserAgent, inet::OpenTypeDirect, "", "", 0);
}

// "POST" in any letter case stays as the caller wrote it; everything else is a GET.
std::string settleMethod(std::string_view method) {
    if (toUpper(method) == "POST") return std::string(method);
    return "GET";
}

void setTimeouts(HttpTransport& transport, NetHandle request) {
    for (const int option :
         {inet::OptionConnectTimeout, inet::OptionReceiveTimeout, inet::OptionSendTimeout})
        transport.internetSetOption(request, option, kTimeoutMilliseconds);
}

void sendRequest(HttpTransport& transport, NetHandle request, std::string_view method,
                 std::string headers, std::string_view postData) {
    if (method == "GET") {
        transport.httpSendRequest(request, headers, "");
        return;
    }
    if (!postData.empty()) headers = withFormBodyHeaders(std::move(headers), postData);
    transport.httpSendRequest(request, headers, postData);
}

std::string readBody(const HttpClient& client, NetHandle request) {
    std::string body;
    std::size_t count = 1;
    while (count > 0 && body.size() < kMaxBodyBytes) {
        std::array<char, kReadSize> buffer{};
        client.ui.processEvents();
        count = client.transport.internetReadFile(request, buffer.data(), buffer.size());
        count = std::min({count, buffer.size(), kMaxBodyBytes - body.size()});
        body.append(buffer.data(), count);
    }
    return body;
}

std::string queryRawHeaders(HttpTransport& transport, NetHandle request) {
    std::string buffer(kRawHeadersBytes, ' ');
    std::size_t length = buffer.size();
    transport.httpQueryInfo(request, inet::QueryRawHeadersCrlf, buffer.data(), length);
    return std::string(untilNul(buffer));
}

} // namespace

std::string httpRequest(const HttpClient& client, std::string_view url, std::string_view method,
                        std::string_view proxy, bool useProxy, std::string_view extraHeaders,
                        std::string_view postData, std::string& rawHeaders, bool wantRawHeaders) {
    HttpTransport& transport = client.transport;
    OpenHandles handles(transport);
    handles.internet = openInternet(transport, proxy, useProxy);
    if (handles.internet == 0) return {};
    handles.connection = transport.internetConnect(handles.internet, hostOfUrl(url),
                                                   portOfUrl(url), "", "", inet::ServiceHttp, 0, 0);
    if (handles.connection == 0) return {};
    const std::string verb = settleMethod(method);
    handles.request = transport.httpOpenRequest(handles.connection, verb, pathOfUrl(url),
                                                kHttpVersion, inet::FlagReload, 0);
    if (handles.request == 0) return {};
    setTimeouts(transport, handles.request);
    sendRequest(transport, handles.request, verb, completeHeaders(extraHeaders, url), postData);
    const std::string body = readBody(client, handles.request);
    if (wantRawHeaders) rawHeaders = queryRawHeaders(transport, handles.request);
    return std::string(untilNul(body));
}

} // namespace extdict
