#pragma once
// Searching GBK text for a separator, one whole character at a time: a match can only start
// on a character boundary, so the second byte of a double-byte character never begins one.

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

namespace extdict {

// The 1-based byte positions of every occurrence of needle, left to right, never overlapping.
// An empty needle occurs nowhere.
std::vector<std::size_t> findAllOccurrences(std::string_view needle, std::string_view text);

// The pieces between the occurrences of separator (which must not be empty). Empty pieces
// are kept, except a last one: a separator at the very end adds no empty piece, and an empty
// text has no pieces at all. The pieces point into text.
std::vector<std::string_view> splitText(std::string_view text, std::string_view separator);

// The same pieces one at a time, without keeping them, so that a huge text costs no memory
// per piece; visit returns false to stop early.
void forEachPiece(std::string_view text, std::string_view separator,
                  const std::function<bool(std::string_view)>& visit);

} // namespace extdict
