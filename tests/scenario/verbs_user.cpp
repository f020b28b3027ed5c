// What the user does while the program runs.
#include <map>

#include "verbs.h"

namespace extdict::scenario {
namespace {

struct KeyChord {
    int key = 0;
    int modifiers = 0;
};

const std::map<std::string, int, std::less<>> kKeyNames = {
    {"Backspace", 8}, {"Tab", 9},       {"Enter", 13}, {"Esc", 27},    {"Space", 32},
    {"PageUp", 33},   {"PageDown", 34}, {"End", 35},   {"Home", 36},   {"Left", 37},
    {"Up", 38},       {"Right", 39},    {"Down", 40},  {"Delete", 46}, {"Apps", 93},
};

int keyCode(Scenario& s, const Line& line, const std::string& name) {
    if (const auto found = kKeyNames.find(name); found != kKeyNames.end()) return found->second;
    if (name.size() == 1 &&
        ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9')))
        return name[0];
    if (!name.empty() && name[0] >= '0' && name[0] <= '9')
        return static_cast<int>(s.number(line, Token{name, false}));
    s.abort(line, "unknown key \"" + name + "\"");
}

// "Ctrl+Shift+Down": modifiers, then the key's name, a capital letter, a digit or a code.
KeyChord keyChord(Scenario& s, const Line& line, const Token& token) {
    KeyChord chord;
    std::string rest = token.raw;
    for (std::size_t plus; (plus = rest.find('+')) != std::string::npos && plus > 0;) {
        const std::string modifier = rest.substr(0, plus);
        if (modifier == "Ctrl")
            chord.modifiers |= tk::modifier::Ctrl;
        else if (modifier == "Shift")
            chord.modifiers |= tk::modifier::Shift;
        else if (modifier == "Alt")
            chord.modifiers |= tk::modifier::Alt;
        else
            s.abort(line, "unknown modifier \"" + modifier + "\"");
        rest = rest.substr(plus + 1);
    }
    chord.key = keyCode(s, line, rest);
    return chord;
}

tk::ControlRef target(Scenario& s, const Line& line) {
    s.runningUi(line);
    return s.ref(line, line.args[0]);
}

tk::WindowId targetWindow(Scenario& s, const Line& line) {
    s.runningUi(line);
    return s.windowRef(line, line.args[0]);
}

void type(Scenario& s, const Line& line) {
    s.ui().typeText(target(s, line), s.text(line, line.args[1]));
}

void paste(Scenario& s, const Line& line) {
    s.ui().pasteText(target(s, line), s.text(line, line.args[1]));
}

void key(Scenario& s, const Line& line) {
    const KeyChord chord = keyChord(s, line, line.args[1]);
    s.ui().pressKey(target(s, line), chord.key, chord.modifiers);
}

void keyDown(Scenario& s, const Line& line) {
    const KeyChord chord = keyChord(s, line, line.args[1]);
    s.ui().keyDown(target(s, line), chord.key, chord.modifiers);
}

void keyUp(Scenario& s, const Line& line) {
    const KeyChord chord = keyChord(s, line, line.args[1]);
    s.ui().keyUp(target(s, line), chord.key, chord.modifiers);
}

void click(Scenario& s, const Line& line) {
    s.ui().click(target(s, line));
}

void rightClick(Scenario& s, const Line& line) {
    s.ui().rightRelease(target(s, line));
}

void doubleClick(Scenario& s, const Line& line) {
    s.ui().doubleClick(target(s, line));
}

// By index, or by the item's text when the argument is quoted.
void select(Scenario& s, const Line& line) {
    const tk::ControlRef list = target(s, line);
    if (!line.args[1].quoted)
        return s.ui().selectListItem(list, static_cast<int>(s.number(line, line.args[1])));
    const std::string wanted = s.text(line, line.args[1]);
    for (int i = 0; i < s.ui().listCount(list); ++i)
        if (s.ui().listItemText(list, i) == wanted) return s.ui().selectListItem(list, i);
    s.abort(line, "the list holds no such item");
}

void alt(Scenario& s, const Line& line) {
    if (line.args[1].raw.size() != 1) s.abort(line, "alt takes one letter or digit");
    s.ui().pressAccelerator(targetWindow(s, line), line.args[1].raw[0]);
}

void close(Scenario& s, const Line& line) {
    s.ui().closeWindow(targetWindow(s, line));
}

void resize(Scenario& s, const Line& line) {
    s.ui().resizeWindow(targetWindow(s, line), static_cast<int>(s.number(line, line.args[1])),
                        static_cast<int>(s.number(line, line.args[2])));
}

void moveTo(Scenario& s, const Line& line) {
    s.ui().moveWindow(targetWindow(s, line), static_cast<int>(s.number(line, line.args[1])),
                      static_cast<int>(s.number(line, line.args[2])));
}

void minimise(Scenario& s, const Line& line) {
    s.ui().minimiseWindow(targetWindow(s, line));
}

void restore(Scenario& s, const Line& line) {
    s.ui().restoreWindow(targetWindow(s, line));
}

void tray(Scenario& s, const Line& line) {
    const tk::WindowId window = targetWindow(s, line);
    if (line.args[1].raw == "double") return s.ui().trayDoubleClick(window);
    s.ui().trayEvent(window, static_cast<int>(s.number(line, line.args[1])));
}

constexpr Verb kVerbs[] = {
    {"type", 2, 2, type, "type EDIT TEXT"},
    {"paste", 2, 2, paste, "paste EDIT TEXT"},
    {"key", 2, 2, key, "key EDIT [Ctrl+][Shift+][Alt+]KEY"},
    {"keydown", 2, 2, keyDown, "keydown EDIT [Ctrl+][Shift+][Alt+]KEY"},
    {"keyup", 2, 2, keyUp, "keyup EDIT [Ctrl+][Shift+][Alt+]KEY"},
    {"click", 1, 1, click, "click BUTTON|LINK"},
    {"right-click", 1, 1, rightClick, "right-click BUTTON"},
    {"double-click", 1, 1, doubleClick, "double-click EDIT"},
    {"select", 2, 2, select, "select LIST INDEX|\"TEXT\""},
    {"alt", 2, 2, alt, "alt WINDOW LETTER"},
    {"close", 1, 1, close, "close WINDOW"},
    {"resize", 3, 3, resize, "resize WINDOW WIDTH HEIGHT"},
    {"move", 3, 3, moveTo, "move WINDOW LEFT TOP"},
    {"minimise", 1, 1, minimise, "minimise WINDOW"},
    {"restore", 1, 1, restore, "restore WINDOW"},
    {"tray", 2, 2, tray, "tray WINDOW 1|2|3|double"},
};

} // namespace

std::span<const Verb> userVerbs() {
    return kVerbs;
}

} // namespace extdict::scenario
