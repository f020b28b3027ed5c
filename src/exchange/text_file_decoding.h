#pragma once
// How a text file's bytes become GBK text for the input area.
//
// The rule, first match wins:
//  - a UTF-8 byte-order mark (EF BB BF): the rest is UTF-8;
//  - a UTF-16 byte-order mark (FF FE little-endian, FE FF big-endian): the rest is UTF-16;
//  - otherwise, bytes (up to the first NUL) that are well-formed UTF-8 - no overlong forms,
//    no surrogates, nothing above U+10FFFF - and hold at least one multi-byte sequence
//    are UTF-8. GBK text is rarely well-formed UTF-8: every double-byte character would
//    have to fall on a valid UTF-8 pattern, which only short texts manage by chance;
//  - everything else is GBK as it is.
// Characters that GBK lacks become '?'. The text ends before the first NUL of the result.

#include <string>
#include <string_view>

namespace extdict {

enum class TextFileEncoding { Gbk, Utf8, Utf8WithMark, Utf16LittleEndian, Utf16BigEndian };

TextFileEncoding detectTextFileEncoding(std::string_view bytes);

std::string decodeTextFile(std::string_view bytes);

// Well-formed UTF-8 with at least one multi-byte sequence.
bool isMultiByteUtf8(std::string_view bytes);

} // namespace extdict
