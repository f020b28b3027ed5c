// The scripted user's mouse: clicks, lists, links, the close box, the frame and the tray.
#include "text/encoding.h"
#include "text/gbk_chars.h"
#include "toolkit/headless/headless_toolkit.h"
#include "toolkit/headless/headless_window.h"

namespace extdict {
namespace {

std::string quoted(const std::string& gbkName) {
    return "\"" + utf8FromGbk(gbkName) + "\"";
}

[[noreturn]] void refuse(const char* action, const std::string& target, const char* why) {
    throw HeadlessScriptError{std::string("cannot ") + action + " " + target + ": " + why};
}

} // namespace

HeadlessWindow& HeadlessToolkit::reachableWindow(tk::WindowId id, const char* action) {
    HeadlessWindow* found = window(id);
    if (!found) refuse(action, "window " + std::to_string(id), "it does not exist");
    const std::string name = "window " + quoted(found->name);
    if (!found->visible) refuse(action, name, "it is hidden");
    if (found->restoredPlace) refuse(action, name, "it is minimised");
    if (found->disabledBy > 0) refuse(action, name, "it is disabled");
    return *found;
}

HeadlessControl& HeadlessToolkit::reachableControl(tk::ControlRef ref, const char* action) {
    HeadlessWindow& owner = reachableWindow(ref.window, action);
    HeadlessControl* found = control(ref);
    if (!found) refuse(action, "control " + std::to_string(ref.control), "it does not exist");
    const std::string name = quoted(found->name);
    // The control and every container around it must be shown; a form whose parents form a
    // ring cannot hold the walk for longer than it has controls.
    const HeadlessControl* c = found;
    for (std::size_t depth = 0; c && depth <= owner.controls.size(); ++depth) {
        if (!c->visible) refuse(action, name, "it is hidden");
        const HeadlessControl* parent = nullptr;
        for (const HeadlessControl& other : owner.controls)
            if (!c->parent.empty() && other.name == c->parent) parent = &other;
        c = parent;
    }
    return *found;
}

HeadlessControl& HeadlessToolkit::reachableControl(tk::ControlRef ref, tk::ControlKind kind,
                                                   const char* action) {
    HeadlessControl& found = reachableControl(ref, action);
    if (found.kind != kind) refuse(action, quoted(found.name), "it is another kind of control");
    return found;
}

void HeadlessToolkit::click(tk::ControlRef ref) {
    const HeadlessControl& target = reachableControl(ref, "click");
    if (target.kind == tk::ControlKind::Hyperlink) return pressLink(ref);
    if (target.kind != tk::ControlKind::Button)
        refuse("click", quoted(target.name), "not a button");
    raise(tk::EventKind::Clicked, ref);
}

void HeadlessToolkit::rightRelease(tk::ControlRef ref) {
    reachableControl(ref, tk::ControlKind::Button, "right-click");
    raise(tk::EventKind::RightReleased, ref);
}

void HeadlessToolkit::doubleClick(tk::ControlRef ref) {
    reachableControl(ref, tk::ControlKind::EditBox, "double-click");
    raise(tk::EventKind::DoubleClicked, ref);
}

void HeadlessToolkit::selectListItem(tk::ControlRef ref, int index) {
    HeadlessControl& list = reachableControl(ref, tk::ControlKind::ListBox, "select in");
    if (index < 0 || index >= static_cast<int>(list.items.size()))
        refuse("select in", quoted(list.name), "no such item");
    list.selection = index;
    raise(tk::EventKind::ItemSelected, ref);
}

void HeadlessToolkit::pressLink(tk::ControlRef ref) {
    reachableControl(ref, tk::ControlKind::Hyperlink, "press");
    if (!raise(tk::EventKind::LinkPressed, ref)) return;
    const std::string target = linkTarget(ref);
    if (!target.empty()) services_.openWebAddress(target);
}

namespace {

bool marksLetter(const std::string& caption, char letter) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (toLower(caption.substr(i + 1, 1)) == toLower(std::string(1, letter))) return true;
        ++i; // "&&" is a literal ampersand
    }
    return false;
}

} // namespace

void HeadlessToolkit::pressAccelerator(tk::WindowId id, char letter) {
    HeadlessWindow& owner = reachableWindow(id, "press Alt on");
    for (std::size_t i = 0; i < owner.controls.size(); ++i) {
        const HeadlessControl& c = owner.controls[i];
        const bool pressable =
            c.kind == tk::ControlKind::Button || c.kind == tk::ControlKind::Hyperlink;
        if (pressable && c.visible && marksLetter(c.text, letter))
            return click({id, static_cast<tk::ControlId>(i + 1)});
    }
}

void HeadlessToolkit::closeWindow(tk::WindowId id) {
    reachableWindow(id, "close");
    if (!raise(tk::EventKind::CanBeClosed, {id})) return;
    if (window(id)) destroyNow(id);
}

void HeadlessToolkit::resizeWindow(tk::WindowId id, int newWidth, int newHeight) {
    HeadlessWindow& target = reachableWindow(id, "resize");
    const Place before = target.place;
    target.place.width = std::max(newWidth, 0);
    target.place.height = std::max(newHeight, 0);
    raiseGeometryChanges(id, false, !(before == target.place));
}

void HeadlessToolkit::moveWindow(tk::WindowId id, int newLeft, int newTop) {
    HeadlessWindow& target = reachableWindow(id, "move");
    const Place before = target.place;
    target.place.left = newLeft;
    target.place.top = newTop;
    raiseGeometryChanges(id, !(before == target.place), false);
}

void HeadlessToolkit::minimiseWindow(tk::WindowId id) {
    HeadlessWindow& target = reachableWindow(id, "minimise");
    target.restoredPlace = target.place;
    target.place = {kMinimisedPlace, kMinimisedPlace, kMinimisedWidth, kMinimisedHeight};
    raiseGeometryChanges(id, true, true);
}

void HeadlessToolkit::restoreWindow(tk::WindowId id) {
    HeadlessWindow* target = window(id);
    if (!target || !target->restoredPlace)
        refuse("restore", "window " + std::to_string(id), "it is not minimised");
    target->place = *target->restoredPlace;
    target->restoredPlace.reset();
    raiseGeometryChanges(id, true, true);
}

void HeadlessToolkit::requireTrayIcon(tk::WindowId id) {
    const HeadlessWindow* target = window(id);
    if (!target || !target->trayTip)
        refuse("use the tray icon of", "window " + std::to_string(id), "it has none");
}

void HeadlessToolkit::trayEvent(tk::WindowId id, int trayKind) {
    requireTrayIcon(id);
    tk::Event event{tk::EventKind::Tray, {id}};
    event.trayKind = trayKind;
    raise(event);
}

// A double-click arrives as a release, the double-click itself, and a second release.
void HeadlessToolkit::trayDoubleClick(tk::WindowId id) {
    requireTrayIcon(id);
    for (const int trayKind : {1, 2, 1}) {
        if (!trayTip(id)) return;
        trayEvent(id, trayKind);
    }
}

} // namespace extdict
