#pragma once

#include <string_view>

namespace extdict {

// True for an http:// or https:// address (scheme in any letter case) with something after
// the scheme and no space or control character: only such a link is handed to the browser,
// never a local program, a file:// address or a command line with extra arguments.
bool isOpenableWebLink(std::string_view link);

} // namespace extdict
