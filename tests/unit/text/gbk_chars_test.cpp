#include <gtest/gtest.h>

#include "text/encoding.h"
#include "text/gbk_chars.h"

using namespace extdict;

namespace {

const std::string kWen = gbk("文");  // 0xCE 0xC4

struct CountCase {
    std::string text;
    int expected;
};

TEST(CharCount, CountsDoubleByteCharactersOnceAndIgnoresALoneTrailingLead) {
    const CountCase cases[] = {
        {"", 0},          {"txt", 3},         {gbk("文件"), 2}, {"a" + kWen + "b", 3},
        {"\x80\x41", 2},  {"\x81\x41", 1},    {"\x61\xB0", 1},  {"\xB0", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(charCount(c.text), c.expected) << c.text;
}

TEST(SplitChars, FillsOneRecordPerCharacterAndReplacesEarlierContents) {
    std::vector<GbkChar> chars(7, GbkChar{9, 9});
    EXPECT_TRUE(splitChars("a" + kWen, chars));
    ASSERT_EQ(chars.size(), 2u);
    EXPECT_EQ(chars[0].leadByte, 0);
    EXPECT_EQ(chars[0].finalByte, 0x61);
    EXPECT_EQ(chars[1].leadByte, 0xCE);
    EXPECT_EQ(chars[1].finalByte, 0xC4);

    splitChars("\x61\xB0", chars);
    ASSERT_EQ(chars.size(), 1u);
    EXPECT_EQ(chars[0].finalByte, 0x61);

    splitChars("\x80", chars);  // 0x80 is a character of its own in the character model
    ASSERT_EQ(chars.size(), 1u);
    EXPECT_EQ(chars[0].leadByte, 0);
    EXPECT_EQ(chars[0].finalByte, 0x80);
}

TEST(TakeChars, CutsWholeCharactersAndGivesEmptyOutsideTheText) {
    struct Case {
        std::string text;
        int start, count;
        std::string expected;
    };
    const Case cases[] = {
        {"a" + kWen + "b", 2, 1, kWen}, {"abc", 2, 5, "bc"}, {"abc", 0, 1, ""},
        {"abc", 4, 1, ""},              {"abc", 2, 0, ""},   {"abc", 2, -3, ""},
        {"", 1, 1, ""},                 {"a\xB0", 1, 9, "a"}, {"\x80\x41", 2, 1, "A"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(takeChars(c.text, c.start, c.count), c.expected)
            << c.text << " " << c.start << " " << c.count;
}

TEST(CaseMapping, ChangesAsciiLettersOnlyAndNeverASecondByte) {
    EXPECT_EQ(toLower(gbk("TXT文件")), gbk("txt文件"));
    EXPECT_EQ(toUpper("rar"), "RAR");
    EXPECT_EQ(toLower("\x81\x41"), "\x81\x41");
    EXPECT_EQ(toLower("\x41"), "\x61");
    EXPECT_EQ(toLower("\x80\x41"), "\x80\x41");  // 0x80 leads a pair for case mapping
    EXPECT_EQ(toUpper("a\xB0"), "A\xB0");        // a lone lead byte at the end is kept
    EXPECT_EQ(toUpper("[`{@Zz"), "[`{@ZZ");
}

TEST(CutToWholeChars, NeverSplitsADoubleByteCharacter) {
    EXPECT_EQ(cutToWholeChars("abc", 5), "abc");
    EXPECT_EQ(cutToWholeChars("a" + kWen, 2), "a");
    EXPECT_EQ(cutToWholeChars("a" + kWen, 3), "a" + kWen);
    EXPECT_EQ(cutToWholeChars(kWen + kWen, 3), kWen);
    EXPECT_EQ(cutToWholeChars("\x80\x80", 1), "\x80");
}

TEST(Encoding, RoundTripsChineseAndReplacesWhatGbkLacks) {
    const std::string utf8 = "\xE6\x96\x87\xE4\xBB\xB6 txt";  // 文件 txt
    EXPECT_EQ(gbkFromUtf8(utf8), "\xCE\xC4\xBC\xFE txt");
    EXPECT_EQ(utf8FromGbk(gbkFromUtf8(utf8)), utf8);
    EXPECT_EQ(gbkFromUtf8("a\xF0\x9F\x98\x80" "b"), "a?b");  // an emoji has no GBK form
    EXPECT_EQ(gbkFromUtf16le(std::string("\x87\x65\x41\x00", 4)), "\xCE\xC4" "A");
}

} // namespace
