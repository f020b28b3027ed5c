#pragma once
// The extension box's and the list box's events, handed to the query box.

#include "app/app.h"
#include "toolkit/events.h"

namespace extdict {

bool onExtensionTextChanged(App& app, const tk::Event& event);
bool onExtensionKeyDown(App& app, const tk::Event& event);
bool onExtensionKeyUp(App& app, const tk::Event& event);
bool onExtensionDoubleClicked(App& app, const tk::Event& event);
bool onMatchListItemSelected(App& app, const tk::Event& event);

} // namespace extdict
