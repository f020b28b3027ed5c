// Checks of what the user sees: windows, controls, lists, message boxes and file dialogs.
#include "shown_text.h"
#include "verbs.h"

namespace extdict::scenario {
namespace {

std::string what(Scenario& s, const Line& line, const char* property) {
    return std::string(property) + " of " + shown(s.text(line, line.args[0]));
}

void text(Scenario& s, const Line& line) {
    const std::string seen = s.ui().text(s.ref(line, line.args[0]));
    s.expectText(line, what(s, line, "text"), s.text(line, line.args[1]), seen);
}

template <bool (*Holds)(const std::string&, const std::string&)>
void textHolds(Scenario& s, const Line& line) {
    const std::string seen = s.ui().text(s.ref(line, line.args[0]));
    const std::string part = s.text(line, line.args[1]);
    if (!Holds(seen, part))
        s.fail(line, line.verb + " " + shown(part) + " failed on " + what(s, line, "text") +
                         ", which is " + shown(seen));
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}
bool startsWith(const std::string& text, const std::string& part) {
    return text.starts_with(part);
}
bool endsWith(const std::string& text, const std::string& part) {
    return text.ends_with(part);
}

void length(Scenario& s, const Line& line) {
    const auto seen = static_cast<long long>(s.ui().text(s.ref(line, line.args[0])).size());
    s.expectNumber(line, what(s, line, "byte length"), s.number(line, line.args[1]), seen);
}

template <bool Wanted> void visibility(Scenario& s, const Line& line) {
    if (s.ui().visible(s.ref(line, line.args[0])) != Wanted)
        s.fail(line, shown(s.text(line, line.args[0])) + (Wanted ? " is hidden" : " is visible"));
}

// A name that may no longer resolve: "Window/Control", a window, or a control anywhere.
bool nameExists(Scenario& s, const Line& line) {
    const std::string name = s.text(line, line.args[0]);
    if (const auto slash = name.find('/'); slash != std::string::npos)
        return s.ui().findControl(name.substr(0, slash), name.substr(slash + 1)).has_value();
    if (s.ui().findWindow(name)) return true;
    for (const tk::WindowId window : s.ui().windows())
        if (s.ui().controlNamed(window, name) != tk::kWindowItself) return true;
    return false;
}

template <bool Wanted> void existence(Scenario& s, const Line& line) {
    if (nameExists(s, line) != Wanted)
        s.fail(line,
               shown(s.text(line, line.args[0])) + (Wanted ? " does not exist" : " still exists"));
}

template <bool Wanted> void enabledState(Scenario& s, const Line& line) {
    if (s.ui().enabled(s.windowRef(line, line.args[0])) != Wanted)
        s.fail(line, shown(s.text(line, line.args[0])) + (Wanted ? " is disabled" : " is enabled"));
}

// Each expected number, or "_" for any.
void expectNumbers(Scenario& s, const Line& line, const std::string& subject,
                   const std::vector<const char*>& names, const std::vector<int>& seen) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        const Token& expected = line.args[i + 1];
        if (expected.raw != "_")
            s.expectNumber(line, std::string(names[i]) + " of " + subject, s.number(line, expected),
                           seen[i]);
    }
}

void place(Scenario& s, const Line& line) {
    const tk::ControlRef ref = s.ref(line, line.args[0]);
    HeadlessToolkit& ui = s.ui();
    expectNumbers(s, line, shown(s.text(line, line.args[0])), {"left", "top", "width", "height"},
                  {ui.left(ref), ui.top(ref), ui.width(ref), ui.height(ref)});
}

void client(Scenario& s, const Line& line) {
    const tk::WindowId window = s.windowRef(line, line.args[0]);
    expectNumbers(s, line, shown(s.text(line, line.args[0])), {"client width", "client height"},
                  {s.ui().clientWidth(window), s.ui().clientHeight(window)});
}

std::string joined(const std::vector<std::string>& parts) {
    std::string out = "[";
    for (std::size_t i = 0; i < parts.size(); ++i)
        out += (i ? ", " : "") + parts[i];
    return out + "]";
}

void items(Scenario& s, const Line& line) {
    const tk::ControlRef list = s.ref(line, line.args[0]);
    std::vector<std::string> expected, seen;
    for (std::size_t i = 1; i < line.args.size(); ++i)
        expected.push_back(shown(s.text(line, line.args[i])));
    for (int i = 0; i < s.ui().listCount(list); ++i)
        seen.push_back(shown(s.ui().listItemText(list, i)));
    if (expected != seen)
        s.fail(line,
               what(s, line, "items") + ": expected " + joined(expected) + ", saw " + joined(seen));
}

void values(Scenario& s, const Line& line) {
    const tk::ControlRef list = s.ref(line, line.args[0]);
    std::vector<std::string> expected, seen;
    for (std::size_t i = 1; i < line.args.size(); ++i)
        expected.push_back(std::to_string(s.number(line, line.args[i])));
    for (int i = 0; i < s.ui().listCount(list); ++i)
        seen.push_back(std::to_string(s.ui().listItemValue(list, i)));
    if (expected != seen)
        s.fail(line, what(s, line, "item values") + ": expected " + joined(expected) + ", saw " +
                         joined(seen));
}

