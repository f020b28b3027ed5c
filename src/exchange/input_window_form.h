#pragma once
// The text input window's form, and its controls looked up by their form names.

#include <string>

#include "toolkit/toolkit.h"

namespace extdict {

const tk::WindowForm& inputWindowForm();

struct InputWindowControls {
    tk::WindowId window = 0;
    tk::ControlRef promptBox, inputArea, buttonContainer, openButton, saveButton, confirmButton,
        cancelButton;
};

InputWindowControls resolveInputWindowControls(const tk::Toolkit& ui, tk::WindowId window);

// A request for the form's file dialog, with its filter and default extension.
tk::FileDialogRequest inputFileDialogRequest(tk::FileDialogMode mode, const std::string& title);

// The open button's tag in normal mode; file-selection mode has "0".
inline constexpr const char* kNormalModeTag = "1";
inline constexpr const char* kFileSelectModeTag = "0";

} // namespace extdict
