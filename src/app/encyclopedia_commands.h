#pragma once
// The encyclopedia button and link of the main window.

#include "app/app.h"
#include "toolkit/events.h"

namespace extdict {

// Looks the typed extension up and writes the summary into the note box.
bool onEncyclopediaButtonClicked(App& app, const tk::Event& event);
// Looks the typed extension up and opens its page in the browser. Returns false so that the
// hyperlink does not open its target a second time.
bool onEncyclopediaLinkPressed(App& app, const tk::Event& event);

} // namespace extdict
