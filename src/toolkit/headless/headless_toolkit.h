#pragma once
// A faithful toolkit without a screen. It keeps every window's and control's state as built
// from the form tables, raises events in the contract's order, and adds what tests need: a
// virtual clock, a scripted user, queued answers for message boxes and file dialogs, and
// scripted steps that the event loop and nested waits consume.
//
// Fixed geometry (96 DPI):
//  - every window has a frame of kFrameSide pixels left and right, a caption bar of
//    kFrameCaption pixels at the top and kFrameBottom pixels at the bottom, so the client
//    area is (width - 16) x (height - 39);
//  - a centred window is centred on a kScreenWidth x kScreenHeight screen;
//  - a minimised window measures kMinimisedWidth x kMinimisedHeight at kMinimisedPlace,
//    with an empty client area;
//  - sizes are never negative: a negative width or height is taken as 0.
//
// Visibility of a control is its own flag, whatever its window shows.
//
// Scripted steps run one at a time, in order: the event loop runs the next step when it is
// due, and so does every processEvents inside a handler, so a step can act or look while the
// program waits (a status message, a modal window, an HTTP read loop). Events that a step
// raises run inside it. When the program idles at the top level and the next step is due
// later, the clock jumps forward to it.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/headless/headless_records.h"
#include "toolkit/headless/headless_signals.h"
#include "toolkit/services.h"
#include "toolkit/toolkit.h"

namespace extdict {

struct HeadlessWindow;
struct HeadlessControl;
struct Place;

// When a scripted step becomes due.
struct StepTiming {
    std::uint64_t delay = 0;             // ms after the previous step started (or the start)
    std::optional<std::uint64_t> atTime; // virtual ms since the toolkit was made; overrides delay
    bool whenIdle = false;               // only from the top-level event loop, no handler running

    static StepTiming after(std::uint64_t ms) { return {ms, std::nullopt, false}; }
    static StepTiming at(std::uint64_t ms) { return {0, ms, false}; }
    static StepTiming idle() { return {0, std::nullopt, true}; }
};

class HeadlessToolkit final : public tk::Toolkit {
  public:
    static constexpr int kFrameSide = 8;
    static constexpr int kFrameCaption = 31;
    static constexpr int kFrameBottom = 8;
    static constexpr int kScreenWidth = 1920;
    static constexpr int kScreenHeight = 1080;
    static constexpr int kMinimisedWidth = 160;
    static constexpr int kMinimisedHeight = 28;
    static constexpr int kMinimisedPlace = -32000;
    // A nested wait that runs longer than this (virtual ms) after the last step, or this many
    // processEvents calls, with no step due, is a program waiting for a user who is done.
    static constexpr std::uint64_t kDefaultStallMilliseconds = 600000;
    static constexpr std::uint64_t kStallCalls = 1000000;

    // Hyperlinks open their targets through services.openWebAddress.
    explicit HeadlessToolkit(Services& services);
    ~HeadlessToolkit() override;
    HeadlessToolkit(const HeadlessToolkit&) = delete;
    HeadlessToolkit& operator=(const HeadlessToolkit&) = delete;

    // ---- tk::Toolkit ----
    tk::WindowId loadWindow(const tk::WindowForm& form, tk::Bindings bindings,
                            std::optional<tk::ControlRef> owner, bool dialogMode) override;
    void destroyWindow(tk::WindowId window) override;
    bool exists(tk::ControlRef ref) const override;
    tk::ControlId controlNamed(tk::WindowId window, std::string_view name) const override;

    std::string text(tk::ControlRef ref) const override;
    void setText(tk::ControlRef ref, std::string_view text) override;
    bool visible(tk::ControlRef ref) const override;
    void setVisible(tk::ControlRef ref, bool visible) override;
    std::string tag(tk::ControlRef ref) const override;
    void setTag(tk::ControlRef ref, std::string_view tag) override;
    std::string linkTarget(tk::ControlRef ref) const override;
    void setLinkTarget(tk::ControlRef ref, std::string_view target) override;
    bool alwaysOnTop(tk::WindowId window) const override;
    void setAlwaysOnTop(tk::WindowId window, bool onTop) override;

    int left(tk::ControlRef ref) const override;
    int top(tk::ControlRef ref) const override;
    int width(tk::ControlRef ref) const override;
    int height(tk::ControlRef ref) const override;
    void move(tk::ControlRef ref, std::optional<int> left, std::optional<int> top,
              std::optional<int> width, std::optional<int> height) override;
    int clientWidth(tk::WindowId window) const override;
    int clientHeight(tk::WindowId window) const override;
    bool hasIcon(tk::WindowId window) const override;

