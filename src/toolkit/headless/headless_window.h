#pragma once
// The state that the headless toolkit keeps for each window and control.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/form.h"

namespace extdict {

struct ListItem {
    std::string text;
    int value = 0;
};

struct Place {
    int left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const Place&, const Place&) = default;
};

struct HeadlessControl {
    std::string name;
    tk::ControlKind kind = tk::ControlKind::Label;
    Place place;
    std::string text;
    tk::ControlStyle style;
    std::string parent;
    bool visible = true;
    std::string tag;
    std::string linkTarget;
    std::vector<ListItem> items;
    int selection = -1;
    int selectionStart = 0;  // edit box caret, bytes
    int selectionLength = 0; // edit box selection, bytes
    int inputMode = 0;
};

struct HeadlessWindow {
    std::string name;
    std::string caption;
    std::vector<std::string> captions; // every caption it had, the first one included
    Place place;
    std::optional<Place> restoredPlace; // set while minimised
    bool visible = false;
    bool alwaysOnTop = false;
    bool hasIcon = false;
    int disabledBy = 0;               // dialog-mode windows that disable this one
    std::vector<int> disabledWindows; // what this dialog-mode window disabled
    std::optional<int> owner;
    std::optional<std::string> trayTip;
    std::vector<HeadlessControl> controls; // control id = index + 1
    // Shared so that a handler can run on while its window goes.
    std::shared_ptr<const tk::Bindings> bindings;
};

// A window as its form describes it, hidden.
HeadlessWindow buildWindow(const tk::WindowForm& form, tk::Bindings bindings, int screenWidth,
                           int screenHeight);

} // namespace extdict
