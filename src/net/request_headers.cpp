#include "net/request_headers.h"

#include "text/gbk_chars.h"

namespace extdict {
namespace {

bool containsIgnoringCase(std::string_view text, std::string_view name) {
    return toLower(text).find(toLower(name)) != std::string::npos;
}

void appendUnlessNamed(std::string& headers, std::string_view name, std::string_view line) {
    if (!containsIgnoringCase(headers, name)) headers += line;
}

} // namespace

std::string completeHeaders(std::string_view extraHeaders, std::string_view url) {
    std::string headers(extraHeaders);
    appendUnlessNamed(headers, "Accept: ",
                      "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, "
                      "application/x-shockwave-flash, application/vnd.ms-excel, "
                      "application/vnd.ms-powerpoint, application/msword, */*\r\n");
    appendUnlessNamed(headers, "Referer: ", "Referer: " + std::string(url) + "\r\n");
    appendUnlessNamed(headers, "Accept-Language: ", "Accept-Language: zh-cn\r\n");
    return headers;
}

std::string withFormBodyHeaders(std::string headers, std::string_view postData) {
    headers += "Content-Type: application/x-www-form-urlencoded\r\n";
    headers += "Content-Length: " + std::to_string(postData.size()) + "\r\n";
    return headers;
}

} // namespace extdict
