// The encyclopedia lookup over the libcurl transport, against a server on 127.0.0.1.
#include <gtest/gtest.h>

#include "encyclopedia_window.h"
#include "support/loopback_http_server.h"
#include "net/http_request.h"
#include "toolkit/posix/curl_transport.h"

namespace extdict {
namespace {

using testing::EncyclopediaWindow;
using testing::LoopbackHttpServer;
using testing::ServerReply;
using testing::cannedReply;

int hexValue(char c) { return c <= '9' ? c - '0' : c - 'A' + 10; }

std::string percentDecoded(std::string_view text) {
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            decoded += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

class EncyclopediaLoopbackTest : public ::testing::Test {
protected:
    EncyclopediaLoopbackTest() { w.services.setHttpTransport(transport); }
    void serveFrom(const LoopbackHttpServer& server) {
        w.services.setEncyclopediaHost(server.address());
    }

    EncyclopediaWindow w;
    CurlTransport transport;
};

TEST_F(EncyclopediaLoopbackTest, NormalAnswerFillsTheCacheAndTheLinkTarget) {
    LoopbackHttpServer server(cannedReply(
        gbk("<html><link>http://ency.test/item/txt</link><TEXT>文本文件</TEXT></html>")));
    serveFrom(server);
    w.lookUp("txt", false);
    EXPECT_EQ(w.cache.summary, gbk("文本文件"));
    EXPECT_EQ(w.cache.link, "http://ency.test/item/txt");
    EXPECT_EQ(w.ui.linkTarget(w.link), "http://ency.test/item/txt");
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].target, "/s?cl=3&wd=txt");
}

struct TagCase {
    std::string response;
    std::string link;
    std::string summary;
};

class TagLoopbackTest : public EncyclopediaLoopbackTest,
                        public ::testing::WithParamInterface<TagCase> {};

TEST_P(TagLoopbackTest, MissingOrReversedTagsGiveTheElementsOfTheRule) {
    LoopbackHttpServer server(cannedReply(GetParam().response));
    serveFrom(server);
    w.lookUp("txt", false);
    EXPECT_EQ(w.cache.link, GetParam().link);
    EXPECT_EQ(w.cache.summary, GetParam().summary);
}

INSTANTIATE_TEST_SUITE_P(Responses, TagLoopbackTest,
                         ::testing::Values(TagCase{"<text>S</text>", "", "S"},
                                           TagCase{"abcdefL</link><text>S</text>", "efL", "S"},
                                           TagCase{"</link>L<link>", "", ""},
                                           TagCase{"<text>S", "", ""},
                                           TagCase{"", "", ""}));

TEST_F(EncyclopediaLoopbackTest, UserTypesWhileASlowServerAnswers) {
    ServerReply reply;
    reply.bodyChunks = {"<link>L</link>", "<text>S", "</text>"};
    reply.pauseBeforeChunk = std::chrono::milliseconds(200);
    LoopbackHttpServer server(reply);
    serveFrom(server);
    bool typedDuringRequest = false;
    w.ui.addStep([&] {
        w.ui.typeText(w.extensionBox, "doc");
        typedDuringRequest = server.requests().size() == 1;
    });
    w.lookUp("txt", false);
    EXPECT_TRUE(typedDuringRequest);
    EXPECT_EQ(w.cache.summary, "S");
    EXPECT_EQ(w.cache.link, "L");
    EXPECT_EQ(w.ui.text(w.extensionBox), "doctxt");  // typed at the caret, which was at 0
    EXPECT_EQ(w.cache.extension, "doctxt");
    EXPECT_EQ(server.requests().at(0).target, "/s?cl=3&wd=txt");
}

TEST_F(EncyclopediaLoopbackTest, EndlessServerStillEndsTheLookup) {
    ServerReply reply = cannedReply("<link>L</link><text>");
    reply.endless = true;
    LoopbackHttpServer server(reply);
    serveFrom(server);
    w.lookUp("txt", false);
    EXPECT_EQ(w.cache.link, "L");
    EXPECT_EQ(w.cache.summary, "");
    EXPECT_EQ(w.cache.extension, "txt");
}

TEST_F(EncyclopediaLoopbackTest, RefusedConnectionLeavesEmptyResults) {
    w.services.setEncyclopediaHost("http://127.0.0.1:" +
                                   std::to_string(LoopbackHttpServer::closedPort()));
    w.cache = {"http://old/", "old", "doc"};
    w.lookUp("txt", true);
    EXPECT_EQ(w.cache.link, "");
    EXPECT_EQ(w.cache.summary, "");
    EXPECT_EQ(w.cache.extension, "txt");
    EXPECT_TRUE(w.services.startedPrograms().empty());
}

TEST_F(EncyclopediaLoopbackTest, SameExtensionIsAskedOnceAndOtherLetterCaseAgain) {
    LoopbackHttpServer server(cannedReply("<text>S</text>"));
    serveFrom(server);
    w.lookUp("txt", false);
    w.lookUp("txt", true);
    EXPECT_EQ(server.requests().size(), 1u);
    w.lookUp("TXT", false);
    ASSERT_EQ(server.requests().size(), 2u);
    EXPECT_EQ(server.requests()[1].target, "/s?cl=3&wd=TXT");
}

TEST_F(EncyclopediaLoopbackTest, ExtensionArrivesAsTheSameBytes) {
    LoopbackHttpServer server(cannedReply("<text>S</text>"));
    serveFrom(server);
    const std::string extension = gbk("a b&c#d%e+文件");
    w.lookUp(extension, false);
    ASSERT_EQ(server.requests().size(), 1u);
    const std::string target = server.requests()[0].target;
    const std::string prefix = "/s?cl=3&wd=";
    ASSERT_EQ(target.substr(0, prefix.size()), prefix);
    EXPECT_EQ(target.find_first_of(" #&", prefix.size()), std::string::npos);
    EXPECT_EQ(percentDecoded(target.substr(prefix.size())), extension);
}

} // namespace
} // namespace extdict
