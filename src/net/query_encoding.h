#pragma once

#include <string>
#include <string_view>

namespace extdict {

// Every byte other than A-Z a-z 0-9 - . _ ~ as "%XX", so that a space, '#', '&' or '%' in
// the text can neither break nor change the query, and the server decodes the same bytes.
std::string percentEncoded(std::string_view bytes);

} // namespace extdict
