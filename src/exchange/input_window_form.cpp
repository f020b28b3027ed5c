#include "exchange/input_window_form.h"

#include "text/encoding.h"

namespace extdict {
namespace {

using tk::ControlKind;

constexpr const char* kPromptBox = "编辑框提示";
constexpr const char* kInputArea = "编辑框输入区";
constexpr const char* kButtonContainer = "外形框按钮容器";
constexpr const char* kOpenButton = "按钮打开文件";
constexpr const char* kSaveButton = "按钮另存文件";
constexpr const char* kConfirmButton = "按钮确认";
constexpr const char* kCancelButton = "按钮取消";
constexpr const char* kFileDialog = "通用对话框";

tk::ControlStyle promptBoxStyle() {
    tk::ControlStyle style;
    style.multiLine = true;
    style.readOnly = true;
    return style;
}

tk::ControlStyle inputAreaStyle() {
    tk::ControlStyle style;
    style.multiLine = true;
    style.wantReturn = true;
    style.verticalScrollBar = true;
    style.autoVerticalScroll = true;
    style.sunkenBorder = true;
    return style;
}

tk::ControlStyle hiddenStyle() {
    tk::ControlStyle style;
    style.visible = false;
    return style;
}

tk::ControlForm containedButton(const char* name, int left, int width, const char* caption) {
    return {gbk(name), ControlKind::Button,   left, 5, width, 25, gbk(caption),
            {},        gbk(kButtonContainer), {},   {}};
}

tk::ControlForm fileDialogControl() {
    return {gbk(kFileDialog),
            ControlKind::FileDialog,
            128,
            112,
            26,
            26,
            {},
            hiddenStyle(),
            {},
            gbk("Win文本(*.txt)|*.txt|\r\n所有文档(*.*)|*.*|"),
            "txt"};
}

tk::WindowForm buildForm() {
    tk::WindowForm form;
    form.name = "InputWindow";
    form.left = 50;
    form.top = 50;
    form.width = 484;
    form.height = 342;
    form.minimiseBox = false;
    form.maximiseBox = false;
    // Its created handler decides whether it is shown.
    form.visibleAtLoad = false;
    // Stacking order, the first on top; the container comes before the buttons it holds.
    form.controls = {
        {gbk(kPromptBox), ControlKind::EditBox, 5, 4, 466, 40, "*", promptBoxStyle(), {}, {}, {}},
        {gbk(kInputArea), ControlKind::EditBox, 5, 50, 467, 222, {}, inputAreaStyle(), {}, {}, {}},
        {gbk(kButtonContainer), ControlKind::ShapeBox, 5, 272, 467, 34, {}, {}, {}, {}, {}},
        containedButton(kOpenButton, 0, 75, "打开(&D)..."),
        containedButton(kSaveButton, 83, 96, "另存到(&L)..."),
        containedButton(kConfirmButton, 282, 90, "确认(&1)"),
        containedButton(kCancelButton, 379, 88, "取消(&2)"),
        fileDialogControl(),
    };
    return form;
}

} // namespace

const tk::WindowForm& inputWindowForm() {
    static const tk::WindowForm form = buildForm();
    return form;
}

InputWindowControls resolveInputWindowControls(const tk::Toolkit& ui, tk::WindowId window) {
    const auto named = [&](const char* name) {
        return tk::ControlRef{window, ui.controlNamed(window, gbk(name))};
    };
    InputWindowControls c;
    c.window = window;
    c.promptBox = named(kPromptBox);
    c.inputArea = named(kInputArea);
    c.buttonContainer = named(kButtonContainer);
    c.openButton = named(kOpenButton);
    c.saveButton = named(kSaveButton);
    c.confirmButton = named(kConfirmButton);
    c.cancelButton = named(kCancelButton);
    return c;
}

tk::FileDialogRequest inputFileDialogRequest(tk::FileDialogMode mode, const std::string& title) {
    static const tk::ControlForm dialog = fileDialogControl();
    return {mode, title, dialog.filter, dialog.defaultExtension, {}};
}

} // namespace extdict
