// The state of windows and controls as the program reads and sets it.
#include <algorithm>

#include "text/gbk_chars.h"
#include "toolkit/headless/headless_toolkit.h"
#include "toolkit/headless/headless_window.h"

namespace extdict {
namespace {

constexpr int kClientWidthLoss = 2 * HeadlessToolkit::kFrameSide;
constexpr int kClientHeightLoss = HeadlessToolkit::kFrameCaption + HeadlessToolkit::kFrameBottom;

int byteLength(const std::string& text) {
    return static_cast<int>(text.size());
}

} // namespace

std::string HeadlessToolkit::text(tk::ControlRef ref) const {
    if (ref.control == tk::kWindowItself) {
        const HeadlessWindow* found = window(ref.window);
        return found ? found->caption : std::string();
    }
    const HeadlessControl* found = control(ref);
    return found ? found->text : std::string();
}

void HeadlessToolkit::setEditText(tk::ControlRef ref, std::string text, int caret) {
    HeadlessControl* edit = control(ref);
    if (!edit) return;
    edit->text = std::move(text);
    edit->selectionStart = std::clamp(caret, 0, byteLength(edit->text));
    edit->selectionLength = 0;
    raise(tk::EventKind::TextChanged, ref);
}

void HeadlessToolkit::setText(tk::ControlRef ref, std::string_view text) {
    const std::string value(untilNul(text));
    if (ref.control == tk::kWindowItself) {
        if (HeadlessWindow* found = window(ref.window)) {
            found->caption = value;
            found->captions.push_back(value);
        }
        return;
    }
    HeadlessControl* found = control(ref);
    if (!found) return;
    if (found->kind == tk::ControlKind::EditBox)
        setEditText(ref, value, 0);
    else
        found->text = value;
}

bool HeadlessToolkit::visible(tk::ControlRef ref) const {
    if (ref.control == tk::kWindowItself) {
        const HeadlessWindow* found = window(ref.window);
        return found && found->visible;
    }
    const HeadlessControl* found = control(ref);
    return found && found->visible;
}

void HeadlessToolkit::setVisible(tk::ControlRef ref, bool visible) {
    if (ref.control == tk::kWindowItself) {
        HeadlessWindow* found = window(ref.window);
        if (!found) return;
        found->visible = visible;
        if (visible && !everShown(found->name)) everShown_.push_back(found->name);
        return;
    }
    if (HeadlessControl* found = control(ref)) found->visible = visible;
}

std::string HeadlessToolkit::tag(tk::ControlRef ref) const {
    const HeadlessControl* found = control(ref);
    return found ? found->tag : std::string();
}

void HeadlessToolkit::setTag(tk::ControlRef ref, std::string_view tag) {
    if (HeadlessControl* found = control(ref)) found->tag = std::string(untilNul(tag));
}

std::string HeadlessToolkit::linkTarget(tk::ControlRef ref) const {
    const HeadlessControl* found = controlOfKind(ref, tk::ControlKind::Hyperlink);
    return found ? found->linkTarget : std::string();
}

void HeadlessToolkit::setLinkTarget(tk::ControlRef ref, std::string_view target) {
    if (HeadlessControl* found = controlOfKind(ref, tk::ControlKind::Hyperlink))
        found->linkTarget = std::string(untilNul(target));
}

bool HeadlessToolkit::alwaysOnTop(tk::WindowId id) const {
    const HeadlessWindow* found = window(id);
    return found && found->alwaysOnTop;
}

void HeadlessToolkit::setAlwaysOnTop(tk::WindowId id, bool onTop) {
    if (HeadlessWindow* found = window(id)) found->alwaysOnTop = onTop;
}

Place HeadlessToolkit::placeOf(tk::ControlRef ref) const {
    if (ref.control == tk::kWindowItself) {
        const HeadlessWindow* found = window(ref.window);
        return found ? found->place : Place{};
    }
    const HeadlessControl* found = control(ref);
    return found ? found->place : Place{};
}

int HeadlessToolkit::left(tk::ControlRef ref) const {
    return placeOf(ref).left;
}
int HeadlessToolkit::top(tk::ControlRef ref) const {
    return placeOf(ref).top;
}
int HeadlessToolkit::width(tk::ControlRef ref) const {
    return placeOf(ref).width;
}
int HeadlessToolkit::height(tk::ControlRef ref) const {
    return placeOf(ref).height;
}

namespace {

Place moved(Place place, std::optional<int> left, std::optional<int> top, std::optional<int> width,
            std::optional<int> height) {
    if (left) place.left = *left;
    if (top) place.top = *top;
    if (width) place.width = std::max(*width, 0);
    if (height) place.height = std::max(*height, 0);
    return place;
}

} // namespace

// Moving a window raises PositionChanged and SizeChanged for what changed, before returning;
// a minimised window keeps its new place for when it is restored.
void HeadlessToolkit::move(tk::ControlRef ref, std::optional<int> left, std::optional<int> top,
                           std::optional<int> width, std::optional<int> height) {
    if (ref.control != tk::kWindowItself) {
        if (HeadlessControl* found = control(ref))
            found->place = moved(found->place, left, top, width, height);
        return;
    }
    HeadlessWindow* found = window(ref.window);
    if (!found) return;
    if (found->restoredPlace) {
        found->restoredPlace = moved(*found->restoredPlace, left, top, width, height);
        return;
    }
    const Place before = found->place;
    found->place = moved(before, left, top, width, height);
    const Place after = found->place;
    raiseGeometryChanges(ref.window, before.left != after.left || before.top != after.top,
                         before.width != after.width || before.height != after.height);
}

int HeadlessToolkit::clientWidth(tk::WindowId id) const {
    const HeadlessWindow* found = window(id);
    if (!found || found->restoredPlace) return 0;
    return std::max(found->place.width - kClientWidthLoss, 0);
}

int HeadlessToolkit::clientHeight(tk::WindowId id) const {
    const HeadlessWindow* found = window(id);
    if (!found || found->restoredPlace) return 0;
    return std::max(found->place.height - kClientHeightLoss, 0);
}

bool HeadlessToolkit::hasIcon(tk::WindowId id) const {
    const HeadlessWindow* found = window(id);
    return found && found->hasIcon;
}

bool HeadlessToolkit::enabled(tk::WindowId id) const {
    const HeadlessWindow* found = window(id);
    return found && found->disabledBy == 0;
}

void HeadlessToolkit::listClear(tk::ControlRef ref) {
    if (HeadlessControl* list = controlOfKind(ref, tk::ControlKind::ListBox)) {
        list->items.clear();
        list->selection = -1;
    }
}

int HeadlessToolkit::listAdd(tk::ControlRef ref, std::string_view text) {
    HeadlessControl* list = controlOfKind(ref, tk::ControlKind::ListBox);
    if (!list) return -1;
    list->items.push_back({std::string(untilNul(text)), 0});
    return static_cast<int>(list->items.size()) - 1;
}

int HeadlessToolkit::listCount(tk::ControlRef ref) const {
    const HeadlessControl* list = controlOfKind(ref, tk::ControlKind::ListBox);
    return list ? static_cast<int>(list->items.size()) : 0;
}

namespace {

const ListItem* itemAt(const HeadlessControl* list, int index) {
    if (!list || index < 0 || index >= static_cast<int>(list->items.size())) return nullptr;
    return &list->items[static_cast<std::size_t>(index)];
}

} // namespace

std::string HeadlessToolkit::listItemText(tk::ControlRef ref, int index) const {
    const ListItem* item = itemAt(controlOfKind(ref, tk::ControlKind::ListBox), index);
    return item ? item->text : std::string();
}

int HeadlessToolkit::listItemValue(tk::ControlRef ref, int index) const {
    const ListItem* item = itemAt(controlOfKind(ref, tk::ControlKind::ListBox), index);
    return item ? item->value : -1;
}

void HeadlessToolkit::setListItemValue(tk::ControlRef ref, int index, int value) {
    if (auto* item =
            const_cast<ListItem*>(itemAt(controlOfKind(ref, tk::ControlKind::ListBox), index)))
        item->value = value;
}

int HeadlessToolkit::listSelection(tk::ControlRef ref) const {
    const HeadlessControl* list = controlOfKind(ref, tk::ControlKind::ListBox);
    return list ? list->selection : -1;
}

// Above the last item selects the last; below 0 selects none. Never raises ItemSelected.
void HeadlessToolkit::setListSelection(tk::ControlRef ref, int index) {
    HeadlessControl* list = controlOfKind(ref, tk::ControlKind::ListBox);
    if (!list) return;
    const int last = static_cast<int>(list->items.size()) - 1;
    list->selection = index < 0 ? -1 : std::min(index, last);
}

void HeadlessToolkit::setSelectionStart(tk::ControlRef ref, int byteOffset) {
    HeadlessControl* edit = controlOfKind(ref, tk::ControlKind::EditBox);
    if (!edit) return;
    edit->selectionStart = std::clamp(byteOffset, 0, byteLength(edit->text));
    edit->selectionLength = 0;
}

void HeadlessToolkit::selectAll(tk::ControlRef ref) {
    HeadlessControl* edit = controlOfKind(ref, tk::ControlKind::EditBox);
    if (!edit) return;
    edit->selectionStart = 0;
    edit->selectionLength = byteLength(edit->text);
}

// Adds at the end and leaves the caret there; the box reports the change like any edit.
void HeadlessToolkit::append(tk::ControlRef ref, std::string_view text) {
    HeadlessControl* edit = controlOfKind(ref, tk::ControlKind::EditBox);
    if (!edit) return;
    std::string combined = edit->text + std::string(untilNul(text));
    const int caret = byteLength(combined);
    setEditText(ref, std::move(combined), caret);
}

void HeadlessToolkit::setInputMode(tk::ControlRef ref, int mode) {
    if (HeadlessControl* edit = controlOfKind(ref, tk::ControlKind::EditBox))
        edit->inputMode = mode;
}

int HeadlessToolkit::selectionStart(tk::ControlRef ref) const {
    const HeadlessControl* edit = controlOfKind(ref, tk::ControlKind::EditBox);
    return edit ? edit->selectionStart : 0;
}

int HeadlessToolkit::selectionLength(tk::ControlRef ref) const {
    const HeadlessControl* edit = controlOfKind(ref, tk::ControlKind::EditBox);
    return edit ? edit->selectionLength : 0;
}

int HeadlessToolkit::inputMode(tk::ControlRef ref) const {
    const HeadlessControl* edit = controlOfKind(ref, tk::ControlKind::EditBox);
    return edit ? edit->inputMode : 0;
}

void HeadlessToolkit::setTrayIcon(tk::WindowId id, std::string_view tip) {
    if (HeadlessWindow* found = window(id))
        found->trayTip = std::string(cutToWholeChars(untilNul(tip), tk::kTrayTipBytes));
}

void HeadlessToolkit::removeTrayIcon(tk::WindowId id) {
    if (HeadlessWindow* found = window(id)) found->trayTip.reset();
}

std::vector<std::string> HeadlessToolkit::captionHistory(tk::WindowId id) const {
    const HeadlessWindow* found = window(id);
    return found ? found->captions : std::vector<std::string>{};
}

std::optional<std::string> HeadlessToolkit::trayTip(tk::WindowId id) const {
    const HeadlessWindow* found = window(id);
    return found ? found->trayTip : std::nullopt;
}

} // namespace extdict
