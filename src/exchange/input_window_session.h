#pragma once
// One open text input window: its context and controls, and the handlers of its events.
// Each handler's false keeps the window open (the close question) or swallows a key.

#include <string>

#include "exchange/input_window.h"
#include "exchange/input_window_form.h"
#include "toolkit/events.h"

namespace extdict {

struct InputWindowSession {
    InputWindowContext& context;
    InputWindowControls controls;
    // The input area's text when the user confirmed. The key that confirmed (Ctrl+Enter)
    // still reaches the input area afterwards, and must not add a line break to the result.
    std::string confirmedText;
};

// Stores the request in the parameters and loads the window; the session must outlive it.
tk::WindowId openInputWindow(InputWindowSession& session, const InputWindowRequest& request);
tk::Bindings inputWindowBindings(InputWindowSession& session);

bool onInputWindowCreated(InputWindowSession& session, const tk::Event& event);
bool layoutInputWindow(InputWindowSession& session, const tk::Event& event);
bool canCloseInputWindow(InputWindowSession& session, const tk::Event& event);
bool onInputWindowDestroyed(InputWindowSession& session, const tk::Event& event);
bool confirmInput(InputWindowSession& session, const tk::Event& event);
bool cancelInput(InputWindowSession& session, const tk::Event& event);
bool onInputAreaKeyDown(InputWindowSession& session, const tk::Event& event);

// The open button and the save-as button.
bool openButtonClicked(InputWindowSession& session, const tk::Event& event);
bool openButtonRightReleased(InputWindowSession& session, const tk::Event& event);
bool saveInputAs(InputWindowSession& session, const tk::Event& event);

} // namespace extdict
