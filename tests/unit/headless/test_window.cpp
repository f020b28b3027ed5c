#include "test_window.h"

#include <algorithm>

namespace extdict::testing {

tk::Bindings EventLog::bindAll(const tk::WindowForm& form) {
    std::vector<std::string> names{""};
    for (const auto& control : form.controls)
        names.push_back(control.name);
    tk::Bindings bindings;
    for (const std::string& name : names) {
        for (int k = 0; k <= static_cast<int>(tk::EventKind::LinkPressed); ++k) {
            bindings.push_back(
                {name, static_cast<tk::EventKind>(k), [this, name](const tk::Event& e) {
                     events.push_back({e.kind, name, e.key, e.modifiers, e.trayKind});
                     return answer;
                 }});
        }
    }
    return bindings;
}

std::vector<tk::EventKind> EventLog::kinds() const {
    std::vector<tk::EventKind> result;
    for (const auto& event : events)
        result.push_back(event.kind);
    return result;
}

int EventLog::count(tk::EventKind kind) const {
    return static_cast<int>(std::count_if(
        events.begin(), events.end(), [kind](const RecordedEvent& e) { return e.kind == kind; }));
}

tk::WindowForm testForm() {
    using tk::ControlKind;
    tk::ControlStyle memo;
    memo.multiLine = true;
    memo.wantReturn = true;
    memo.userByteLimit = 10;
    tk::WindowForm form;
    form.name = "W";
    form.caption = "caption";
    form.left = 10;
    form.top = 20;
    form.width = 300;
    form.height = 200;
    form.hasIcon = true;
    form.controls = {
        {"edit", ControlKind::EditBox, 5, 5, 100, 24, "", {}, "", "", ""},
        {"memo", ControlKind::EditBox, 5, 40, 200, 100, "", memo, "", "", ""},
        {"list", ControlKind::ListBox, 120, 5, 80, 100, "", {}, "", "", ""},
        {"button", ControlKind::Button, 210, 5, 60, 24, "&Go", {}, "", "", ""},
        {"link", ControlKind::Hyperlink, 210, 40, 60, 24, "Lin&k", {}, "", "", ""},
        {"label", ControlKind::Label, 210, 70, 60, 24, "label", {}, "", "", ""},
        {"shape", ControlKind::ShapeBox, 5, 150, 200, 30, "", {}, "", "", ""},
        {"inner", ControlKind::Button, 0, 0, 50, 24, "inner", {}, "shape", "", ""},
    };
    return form;
}

tk::WindowId ToolkitFixture::load(bool dialogMode) {
    const tk::WindowForm form = testForm();
    window = ui.loadWindow(form, log.bindAll(form), std::nullopt, dialogMode);
    log.events.clear();
    return window;
}

tk::ControlRef ToolkitFixture::ref(const char* control) {
    return {window, ui.controlNamed(window, control)};
}

} // namespace extdict::testing
