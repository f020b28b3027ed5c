#include <gtest/gtest.h>

#include "net/web_link.h"
#include "text/encoding.h"

namespace extdict {
namespace {

class WebLinkTest : public ::testing::TestWithParam<std::pair<std::string, bool>> {};

TEST_P(WebLinkTest, OpensOnlyPlainWebAddresses) {
    EXPECT_EQ(isOpenableWebLink(GetParam().first), GetParam().second) << GetParam().first;
}

INSTANTIATE_TEST_SUITE_P(
    Links, WebLinkTest,
    ::testing::Values(std::pair<std::string, bool>{"http://baike.example/item/txt", true},
                      std::pair<std::string, bool>{"https://baike.example/item?a=1&b=2", true},
                      std::pair<std::string, bool>{"HTTP://BAIKE.EXAMPLE/", true},
                      std::pair<std::string, bool>{gbk("http://baike.example/文件"), true},
                      std::pair<std::string, bool>{"", false},
                      std::pair<std::string, bool>{"http://", false},
                      std::pair<std::string, bool>{"https://", false},
                      std::pair<std::string, bool>{"C:\\Windows\\System32\\calc.exe", false},
                      std::pair<std::string, bool>{"file:///C:/Windows/System32/calc.exe", false},
                      std::pair<std::string, bool>{"javascript:alert(1)", false},
                      std::pair<std::string, bool>{"ftp://host/file", false},
                      std::pair<std::string, bool>{"http:/host", false},
                      std::pair<std::string, bool>{"http://host/a b", false},
                      std::pair<std::string, bool>{"http://host/\tcalc", false},
                      std::pair<std::string, bool>{"http://host/\r\ncalc", false},
                      std::pair<std::string, bool>{"http://host/\x7F", false},
                      std::pair<std::string, bool>{" http://host/", false}));

} // namespace
} // namespace extdict
