// The scripted user's keyboard: typing, pasting and keys in edit boxes.
#include <algorithm>

#include "text/gbk_chars.h"
#include "toolkit/headless/headless_keys.h"
#include "toolkit/headless/headless_toolkit.h"
#include "toolkit/headless/headless_window.h"

namespace extdict {
namespace {

int size(const std::string& text) {
    return static_cast<int>(text.size());
}

// Start of each character in the text, by the GBK character model, and its end.
std::vector<int> characterStarts(const std::string& text) {
    std::vector<int> starts;
    for (int i = 0; i < size(text); i += isLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1)
        starts.push_back(i);
    starts.push_back(size(text));
    return starts;
}

int previousBoundary(const std::string& text, int caret) {
    int result = 0;
    for (const int start : characterStarts(text))
        if (start < caret) result = start;
    return result;
}

int nextBoundary(const std::string& text, int caret) {
    for (const int start : characterStarts(text))
        if (start > caret) return std::min(start, size(text));
    return size(text);
}

int lineStart(const std::string& text, int caret) {
    const auto found = text.rfind('\n', static_cast<std::size_t>(std::max(caret - 1, 0)));
    return caret == 0 || found == std::string::npos ? 0 : static_cast<int>(found) + 1;
}

int lineEnd(const std::string& text, int caret) {
    const auto found = text.find("\r\n", static_cast<std::size_t>(caret));
    return found == std::string::npos ? size(text) : static_cast<int>(found);
}

} // namespace

void HeadlessToolkit::userInsert(tk::ControlRef ref, std::string_view inserted) {
    HeadlessControl* edit = control(ref);
    if (!edit || edit->style.readOnly) return;
    const int limit = edit->style.userByteLimit;
    const int newSize =
        size(edit->text) - edit->selectionLength + static_cast<int>(inserted.size());
    if (limit > 0 && newSize > limit) return;
    std::string text = edit->text;
    text.replace(static_cast<std::size_t>(edit->selectionStart),
                 static_cast<std::size_t>(edit->selectionLength), inserted);
    setEditText(ref, std::move(text), edit->selectionStart + static_cast<int>(inserted.size()));
}

void HeadlessToolkit::userDelete(tk::ControlRef ref, bool forward) {
    HeadlessControl* edit = control(ref);
    if (!edit || edit->style.readOnly) return;
    int from = edit->selectionStart;
    int to = from + edit->selectionLength;
    if (from == to) {
        if (forward)
            to = nextBoundary(edit->text, from);
        else
            from = previousBoundary(edit->text, to);
    }
    if (from == to) return;
    std::string text = edit->text;
    text.erase(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
    setEditText(ref, std::move(text), from);
}

void HeadlessToolkit::moveCaret(tk::ControlRef ref, int key) {
    HeadlessControl* edit = control(ref);
    if (!edit) return;
    const std::string& text = edit->text;
    int caret = edit->selectionStart;
    if (key == tk::key::Left)
        caret = edit->selectionLength > 0 ? caret : previousBoundary(text, caret);
    if (key == tk::key::Right)
        caret =
            edit->selectionLength > 0 ? caret + edit->selectionLength : nextBoundary(text, caret);
    if (key == headless_keys::Home) caret = lineStart(text, caret);
    if (key == headless_keys::End) caret = lineEnd(text, caret);
    edit->selectionStart = caret;
    edit->selectionLength = 0;
}

void HeadlessToolkit::applyKeyDefault(tk::ControlRef ref, int key, int modifiers) {
    const HeadlessControl* edit = control(ref);
    if (!edit) return;
    if (key == headless_keys::Backspace) return userDelete(ref, false);
    if (key == headless_keys::Delete) return userDelete(ref, true);
    if (key == tk::key::Enter) {
        // As on Windows: Enter, Shift+Enter and Ctrl+Enter type a line break; Alt or
        // Ctrl+Shift with Enter type nothing.
        const bool typesLineBreak = modifiers == 0 || modifiers == tk::modifier::Shift ||
                                    modifiers == tk::modifier::Ctrl;
        if (typesLineBreak && edit->style.multiLine && edit->style.wantReturn)
            userInsert(ref, "\r\n");
        return;
    }
    if (key == tk::key::Left || key == tk::key::Right || key == headless_keys::Home ||
        key == headless_keys::End)
        return moveCaret(ref, key);
    if (const auto character = headless_keys::characterFor(key, modifiers))
        userInsert(ref, std::string(1, *character));
}

void HeadlessToolkit::keyStroke(tk::ControlRef ref, int key, int modifiers,
                                std::string_view character) {
    tk::Event down{tk::EventKind::KeyDown, ref, key, modifiers};
    if (raise(down)) {
        if (character.empty())
            applyKeyDefault(ref, key, modifiers);
        else
            userInsert(ref, character);
    }
    raise(tk::Event{tk::EventKind::KeyUp, ref, key, modifiers});
}

void HeadlessToolkit::typeText(tk::ControlRef ref, std::string_view text) {
    reachableControl(ref, tk::ControlKind::EditBox, "type into");
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            keyStroke(ref, tk::key::Enter, 0, {});
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
        } else if (c == '\t') {
            keyStroke(ref, headless_keys::Tab, 0, {});
            ++i;
        } else if (const auto stroke = headless_keys::keyStrokeFor(c)) {
            keyStroke(ref, stroke->key, stroke->modifiers, text.substr(i, 1));
            ++i;
        } else {
            const std::size_t length = isLeadByte(static_cast<unsigned char>(c)) ? 2 : 1;
            userInsert(ref, text.substr(i, length));
            i += length;
        }
    }
}

void HeadlessToolkit::pasteText(tk::ControlRef ref, std::string_view text) {
    const HeadlessControl& edit = reachableControl(ref, tk::ControlKind::EditBox, "paste into");
    if (edit.style.readOnly) return;
    std::string_view pasted = untilNul(text);
    if (edit.style.userByteLimit > 0)
        pasted = cutToWholeChars(pasted, static_cast<std::size_t>(edit.style.userByteLimit));
    setEditText(ref, std::string(pasted), static_cast<int>(pasted.size()));
}

void HeadlessToolkit::keyDown(tk::ControlRef ref, int key, int modifiers) {
    reachableControl(ref, tk::ControlKind::EditBox, "press a key in");
    if (raise(tk::Event{tk::EventKind::KeyDown, ref, key, modifiers}))
        applyKeyDefault(ref, key, modifiers);
}

void HeadlessToolkit::keyUp(tk::ControlRef ref, int key, int modifiers) {
    reachableControl(ref, tk::ControlKind::EditBox, "release a key in");
    raise(tk::Event{tk::EventKind::KeyUp, ref, key, modifiers});
}

// The release reaches the box even when the press made it unreachable, as a real key does.
void HeadlessToolkit::pressKey(tk::ControlRef ref, int key, int modifiers) {
    keyDown(ref, key, modifiers);
    raise(tk::Event{tk::EventKind::KeyUp, ref, key, modifiers});
}

} // namespace extdict
