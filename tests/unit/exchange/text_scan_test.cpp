// Searching and splitting GBK text, one whole character at a time.
#include <gtest/gtest.h>

#include "exchange/text_scan.h"
#include "text/encoding.h"

using namespace extdict;

namespace {

struct SplitCase {
    const char* text; // UTF-8
    std::vector<const char*> pieces;
};

TEST(SplitText, KeepsEmptyPiecesExceptALastOne) {
    const SplitCase cases[] = {
        {"", {}},
        {";;;", {""}},
        {"a", {"a"}},
        {"a;;;b", {"a", "b"}},
        {";;;a", {"", "a"}},
        {"a;;;", {"a"}},
        {"a;;;;;;b", {"a", "", "b"}},
        {";;;;;;", {"", ""}},
        {"a;;;;b", {"a", ";b"}}, // the leftmost match first, never overlapping
        {"a;;", {"a;;"}},
        {"中;;;文;;;", {"中", "文"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> expected;
        for (const char* piece : c.pieces)
            expected.push_back(gbk(piece));
        const std::string text = gbk(c.text);
        const auto pieces = splitText(text, ";;;");
        EXPECT_EQ(std::vector<std::string>(pieces.begin(), pieces.end()), expected) << c.text;
    }
}

TEST(SplitText, FindsNoSeparatorInsideADoubleByteCharacter) {
    // 0x81 0x3B is one character: its second byte is no semicolon of a separator.
    const std::string text = "x\x81;;;;y";
    const auto pieces = splitText(text, ";;;");
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0], "x\x81;");
    EXPECT_EQ(pieces[1], "y");
}

TEST(FindAllOccurrences, GivesOneBasedPositionsOnCharacterBoundariesOnly) {
    // "\xB0\x0D" is one character, so the CR inside it starts no line break.
    const std::string text = "a\r\n\xB0\x0D\n\xD6\xD0\r\n\r\n";
    EXPECT_EQ(findAllOccurrences("\r\n", text), (std::vector<std::size_t>{2, 9, 11}));
}

TEST(FindAllOccurrences, NeverOverlapsAndFindsNothingForAnEmptyNeedle) {
    EXPECT_EQ(findAllOccurrences("aa", "aaaaa"), (std::vector<std::size_t>{1, 3}));
    EXPECT_TRUE(findAllOccurrences("", "abc").empty());
    EXPECT_TRUE(findAllOccurrences("abc", "ab").empty());
}

TEST(FindAllOccurrences, TreatsByte0x80AsALeadByte) {
    EXPECT_TRUE(findAllOccurrences(",", "\x80,").empty());
    EXPECT_EQ(findAllOccurrences(",", "\x7F,"), (std::vector<std::size_t>{2}));
}

} // namespace