void selection(Scenario& s, const Line& line) {
    s.expectNumber(line, what(s, line, "selection"), s.number(line, line.args[1]),
                   s.ui().listSelection(s.ref(line, line.args[0])));
}

void caret(Scenario& s, const Line& line) {
    const tk::ControlRef edit = s.ref(line, line.args[0]);
    s.expectNumber(line, what(s, line, "selection start"), s.number(line, line.args[1]),
                   s.ui().selectionStart(edit));
    const long long length = line.args.size() > 2 ? s.number(line, line.args[2]) : 0;
    s.expectNumber(line, what(s, line, "selection length"), length, s.ui().selectionLength(edit));
}

void tag(Scenario& s, const Line& line) {
    s.expectText(line, what(s, line, "tag"), s.text(line, line.args[1]),
                 s.ui().tag(s.ref(line, line.args[0])));
}

void link(Scenario& s, const Line& line) {
    s.expectText(line, what(s, line, "link target"), s.text(line, line.args[1]),
                 s.ui().linkTarget(s.ref(line, line.args[0])));
}

bool yesNo(Scenario& s, const Line& line, const Token& token) {
    if (token.raw != "yes" && token.raw != "no") s.abort(line, "expected yes or no");
    return token.raw == "yes";
}

void onTop(Scenario& s, const Line& line) {
    const bool expected = yesNo(s, line, line.args[1]);
    if (s.ui().alwaysOnTop(s.windowRef(line, line.args[0])) != expected)
        s.fail(line, shown(s.text(line, line.args[0])) + (expected ? " is not" : " is") +
                         " always on top");
}

void inputMode(Scenario& s, const Line& line) {
    s.expectNumber(line, what(s, line, "input mode"), s.number(line, line.args[1]),
                   s.ui().inputMode(s.ref(line, line.args[0])));
}

void tray(Scenario& s, const Line& line) {
    const auto tip = s.ui().trayTip(s.windowRef(line, line.args[0]));
    if (!tip) return s.fail(line, shown(s.text(line, line.args[0])) + " has no tray icon");
    s.expectText(line, "tray tip", s.text(line, line.args[1]), *tip);
}

// The caption had this text at some point after the one the last such check found.
void captionShown(Scenario& s, const Line& line) {
    const tk::WindowId window = s.windowRef(line, line.args[0]);
    const std::vector<std::string> history = s.ui().captionHistory(window);
    const std::string wanted = s.text(line, line.args[1]);
    std::size_t& checked = s.captionsChecked[window];
    for (std::size_t i = checked; i < history.size(); ++i) {
        if (history[i] != wanted) continue;
        checked = i + 1;
        return;
    }
    std::string seen;
    for (std::size_t i = checked; i < history.size(); ++i)
        seen += "\n  " + shown(history[i]);
    s.fail(line, "the caption was not " + shown(wanted) + " since the last check; it was:" + seen);
}

void noTray(Scenario& s, const Line& line) {
    const auto found = s.ui().findWindow(s.text(line, line.args[0]));
    if (found && s.ui().trayTip(*found))
        s.fail(line, shown(s.text(line, line.args[0])) + " has a tray icon");
}

const char* iconName(tk::MessageIcon icon) {
    switch (icon) {
    case tk::MessageIcon::Warning:
        return "warning";
    case tk::MessageIcon::Information:
        return "information";
    case tk::MessageIcon::Question:
        return "question";
    }
    return "?";
}

const char* buttonsName(tk::MessageButtons buttons) {
    switch (buttons) {
    case tk::MessageButtons::Ok:
        return "ok";
    case tk::MessageButtons::OkCancel:
        return "ok-cancel";
    case tk::MessageButtons::YesNo:
        return "yes-no";
    case tk::MessageButtons::YesNoCancel:
        return "yes-no-cancel";
    }
    return "?";
}

std::string describe(const ShownMessageBox& box) {
    return std::string(iconName(box.icon)) + " " + buttonsName(box.buttons) + " " + shown(box.text);
}

// The next message box not yet checked: its icon and buttons, and its text whole or in part.
template <bool Whole> void message(Scenario& s, const Line& line) {
    const auto& boxes = s.ui().messageBoxes();
    if (s.messagesChecked >= boxes.size())
        return s.fail(line, "no further message box was shown (" + std::to_string(boxes.size()) +
                                " in all)");
    const ShownMessageBox& box = boxes[s.messagesChecked++];
    const std::string text = s.text(line, line.args[2]);
    const bool kindMatches =
        line.args[0].raw == iconName(box.icon) && line.args[1].raw == buttonsName(box.buttons);
    const bool textMatches = Whole ? box.text == text : box.text.find(text) != std::string::npos;
    if (!kindMatches || !textMatches)
        s.fail(line, std::string("message box: expected ") + line.args[0].raw + " " +
                         line.args[1].raw + (Whole ? " " : " containing ") + shown(text) +
                         ", saw " + describe(box));
}

