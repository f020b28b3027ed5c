#pragma once
// A small window with one control of each kind and a recorder of the events it raises.

#include <string>
#include <vector>

#include "toolkit/headless/headless_services.h"
#include "toolkit/headless/headless_toolkit.h"

namespace extdict::testing {

struct RecordedEvent {
    tk::EventKind kind;
    std::string control; // form name; empty for the window
    int key = 0;
    int modifiers = 0;
    int trayKind = 0;
    friend bool operator==(const RecordedEvent&, const RecordedEvent&) = default;
};

// Records every event of every control and of the window; returns `answer` from each.
class EventLog {
  public:
    tk::Bindings bindAll(const tk::WindowForm& form);
    std::vector<RecordedEvent> events;
    std::vector<tk::EventKind> kinds() const;
    int count(tk::EventKind kind) const;
    bool answer = true;
};

// Window "W" 300 x 200 at 10,20 with: edit "edit" (single line), edit "memo" (multi-line,
// wants Enter, 10-byte user limit), list "list", button "button", hyperlink "link" (target
// empty), label "label", shape box "shape" holding button "inner".
tk::WindowForm testForm();

struct ToolkitFixture {
    HeadlessServices services;
    HeadlessToolkit ui{services};
    EventLog log;
    tk::WindowId load(bool dialogMode = false);
    tk::ControlRef ref(const char* control);
    tk::WindowId window = 0;
};

} // namespace extdict::testing
