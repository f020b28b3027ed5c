#pragma once
// The extension box's events: each change of the typed text shows the registry's description,
// empties the note box, resets a link that no longer belongs to the text and filters the match
// list; "?" alone shows the help instead. Keys and double-clicks drive the match list.

#include <string>

#include "lookup/match_list.h"
#include "toolkit/services.h"
#include "toolkit/toolkit.h"

namespace extdict {

// What the handlers reach, gathered by the caller for one event.
struct QueryBox {
    tk::Toolkit& ui;
    Services& services;
    MatchList& matchList;
    tk::ControlRef extensionBox, noteBox, listBox, descriptionLabel, encyclopediaLink;
    const std::string& helpText;
    // The extension whose encyclopedia result is cached, and so whose link stays valid.
    const std::string& linkedExtension;
    // Set by a delete just before it empties the extension box; cleared by the next change.
    bool& suppressNextFilter;
};

void onQueryTextChanged(QueryBox& box);
// False consumes the key.
bool onQueryKeyDown(QueryBox& box, int key, int modifiers);
void onQueryKeyUp(QueryBox& box, int key, int modifiers);
// With the list hidden, a double-click shows the complete list as Enter does.
void onQueryDoubleClicked(QueryBox& box);
void onMatchItemSelected(QueryBox& box);

} // namespace extdict
