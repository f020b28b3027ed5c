#pragma once
// The height a text needs in the input window's prompt box: 6 pixels per byte (12 for a
// double-byte character), 12 pixels per line, lines wider than the limit wrapped.

#include <string_view>

namespace extdict {

constexpr int kPixelsPerByte = 6;
constexpr int kPixelsPerLine = 12;

// Lines are separated by CR LF; a line's width counts its bytes up to the first LF or
// byte 26 (a CR right before that LF does not count). With a limit of 0 or less (a
// minimised window) nothing wraps.
int measureText(std::string_view text, int limit);

} // namespace extdict
