#pragma once
// The text input window: a modal text editor. The caller asks with showInputWindow, which
// returns once the window is gone, with whether the user confirmed; the text is then in
// inputResult.

#include <optional>
#include <string>

#include "exchange/input_window_params.h"
#include "toolkit/services.h"
#include "toolkit/toolkit.h"

namespace extdict {

// What the window works with; the three state references live in the program's state.
struct InputWindowContext {
    tk::Toolkit& ui;
    Services& services;
    InputWindowParams& params;
    bool& inputConfirmed;
    std::string& inputResult;
};

// The caller's arguments; everything but the initial text has a default.
struct InputWindowRequest {
    std::string initialText;
    std::optional<std::string> prompt;  // the default prompt when not given
    std::optional<std::string> caption; // the default caption when not given
    int inputMode = 0;
    bool visible = true;
    bool fileSelectMode = false;
    int contentWidth = 0;
    int inputAreaHeight = 0;
    tk::ControlRef owner{}; // window 0: no owner
    bool dialogMode = true;
};

bool showInputWindow(InputWindowContext& context, const InputWindowRequest& request);

// A nested event loop that returns once the window is gone.
void waitWhileInputWindowExists(tk::Toolkit& ui, tk::WindowId window);

} // namespace extdict