    void listClear(tk::ControlRef list) override;
    int listAdd(tk::ControlRef list, std::string_view text) override;
    int listCount(tk::ControlRef list) const override;
    std::string listItemText(tk::ControlRef list, int index) const override;
    int listItemValue(tk::ControlRef list, int index) const override;
    void setListItemValue(tk::ControlRef list, int index, int value) override;
    int listSelection(tk::ControlRef list) const override;
    void setListSelection(tk::ControlRef list, int index) override;

    void setSelectionStart(tk::ControlRef edit, int byteOffset) override;
    void selectAll(tk::ControlRef edit) override;
    void append(tk::ControlRef edit, std::string_view text) override;
    void setInputMode(tk::ControlRef edit, int mode) override;

    tk::Answer messageBox(std::string_view text, tk::MessageIcon icon,
                          tk::MessageButtons buttons) override;
    std::optional<std::string> fileDialog(const tk::FileDialogRequest& request) override;
    std::vector<std::string> multiSelectOpenDialog(std::string_view title,
                                                   std::string_view filter) override;

    void setTrayIcon(tk::WindowId window, std::string_view tip) override;
    void removeTrayIcon(tk::WindowId window) override;

    void processEvents() override;
    void sleep(int milliseconds) override;
    std::uint32_t uptime() const override;
    // Runs until no window is left, or until the script has nothing more to do.
    void runEventLoop() override;
    void setExitCleanup(std::function<void()> cleanup) override;
    // Runs the exit clean-up once, drops every window without a handler, then throws
    // HeadlessExit{code}.
    [[noreturn]] void exit(int code) override;

    // ---- Lookups (names are GBK form names) ----
    std::optional<tk::WindowId> findWindow(std::string_view formName) const;
    std::optional<tk::ControlRef> findControl(std::string_view windowName,
                                              std::string_view controlName) const;
    std::vector<tk::WindowId> windows() const; // in the order loaded

    // ---- State that the interface does not read ----
    bool enabled(tk::WindowId window) const; // false while a dialog-mode window disables it
    std::optional<std::string> trayTip(tk::WindowId window) const; // nothing: no tray icon
    int selectionStart(tk::ControlRef edit) const;                 // bytes
    int selectionLength(tk::ControlRef edit) const;                // bytes
    int inputMode(tk::ControlRef edit) const;
    // Every caption the window had, in order, its form's caption first; a caption set for
    // an instant and replaced within one handler is there too.
    std::vector<std::string> captionHistory(tk::WindowId window) const;
    // Whether a window of this form name was ever visible, also after it went.
    bool everShown(std::string_view formName) const;

    // ---- The scripted user ----
    // Each throws HeadlessScriptError when a person could not do it: the window is gone,
    // hidden, minimised or disabled, the control is hidden or of another kind.
    //
    // Types into an edit box, character by character: an ASCII character raises KeyDown with
    // its virtual-key code (Shift in the modifiers where the US layout needs it), is inserted
    // at the caret over the selection unless the key was swallowed, the box is read-only or
    // its user byte limit would be passed (TextChanged once per insertion), then KeyUp. CR LF,
    // CR or LF alone press Enter. A double-byte character is inserted without key events, as
    // an input method does.
    void typeText(tk::ControlRef edit, std::string_view text);
    // Replaces the whole text as the user's select-all and paste: cut to whole characters
    // within the user byte limit; TextChanged once.
    void pasteText(tk::ControlRef edit, std::string_view text);
    // KeyDown; unless swallowed: Backspace and Delete delete the selection or one character,
    // Enter in a multi-line box that wants it inserts CR LF, Left/Right/Home/End move the
    // caret, a character key without Ctrl or Alt inserts its character.
    void keyDown(tk::ControlRef edit, int key, int modifiers = 0);
    void keyUp(tk::ControlRef edit, int key, int modifiers = 0);
    void pressKey(tk::ControlRef edit, int key, int modifiers = 0); // down, then up
    // A button raises Clicked; a hyperlink is pressed (see pressLink).
    void click(tk::ControlRef ref);
    void rightRelease(tk::ControlRef button);
    void doubleClick(tk::ControlRef ref);
    // Selects an item as the user does (mouse or keyboard in the list): ItemSelected.
    void selectListItem(tk::ControlRef list, int index);
    // LinkPressed; unless the handler returns false, a non-empty target is opened through
    // Services::openWebAddress.
    void pressLink(tk::ControlRef link);
    // Alt + letter: clicks the button (or presses the hyperlink) whose caption marks the
    // letter with "&"; nothing when no control marks it.
    void pressAccelerator(tk::WindowId window, char letter);
    // The close box: CanBeClosed, then the window is destroyed unless the handler refused.
    void closeWindow(tk::WindowId window);
    // The user drags the frame: new outer size, SizeChanged.
    void resizeWindow(tk::WindowId window, int width, int height);
    void moveWindow(tk::WindowId window, int left, int top);
    // Minimise: PositionChanged and SizeChanged with the minimised size; restore: both again
    // with the size and place from before.
    void minimiseWindow(tk::WindowId window);
    void restoreWindow(tk::WindowId window);
    // A tray event of kind 1, 2 or 3 on the window's tray icon.
    void trayEvent(tk::WindowId window, int trayKind);
    void trayDoubleClick(tk::WindowId window); // delivers 1, 2, 1

