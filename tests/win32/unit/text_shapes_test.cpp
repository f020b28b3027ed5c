#include <gtest/gtest.h>

#include "text/encoding.h"
#include "toolkit/win32/dialog_texts.h"
#include "toolkit/win32/wide_text.h"

using namespace extdict;
using namespace extdict::win32;
using namespace std::string_literals;

TEST(DialogFilter, TurnsBarsIntoNulsEndsWithTwoAndSuppliesAMissingBar) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"Text|*.txt|", L"Text\0*.txt\0\0"s},
        {L"A|*.a|B|*.b", L"A\0*.a\0B\0*.b\0\0"s},
        {L"", L""},
    };
    for (const auto& [pipes, expected] : cases) EXPECT_EQ(dialogFilter(pipes), expected);
}

TEST(ChosenPaths, JoinsTheFolderToEachNameOrKeepsASinglePath) {
    EXPECT_EQ(chosenPaths(L"C:\\d\\one.txt\0\0"s), (std::vector<std::wstring>{L"C:\\d\\one.txt"}));
    EXPECT_EQ(chosenPaths(L"C:\\d\0a.txt\0b.txt\0\0"s),
              (std::vector<std::wstring>{L"C:\\d\\a.txt", L"C:\\d\\b.txt"}));
    EXPECT_EQ(chosenPaths(L"C:\\\0a.txt\0b.txt\0\0"s),
              (std::vector<std::wstring>{L"C:\\a.txt", L"C:\\b.txt"}));
    EXPECT_TRUE(chosenPaths(L"\0\0"s).empty());
}

TEST(WideText, ConvertsWithCodePage936WhateverTheSystemCodePage) {
    EXPECT_EQ(wideFromGbk(gbk("扩展名 txt")), L"扩展名 txt");
    EXPECT_EQ(gbkFromWide(L"扩展名"), "\xC0\xA9\xD5\xB9\xC3\xFB");
    EXPECT_EQ(gbkLength(L"注释ab\r\n"), 8u);
}

TEST(WideText, MarksBadBytesAndMissingCharacters) {
    EXPECT_EQ(wideFromGbk("a\xFF\xFF" "b"), L"a\uFFFDb");
    EXPECT_EQ(gbkFromWide(L"a\u00E9\uAC00b"), "a\xA8\xA6?b");  // é is in GBK, Hangul is not
}

TEST(Encoding, RoundTripsUtf8AndReadsUtf16) {
    EXPECT_EQ(utf8FromGbk(gbk("文件 abc")), "文件 abc");
    EXPECT_EQ(utf8FromGbk("\x81"), "\xEF\xBF\xBD");
    EXPECT_EQ(gbkFromUtf16le("\x87\x65\xF6\x4E"s), gbk("文件"));
    EXPECT_EQ(gbkFromUtf16le("a\0b"s), "a?");
}
