#include "probe_form.h"

#include "text/encoding.h"

using namespace extdict;
using namespace extdict::tk;

namespace probe {
namespace {

ControlForm control(const char* name, ControlKind kind, int left, int top, int width, int height,
                    const char* text = "", ControlStyle style = {}) {
    return ControlForm{gbk(name), kind, left, top, width, height, gbk(text), style, "", "", ""};
}

constexpr EventKind kAllEvents[] = {
    EventKind::Created,     EventKind::PositionChanged, EventKind::SizeChanged,
    EventKind::CanBeClosed, EventKind::WillBeDestroyed, EventKind::Tray,
    EventKind::TextChanged, EventKind::KeyDown,         EventKind::KeyUp,
    EventKind::DoubleClicked, EventKind::ItemSelected,  EventKind::Clicked,
    EventKind::RightReleased, EventKind::LinkPressed};

constexpr const char* kEventNames[] = {
    "Created", "PositionChanged", "SizeChanged", "CanBeClosed", "WillBeDestroyed",
    "Tray", "TextChanged", "KeyDown", "KeyUp", "DoubleClicked", "ItemSelected",
    "Clicked", "RightReleased", "LinkPressed"};

} // namespace

WindowForm form() {
    ControlStyle note;
    note.multiLine = note.wantReturn = note.verticalScrollBar = note.autoVerticalScroll = true;
    note.sunkenBorder = true;
    note.userByteLimit = 512;
    ControlStyle extension;
    extension.autoHorizontalScroll = true;
    extension.hideSelection = false;
    extension.textColour = 0x0000FF;
    extension.sunkenBorder = true;
    ControlStyle hidden;
    hidden.visible = false;

    WindowForm window;
    window.name = "MainWindow";
    window.caption = gbk("Vornel扩展名助手(Tarnix) 1.0 - 开发：Brannoc");
    window.left = window.top = 50;
    window.width = 548;
    window.height = 343;
    window.centred = true;
    window.hasIcon = true;
    window.controls = {
        control("按钮1", ControlKind::Button, 470, 40, 64, 24, "记录总数"),
        control("列表框", ControlKind::ListBox, 8, 32, 88, 168, "", hidden),
        control("超级链接框网页版百科", ControlKind::Hyperlink, 107, 40, 160, 24, "查看网页版百科知识(&W)..."),
        control("按钮百科", ControlKind::Button, 8, 40, 88, 24, "百科知识(&B)"),
        control("按钮清空", ControlKind::Button, 470, 8, 64, 24, "清空(&Q)"),
        control("按钮导出", ControlKind::Button, 398, 8, 64, 24, "导出(&C)"),
        control("按钮导入", ControlKind::Button, 326, 8, 64, 24, "导入(&R)"),
        control("按钮删除", ControlKind::Button, 254, 8, 64, 24, "删除(&S)"),
        control("按钮修改", ControlKind::Button, 182, 8, 64, 24, "修改(&X)"),
        control("编辑框注释", ControlKind::EditBox, 8, 72, 528, 232, "", note),
        control("按钮添加", ControlKind::Button, 110, 8, 64, 24, "添加(&T)"),
        control("编辑框扩展名", ControlKind::EditBox, 8, 8, 88, 24, "", extension),
        control("标签1", ControlKind::Label, 288, 40, 184, 24, "简单解释："),
    };
    return window;
}

Bindings bindings(const Listener& listener) {
    Bindings all;
    std::vector<std::string> names{""};
    for (const auto& c : form().controls) names.push_back(c.name);
    for (const auto& name : names) {
        for (const auto kind : kAllEvents) {
            all.push_back({name, kind, [listener, name](const Event& e) { return listener(name, e); }});
        }
    }
    return all;
}

std::string describe(const Event& event) {
    std::string text = kEventNames[static_cast<int>(event.kind)];
    if (event.kind == EventKind::KeyDown || event.kind == EventKind::KeyUp) {
        text.append(" ").append(std::to_string(event.key)).append("/").append(std::to_string(event.modifiers));
    }
    if (event.kind == EventKind::Tray) text.append(" ").append(std::to_string(event.trayKind));
    return text;
}

} // namespace probe