    // ---- Dialog answers and what was shown ----
    void queueAnswer(tk::Answer answer);
    void queueCloseAnswer(); // Esc or the close box
    void queueFileChoice(FileChoice choice);
    std::size_t queuedAnswers() const { return answers_.size(); }
    std::size_t queuedFileChoices() const { return fileChoices_.size(); }
    const std::vector<ShownMessageBox>& messageBoxes() const { return messageBoxes_; }
    const std::vector<ShownFileDialog>& fileDialogs() const { return fileDialogs_; }

    // ---- Scripted steps ----
    void addStep(std::function<void()> action, StepTiming timing = {});
    std::size_t pendingSteps() const { return steps_.size(); }
    // Limit after which a nested wait with nothing due is a stall (HeadlessScriptError).
    void setStallLimit(std::uint64_t milliseconds) { stallMilliseconds_ = milliseconds; }

    // ---- The clock ----
    std::uint64_t elapsed() const { return now_; } // virtual ms since the toolkit was made
    void setUptimeStart(std::uint32_t uptime) { uptimeStart_ = uptime; }
    void advanceClock(std::uint64_t milliseconds) { now_ += milliseconds; }

    // ---- The end ----
    bool hasExited() const { return exitCode_.has_value(); }
    std::optional<int> exitCode() const { return exitCode_; }

  private:
    struct Step {
        std::function<void()> action;
        StepTiming timing;
    };
    struct PendingAnswer {
        std::optional<tk::Answer> answer; // nothing: closed
    };

    HeadlessWindow* window(tk::WindowId id);
    const HeadlessWindow* window(tk::WindowId id) const;
    HeadlessControl* control(tk::ControlRef ref);
    const HeadlessControl* control(tk::ControlRef ref) const;
    HeadlessControl* controlOfKind(tk::ControlRef ref, tk::ControlKind kind);
    const HeadlessControl* controlOfKind(tk::ControlRef ref, tk::ControlKind kind) const;

    Place placeOf(tk::ControlRef ref) const;
    bool raise(const tk::Event& event);
    bool raise(tk::EventKind kind, tk::ControlRef source);
    void raiseWhileExists(tk::EventKind kind, tk::WindowId window);
    void raiseGeometryChanges(tk::WindowId window, bool placeChanged, bool sizeChanged);
    void disableOthers(tk::WindowId dialog);
    void destroyNow(tk::WindowId window);
    void runPendingDestroys();
    void setEditText(tk::ControlRef ref, std::string text, int caret);

    std::uint64_t dueTime(const Step& step) const;
    bool stepDue(const Step& step, bool topLevel) const;
    void runStep();
    void checkStall();

    HeadlessControl& reachableControl(tk::ControlRef ref, const char* action);
    HeadlessControl& reachableControl(tk::ControlRef ref, tk::ControlKind kind, const char* action);
    HeadlessWindow& reachableWindow(tk::WindowId id, const char* action);
    void requireTrayIcon(tk::WindowId id);
    void userInsert(tk::ControlRef ref, std::string_view text);
    void userDelete(tk::ControlRef ref, bool forward);
    void moveCaret(tk::ControlRef ref, int key);
    void applyKeyDefault(tk::ControlRef ref, int key, int modifiers);
    void keyStroke(tk::ControlRef ref, int key, int modifiers, std::string_view character);
    tk::Answer takeAnswer(ShownMessageBox& shown);
    std::optional<FileChoice> takeFileChoice(ShownFileDialog& shown);

    Services& services_;
    std::map<tk::WindowId, std::unique_ptr<HeadlessWindow>> windows_;
    tk::WindowId nextWindowId_ = 1;
    std::vector<tk::WindowId> pendingDestroys_;
    std::vector<std::string> everShown_;

    std::deque<PendingAnswer> answers_;
    std::deque<FileChoice> fileChoices_;
    std::vector<ShownMessageBox> messageBoxes_;
    std::vector<ShownFileDialog> fileDialogs_;

    std::deque<Step> steps_;
    std::uint64_t lastStepStart_ = 0;
    std::uint64_t callsWithoutStep_ = 0;
    std::uint64_t stallMilliseconds_ = kDefaultStallMilliseconds;
    int handlerDepth_ = 0;

    std::uint64_t now_ = 0;
    std::uint32_t uptimeStart_ = 0;

    std::function<void()> exitCleanup_;
    std::optional<int> exitCode_;
};

} // namespace extdict
