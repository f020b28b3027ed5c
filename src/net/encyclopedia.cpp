#include "net/encyclopedia.h"

#include "net/encyclopedia_texts.h"
#include "net/http_request.h"
#include "net/query_encoding.h"
#include "net/response_element.h"
#include "net/web_link.h"

namespace extdict {
namespace {

std::string fetchResponse(const Encyclopedia& e, std::string_view extension) {
    std::string unusedRawHeaders;
    const std::string address =
        encyclopediaSearchAddress(e.services.encyclopediaHost(), extension);
    return httpRequest({e.services.http(), e.ui}, address, "", "", false, "", "",
                       unusedRawHeaders, false);
}

void fetchIntoCache(const Encyclopedia& e, std::string_view extension) {
    const std::string response = fetchResponse(e, extension);
    e.cache.link = takeElement(response, "<link>", "</link>");
    e.cache.summary = takeElement(response, "<text>", "</text>");
    // Read again: the user may have edited the box while the request ran.
    e.cache.extension = e.ui.text(e.extensionBox);
    e.ui.setLinkTarget(e.link, e.cache.link);
}

} // namespace

std::string encyclopediaSearchAddress(std::string_view host, std::string_view extension) {
    return std::string(host) + "/s?cl=3&wd=" + percentEncoded(extension);
}

void encyclopediaLookup(const Encyclopedia& e, bool openPage) {
    const std::string typed = e.ui.text(e.extensionBox);
    if (typed.empty()) {
        e.ui.messageBox(encyclopedia_texts::enterExtensionFirst(), tk::MessageIcon::Information,
                        tk::MessageButtons::Ok);
        return;
    }
    if (openPage) e.ui.setText(e.link, encyclopedia_texts::openingPageCaption());
    if (e.cache.extension != typed) fetchIntoCache(e, typed);
    if (openPage) openInBrowser(e.services, e.cache.link);
    e.ui.setText(e.link, encyclopedia_texts::linkCaption());
}

void openInBrowser(Services& services, std::string_view link) {
    if (isOpenableWebLink(link)) services.startProgram(services.browserCommandLine(link));
}

} // namespace extdict
