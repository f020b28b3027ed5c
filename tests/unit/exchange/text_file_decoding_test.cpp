// How the bytes of a text file become the input area's GBK text.
#include <gtest/gtest.h>

#include "exchange/text_file_decoding.h"
#include "text/encoding.h"

using namespace extdict;

namespace {

const std::string kUtf8Chinese = "\xE4\xB8\xAD\xE6\x96\x87"; // 中文
const std::string kUtf16LeChinese = "\x2D\x4E\x87\x65";      // 中文
const std::string kUtf16BeChinese = "\x4E\x2D\x65\x87";

struct DecodeCase {
    const char* name;
    std::string bytes;
    TextFileEncoding encoding;
    std::string text; // GBK
};

TEST(DecodeTextFile, ConvertsUnicodeFilesAndKeepsGbkAsItIs) {
    const std::string chinese = gbk("中文");
    const DecodeCase cases[] = {
        {"empty file", "", TextFileEncoding::Gbk, ""},
        {"ASCII only", "txt,,,a\r\n", TextFileEncoding::Gbk, "txt,,,a\r\n"},
        {"GBK", "a" + chinese + "b", TextFileEncoding::Gbk, "a" + chinese + "b"},
        {"UTF-8 without mark", "a" + kUtf8Chinese, TextFileEncoding::Utf8, "a" + chinese},
        {"UTF-8 with mark", "\xEF\xBB\xBF" + kUtf8Chinese, TextFileEncoding::Utf8WithMark, chinese},
        {"UTF-8 mark alone", "\xEF\xBB\xBF", TextFileEncoding::Utf8WithMark, ""},
        {"UTF-16 little-endian", "\xFF\xFE" + kUtf16LeChinese + std::string("a\0", 2),
         TextFileEncoding::Utf16LittleEndian, chinese + "a"},
        {"UTF-16 big-endian", "\xFE\xFF" + kUtf16BeChinese + std::string("\0a", 2),
         TextFileEncoding::Utf16BigEndian, chinese + "a"},
        {"characters GBK lacks", "\xD7\x90\xF0\x9F\x98\x80", TextFileEncoding::Utf8, "??"},
        {"overlong UTF-8 is GBK", "\xC1\xAA\xCD\xA8", TextFileEncoding::Gbk, "\xC1\xAA\xCD\xA8"},
        {"a UTF-8 surrogate is GBK", "\xED\xA0\x80", TextFileEncoding::Gbk, "\xED\xA0\x80"},
        {"a cut UTF-8 sequence is GBK", "a\xE4\xB8", TextFileEncoding::Gbk, "a\xE4\xB8"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(detectTextFileEncoding(c.bytes), c.encoding) << c.name;
        EXPECT_EQ(decodeTextFile(c.bytes), c.text) << c.name;
    }
}

TEST(DecodeTextFile, EndsAtTheFirstNulOfTheText) {
    EXPECT_EQ(decodeTextFile(std::string("ab\0cd", 5)), "ab");
    EXPECT_EQ(decodeTextFile(kUtf8Chinese + std::string("\0\xFF", 2)), gbk("中文"));
    EXPECT_EQ(decodeTextFile("\xFF\xFE" + std::string("a\0\0\0b\0", 6)), "a");
}

TEST(DecodeTextFile, DecidesOnTheBytesBeforeTheFirstNul) {
    // Whatever follows the NUL is cut anyway, so it cannot make a UTF-8 text GBK.
    const std::string bytes = kUtf8Chinese + std::string("\0\xD6", 2);
    EXPECT_EQ(detectTextFileEncoding(bytes), TextFileEncoding::Utf8);
}

} // namespace
