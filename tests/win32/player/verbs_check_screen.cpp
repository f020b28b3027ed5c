// Checks of what the user sees, read from the real windows and controls.
#include "play.h"
#include "play_verbs.h"
#include "shown_text.h"
#include "toolkit/win32/wide_text.h"
#include "toolkit/win32/window_text.h"

namespace extdict::player {
namespace {

using scenario::shown;

std::string what(Play& p, const Line& line, const char* property) {
    return std::string(property) + " of " + shown(p.text(line, line.args[0]));
}

void text(Play& p, const Line& line) {
    const std::string seen = p.ui.text(p.ref(line, line.args[0]));
    p.expectText(line, what(p, line, "text"), p.text(line, line.args[1]), seen);
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
bool startsWith(const std::string& text, const std::string& part) { return text.starts_with(part); }
bool endsWith(const std::string& text, const std::string& part) { return text.ends_with(part); }

template <bool (*Holds)(const std::string&, const std::string&)>
void textHolds(Play& p, const Line& line) {
    const std::string seen = p.ui.text(p.ref(line, line.args[0]));
    const std::string part = p.text(line, line.args[1]);
    if (!Holds(seen, part))
        p.fail(line, line.verb + " " + shown(part) + " failed on " + what(p, line, "text") +
                         ", which is " + shown(seen));
}

void length(Play& p, const Line& line) {
    const auto seen = static_cast<long long>(p.ui.text(p.ref(line, line.args[0])).size());
    p.expectNumber(line, what(p, line, "byte length"), p.number(line, line.args[1]), seen);
}

template <bool Wanted> void visibility(Play& p, const Line& line) {
    if (p.ui.visible(p.ref(line, line.args[0])) != Wanted)
        p.fail(line, shown(p.text(line, line.args[0])) + (Wanted ? " is hidden" : " is visible"));
}

bool nameExists(Play& p, const Line& line) {
    const std::string name = p.text(line, line.args[0]);
    if (const auto slash = name.find('/'); slash != std::string::npos) {
        const auto window = p.ui.findWindow(name.substr(0, slash));
        return window && p.ui.controlNamed(*window, name.substr(slash + 1)) != tk::kWindowItself;
    }
    if (p.ui.findWindow(name)) return true;
    for (const tk::WindowId window : p.ui.windows())
        if (p.ui.controlNamed(window, name) != tk::kWindowItself) return true;
    return false;
}

template <bool Wanted> void existence(Play& p, const Line& line) {
    if (nameExists(p, line) != Wanted)
        p.fail(line, shown(p.text(line, line.args[0])) + (Wanted ? " does not exist" : " still exists"));
}

template <bool Wanted> void enabledState(Play& p, const Line& line) {
    const HWND hwnd = p.ui.real().handleOf({p.windowRef(line, line.args[0])});
    if ((IsWindowEnabled(hwnd) != FALSE) != Wanted)
        p.fail(line, shown(p.text(line, line.args[0])) + (Wanted ? " is disabled" : " is enabled"));
}

void neverShown(Play& p, const Line& line) {
    if (p.ui.everShown(p.text(line, line.args[0])))
        p.fail(line, shown(p.text(line, line.args[0])) + " was shown");
}

void expectNumbers(Play& p, const Line& line, const std::vector<const char*>& names,
                   const std::vector<int>& seen) {
    for (std::size_t i = 0; i < names.size(); ++i)
        if (line.args[i + 1].raw != "_")
            p.expectNumber(line, std::string(names[i]) + " of " + shown(p.text(line, line.args[0])),
                           p.number(line, line.args[i + 1]), seen[i]);
}

void place(Play& p, const Line& line) {
    const tk::ControlRef ref = p.ref(line, line.args[0]);
    expectNumbers(p, line, {"left", "top", "width", "height"},
                  {p.ui.left(ref), p.ui.top(ref), p.ui.width(ref), p.ui.height(ref)});
}

void client(Play& p, const Line& line) {
    const tk::WindowId window = p.windowRef(line, line.args[0]);
    expectNumbers(p, line, {"client width", "client height"},
                  {p.ui.clientWidth(window), p.ui.clientHeight(window)});
}

std::string joined(const std::vector<std::string>& parts) {
    std::string out = "[";
    for (std::size_t i = 0; i < parts.size(); ++i) out += (i ? ", " : "") + parts[i];
    return out + "]";
}

template <bool Values> void listContents(Play& p, const Line& line) {
    const tk::ControlRef list = p.ref(line, line.args[0]);
    std::vector<std::string> expected, seen;
    for (std::size_t i = 1; i < line.args.size(); ++i)
        expected.push_back(Values ? std::to_string(p.number(line, line.args[i]))
                                  : shown(p.text(line, line.args[i])));
    for (int i = 0; i < p.ui.listCount(list); ++i)
        seen.push_back(Values ? std::to_string(p.ui.listItemValue(list, i))
                              : shown(p.ui.listItemText(list, i)));
    if (expected != seen)
        p.fail(line, what(p, line, Values ? "item values" : "items") + ": expected " +
                         joined(expected) + ", saw " + joined(seen));
}

void selection(Play& p, const Line& line) {
    p.expectNumber(line, what(p, line, "selection"), p.number(line, line.args[1]),
                   p.ui.listSelection(p.ref(line, line.args[0])));
}

// The edit box's selection, in GBK bytes as the program counts them.
void caret(Play& p, const Line& line) {
    const HWND hwnd = p.ui.real().handleOf(p.ref(line, line.args[0]));
    DWORD start = 0, end = 0;
    SendMessageW(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::wstring content = win32::windowText(hwnd);
    const auto bytes = [&](DWORD at) {
        return static_cast<long long>(win32::gbkLength(std::wstring_view(content).substr(0, at)));
    };
    p.expectNumber(line, what(p, line, "selection start"), p.number(line, line.args[1]), bytes(start));
    const long long length = line.args.size() > 2 ? p.number(line, line.args[2]) : 0;
    p.expectNumber(line, what(p, line, "selection length"), length, bytes(end) - bytes(start));
}

void tag(Play& p, const Line& line) {
    p.expectText(line, what(p, line, "tag"), p.text(line, line.args[1]),
                 p.ui.tag(p.ref(line, line.args[0])));
}

void link(Play& p, const Line& line) {
    p.expectText(line, what(p, line, "link target"), p.text(line, line.args[1]),
                 p.ui.linkTarget(p.ref(line, line.args[0])));
}

void onTop(Play& p, const Line& line) {
    const bool expected = line.args[1].raw == "yes";
    if (p.ui.alwaysOnTop(p.windowRef(line, line.args[0])) != expected)
        p.fail(line, shown(p.text(line, line.args[0])) + (expected ? " is not" : " is") + " always on top");
}

// 1 read only, 2 password, 0 free input: what the real edit box does.
void inputMode(Play& p, const Line& line) {
    const HWND hwnd = p.ui.real().handleOf(p.ref(line, line.args[0]));
    int mode = 0;
    if (GetWindowLongW(hwnd, GWL_STYLE) & ES_READONLY)
        mode = 1;
    else if (SendMessageW(hwnd, EM_GETPASSWORDCHAR, 0, 0) != 0)
        mode = 2;
    p.expectNumber(line, what(p, line, "input mode"), p.number(line, line.args[1]), mode);
}

void captionShown(Play& p, const Line& line) {
    const tk::WindowId window = p.windowRef(line, line.args[0]);
    const std::vector<std::string>& history = p.ui.captionHistory(window);
    const std::string wanted = p.text(line, line.args[1]);
    std::size_t& checked = p.captionsChecked[window];
    for (std::size_t i = checked; i < history.size(); ++i) {
        if (history[i] != wanted) continue;
        checked = i + 1;
        return;
    }
    p.fail(line, "the caption was not " + shown(wanted) + " since the last check");
}

void tray(Play& p, const Line& line) {
    const auto tip = p.ui.trayTip(p.windowRef(line, line.args[0]));
    if (!tip) return p.fail(line, shown(p.text(line, line.args[0])) + " has no tray icon");
    p.expectText(line, "tray tip", p.text(line, line.args[1]), *tip);
}

void noTray(Play& p, const Line& line) {
    const auto found = p.ui.findWindow(p.text(line, line.args[0]));
    if (found && p.ui.trayTip(*found)) p.fail(line, shown(p.text(line, line.args[0])) + " has a tray icon");
}

const char* iconName(tk::MessageIcon icon) {
    switch (icon) {
    case tk::MessageIcon::Warning: return "warning";
    case tk::MessageIcon::Information: return "information";
    case tk::MessageIcon::Question: return "question";
    }
    return "?";
}

const char* buttonsName(tk::MessageButtons buttons) {
    switch (buttons) {
    case tk::MessageButtons::Ok: return "ok";
    case tk::MessageButtons::OkCancel: return "ok-cancel";
    case tk::MessageButtons::YesNo: return "yes-no";
    case tk::MessageButtons::YesNoCancel: return "yes-no-cancel";
    }
    return "?";
}

std::string describe(const MessageBoxSeen& box) {
    return std::string(iconName(box.icon)) + " " + buttonsName(box.buttons) + " " + shown(box.text);
}

template <bool Whole> void message(Play& p, const Line& line) {
    const auto& boxes = p.ui.messageBoxes();
    if (p.messagesChecked >= boxes.size())
        return p.fail(line, "no further message box was shown (" + std::to_string(boxes.size()) + " in all)");
    const MessageBoxSeen& box = boxes[p.messagesChecked++];
    const std::string text = p.text(line, line.args[2]);
    const bool kindMatches =
        line.args[0].raw == iconName(box.icon) && line.args[1].raw == buttonsName(box.buttons);
    const bool textMatches = Whole ? box.text == text : box.text.find(text) != std::string::npos;
    if (!kindMatches || !textMatches)
        p.fail(line, "message box: expected " + line.args[0].raw + " " + line.args[1].raw +
                         (Whole ? " " : " containing ") + shown(text) + ", saw " + describe(box));
}

void noMessage(Play& p, const Line& line) {
    const auto& boxes = p.ui.messageBoxes();
    if (p.messagesChecked < boxes.size())
        p.fail(line, "a message box was shown: " + describe(boxes[p.messagesChecked]));
}

const char* dialogName(DialogKind kind) {
    switch (kind) {
    case DialogKind::Open: return "open";
    case DialogKind::Save: return "save";
    case DialogKind::Multi: return "multi";
    }
    return "?";
}

void fileDialog(Play& p, const Line& line) {
    const auto& dialogs = p.ui.fileDialogs();
    if (p.dialogsChecked >= dialogs.size()) return p.fail(line, "no further file dialog was shown");
    const FileDialogSeen& dialog = dialogs[p.dialogsChecked++];
    p.expectText(line, "file dialog kind", line.args[0].raw, dialogName(dialog.kind));
    p.expectText(line, "file dialog title", p.text(line, line.args[1]), dialog.request.title);
    if (line.args.size() % 2 != 0) p.abort(line, "after the title: filter|ext|name TEXT pairs");
    for (std::size_t i = 2; i + 1 < line.args.size(); i += 2) {
        const std::string& field = line.args[i].raw;
        const std::string expected = p.text(line, line.args[i + 1]);
        if (field == "filter")
            p.expectText(line, "file dialog filter", expected, dialog.request.filter);
        else if (field == "ext")
            p.expectText(line, "file dialog extension", expected, dialog.request.defaultExtension);
        else if (field == "name")
            p.expectText(line, "file dialog file name", expected, dialog.request.fileName);
        else
            p.abort(line, "a file dialog field is filter, ext or name");
    }
}

void noFileDialog(Play& p, const Line& line) {
    const auto& dialogs = p.ui.fileDialogs();
    if (p.dialogsChecked < dialogs.size())
        p.fail(line, "a file dialog was shown: " + shown(dialogs[p.dialogsChecked].request.title));
}

constexpr PlayVerb kVerbs[] = {
    {"check text", VerbKind::Check, text},
    {"check text-contains", VerbKind::Check, textHolds<contains>},
    {"check text-starts", VerbKind::Check, textHolds<startsWith>},
    {"check text-ends", VerbKind::Check, textHolds<endsWith>},
    {"check length", VerbKind::Check, length},
    {"check visible", VerbKind::Check, visibility<true>},
    {"check hidden", VerbKind::Check, visibility<false>},
    {"check never-shown", VerbKind::Check, neverShown},
    {"check exists", VerbKind::Check, existence<true>},
    {"check gone", VerbKind::Check, existence<false>},
    {"check enabled", VerbKind::Check, enabledState<true>},
    {"check disabled", VerbKind::Check, enabledState<false>},
    {"check place", VerbKind::Check, place},
    {"check client", VerbKind::Check, client},
    {"check items", VerbKind::Check, listContents<false>},
    {"check values", VerbKind::Check, listContents<true>},
    {"check selection", VerbKind::Check, selection},
    {"check caret", VerbKind::Check, caret},
    {"check tag", VerbKind::Check, tag},
    {"check link", VerbKind::Check, link},
    {"check on-top", VerbKind::Check, onTop},
    {"check input-mode", VerbKind::Check, inputMode},
    {"check caption-shown", VerbKind::Check, captionShown},
    {"check tray", VerbKind::Check, tray},
    {"check no-tray", VerbKind::Check, noTray},
    {"check message", VerbKind::Check, message<true>},
    {"check message-contains", VerbKind::Check, message<false>},
    {"check no-message", VerbKind::Check, noMessage},
    {"check file-dialog", VerbKind::Check, fileDialog},
    {"check no-file-dialog", VerbKind::Check, noFileDialog},
};

} // namespace

std::span<const PlayVerb> screenChecks() { return kVerbs; }

} // namespace extdict::player
