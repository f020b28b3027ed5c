#pragma once
// The main window's event handlers. Each gets the program and the event; a false result
// swallows a key, keeps a window open or stops the hyperlink.

#include "app/app.h"
#include "toolkit/events.h"

namespace extdict {

using MainHandler = bool (*)(App&, const tk::Event&);

// Start-up, tray and shutdown.
bool onMainWindowCreated(App& app, const tk::Event& event);
bool onMainWindowDestroying(App& app, const tk::Event& event);
bool onTrayEvent(App& app, const tk::Event& event);

// The window itself: layout, length caption, count and clear.
bool layoutMainWindow(App& app, const tk::Event& event);
bool showLengthCaption(App& app, const tk::Event& event);
bool countRecords(App& app, const tk::Event& event);
bool clearRecords(App& app, const tk::Event& event);

} // namespace extdict
