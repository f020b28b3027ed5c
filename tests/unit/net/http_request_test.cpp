#include <gtest/gtest.h>

#include "net/http_request.h"
#include "support/recording_transport.h"
#include "toolkit/headless/headless_services.h"
#include "toolkit/headless/headless_signals.h"
#include "toolkit/headless/headless_toolkit.h"

namespace extdict {
namespace {

using testing::RecordingTransport;

const std::string kAccept =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, "
    "application/x-shockwave-flash, application/vnd.ms-excel, application/vnd.ms-powerpoint, "
    "application/msword, */*\r\n";
const std::string kAcceptLanguage = "Accept-Language: zh-cn\r\n";
const std::string kFormBody =
    "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: 3\r\n";

class HttpRequestTest : public ::testing::Test {
protected:
    std::string request(std::string_view url, std::string_view method = "",
                        std::string_view extraHeaders = "", std::string_view postData = "",
                        bool wantRawHeaders = false) {
        return httpRequest({transport, ui}, url, method, "", false, extraHeaders, postData,
                           rawHeaders, wantRawHeaders);
    }
    std::string sentHeaders() const { return transport.onlyCallTo("httpSendRequest").args[1]; }
    std::string sentBody() const { return transport.onlyCallTo("httpSendRequest").args[2]; }
    std::string sentMethod() const { return transport.onlyCallTo("httpOpenRequest").args[1]; }

