#pragma once
// Splitting a URL into the host, port and path that a connection needs. Only the scheme
// prefix "http://" is known; any other text before the first "/" counts as the authority,
// so "https://x/y" gives host "https", port 0 and path "//x/y".

#include <string>
#include <string_view>

namespace extdict {

// The authority up to its first ":", lower-cased.
std::string hostOfUrl(std::string_view url);
// The number after the authority's first ":" (0 when that is empty or not a number), else 80.
int portOfUrl(std::string_view url);
// From the first "/" at or after the host to the end, query included; "/" when there is none.
std::string pathOfUrl(std::string_view url);

} // namespace extdict
