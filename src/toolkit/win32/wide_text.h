#pragma once
// GBK <-> UTF-16 at the edge of the Windows API. The program's texts are GBK; every W call
// takes UTF-16. Code page 936 is named explicitly, so the system's code page never matters.

#include <string>
#include <string_view>

namespace extdict::win32 {

// Bytes that are not valid GBK become U+FFFD.
std::wstring wideFromGbk(std::string_view gbk);
// Characters that GBK lacks become '?'.
std::string gbkFromWide(std::wstring_view wide);
// The number of GBK bytes that a UTF-16 text becomes.
std::size_t gbkLength(std::wstring_view wide);

} // namespace extdict::win32
