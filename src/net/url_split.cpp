#include "net/url_split.h"

#include "text/gbk_chars.h"

namespace extdict {
namespace {

constexpr std::string_view kHttpScheme = "http://";
constexpr int kDefaultPort = 80;
// Larger numbers are no port; stopping here keeps the conversion from overflowing.
constexpr int kPortCeiling = 1'000'000;

std::string_view authorityOf(std::string_view url) {
    std::size_t start = 0;
    if (url.size() >= kHttpScheme.size() &&
        equalsIgnoringAsciiCase(url.substr(0, kHttpScheme.size()), kHttpScheme))
        start = kHttpScheme.size();
    const std::size_t slash = url.find('/', start);
    const std::size_t end = slash == std::string_view::npos ? url.size() : slash;
    return url.substr(start, end - start);
}

int leadingNumber(std::string_view digits) {
    int value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
        if (value >= kPortCeiling) return kPortCeiling;
    }
    return value;
}

} // namespace

std::string hostOfUrl(std::string_view url) {
    const std::string_view authority = authorityOf(url);
    return toLower(authority.substr(0, authority.find(':')));
}

int portOfUrl(std::string_view url) {
    const std::string_view authority = authorityOf(url);
    const std::size_t colon = authority.find(':');
    if (colon == std::string_view::npos) return kDefaultPort;
    return leadingNumber(authority.substr(colon + 1));
}

std::string pathOfUrl(std::string_view url) {
    const std::string host = hostOfUrl(url);
    const std::size_t hostAt = toLower(url).find(host);
    const std::size_t from = hostAt == std::string::npos ? 0 : hostAt;
    const std::size_t slash = url.find('/', from);
    if (slash == std::string_view::npos) return "/";
    return std::string(url.substr(slash));
}

} // namespace extdict
