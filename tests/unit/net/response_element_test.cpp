#include <gtest/gtest.h>

#include "net/response_element.h"
#include "text/encoding.h"

namespace extdict {
namespace {

struct ElementCase {
    std::string response;
    std::string link;
};

class LinkElementTest : public ::testing::TestWithParam<ElementCase> {};

TEST_P(LinkElementTest, TakesTheBytesAfterPPlusSix) {
    EXPECT_EQ(takeElement(GetParam().response, "<link>", "</link>"), GetParam().link);
}

INSTANTIATE_TEST_SUITE_P(
    Responses, LinkElementTest,
    ::testing::Values(ElementCase{"x<link>L</link>y", "L"},
                      ElementCase{"<LINK>upper</Link>", "upper"},
                      ElementCase{"<link></link>", ""},
                      ElementCase{"<link>first</link><link>second</link>", "first"},
                      // Without the opening tag the run starts at byte 5.
                      ElementCase{"abcdefgh</link>", "efgh"},
                      ElementCase{"abcde</link>", "e"},
                      ElementCase{"abcd</link>", ""},
                      ElementCase{"abc</link>", ""},
                      ElementCase{"</link>", ""},
                      ElementCase{"</link>x<link>y", ""},
                      ElementCase{"<link>never closed", ""},
                      ElementCase{"", ""},
                      ElementCase{"no tags at all", ""}));

TEST(TextElementTest, TakesBothElementsOfOneResponse) {
    const std::string response = "x<link>L</link>y<text>S</text>z";
    EXPECT_EQ(takeElement(response, "<link>", "</link>"), "L");
    EXPECT_EQ(takeElement(response, "<text>", "</text>"), "S");
}

TEST(TextElementTest, KeepsChineseBytesAndFindsTagsAfterThem) {
    const std::string response = gbk("文<TEXT>文本文件</text>");
    EXPECT_EQ(takeElement(response, "<text>", "</text>"), gbk("文本文件"));
}

} // namespace
} // namespace extdict
