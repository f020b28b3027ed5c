#pragma once
// The toolkit on real Win32 windows and controls, built from the same form tables as every
// other backend. Texts cross into the W API as UTF-16 converted with code page 936.

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>

#include "toolkit/toolkit.h"
#include "toolkit/win32/ui_records.h"

namespace extdict::win32 {

class Win32Toolkit final : public tk::Toolkit {
public:
    explicit Win32Toolkit(HINSTANCE instance);
    ~Win32Toolkit() override;
    Win32Toolkit(const Win32Toolkit&) = delete;
    Win32Toolkit& operator=(const Win32Toolkit&) = delete;

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
    void runEventLoop() override;
    void setExitCleanup(std::function<void()> cleanup) override;
    [[noreturn]] void exit(int code) override;

    // Runs the exit clean-up once; the program's natural end calls it after the event loop.
    void runExitCleanup();

    // The real handle behind a window or control (null for a file dialog or a stale
    // reference), and the reverse: what a driver of the real controls needs.
    HWND handleOf(tk::ControlRef ref) const;
    std::optional<tk::ControlRef> refOf(HWND hwnd) const;
    // Runs one message as the event loop would (tab order, mnemonics, dialog keys).
    void dispatch(MSG& message);

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK linkProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK controlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR subclassId, DWORD_PTR toolkit);

    void registerClasses();
    WindowRecord* findWindow(tk::WindowId id) const;
    WindowRecord* windowOf(HWND hwnd) const;
    ControlRecord* findControl(tk::ControlRef ref) const;
    HWND programOwnerWindow() const;
    std::vector<HWND> enabledProgramWindows(HWND except) const;

    // Building a window (toolkit_build.cpp).
    HWND createFrame(WindowRecord& window, HWND owner);
    void createControls(WindowRecord& window);
    void stackControls(WindowRecord& window);
    void computeTabOrder(WindowRecord& window);
    void applyFonts(WindowRecord& window);
    void loadIcons(WindowRecord& window);
    void placeAtStart(WindowRecord& window);
    void disableOthersFor(WindowRecord& window);
    void showLoaded(tk::WindowId id);

    // Events (toolkit_events.cpp).
    bool raise(tk::ControlRef source, tk::EventKind kind, int key = 0, int modifiers = 0,
               int trayKind = 0);
    LRESULT onFrameMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void onNotification(HWND control, WORD code);
    LRESULT onControlColour(HWND control, HDC dc, UINT message);
    void raiseGeometryChanges(WindowRecord& window);
    void closeWindowNow(tk::WindowId id);
    void forgetWindow(HWND hwnd);
    void onActivate(WindowRecord& window, WPARAM state);
    void onDpiChanged(WindowRecord& window, UINT dpi, const RECT& suggested);

    // Edit boxes, buttons and links (toolkit_input.cpp).
    LRESULT onControlMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onEditMessage(tk::ControlRef ref, HWND hwnd, UINT message, WPARAM wParam,
                          LPARAM lParam);
    bool keyAllowed(tk::ControlRef ref, HWND hwnd, WPARAM virtualKey);
    bool charFitsLimit(ControlRecord& edit, wchar_t character);
    void pasteWithinLimit(ControlRecord& edit);
    bool acceptUserChange(ControlRecord& edit);
    void pressLink(tk::ControlRef ref);
    LRESULT onLinkMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // The message loop's keyboard interface (toolkit_loop.cpp).
    bool preTranslate(const MSG& message);
    bool moveFocusByTab(HWND from, bool backwards);
    bool pressLinkByMnemonic(HWND from, wchar_t letter);

    void setEditText(ControlRecord& edit, tk::ControlRef ref, std::string_view text);
    void showTrayIcon(WindowRecord& window, DWORD operation);

    HINSTANCE instance_;
    std::wstring fontFace_;
    UINT taskbarCreatedMessage_ = 0;
    std::map<tk::WindowId, std::unique_ptr<WindowRecord>> windows_;
    std::unordered_map<HWND, tk::ControlRef> refs_;
    tk::WindowId nextWindowId_ = 1;
    HWND swallowCharOf_ = nullptr;   // a consumed key's character is dropped for this control
    bool exiting_ = false;
    std::function<void()> exitCleanup_;
};

} // namespace extdict::win32
