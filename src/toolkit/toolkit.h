#pragma once
// What the program needs of its window toolkit. All texts are GBK. One thread; an
// operation returns after the events that it raised have run. Contract kept by every
// backend:
//  - setting an edit box's text raises its TextChanged exactly once, before returning,
//    even when the text does not change;
//  - ItemSelected comes only from the user, never from setListSelection;
//  - processEvents, sleep and modal waits run pending events, so handlers nest;
//  - exit never returns to its caller;
//  - message boxes are modal for the whole program and titled "信息："; closing one is Cancel;
//  - uptime is 32-bit milliseconds and wraps.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/events.h"
#include "toolkit/form.h"

namespace extdict::tk {

enum class MessageIcon { Warning, Information, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

enum class FileDialogMode { Open, Save };

struct FileDialogRequest {
    FileDialogMode mode = FileDialogMode::Open;
    std::string title;
    std::string filter;            // "description|pattern|" pairs
    std::string defaultExtension;
    std::string fileName;
};

class Toolkit {
public:
    virtual ~Toolkit() = default;

    // Windows. loadWindow creates the window and its controls hidden, raises Created,
    // PositionChanged and SizeChanged (each only while the window exists), then shows it if
    // its form says so. Dialog mode disables the program's other windows while it exists.
    virtual WindowId loadWindow(const WindowForm& form, Bindings bindings,
                                std::optional<ControlRef> owner, bool dialogMode) = 0;
    // The window goes when events are next processed; raises WillBeDestroyed, not CanBeClosed.
    virtual void destroyWindow(WindowId window) = 0;
    virtual bool exists(ControlRef ref) const = 0;
    // The control of a loaded window by its form name; kWindowItself when there is none.
    virtual ControlId controlNamed(WindowId window, std::string_view name) const = 0;

    // Text: an edit box's content; the caption of a window, label, button or hyperlink.
    virtual std::string text(ControlRef ref) const = 0;
    virtual void setText(ControlRef ref, std::string_view text) = 0;

    virtual bool visible(ControlRef ref) const = 0;
    virtual void setVisible(ControlRef ref, bool visible) = 0;
    virtual std::string tag(ControlRef ref) const = 0;
    virtual void setTag(ControlRef ref, std::string_view tag) = 0;
    virtual std::string linkTarget(ControlRef ref) const = 0;
    virtual void setLinkTarget(ControlRef ref, std::string_view target) = 0;
    virtual bool alwaysOnTop(WindowId window) const = 0;
    virtual void setAlwaysOnTop(WindowId window, bool onTop) = 0;

    // Places in pixels; a window's size includes its frame, a control's place is relative
    // to its parent. move keeps every omitted value.
    virtual int left(ControlRef ref) const = 0;
    virtual int top(ControlRef ref) const = 0;
    virtual int width(ControlRef ref) const = 0;
    virtual int height(ControlRef ref) const = 0;
    virtual void move(ControlRef ref, std::optional<int> left, std::optional<int> top,
                      std::optional<int> width, std::optional<int> height) = 0;
    virtual int clientWidth(WindowId window) const = 0;
    virtual int clientHeight(WindowId window) const = 0;
    virtual bool hasIcon(WindowId window) const = 0;

    // List box. listAdd appends and gives the index from 0. Outside the list: text empty,
    // value -1. Selection -1 is none; setting it above the last item selects the last,
    // below 0 none.
    virtual void listClear(ControlRef list) = 0;
    virtual int listAdd(ControlRef list, std::string_view text) = 0;
    virtual int listCount(ControlRef list) const = 0;
    virtual std::string listItemText(ControlRef list, int index) const = 0;
    virtual int listItemValue(ControlRef list, int index) const = 0;
    virtual void setListItemValue(ControlRef list, int index, int value) = 0;
    virtual int listSelection(ControlRef list) const = 0;
    virtual void setListSelection(ControlRef list, int index) = 0;

    // Edit box.
    virtual void setSelectionStart(ControlRef edit, int byteOffset) = 0;
    virtual void selectAll(ControlRef edit) = 0;
    virtual void append(ControlRef edit, std::string_view text) = 0;
    virtual void setInputMode(ControlRef edit, int mode) = 0;

    virtual Answer messageBox(std::string_view text, MessageIcon icon, MessageButtons buttons) = 0;
    // The file name chosen, or nothing when cancelled.
    virtual std::optional<std::string> fileDialog(const FileDialogRequest& request) = 0;
    // The full paths chosen, none when cancelled. Files must exist; no read-only box.
    virtual std::vector<std::string> multiSelectOpenDialog(std::string_view title,
                                                           std::string_view filter) = 0;

    // Adds or replaces the tray icon (the window's own icon); an empty tip still shows it.
    // The tip is cut to 62 bytes. The icon goes with the window.
    virtual void setTrayIcon(WindowId window, std::string_view tip) = 0;
    virtual void removeTrayIcon(WindowId window) = 0;

    virtual void processEvents() = 0;
    virtual void sleep(int milliseconds) = 0;  // below 0 sleeps 0; events wait for processEvents
    virtual std::uint32_t uptime() const = 0;

    // Runs events until no window of the program is left.
    virtual void runEventLoop() = 0;
    // Runs at exit, however the program ends.
    virtual void setExitCleanup(std::function<void()> cleanup) = 0;
    // Never returns: no handler runs any more, the exit clean-up runs, the process ends.
    [[noreturn]] virtual void exit(int code) = 0;
};

// Tip texts are cut to whole characters within this many bytes.
constexpr std::size_t kTrayTipBytes = 62;

} // namespace extdict::tk
