#pragma once
// Plays a user on the real Win32 controls by posting the messages that real input would
// bring (keys, characters, button and list notifications, closing, tray clicks) and runs
// them through the toolkit's own message loop. Test builds and the scenario player use it;
// what it cannot play is said in docs/windows.md.

#include <windows.h>

#include <deque>
#include <string>
#include <variant>
#include <vector>

#include "toolkit/win32/win32_toolkit.h"

namespace extdict::win32 {

class UserDriver {
public:
    explicit UserDriver(Win32Toolkit& toolkit) : toolkit_(toolkit) {}

    // Types GBK text: ASCII goes as key presses (KeyDown, character, KeyUp), anything else
    // as characters only, as an input method delivers them.
    void type(tk::ControlRef edit, std::string_view text);
    // Presses and releases one virtual key with modifier bits held (1 Ctrl, 2 Shift, 4 Alt).
    void pressKey(tk::ControlRef control, int virtualKey, int modifiers = 0);
    void click(tk::ControlRef button);
    void rightClick(tk::ControlRef control);
    void doubleClick(tk::ControlRef control);
    void pressLink(tk::ControlRef link);
    // Selects an item as a click on it would: the list box's own selection notification.
    void selectListItem(tk::ControlRef list, int index);
    // The user's close (close box, Alt+F4): the window may refuse it.
    void closeWindow(tk::WindowId window);
    void trayEvent(tk::WindowId window, int trayKind);

private:
    void post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    Win32Toolkit& toolkit_;
};

struct PressButton {
    tk::Answer answer;  // Cancel also stands for closing the box
};
struct ChooseFiles {
    std::vector<std::string> names;  // GBK; none cancels the dialog
};
using DialogAnswer = std::variant<PressButton, ChooseFiles>;

// Answers the program's message boxes and file dialogs, in the order they appear, from a
// queue, and records what each message box said. One at a time per thread.
class DialogAnswerer {
public:
    DialogAnswerer();
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    void queue(DialogAnswer answer) { answers_.push_back(std::move(answer)); }
    std::size_t pending() const { return answers_.size(); }
    // Texts of the message boxes seen so far (GBK), with their titles: "title|text".
    const std::vector<std::string>& seen() const { return seen_; }

private:
    static LRESULT CALLBACK hookProc(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK timerProc(HWND, UINT, UINT_PTR timer, DWORD);
    void answer(HWND dialog);

    HHOOK hook_ = nullptr;
    HWND waiting_ = nullptr;  // a dialog seen, answered once its modal loop runs
    std::vector<std::string> namesInFolder_;  // second step of choosing several files
    std::deque<DialogAnswer> answers_;
    std::vector<std::string> seen_;
};

} // namespace extdict::win32
