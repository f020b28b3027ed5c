#pragma once
// The header text that goes with a request.

#include <string>
#include <string_view>

namespace extdict {

// The caller's headers, completed with Accept, Referer and Accept-Language lines where the
// text so far lacks the name (letter case ignored). Lines are appended as they are, so
// headers without a final CR LF run on into the first appended line.
std::string completeHeaders(std::string_view extraHeaders, std::string_view url);

// The form body's Content-Type and Content-Length lines, appended whatever the headers hold.
std::string withFormBodyHeaders(std::string headers, std::string_view postData);

} // namespace extdict
