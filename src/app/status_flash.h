#pragma once

#include <string_view>

#include "app/app.h"

namespace extdict {

// Shows a message in the main window's caption for 2000 ms, then the plain caption again.
// The window keeps working meanwhile: events are processed while it waits.
void statusFlash(App& app, std::string_view message);

// The two halves, for a command that has work of its own between them.
void showStatus(App& app, std::string_view message);
void waitAndRestoreCaption(App& app);

} // namespace extdict
