#pragma once
// GBK texts shown in failure messages: readable UTF-8 between quotes, with CR, LF, tab,
// quotes, backslashes and bytes that are no GBK character written as escapes.

#include <string>
#include <string_view>

namespace extdict::scenario {

std::string shown(std::string_view gbk);

// Decodes a quoted or bare text of a scenario file: UTF-8 runs become GBK; \r \n \t \\ \"
// \$ and \xHH (a raw byte) are escapes. ${...} is not handled here.
std::string gbkOfScriptText(std::string_view raw);
// The same, but the UTF-8 runs stay UTF-8.
std::string bytesOfScriptText(std::string_view raw);

} // namespace extdict::scenario
