#include <gtest/gtest.h>

#include "net/query_encoding.h"
#include "text/encoding.h"

namespace extdict {
namespace {

TEST(PercentEncodedTest, KeepsOnlyUnreservedBytes) {
    EXPECT_EQ(percentEncoded("AZaz09-._~"), "AZaz09-._~");
    EXPECT_EQ(percentEncoded(" &#%+/?=\"<"), "%20%26%23%25%2B%2F%3F%3D%22%3C");
    EXPECT_EQ(percentEncoded(std::string("\x01\x7F\x80\xFF", 4)), "%01%7F%80%FF");
    EXPECT_EQ(percentEncoded(""), "");
}

TEST(PercentEncodedTest, EncodesEachByteOfAChineseCharacter) {
    EXPECT_EQ(percentEncoded(gbk("文件")), "%CE%C4%BC%FE");
}

} // namespace
} // namespace extdict
