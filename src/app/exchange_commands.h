#pragma once
// The export and import buttons of the main window.

#include "app/app.h"
#include "toolkit/events.h"

namespace extdict {

bool onExportClicked(App& app, const tk::Event& event);
bool onImportClicked(App& app, const tk::Event& event);

} // namespace extdict
