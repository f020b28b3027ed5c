#pragma once
// The character model of GBK text: a byte above 0x80 leads a two-byte character,
// every other byte is a character of its own.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace extdict {

// A text is GBK bytes up to the first NUL; callers pass std::string or std::string_view.
using Text = std::string;

struct GbkChar {
    std::uint8_t leadByte = 0;  // 0 for a one-byte character
    std::uint8_t finalByte = 0;
};

// True for a byte that starts a two-byte character in the character model (0x80 itself does not).
constexpr bool isLeadByte(unsigned char byte) { return byte > 0x80; }

// The text up to, not including, its first NUL.
std::string_view untilNul(std::string_view bytes);

int charCount(std::string_view text);
bool splitChars(std::string_view text, std::vector<GbkChar>& chars);
Text takeChars(std::string_view text, int start, int count);

// Case mapping treats 0x80 as a lead byte too, so no second byte of a pair is ever touched.
Text toLower(std::string_view text);
Text toUpper(std::string_view text);

// The longest prefix of at most maxBytes bytes that ends on a character boundary.
std::string_view cutToWholeChars(std::string_view text, std::size_t maxBytes);

// Byte comparison with ASCII letter case ignored (both sides through toLower).
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

} // namespace extdict
