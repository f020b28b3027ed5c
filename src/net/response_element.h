#pragma once

#include <string>
#include <string_view>

namespace extdict {

// The run of bytes after the first opening tag and before the first closing tag, both found
// with letter case ignored. Start and length are reckoned from the tags' positions even when
// one is missing (as -1): without the opening tag the run starts at byte 5 of the response
// (1-based); without the closing tag, or with it before the opening tag, the run is empty.
std::string takeElement(std::string_view response, std::string_view openTag,
                        std::string_view closeTag);

} // namespace extdict
