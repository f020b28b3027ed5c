#include "lookup/pinyin.h"

#include <gtest/gtest.h>

#include <string>

#include "text/encoding.h"

namespace extdict {
namespace {

struct Reading {
    const char* character;  // UTF-8
    int reading;
    const char* pinyin;
};

TEST(Pinyin, GivesTheReadingsOfCommonCharacters) {
    const Reading cases[] = {
        {"文", 1, "wen"}, {"本", 1, "ben"}, {"重", 1, "zhong"}, {"重", 2, "chong"},
        {"行", 1, "xing"}, {"行", 2, "hang"}, {"绿", 1, "lv"}, {"啊", 1, "a"},
        {"鹅", 1, "e"},   {"中", 1, "zhong"}, {"齄", 1, "zha"},
    };
    for (const Reading& c : cases)
        EXPECT_EQ(pinyinOf(gbk(c.character), c.reading), c.pinyin) << c.character << c.reading;
}

TEST(Pinyin, IsEmptyForAnythingButOneGb2312ChineseCharacter) {
    const std::string texts[] = {
        "", "w", "wen", "\xB0", gbk("文本"), gbk("，"), gbk("Ａ"),
        "\xF8\xA1",  // GBK extension, above the GB2312 Chinese rows
        "\xB0\xA0", "\xB0\xFF", "\xAF\xA1",
        "\xD7\xFA",  // an unassigned cell at the end of row 55
    };
    for (const std::string& text : texts) EXPECT_EQ(pinyinOf(text, 1), "") << text;
}

TEST(Pinyin, IsEmptyForAReadingBeyondTheCharacters) {
    EXPECT_EQ(pinyinOf(gbk("文"), 0), "");
    EXPECT_EQ(pinyinOf(gbk("文"), 2), "");
    EXPECT_EQ(pinyinOf(gbk("行"), 99), "");
}

TEST(Pinyin, EveryGb2312ChineseCharacterHasAFirstReadingWithAnInitialLetter) {
    const std::string initials = "bpmfdtnlgkhjqxrzcsywaoe";
    int characters = 0;
    for (int lead = 0xB0; lead <= 0xF7; ++lead) {
        for (int trail = 0xA1; trail <= 0xFE; ++trail) {
            const std::string character{static_cast<char>(lead), static_cast<char>(trail)};
            const std::string first = pinyinOf(character, 1);
            if (first.empty()) continue;
            ++characters;
            EXPECT_NE(initials.find(first[0]), std::string::npos) << lead << ' ' << trail;
            EXPECT_EQ(first.find_first_not_of("abcdefghijklmnopqrstuvwxyz"), std::string::npos);
            EXPECT_EQ(pinyinInitial({static_cast<std::uint8_t>(lead),
                                     static_cast<std::uint8_t>(trail)}),
                      first[0]);
        }
    }
    EXPECT_EQ(characters, 6763);
}

TEST(Pinyin, InitialIsZeroWithoutAReading) {
    EXPECT_EQ(pinyinInitial({0, 'w'}), 0);
    EXPECT_EQ(pinyinInitial({0xD7, 0xFA}), 0);
}

} // namespace
} // namespace extdict
