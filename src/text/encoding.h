#pragma once
// Conversion between GBK (code page 936) and Unicode, done only at the program's edges.
// One implementation per platform: iconv on Linux, code page 936 on Windows.

#include <string>
#include <string_view>

namespace extdict {

// Characters that GBK lacks become '?'.
std::string gbkFromUtf8(std::string_view utf8);
// Bytes that are not valid GBK become U+FFFD.
std::string utf8FromGbk(std::string_view gbk);
// UTF-16 little-endian bytes (no byte-order mark) to GBK.
std::string gbkFromUtf16le(std::string_view utf16le);

// A Chinese literal written in UTF-8 source, as the GBK text the program works with.
inline std::string gbk(std::string_view utf8Literal) { return gbkFromUtf8(utf8Literal); }

} // namespace extdict
