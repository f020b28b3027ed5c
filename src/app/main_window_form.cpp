#include "app/main_window_form.h"

#include "app/texts.h"
#include "text/encoding.h"

namespace extdict {
namespace {

using tk::ControlKind;

tk::ControlForm button(const char* name, int left, int top, const char* caption) {
    return {gbk(name), ControlKind::Button, left, top, 64, 24, gbk(caption), {}, {}, {}, {}};
}

tk::ControlStyle noteBoxStyle() {
    tk::ControlStyle style;
    style.multiLine = true;
    style.wantReturn = true;
    style.verticalScrollBar = true;
    style.autoVerticalScroll = true;
    style.userByteLimit = 512;
    style.sunkenBorder = true;
    return style;
}

tk::ControlStyle extensionBoxStyle() {
    tk::ControlStyle style;
    style.autoHorizontalScroll = true;
    style.hideSelection = false;
    style.textColour = 0x0000FF;
    style.sunkenBorder = true;
    return style;
}

tk::ControlStyle hiddenListStyle() {
    tk::ControlStyle style;
    style.visible = false;
    return style;
}

tk::WindowForm buildForm() {
    tk::WindowForm form;
    form.name = gbk("MainWindow");
    form.caption = texts::mainCaption();
    form.left = 50;
    form.top = 50;
    form.width = 548;
    form.height = 343;
    form.centred = true;
    form.hasIcon = true;
    // Stacking order, the first on top.
    form.controls = {
        {gbk("按钮1"), ControlKind::Button, 470, 40, 64, 24, gbk("记录总数"), {}, {}, {}, {}},
        {gbk("列表框"), ControlKind::ListBox, 8, 32, 88, 168, {}, hiddenListStyle(), {}, {}, {}},
        {gbk("超级链接框网页版百科"), ControlKind::Hyperlink, 107, 40, 160, 24,
         gbk("查看网页版百科知识(&W)..."), {}, {}, {}, {}},
        {gbk("按钮百科"), ControlKind::Button, 8, 40, 88, 24, gbk("百科知识(&B)"), {}, {}, {}, {}},
        button("按钮清空", 470, 8, "清空(&Q)"),
        button("按钮导出", 398, 8, "导出(&C)"),
        button("按钮导入", 326, 8, "导入(&R)"),
        button("按钮删除", 254, 8, "删除(&S)"),
        button("按钮修改", 182, 8, "修改(&X)"),
        {gbk("编辑框注释"), ControlKind::EditBox, 8, 72, 528, 232, {}, noteBoxStyle(), {}, {}, {}},
        button("按钮添加", 110, 8, "添加(&T)"),
        {gbk("编辑框扩展名"), ControlKind::EditBox, 8, 8, 88, 24, {}, extensionBoxStyle(), {}, {},
         {}},
        {gbk("标签1"), ControlKind::Label, 288, 40, 184, 24, gbk("简单解释："), {}, {}, {}, {}},
    };
    return form;
}

} // namespace

const tk::WindowForm& mainWindowForm() {
    static const tk::WindowForm form = buildForm();
    return form;
}

} // namespace extdict
