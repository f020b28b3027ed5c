// The request helper over the libcurl transport, against a server on 127.0.0.1.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "support/loopback_http_server.h"
#include "net/http_request.h"
#include "toolkit/headless/headless_services.h"
#include "toolkit/headless/headless_toolkit.h"
#include "toolkit/posix/curl_transport.h"

namespace extdict {
namespace {

using testing::LoopbackHttpServer;
using testing::ServerReply;
using testing::cannedReply;

const std::string kAccept =
    "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
    "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*";

class CurlTransportTest : public ::testing::Test {
protected:
    std::string request(std::string_view url, std::string_view method = "",
                        std::string_view extraHeaders = "", std::string_view postData = "",
                        bool wantRawHeaders = false) {
        return httpRequest({transport, ui}, url, method, "", false, extraHeaders, postData,
                           rawHeaders, wantRawHeaders);
    }

    HeadlessServices services;
    HeadlessToolkit ui{services};
    CurlTransport transport;
    std::string rawHeaders;
};

TEST_F(CurlTransportTest, GetSendsExactlyTheCompletedHeaders) {
    LoopbackHttpServer server(cannedReply("hello"));
    const std::string url = server.address() + "/a?b=1";
    EXPECT_EQ(request(url), "hello");
    const auto received = server.requests();
    ASSERT_EQ(received.size(), 1u);
    const auto& got = received[0];
    EXPECT_EQ(got.method, "GET");
    EXPECT_EQ(got.target, "/a?b=1");
    EXPECT_EQ(got.version, "HTTP/1.1");
    EXPECT_EQ(got.header("User-Agent"), "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)");
    EXPECT_EQ(got.header("Accept"), kAccept);
    EXPECT_EQ(got.headerCount("Accept"), 1);
    EXPECT_EQ(got.header("Referer"), url);
    EXPECT_EQ(got.header("Accept-Language"), "zh-cn");
    EXPECT_EQ(got.header("Host"), "127.0.0.1:" + std::to_string(server.port()));
    EXPECT_EQ(got.headerCount("Content-Type"), 0);
    EXPECT_EQ(got.headerCount("Content-Length"), 0);
    EXPECT_EQ(got.headerCount("Expect"), 0);
    EXPECT_EQ(got.body, "");
}

TEST_F(CurlTransportTest, CallersOwnHeadersReplaceTheAddedOnes) {
    LoopbackHttpServer server(cannedReply("ok"));
    request(server.address() + "/", "", "accept: text/plain\r\nreferer: x\r\nX-Empty:\r\n");
    const auto got = server.requests().at(0);
    EXPECT_EQ(got.header("Accept"), "text/plain");
    EXPECT_EQ(got.headerCount("Accept"), 1);
    EXPECT_EQ(got.header("Referer"), "x");
    EXPECT_EQ(got.headerCount("X-Empty"), 1);
}

TEST_F(CurlTransportTest, PostSendsTheBodyWithItsMethodAsWritten) {
    LoopbackHttpServer server(cannedReply("posted"));
    EXPECT_EQ(request(server.address() + "/form", "post", "", "a=1&b=2"), "posted");
    const auto got = server.requests().at(0);
    EXPECT_EQ(got.method, "post");
    EXPECT_EQ(got.body, "a=1&b=2");
    EXPECT_EQ(got.header("Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(got.headerCount("Content-Type"), 1);
    EXPECT_EQ(got.header("Content-Length"), "7");
    EXPECT_EQ(got.headerCount("Content-Length"), 1);
    EXPECT_EQ(got.headerCount("Expect"), 0);
}

TEST_F(CurlTransportTest, ProxyReceivesTheWholeAddress) {
    LoopbackHttpServer proxy(cannedReply("via proxy"));
    std::string unused;
    const std::string proxyAddress = "127.0.0.1:" + std::to_string(proxy.port());
    EXPECT_EQ(httpRequest({transport, ui}, "http://far.example/x?y=1", "", proxyAddress, true, "",
                          "", unused, false),
              "via proxy");
    const auto got = proxy.requests().at(0);
    EXPECT_EQ(got.target, "http://far.example/x?y=1");
    EXPECT_EQ(got.header("Host"), "far.example");
}

TEST_F(CurlTransportTest, HandsOutTheRawHeadersOfTheResponse) {
    ServerReply reply = cannedReply("x");
    reply.head = "HTTP/1.1 404 Not Found\r\nX-Test: yes\r\nConnection: close\r\n\r\n";
    LoopbackHttpServer server(reply);
    EXPECT_EQ(request(server.address() + "/", "", "", "", true), "x");
    EXPECT_EQ(rawHeaders, "HTTP/1.1 404 Not Found\r\nX-Test: yes\r\nConnection: close\r\n\r\n");
}

TEST_F(CurlTransportTest, BodyLargerThanTheTransportsWindowArrivesWhole) {
    std::string body;
    for (int i = 0; i < 300000; ++i) body += static_cast<char>('a' + i % 26);
    LoopbackHttpServer server(cannedReply(body));
    EXPECT_EQ(request(server.address() + "/"), body);
}

TEST_F(CurlTransportTest, EndlessServerIsCutAtTheCap) {
    ServerReply reply = cannedReply("start");
    reply.endless = true;
    LoopbackHttpServer server(reply);
    const std::string body = request(server.address() + "/");
    EXPECT_EQ(body.size(), kMaxBodyBytes);
    EXPECT_EQ(body.substr(0, 6), "startx");
    // Closing the request hangs up on the server, which then stops sending.
    for (int i = 0; i < 200 && server.connectionsClosedByClient() == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(server.connectionsClosedByClient(), 1);
}

TEST_F(CurlTransportTest, RefusedConnectionGivesTheEmptyTextWithoutWaitingForTheTimeOut) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(request("http://127.0.0.1:" + std::to_string(LoopbackHttpServer::closedPort()) +
                      "/", "", "", "", true),
              "");
    // A refusal is told apart from the 18 s time-out.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(9));
    EXPECT_EQ(rawHeaders, std::string(1024, ' '));
}

TEST_F(CurlTransportTest, UnknownHandlesAreRefused) {
    char buffer[16];
    std::size_t length = sizeof buffer;
    EXPECT_EQ(transport.internetConnect(99, "h", 80, "", "", inet::ServiceHttp, 0, 0), 0u);
    EXPECT_EQ(transport.httpOpenRequest(99, "GET", "/", "HTTP/1.1", 0, 0), 0u);
    EXPECT_FALSE(transport.httpSendRequest(99, "", ""));
    EXPECT_EQ(transport.internetReadFile(99, buffer, sizeof buffer), 0u);
    EXPECT_FALSE(transport.httpQueryInfo(99, inet::QueryRawHeadersCrlf, buffer, length));
    EXPECT_FALSE(transport.internetCloseHandle(99));
}

} // namespace
} // namespace extdict
