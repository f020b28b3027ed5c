#pragma once
// One HTTP request through the transport, answered with the response body. Runs on the
// user-interface thread and processes pending window events before every read, so any
// handler may run in the middle of a request. Never shows a message: every failure gives
// the empty text.

#include <cstddef>
#include <string>
#include <string_view>

#include "toolkit/http_transport.h"
#include "toolkit/toolkit.h"

namespace extdict {

// What a request needs of the platform: the transport, and the toolkit whose events it
// processes while waiting.
struct HttpClient {
    HttpTransport& transport;
    tk::Toolkit& ui;
};

// A body stops growing here, so no server can exhaust the program's memory.
constexpr std::size_t kMaxBodyBytes = 8u * 1024 * 1024;

// method: "POST" in any letter case makes a POST (sent as written), anything else a GET.
// proxy is read only when useProxy is true. extraHeaders: lines each ending in CR LF.
// rawHeaders is written only when wantRawHeaders is true and a request handle was obtained.
std::string httpRequest(const HttpClient& client, std::string_view url, std::string_view method,
                        std::string_view proxy, bool useProxy, std::string_view extraHeaders,
                        std::string_view postData, std::string& rawHeaders, bool wantRawHeaders);

} // namespace extdict
