#include "net/response_element.h"

#include "text/gbk_chars.h"

namespace extdict {
namespace {

using Position = long long;
constexpr Position kNotFound = -1;

// 1-based position of the first occurrence, or -1.
Position positionOf(std::string_view lowered, std::string_view tag) {
    const std::size_t at = lowered.find(toLower(tag));
    return at == std::string_view::npos ? kNotFound : static_cast<Position>(at) + 1;
}

} // namespace

std::string takeElement(std::string_view response, std::string_view openTag,
                        std::string_view closeTag) {
    const std::string lowered = toLower(response);
    const Position open = positionOf(lowered, openTag);
    const Position close = positionOf(lowered, closeTag);
    const auto openLength = static_cast<Position>(openTag.size());
    const Position start = open + openLength;
    const Position length = close - open - openLength;
    if (length <= 0 || start > static_cast<Position>(response.size())) return {};
    return std::string(response.substr(static_cast<std::size_t>(start - 1),
                                       static_cast<std::size_t>(length)));
}

} // namespace extdict
