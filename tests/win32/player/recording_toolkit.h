#pragma once
// The real Win32 toolkit as the program sees it, with what a scenario needs to watch
// added around it: the windows by form name, every caption shown, the message boxes and
// file dialogs asked for (answered through the DialogAnswerer just before they open), the
// tray tips and the exit code, and how deep the program is inside its own waits.

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "toolkit/win32/user_driver.h"
#include "toolkit/win32/win32_toolkit.h"

namespace extdict::player {

struct MessageBoxSeen {
    std::string text;
    tk::MessageIcon icon;
    tk::MessageButtons buttons;
};

enum class DialogKind { Open, Save, Multi };

struct FileDialogSeen {
    DialogKind kind;
    tk::FileDialogRequest request;
};

// An answer the script queued: a button, or nothing for the close box.
using QueuedAnswer = std::optional<tk::Answer>;
// A file choice the script queued: the paths, none to cancel.
using QueuedChoice = std::vector<std::string>;

class RecordingToolkit final : public tk::Toolkit {
public:
    explicit RecordingToolkit(win32::Win32Toolkit& real);

    // ---- What the player adds ----
    win32::Win32Toolkit& real() { return real_; }
    std::optional<tk::WindowId> findWindow(const std::string& formName) const;
    std::vector<tk::WindowId> windows() const;
    bool everShown(const std::string& formName) const { return shownForms_.count(formName) > 0; }
    const std::vector<std::string>& captionHistory(tk::WindowId window) { return captions_[window]; }
    const std::vector<MessageBoxSeen>& messageBoxes() const { return boxes_; }
    const std::vector<FileDialogSeen>& fileDialogs() const { return dialogs_; }
    std::optional<std::string> trayTip(tk::WindowId window) const;
    std::optional<int> exitCode() const { return exitCode_; }
    bool running() const { return !exitCode_; }
    // Frames of the program's own waits (processEvents, sleep, dialogs) now running.
    int waitDepth() const { return waitDepth_; }
    int dialogDepth() const { return dialogDepth_; }

    std::deque<QueuedAnswer> answers;
    std::deque<QueuedChoice> fileChoices;
    // Problems met while answering (a box with a choice but no answer queued, ...).
    std::vector<std::string> answerProblems;
    // Runs at the program's end, after its own clean-up; must not return.
    std::function<void()> afterExit;
    // Called with the reason when the program asks for something the player cannot play;
    // must not return.
    std::function<void(const std::string&)> unplayable;

    // ---- The toolkit ----
    tk::WindowId loadWindow(const tk::WindowForm& form, tk::Bindings bindings,
                            std::optional<tk::ControlRef> owner, bool dialogMode) override;
    void destroyWindow(tk::WindowId window) override { real_.destroyWindow(window); }
    bool exists(tk::ControlRef ref) const override { return real_.exists(ref); }
    tk::ControlId controlNamed(tk::WindowId window, std::string_view name) const override {
        return real_.controlNamed(window, name);
    }
    std::string text(tk::ControlRef ref) const override { return real_.text(ref); }
    void setText(tk::ControlRef ref, std::string_view text) override;
    bool visible(tk::ControlRef ref) const override { return real_.visible(ref); }
    void setVisible(tk::ControlRef ref, bool visible) override;
    std::string tag(tk::ControlRef ref) const override { return real_.tag(ref); }
    void setTag(tk::ControlRef ref, std::string_view tag) override { real_.setTag(ref, tag); }
    std::string linkTarget(tk::ControlRef ref) const override { return real_.linkTarget(ref); }
    void setLinkTarget(tk::ControlRef ref, std::string_view target) override {
        real_.setLinkTarget(ref, target);
    }
    bool alwaysOnTop(tk::WindowId window) const override { return real_.alwaysOnTop(window); }
    void setAlwaysOnTop(tk::WindowId window, bool onTop) override {
        real_.setAlwaysOnTop(window, onTop);
    }
    int left(tk::ControlRef ref) const override { return real_.left(ref); }
    int top(tk::ControlRef ref) const override { return real_.top(ref); }
    int width(tk::ControlRef ref) const override { return real_.width(ref); }
    int height(tk::ControlRef ref) const override { return real_.height(ref); }
    void move(tk::ControlRef ref, std::optional<int> left, std::optional<int> top,
              std::optional<int> width, std::optional<int> height) override {
        real_.move(ref, left, top, width, height);
    }
    int clientWidth(tk::WindowId window) const override { return real_.clientWidth(window); }
    int clientHeight(tk::WindowId window) const override { return real_.clientHeight(window); }
    bool hasIcon(tk::WindowId window) const override { return real_.hasIcon(window); }
    void listClear(tk::ControlRef list) override { real_.listClear(list); }
    int listAdd(tk::ControlRef list, std::string_view text) override {
        return real_.listAdd(list, text);
    }
    int listCount(tk::ControlRef list) const override { return real_.listCount(list); }
    std::string listItemText(tk::ControlRef list, int index) const override {
        return real_.listItemText(list, index);
    }
    int listItemValue(tk::ControlRef list, int index) const override {
        return real_.listItemValue(list, index);
    }
    void setListItemValue(tk::ControlRef list, int index, int value) override {
        real_.setListItemValue(list, index, value);
    }
    int listSelection(tk::ControlRef list) const override { return real_.listSelection(list); }
    void setListSelection(tk::ControlRef list, int index) override {
        real_.setListSelection(list, index);
    }
    void setSelectionStart(tk::ControlRef edit, int byteOffset) override {
        real_.setSelectionStart(edit, byteOffset);
    }
    void selectAll(tk::ControlRef edit) override { real_.selectAll(edit); }
    void append(tk::ControlRef edit, std::string_view text) override { real_.append(edit, text); }
    void setInputMode(tk::ControlRef edit, int mode) override { real_.setInputMode(edit, mode); }

    tk::Answer messageBox(std::string_view text, tk::MessageIcon icon,
                          tk::MessageButtons buttons) override;
    std::optional<std::string> fileDialog(const tk::FileDialogRequest& request) override;
    std::vector<std::string> multiSelectOpenDialog(std::string_view title,
                                                   std::string_view filter) override;

    void setTrayIcon(tk::WindowId window, std::string_view tip) override;
    void removeTrayIcon(tk::WindowId window) override;

    void processEvents() override;
    void sleep(int milliseconds) override;
    std::uint32_t uptime() const override { return real_.uptime(); }
    void runEventLoop() override { real_.runEventLoop(); }
    void setExitCleanup(std::function<void()> cleanup) override;
    [[noreturn]] void exit(int code) override;

private:
    class Frame;
    void queueFileAnswer(DialogKind kind);
    void noteShown(tk::WindowId window);

    win32::Win32Toolkit& real_;
    win32::DialogAnswerer answerer_;
    std::map<tk::WindowId, std::string> formNames_;
    std::set<std::string> shownForms_;
    std::map<tk::WindowId, std::vector<std::string>> captions_;
    std::map<tk::WindowId, std::string> trayTips_;
    std::vector<MessageBoxSeen> boxes_;
    std::vector<FileDialogSeen> dialogs_;
    std::optional<int> exitCode_;
    int waitDepth_ = 0;
    int dialogDepth_ = 0;
};

} // namespace extdict::player
