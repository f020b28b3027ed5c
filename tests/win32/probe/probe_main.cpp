// A small program on the real Win32 toolkit for the end-to-end tests under Wine: it shows a
// window with every kind of control, fills it with Chinese text, and writes each event it
// receives, and where each control is on the screen, to a log file (UTF-8, one per line).
// Usage: toolkit_probe.exe LOGFILE
#include <windows.h>

#include <cstdio>

#include "probe_form.h"
#include "text/encoding.h"
#include "toolkit/win32/win32_toolkit.h"

using namespace extdict;
using namespace extdict::tk;

namespace {

// Line breaks of a logged text become "\n", so that every event is one line of the log.
std::string oneLine(std::string text) {
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
        text.replace(at, 2, "\\n");
    }
    return text;
}

class Probe {
public:
    Probe(HINSTANCE instance, FILE* log) : ui_(instance), log_(log) {}

    int run() {
        window_ = ui_.loadWindow(probe::form(), probe::bindings([this](const std::string& name, const Event& e) {
                                     return onEvent(name, e);
                                 }),
                                 std::nullopt, false);
        writePlaces();
        line("shown");
        ui_.runEventLoop();
        line("loop ended");
        return 0;
    }

private:
    bool onEvent(const std::string& name, const Event& e) {
        ControlRef source = e.source;
        std::string text = probe::describe(e) + " " + utf8FromGbk(name);
        if (e.kind == EventKind::TextChanged) text += " [" + oneLine(utf8FromGbk(ui_.text(source))) + "]";
        line(text);
        switch (e.kind) {
        case EventKind::Created:
            fill(e.source.window);
            return true;
        case EventKind::KeyDown:
            return e.key != 'X';  // the extension box refuses X
        case EventKind::Clicked:
            ui_.setText({source.window, ui_.controlNamed(source.window, gbk("标签1"))},
                        gbk("简单解释：") + ui_.text(source));
            return true;
        case EventKind::Tray:
            if (e.trayKind == 3) ui_.exit(0);
            return true;
        case EventKind::LinkPressed:
            return false;
        default:
            return true;
        }
    }

    void fill(WindowId w) {
        const ControlRef note{w, ui_.controlNamed(w, gbk("编辑框注释"))};
        ui_.setText(note, gbk("中文显示测试：这是一款操作简单的扩展名查询和自我编辑工具。\r\n第二行：◎您可以在上面的小编辑框中输入要查询的扩展名。"));
        const ControlRef list{w, ui_.controlNamed(w, gbk("列表框"))};
        for (const char* item : {"txt", "文本", "bmp"}) ui_.listAdd(list, gbk(item));
        ui_.setTrayIcon(w, gbk("Vornel扩展名助手 - 查询和管理扩展名的好工具"));
    }

    void writePlaces() {
        for (const char* name : {"编辑框扩展名", "编辑框注释", "按钮添加", "按钮修改", "超级链接框网页版百科", "列表框"}) {
            const HWND hwnd = ui_.handleOf({window_, ui_.controlNamed(window_, gbk(name))});
            RECT r{};
            GetWindowRect(hwnd, &r);
            line("place " + std::string(name) + " " + std::to_string((r.left + r.right) / 2) + " " +
                 std::to_string((r.top + r.bottom) / 2));
        }
    }

    void line(const std::string& text) {
        std::fprintf(log_, "%lu %s\n", GetTickCount(), text.c_str());
        std::fflush(log_);
    }

    win32::Win32Toolkit ui_;
    FILE* log_;
    WindowId window_ = 0;
};

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    FILE* log = count > 1 ? _wfopen(arguments[1], L"wb") : stdout;
    if (!log) return 2;
    Probe probe(instance, log);
    const int code = probe.run();
    std::fclose(log);
    return code;
}
