#pragma once
// One open text input window: its context and controls, and the handlers of its events.
// Each handler's false keeps the window open (the close question) or swallows a key.

#include "exchange/input_window.h"
#include "exchange/input_window_form.h"
#include "toolkit/events.h"

namespace extdict {

struct InputWindowSession {
    InputWindowContext& context;
    InputWindowControls controls;
};

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
