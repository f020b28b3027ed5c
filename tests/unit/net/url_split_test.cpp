#include <gtest/gtest.h>

#include "net/url_split.h"

namespace extdict {
namespace {

struct UrlCase {
    std::string url;
    std::string host;
    int port;
    std::string path;
};

class UrlSplitTest : public ::testing::TestWithParam<UrlCase> {};

TEST_P(UrlSplitTest, GivesHostPortAndPath) {
    const UrlCase& c = GetParam();
    EXPECT_EQ(hostOfUrl(c.url), c.host);
    EXPECT_EQ(portOfUrl(c.url), c.port);
    EXPECT_EQ(pathOfUrl(c.url), c.path);
}

INSTANTIATE_TEST_SUITE_P(
    Urls, UrlSplitTest,
    ::testing::Values(UrlCase{"http://MyHost:8080/a?b=1", "myhost", 8080, "/a?b=1"},
                      UrlCase{"HTTP://host", "host", 80, "/"},
                      UrlCase{"host/p", "host", 80, "/p"},
                      UrlCase{"https://x/y", "https", 0, "//x/y"},
                      UrlCase{"http://q:/p", "q", 0, "/p"},
                      UrlCase{"http://q:abc/p", "q", 0, "/p"},
                      UrlCase{"http://q:81x/p", "q", 81, "/p"},
                      UrlCase{"http://q:99999999999999/", "q", 1000000, "/"},
                      UrlCase{"/only/path", "", 80, "/only/path"},
                      UrlCase{"http://", "", 80, "//"},
                      UrlCase{"", "", 80, "/"},
                      // The path starts at the first "/" from the host's first appearance,
                      // which for a host inside "http:" lies before the authority.
                      UrlCase{"http://p/x", "p", 80, "//p/x"},
                      UrlCase{"http://hostp/hostp", "hostp", 80, "/hostp"},
                      UrlCase{"http://ency.test/s?cl=3&wd=a%20b", "ency.test", 80,
                              "/s?cl=3&wd=a%20b"}));

} // namespace
} // namespace extdict
