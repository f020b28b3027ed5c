#pragma once
// The encyclopedia's own texts, in GBK.

#include <string>

namespace extdict::encyclopedia_texts {

const std::string& enterExtensionFirst();
// The link's caption while a page is being opened, and at rest.
const std::string& openingPageCaption();
const std::string& linkCaption();

} // namespace extdict::encyclopedia_texts
