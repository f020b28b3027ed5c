// What the user does, played on the real controls through the user driver.
#include <map>

#include "play.h"
#include "play_verbs.h"
#include "toolkit/win32/window_classes.h"
#include "world.h"

namespace extdict::player {
namespace {

struct KeyChord {
    int key = 0;
    int modifiers = 0;
};

const std::map<std::string, int, std::less<>> kKeyNames = {
    {"Backspace", VK_BACK}, {"Tab", VK_TAB},     {"Enter", VK_RETURN}, {"Esc", VK_ESCAPE},
    {"Space", VK_SPACE},    {"PageUp", VK_PRIOR}, {"PageDown", VK_NEXT}, {"End", VK_END},
    {"Home", VK_HOME},      {"Left", VK_LEFT},   {"Up", VK_UP},        {"Right", VK_RIGHT},
    {"Down", VK_DOWN},      {"Delete", VK_DELETE}, {"Apps", VK_APPS},
};

int keyCode(Play& p, const Line& line, const std::string& name) {
    if (const auto found = kKeyNames.find(name); found != kKeyNames.end()) return found->second;
    if (name.size() == 1 && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9')))
        return name[0];
    if (!name.empty() && name[0] >= '0' && name[0] <= '9')
        return static_cast<int>(p.number(line, Token{name, false}));
    p.abort(line, "unknown key \"" + name + "\"");
}

KeyChord keyChord(Play& p, const Line& line, const Token& token) {
    static const std::pair<const char*, int> kModifiers[] = {
        {"Ctrl", tk::modifier::Ctrl}, {"Shift", tk::modifier::Shift}, {"Alt", tk::modifier::Alt}};
    KeyChord chord;
    std::string rest = token.raw;
    for (std::size_t plus; (plus = rest.find('+')) != std::string::npos && plus > 0;) {
        const std::string name = rest.substr(0, plus);
        int bit = 0;
        for (const auto& [modifier, value] : kModifiers)
            if (name == modifier) bit = value;
        if (bit == 0) p.abort(line, "unknown modifier \"" + name + "\"");
        chord.modifiers |= bit;
        rest = rest.substr(plus + 1);
    }
    chord.key = keyCode(p, line, rest);
    return chord;
}

bool isLink(Play& p, tk::ControlRef ref) {
    wchar_t name[32] = {};
    GetClassNameW(p.ui.real().handleOf(ref), name, 32);
    return lstrcmpW(name, win32::kLinkClass) == 0;
}

// "\r\n" is one press of Enter, as the user types a line break.
void type(Play& p, const Line& line) {
    const tk::ControlRef edit = p.target(line, line.args[0]);
    const std::string text = p.text(line, line.args[1]);
    std::size_t from = 0;
    for (std::size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2) {
        p.driver.type(edit, std::string_view(text).substr(from, at - from));
        p.driver.pressKey(edit, VK_RETURN);
    }
    p.driver.type(edit, std::string_view(text).substr(from));
}

// Select-all and paste, as the user does it: through the clipboard, which is given back its
// own text afterwards so that the scenario's clipboard stays as it set it.
void paste(Play& p, const Line& line) {
    const tk::ControlRef edit = p.target(line, line.args[0]);
    const std::string text = p.text(line, line.args[1]);
    const HWND hwnd = p.ui.real().handleOf(edit);
    if (text.empty() && GetWindowTextLengthW(hwnd) == 0)
        p.skip("pasting nothing into an empty box changes nothing on a real edit box (line " +
               std::to_string(line.number) + ")");
    const std::optional<std::string> saved = clipboardText();
    if (!setClipboardText(text)) p.abort(line, "cannot use the clipboard to paste");
    SetFocus(hwnd);
    SendMessageW(hwnd, EM_SETSEL, 0, -1);
    PostMessageW(hwnd, text.empty() ? WM_CLEAR : WM_PASTE, 0, 0);
    p.ui.real().processEvents();
    setClipboardText(saved);
}

void key(Play& p, const Line& line) {
    const tk::ControlRef control = p.target(line, line.args[0]);
    const KeyChord chord = keyChord(p, line, line.args[1]);
    p.driver.pressKey(control, chord.key, chord.modifiers);
}

// One half of a key press, as the keyboard sends it, with the modifiers held meanwhile.
template <bool Down> void keyHalf(Play& p, const Line& line) {
    const tk::ControlRef control = p.target(line, line.args[0]);
    const KeyChord chord = keyChord(p, line, line.args[1]);
    const HWND hwnd = p.ui.real().handleOf(control);
    BYTE saved[256], held[256];
    GetKeyboardState(saved);
    GetKeyboardState(held);
    if (chord.modifiers & tk::modifier::Ctrl) held[VK_CONTROL] = 0x80;
    if (chord.modifiers & tk::modifier::Shift) held[VK_SHIFT] = 0x80;
    if (chord.modifiers & tk::modifier::Alt) held[VK_MENU] = 0x80;
    SetKeyboardState(held);
    SetFocus(hwnd);
    const bool alt = (chord.modifiers & tk::modifier::Alt) != 0;
    const UINT scan = MapVirtualKeyW(static_cast<UINT>(chord.key), MAPVK_VK_TO_VSC);
    LPARAM data = 1 | (static_cast<LPARAM>(scan) << 16);
    if (!Down) data |= (1LL << 30) | (1LL << 31);
    const UINT message = Down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
    PostMessageW(hwnd, message, static_cast<WPARAM>(chord.key), data);
    p.ui.real().processEvents();
    SetKeyboardState(saved);
}

void click(Play& p, const Line& line) {
    const tk::ControlRef control = p.target(line, line.args[0]);
    if (isLink(p, control))
        p.driver.pressLink(control);
    else
        p.driver.click(control);
}

void rightClick(Play& p, const Line& line) { p.driver.rightClick(p.target(line, line.args[0])); }

void doubleClick(Play& p, const Line& line) { p.driver.doubleClick(p.target(line, line.args[0])); }

void select(Play& p, const Line& line) {
    const tk::ControlRef list = p.target(line, line.args[0]);
    if (!line.args[1].quoted)
        return p.driver.selectListItem(list, static_cast<int>(p.number(line, line.args[1])));
    const std::string wanted = p.text(line, line.args[1]);
    for (int i = 0; i < p.ui.listCount(list); ++i)
        if (p.ui.listItemText(list, i) == wanted) return p.driver.selectListItem(list, i);
    p.abort(line, "the list holds no such item");
}

// Alt with a letter, pressed where the window's focus is.
void alt(Play& p, const Line& line) {
    const tk::ControlRef window = p.target(line, line.args[0]);
    if (window.control != tk::kWindowItself) p.abort(line, "alt takes a window");
    if (line.args[1].raw.size() != 1) p.abort(line, "alt takes one letter or digit");
    const HWND focus = GetFocus();
    const HWND root = p.ui.real().handleOf(window);
    tk::ControlRef at = window;
    if (focus && GetAncestor(focus, GA_ROOT) == root)
        if (const auto focused = p.ui.real().refOf(focus)) at = *focused;
    const SHORT scan = VkKeyScanW(static_cast<wchar_t>(line.args[1].raw[0]));
    p.driver.pressKey(at, LOBYTE(scan), tk::modifier::Alt);
}

void close(Play& p, const Line& line) {
    const tk::ControlRef window = p.target(line, line.args[0]);
    if (window.control != tk::kWindowItself) p.abort(line, "close takes a window");
    p.driver.closeWindow(window.window);
}

// The tray icon is reached even while its window is hidden.
void tray(Play& p, const Line& line) {
    if (!p.ui.running()) p.abort(line, "the program is not running");
    const tk::WindowId window = p.windowRef(line, line.args[0]);
    if (line.args[1].raw != "double")
        return p.driver.trayEvent(window, static_cast<int>(p.number(line, line.args[1])));
    for (const int kind : {1, 2, 1}) p.driver.trayEvent(window, kind);
}

constexpr PlayVerb kVerbs[] = {
    {"type", VerbKind::User, type},
    {"paste", VerbKind::User, paste},
    {"key", VerbKind::User, key},
    {"keydown", VerbKind::User, keyHalf<true>},
    {"keyup", VerbKind::User, keyHalf<false>},
    {"click", VerbKind::User, click},
    {"right-click", VerbKind::User, rightClick},
    {"double-click", VerbKind::User, doubleClick},
    {"select", VerbKind::User, select},
    {"alt", VerbKind::User, alt},
    {"close", VerbKind::User, close},
    {"tray", VerbKind::User, tray},
};

} // namespace

std::span<const PlayVerb> userVerbs() { return kVerbs; }

} // namespace extdict::player