    HeadlessServices services;
    HeadlessToolkit ui{services};
    RecordingTransport transport;
    std::string rawHeaders = "untouched";
};

TEST_F(HttpRequestTest, MakesTheCallsInOrderAndJoinsTheChunks) {
    transport.addBodyChunk("ab");
    transport.addBodyChunk("cd");
    EXPECT_EQ(request("http://MyHost:8080/a?b=1"), "abcd");

    const std::vector<std::string> expected = {
        "internetOpen",        "internetConnect",     "httpOpenRequest",     "internetSetOption",
        "internetSetOption",   "internetSetOption",   "httpSendRequest",     "internetReadFile",
        "internetReadFile",    "internetReadFile",    "internetCloseHandle", "internetCloseHandle",
        "internetCloseHandle"};
    EXPECT_EQ(transport.functionNames(), expected);
    const auto& calls = transport.calls();
    EXPECT_EQ(calls[0].args, (std::vector<std::string>{
                                 "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)", "1", "", "",
                                 "0"}));
    EXPECT_EQ(calls[1].args,
              (std::vector<std::string>{"11", "myhost", "8080", "", "", "3", "0", "0"}));
    EXPECT_EQ(calls[2].args, (std::vector<std::string>{"22", "GET", "/a?b=1", "HTTP/1.1",
                                                       "2147483648", "0"}));
    EXPECT_EQ(calls[3].args, (std::vector<std::string>{"33", "2", "18000"}));
    EXPECT_EQ(calls[4].args, (std::vector<std::string>{"33", "6", "18000"}));
    EXPECT_EQ(calls[5].args, (std::vector<std::string>{"33", "5", "18000"}));
    EXPECT_EQ(calls[7].args, (std::vector<std::string>{"33", "512"}));
    EXPECT_EQ(calls[10].args[0], "11");
    EXPECT_EQ(calls[11].args[0], "22");
    EXPECT_EQ(calls[12].args[0], "33");
}

TEST_F(HttpRequestTest, GoesThroughTheProxyOnlyWhenAsked) {
    std::string unused;
    httpRequest({transport, ui}, "http://h/", "", "10.0.0.1:3128", true, "", "", unused, false);
    httpRequest({transport, ui}, "http://h/", "", "10.0.0.1:3128", false, "", "", unused, false);
    const auto opens = transport.callsTo("internetOpen");
    ASSERT_EQ(opens.size(), 2u);
    EXPECT_EQ(opens[0].args[1], "3");
    EXPECT_EQ(opens[0].args[2], "http=10.0.0.1:3128");
    EXPECT_EQ(opens[0].args[3], "");
    EXPECT_EQ(opens[1].args[1], "1");
    EXPECT_EQ(opens[1].args[2], "");
}

struct MethodCase {
    std::string method;
    std::string sentMethod;
    bool formBody;
};

class HttpMethodTest : public HttpRequestTest, public ::testing::WithParamInterface<MethodCase> {};

TEST_P(HttpMethodTest, OnlyPostInAnyCaseMakesAPostAndOnlyAPostCarriesTheBody) {
    const MethodCase& c = GetParam();
    request("http://h/", c.method, "", "a=1");
    EXPECT_EQ(sentMethod(), c.sentMethod);
    EXPECT_EQ(sentHeaders(), kAccept + "Referer: http://h/\r\n" + kAcceptLanguage +
                                 (c.formBody ? kFormBody : ""));
    EXPECT_EQ(sentBody(), c.formBody ? "a=1" : "");
}

INSTANTIATE_TEST_SUITE_P(Methods, HttpMethodTest,
                         ::testing::Values(MethodCase{"", "GET", false},
                                           MethodCase{"get", "GET", false},
                                           MethodCase{"GET", "GET", false},
                                           MethodCase{"PUT", "GET", false},
                                           MethodCase{"post", "post", true},
                                           MethodCase{"Post", "Post", true},
                                           MethodCase{"POST", "POST", true}));

TEST_F(HttpRequestTest, PostWithoutDataSendsNoBodyHeaders) {
    request("http://h/", "POST");
    EXPECT_EQ(sentHeaders(), kAccept + "Referer: http://h/\r\n" + kAcceptLanguage);
    EXPECT_EQ(sentBody(), "");
}

TEST_F(HttpRequestTest, PostAppendsBodyHeadersWhateverTheCallerGave) {
    request("http://h/", "POST", "Content-Type: text/plain\r\n", "a=1");
    EXPECT_EQ(sentHeaders(), "Content-Type: text/plain\r\n" + kAccept +
                                 "Referer: http://h/\r\n" + kAcceptLanguage + kFormBody);
}

struct HeaderCase {
    std::string extraHeaders;
    std::string sent;
};

class HeaderCompletionTest : public HttpRequestTest,
                             public ::testing::WithParamInterface<HeaderCase> {};

TEST_P(HeaderCompletionTest, AppendsOnlyTheLinesWhoseNamesAreMissing) {
    request("http://h/x", "", GetParam().extraHeaders);
    EXPECT_EQ(sentHeaders(), GetParam().sent);
}

INSTANTIATE_TEST_SUITE_P(
    Headers, HeaderCompletionTest,
    ::testing::Values(
        HeaderCase{"", kAccept + "Referer: http://h/x\r\n" + kAcceptLanguage},
        HeaderCase{"referer: x\r\n", "referer: x\r\n" + kAccept + kAcceptLanguage},
        HeaderCase{"REFERER: x\r\n", "REFERER: x\r\n" + kAccept + kAcceptLanguage},
        HeaderCase{"Accept: */*\r\nAccept-Language: en\r\n",
                   "Accept: */*\r\nAccept-Language: en\r\nReferer: http://h/x\r\n"},
        // "Accept-Language: " does not hold the name "Accept: ".
        HeaderCase{"accept-language: en\r\n",
                   "accept-language: en\r\n" + kAccept + "Referer: http://h/x\r\n"},
        // Without a final CR LF the caller's last line runs on into the first added one.
        HeaderCase{"X-A: 1", "X-A: 1" + kAccept + "Referer: http://h/x\r\n" + kAcceptLanguage}));

TEST_F(HttpRequestTest, BodyEndsAtItsFirstNul) {
    transport.addBodyChunk(std::string("ab\0cd", 5));
    transport.addBodyChunk("ef");
    EXPECT_EQ(request("http://h/"), "ab");
    EXPECT_EQ(transport.callsTo("internetReadFile").size(), 3u);
}

struct RefusalCase {
    void (RecordingTransport::*refuse)();
    std::vector<std::string> closed;
};

class HandleRefusalTest : public HttpRequestTest,
                          public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(HandleRefusalTest, ClosesExactlyWhatWasOpenedInternetHandleFirst) {
    (transport.*GetParam().refuse)();
    transport.addBodyChunk("never read");
    EXPECT_EQ(request("http://h/", "", "", "", true), "");
    std::vector<std::string> closed;
    for (const auto& call : transport.callsTo("internetCloseHandle")) closed.push_back(call.args[0]);
    EXPECT_EQ(closed, GetParam().closed);
    EXPECT_TRUE(transport.callsTo("internetSetOption").empty());
    EXPECT_TRUE(transport.callsTo("internetReadFile").empty());
    EXPECT_EQ(rawHeaders, "untouched");
}

INSTANTIATE_TEST_SUITE_P(
    Steps, HandleRefusalTest,
    ::testing::Values(RefusalCase{&RecordingTransport::refuseInternet, {}},
                      RefusalCase{&RecordingTransport::refuseConnection, {"11"}},
                      RefusalCase{&RecordingTransport::refuseRequest, {"11", "22"}}));

TEST_F(HttpRequestTest, StopsReadingAtTheCap) {
    transport.addBodyChunk("<text>");
    transport.sendForever('z');
    const std::string body = request("http://h/");
    EXPECT_EQ(body.size(), kMaxBodyBytes);
    EXPECT_EQ(body.substr(0, 7), "<text>z");
    EXPECT_EQ(transport.callsTo("internetReadFile").size(), kMaxBodyBytes / 512 + 1);
    EXPECT_EQ(transport.callsTo("internetCloseHandle").size(), 3u);
}

TEST_F(HttpRequestTest, ProcessesEventsBeforeEveryRead) {
    for (const char* chunk : {"a", "b", "c"}) transport.addBodyChunk(chunk);
    for (int i = 0; i < 4; ++i) ui.addStep([this] { transport.mark("events"); });
    request("http://h/");
    std::vector<std::string> order;
    for (const std::string& name : transport.functionNames())
        if (name == "events" || name == "internetReadFile") order.push_back(name);
    const std::vector<std::string> alternating = {"events", "internetReadFile", "events",
                                                  "internetReadFile", "events", "internetReadFile",
                                                  "events", "internetReadFile"};
    EXPECT_EQ(order, alternating);
}

TEST_F(HttpRequestTest, ProgramEndingInsideTheReadLoopStillClosesEveryHandle) {
    transport.sendForever('z');
    ui.addStep([this] { ui.exit(0); });
    EXPECT_THROW(request("http://h/"), HeadlessExit);
    std::vector<std::string> closed;
    for (const auto& call : transport.callsTo("internetCloseHandle")) closed.push_back(call.args[0]);
    EXPECT_EQ(closed, (std::vector<std::string>{"11", "22", "33"}));
}

TEST_F(HttpRequestTest, RawHeadersAreQueriedAfterTheBodyIntoSpaces) {
    transport.setRawHeaders("HTTP/1.1 200 OK\r\n\r\n");
    transport.addBodyChunk("body");
    EXPECT_EQ(request("http://h/", "", "", "", true), "body");
    EXPECT_EQ(rawHeaders, "HTTP/1.1 200 OK\r\n\r\n");
    EXPECT_EQ(transport.onlyCallTo("httpQueryInfo").args,
              (std::vector<std::string>{"33", "22", "1024"}));
    const auto names = transport.functionNames();
    EXPECT_EQ(names[names.size() - 4], "httpQueryInfo");
}

TEST_F(HttpRequestTest, RawHeadersKeepTheSpacesWhenTheQueryWritesNothing) {
    request("http://h/", "", "", "", true);
    EXPECT_EQ(rawHeaders, std::string(1024, ' '));
}

TEST_F(HttpRequestTest, RawHeadersAreLeftAloneWhenNotWanted) {
    transport.setRawHeaders("HTTP/1.1 200 OK\r\n\r\n");
    request("http://h/");
    EXPECT_EQ(rawHeaders, "untouched");
    EXPECT_TRUE(transport.callsTo("httpQueryInfo").empty());
}

} // namespace
} // namespace extdict
