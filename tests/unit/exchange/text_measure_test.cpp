// The height of a text in the prompt box.
#include <gtest/gtest.h>

#include "exchange/text_measure.h"
#include "text/encoding.h"

using namespace extdict;

namespace {

std::string bytes(std::size_t count) {
    return std::string(count, 'x');
}

struct MeasureCase {
    const char* name;
    std::string text;
    int limit;
    int height;
};

TEST(MeasureText, CountsLinesAndWrapsThoseWiderThanTheLimit) {
    const MeasureCase cases[] = {
        {"empty text", "", 466, 12},
        {"one short line", bytes(10), 466, 12},
        {"two lines, the first wrapped once", bytes(100) + "\r\n" + bytes(10), 466, 36},
        {"exactly the limit does not wrap", bytes(77), 462, 12},
        {"one pixel more wraps", bytes(77), 461, 24},
        {"three times the limit", bytes(30), 60, 36},
        {"a double-byte character is 12 pixels", gbk("中文中文中"), 59, 24},
        {"trailing line break adds an empty line", "a\r\n", 466, 24},
        {"a lone LF ends the width but not the line", bytes(10) + "\n" + bytes(200), 60, 12},
        {"byte 26 ends the width", bytes(10) + "\x1A" + bytes(200), 60, 12},
        {"CR before the LF is not counted", bytes(10) + "\r\n", 60, 24},
    };
    for (const auto& c : cases)
        EXPECT_EQ(measureText(c.text, c.limit), c.height) << c.name;
}

TEST(MeasureText, ThreeLinesOneWiderThanTheBoxButAtMostTwiceAsWide) {
    const std::string prompt = bytes(20) + "\r\n" + bytes(100) + "\r\n" + bytes(30);
    EXPECT_EQ(measureText(prompt, 466), 4 * 12);
}

TEST(MeasureText, EndsWithoutWrappingWhenTheLimitIsZeroOrLess) {
    const std::string text = bytes(1000) + "\r\n" + bytes(5);
    for (const int limit : {0, -1, -466})
        EXPECT_EQ(measureText(text, limit), 24) << limit;
}

TEST(MeasureText, LongTextWithATinyLimitStaysFinite) {
    EXPECT_EQ(measureText(bytes(1'000'000), 1), 6'000'000 * 12);
}

} // namespace
