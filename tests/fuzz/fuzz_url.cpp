// Host, port and path of arbitrary URLs, against a plain reading of the splitting rule with
// 1-based positions.
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "net/url_split.h"
#include "text/gbk_chars.h"

using namespace extdict;
using extdict::fuzz::check;

namespace {

constexpr long kNotFound = -1;
constexpr int kPortCeiling = 1'000'000;

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// 1-based position of needle in text at or after `from`, or -1.
long positionOf(std::string_view text, std::string_view needle, long from) {
    for (long p = from; p + static_cast<long>(needle.size()) - 1 <= static_cast<long>(text.size()); ++p)
        if (text.substr(static_cast<std::size_t>(p - 1), needle.size()) == needle) return p;
    return kNotFound;
}

// Bytes from position `first` to `last`, both 1-based and inclusive.
std::string_view bytesBetween(std::string_view text, long first, long last) {
    if (last < first) return {};
    return text.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(last - first + 1));
}

bool startsWithHttp(std::string_view url) {
    const std::string_view scheme = "http://";
    if (url.size() < scheme.size()) return false;
    for (std::size_t i = 0; i < scheme.size(); ++i)
        if (lowerAscii(url[i]) != scheme[i]) return false;
    return true;
}

std::string_view authorityOf(std::string_view url) {
    if (startsWithHttp(url)) {
        const long p = positionOf(url, "/", 8);
        return p != kNotFound ? bytesBetween(url, 8, p - 1) : url.substr(7);
    }
    const long p = positionOf(url, "/", 1);
    return p != kNotFound ? bytesBetween(url, 1, p - 1) : url;
}

std::string referenceHost(std::string_view url) {
    const std::string_view authority = authorityOf(url);
    const long colon = positionOf(authority, ":", 1);
    return toLower(colon == kNotFound ? authority : bytesBetween(authority, 1, colon - 1));
}

int referencePort(std::string_view url) {
    const std::string_view authority = authorityOf(url);
    const long colon = positionOf(authority, ":", 1);
    if (colon == kNotFound) return 80;
    long long value = 0;
    for (const char c : authority.substr(static_cast<std::size_t>(colon))) {
        if (c < '0' || c > '9') break;
        value = std::min<long long>(value * 10 + (c - '0'), kPortCeiling);
    }
    return static_cast<int>(value);
}

std::string referencePath(std::string_view url) {
    const std::string lowered = toLower(url);
    const long h = positionOf(lowered, referenceHost(url), 1);
    const long p = positionOf(url, "/", h == kNotFound ? 1 : h);
    return p == kNotFound ? "/" : std::string(url.substr(static_cast<std::size_t>(p - 1)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view url = untilNul({reinterpret_cast<const char*>(data), size});
    const std::string host = hostOfUrl(url);
    const int port = portOfUrl(url);
    const std::string path = pathOfUrl(url);

    check(host == referenceHost(url));
    check(port == referencePort(url));
    check(path == referencePath(url));

    check(host.find(':') == std::string::npos && host.find('/') == std::string::npos);
    check(port >= 0 && port <= kPortCeiling);
    check(!path.empty() && path.front() == '/');
    check(path == "/" || url.ends_with(path));
    return 0;
}
