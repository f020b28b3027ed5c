#pragma once
// The encyclopedia lookup: a short summary of the typed extension and the address of its
// page, fetched from the encyclopedia's search endpoint and kept for the last extension.

#include <string>
#include <string_view>

#include "net/encyclopedia_cache.h"
#include "toolkit/services.h"
#include "toolkit/toolkit.h"

namespace extdict {

// What the lookup works with: the platform, the cache, and the main window's extension box
// and encyclopedia link.
struct Encyclopedia {
    tk::Toolkit& ui;
    Services& services;
    EncyclopediaCache& cache;
    tk::ControlRef extensionBox;
    tk::ControlRef link;
};

// The search endpoint's address for a typed extension.
std::string encyclopediaSearchAddress(std::string_view host, std::string_view extension);

// Fetches the typed extension's result unless it is the cached one (bytes compared exactly),
// sets the link's target to the page address, and opens the page when openPage is true.
// An empty extension box only gets a message.
void encyclopediaLookup(const Encyclopedia& encyclopedia, bool openPage);

// Starts the browser on the link; a link that is not a plain web address opens nothing.
void openInBrowser(Services& services, std::string_view link);

} // namespace extdict