void neverShown(Scenario& s, const Line& line) {
    if (s.ui().everShown(s.text(line, line.args[0])))
        s.fail(line, shown(s.text(line, line.args[0])) + " was shown");
}

void noMessage(Scenario& s, const Line& line) {
    const auto& boxes = s.ui().messageBoxes();
    if (s.messagesChecked < boxes.size())
        s.fail(line, "a message box was shown: " + describe(boxes[s.messagesChecked]));
}

const char* dialogName(FileDialogKind kind) {
    switch (kind) {
    case FileDialogKind::Open:
        return "open";
    case FileDialogKind::Save:
        return "save";
    case FileDialogKind::MultiSelectOpen:
        return "multi";
    }
    return "?";
}

void fileDialog(Scenario& s, const Line& line) {
    const auto& dialogs = s.ui().fileDialogs();
    if (s.dialogsChecked >= dialogs.size()) return s.fail(line, "no further file dialog was shown");
    const ShownFileDialog& dialog = dialogs[s.dialogsChecked++];
    s.expectText(line, "file dialog kind", line.args[0].raw, dialogName(dialog.kind));
    s.expectText(line, "file dialog title", s.text(line, line.args[1]), dialog.request.title);
    if (line.args.size() % 2 != 0) s.abort(line, "after the title: filter|ext|name TEXT pairs");
    for (std::size_t i = 2; i + 1 < line.args.size(); i += 2) {
        const std::string& field = line.args[i].raw;
        const std::string expected = s.text(line, line.args[i + 1]);
        if (field == "filter")
            s.expectText(line, "file dialog filter", expected, dialog.request.filter);
        else if (field == "ext")
            s.expectText(line, "file dialog extension", expected, dialog.request.defaultExtension);
        else if (field == "name")
            s.expectText(line, "file dialog file name", expected, dialog.request.fileName);
        else
            s.abort(line, "a file dialog field is filter, ext or name");
    }
}

void noFileDialog(Scenario& s, const Line& line) {
    const auto& dialogs = s.ui().fileDialogs();
    if (s.dialogsChecked < dialogs.size())
        s.fail(line, "a file dialog was shown: " + shown(dialogs[s.dialogsChecked].request.title));
}

constexpr Verb kVerbs[] = {
    {"check text", 2, 2, text, "check text REF TEXT"},
    {"check text-contains", 2, 2, textHolds<contains>, "check text-contains REF TEXT"},
    {"check text-starts", 2, 2, textHolds<startsWith>, "check text-starts REF TEXT"},
    {"check text-ends", 2, 2, textHolds<endsWith>, "check text-ends REF TEXT"},
    {"check length", 2, 2, length, "check length REF BYTES"},
    {"check visible", 1, 1, visibility<true>, "check visible REF"},
    {"check hidden", 1, 1, visibility<false>, "check hidden REF"},
    {"check never-shown", 1, 1, neverShown, "check never-shown WINDOW"},
    {"check exists", 1, 1, existence<true>, "check exists REF"},
    {"check gone", 1, 1, existence<false>, "check gone REF"},
    {"check enabled", 1, 1, enabledState<true>, "check enabled WINDOW"},
    {"check disabled", 1, 1, enabledState<false>, "check disabled WINDOW"},
    {"check place", 5, 5, place, "check place REF LEFT TOP WIDTH HEIGHT (_ for any)"},
    {"check client", 3, 3, client, "check client WINDOW WIDTH HEIGHT (_ for any)"},
    {"check items", 1, -1, items, "check items LIST [TEXT...]"},
    {"check values", 1, -1, values, "check values LIST [NUMBER...]"},
    {"check selection", 2, 2, selection, "check selection LIST INDEX"},
    {"check caret", 2, 3, caret, "check caret EDIT START [LENGTH]"},
    {"check tag", 2, 2, tag, "check tag REF TEXT"},
    {"check link", 2, 2, link, "check link HYPERLINK TEXT"},
    {"check on-top", 2, 2, onTop, "check on-top WINDOW yes|no"},
    {"check input-mode", 2, 2, inputMode, "check input-mode EDIT NUMBER"},
    {"check caption-shown", 2, 2, captionShown, "check caption-shown WINDOW TEXT"},
    {"check tray", 2, 2, tray, "check tray WINDOW TIP"},
    {"check no-tray", 1, 1, noTray, "check no-tray WINDOW"},
    {"check message", 3, 3, message<true>, "check message ICON BUTTONS TEXT"},
    {"check message-contains", 3, 3, message<false>, "check message-contains ICON BUTTONS TEXT"},
    {"check no-message", 0, 0, noMessage, "check no-message"},
    {"check file-dialog", 2, 8, fileDialog,
     "check file-dialog open|save|multi TITLE [filter|ext|name TEXT]..."},
    {"check no-file-dialog", 0, 0, noFileDialog, "check no-file-dialog"},
};

} // namespace

std::span<const Verb> screenChecks() {
    return kVerbs;
}

} // namespace extdict::scenario
