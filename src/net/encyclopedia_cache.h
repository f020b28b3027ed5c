#pragma once

#include <string>

namespace extdict {

// The last encyclopedia result, kept so that asking again for the same extension makes no
// second request.
struct EncyclopediaCache {
    std::string link;
    std::string summary;
    std::string extension;  // the extension box's text that link and summary were fetched for
};

} // namespace extdict
