#include <gtest/gtest.h>

#include <windows.h>

#include "text/encoding.h"
#include "toolkit/win32/user_driver.h"
#include "toolkit/win32/wide_text.h"
#include "toolkit/win32/win32_toolkit.h"
#include "toolkit/win32/windows_services.h"

using namespace extdict;
using namespace extdict::tk;
using extdict::win32::ChooseFiles;
using extdict::win32::DialogAnswerer;
using extdict::win32::PressButton;

namespace {

ControlForm control(const char* name, ControlKind kind, int left, int top, int width, int height,
                    std::string text = {}, ControlStyle style = {}, std::string parent = {}) {
    ControlForm form{gbk(name), kind, left, top, width, height, std::move(text), style, gbk(parent.c_str()), {}, {}};
    return form;
}

WindowForm mainForm() {
    ControlStyle note;
    note.multiLine = note.wantReturn = note.verticalScrollBar = note.autoVerticalScroll = true;
    note.sunkenBorder = true;
    note.userByteLimit = 10;
    ControlStyle extension;
    extension.autoHorizontalScroll = true;
    extension.hideSelection = false;
    extension.textColour = 0x0000FF;
    extension.sunkenBorder = true;
    ControlStyle hidden;
    hidden.visible = false;

    WindowForm form;
    form.name = gbk("主窗口");
    form.caption = gbk("测试窗口");
    form.left = form.top = 50;
    form.width = 548;
    form.height = 343;
    form.centred = true;
    form.hasIcon = true;
    form.controls = {
        control("列表框", ControlKind::ListBox, 8, 32, 88, 168, "", hidden),
        control("超级链接框", ControlKind::Hyperlink, 107, 40, 160, 24, gbk("查看网页版百科知识(&W)...")),
        control("按钮添加", ControlKind::Button, 110, 8, 64, 24, gbk("添加(&T)")),
        control("编辑框注释", ControlKind::EditBox, 8, 72, 528, 232, "", note),
        control("编辑框扩展名", ControlKind::EditBox, 8, 8, 88, 24, "", extension),
        control("标签1", ControlKind::Label, 288, 40, 184, 24, gbk("简单解释：")),
        control("外形框", ControlKind::ShapeBox, 300, 200, 200, 40),
        control("按钮内", ControlKind::Button, 0, 5, 75, 25, gbk("内部(&N)"), {}, "外形框"),
        control("通用对话框", ControlKind::FileDialog, 128, 112, 26, 26, "", hidden),
    };
    return form;
}

class Win32ToolkitTest : public ::testing::Test {
protected:
    Win32ToolkitTest() : ui(GetModuleHandleW(nullptr)), user(ui) {}

    WindowId load(WindowForm form, std::optional<ControlRef> owner = {}, bool dialog = false) {
        Bindings bindings;
        const EventKind kinds[] = {EventKind::Created, EventKind::PositionChanged, EventKind::SizeChanged,
                                   EventKind::CanBeClosed, EventKind::WillBeDestroyed, EventKind::Tray,
                                   EventKind::TextChanged, EventKind::KeyDown, EventKind::KeyUp,
                                   EventKind::DoubleClicked, EventKind::ItemSelected, EventKind::Clicked,
                                   EventKind::RightReleased, EventKind::LinkPressed};
        std::vector<std::string> names{""};
        for (const auto& c : form.controls) names.push_back(c.name);
        for (const auto& name : names) {
            for (const auto kind : kinds) {
                bindings.push_back({name, kind, [this, name](const Event& e) { return record(name, e); }});
            }
        }
        return ui.loadWindow(form, std::move(bindings), owner, dialog);
    }

    bool record(const std::string& name, const Event& e) {
        std::string line = std::to_string(static_cast<int>(e.kind));
        line.append(" ").append(utf8FromGbk(name));
        if (e.kind == EventKind::KeyDown || e.kind == EventKind::KeyUp) {
            line.append(" ").append(std::to_string(e.key)).append(" ").append(std::to_string(e.modifiers));
        }
        if (e.kind == EventKind::Tray) line.append(" ").append(std::to_string(e.trayKind));
        events.push_back(line);
        if (e.kind == EventKind::KeyDown && e.key == 'X') return false;  // the box refuses X
        if (e.kind == EventKind::CanBeClosed) return allowClose;
        if (e.kind == EventKind::LinkPressed) return false;  // never opens a browser here
        return true;
    }

    int count(EventKind kind, const char* name) const {
        const std::string prefix = std::to_string(static_cast<int>(kind)) + " " + name;
        int n = 0;
        for (const auto& e : events) n += e.rfind(prefix, 0) == 0 ? 1 : 0;
        return n;
    }

    ControlRef ref(WindowId w, const char* name) const { return {w, ui.controlNamed(w, gbk(name))}; }

    win32::Win32Toolkit ui;
    win32::UserDriver user;
    std::vector<std::string> events;
    bool allowClose = true;
};

TEST_F(Win32ToolkitTest, LoadRaisesCreatedPositionAndSizeThenShowsTheWindow) {
    const WindowId w = load(mainForm());
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[0], std::to_string(static_cast<int>(EventKind::Created)) + " ");
    EXPECT_EQ(events[1], std::to_string(static_cast<int>(EventKind::PositionChanged)) + " ");
    EXPECT_EQ(events[2], std::to_string(static_cast<int>(EventKind::SizeChanged)) + " ");
    EXPECT_TRUE(ui.visible({w}));
    EXPECT_FALSE(ui.visible(ref(w, "列表框")));
    EXPECT_TRUE(ui.hasIcon(w));
    EXPECT_EQ(ui.text({w}), gbk("测试窗口"));
    EXPECT_EQ(ui.width({w}), 548);
    EXPECT_EQ(ui.height({w}), 343);
    EXPECT_EQ(ui.left(ref(w, "编辑框注释")), 8);
    EXPECT_EQ(ui.top(ref(w, "编辑框注释")), 72);
    EXPECT_EQ(ui.left(ref(w, "按钮内")), 0) << "relative to its container";
    EXPECT_EQ(ui.controlNamed(w, gbk("没有")), kWindowItself);
}

TEST_F(Win32ToolkitTest, SettingAnEditBoxRaisesTextChangedExactlyOnceEvenWhenUnchanged) {
    const WindowId w = load(mainForm());
    const ControlRef note = ref(w, "编辑框注释");
    ui.setText(note, gbk("帮助\r\n文本"));
    ui.setText(note, gbk("帮助\r\n文本"));
    EXPECT_EQ(count(EventKind::TextChanged, "编辑框注释"), 2);
    EXPECT_EQ(ui.text(note), gbk("帮助\r\n文本"));
    ui.append(note, "!");
    EXPECT_EQ(count(EventKind::TextChanged, "编辑框注释"), 3);
    EXPECT_EQ(ui.text(note), gbk("帮助\r\n文本!"));
}

TEST_F(Win32ToolkitTest, TypingRaisesKeysWithModifiersAndOneChangePerCharacter) {
    const WindowId w = load(mainForm());
    const ControlRef box = ref(w, "编辑框扩展名");
    user.type(box, "tX");
    user.type(box, gbk("文"));
    EXPECT_EQ(ui.text(box), gbk("t文")) << "X was consumed by its KeyDown handler";
    EXPECT_EQ(count(EventKind::TextChanged, "编辑框扩展名"), 2);
    EXPECT_EQ(count(EventKind::KeyDown, "编辑框扩展名 84 0"), 1);
    EXPECT_EQ(count(EventKind::KeyDown, "编辑框扩展名 88 2"), 1) << "X is Shift+x";
    EXPECT_EQ(count(EventKind::KeyUp, "编辑框扩展名 84 0"), 1);

    user.pressKey(box, VK_CONTROL, modifier::Ctrl);
    user.pressKey(box, 'A', modifier::Ctrl | modifier::Shift);
    EXPECT_EQ(count(EventKind::KeyDown, "编辑框扩展名 17 0"), 1) << "Ctrl alone carries no Ctrl bit";
    EXPECT_EQ(count(EventKind::KeyDown, "编辑框扩展名 65 3"), 1);
}

TEST_F(Win32ToolkitTest, TheUserCannotTypeOrPastePastTheByteLimitButTheProgramCanSetMore) {
    const WindowId w = load(mainForm());
    const ControlRef note = ref(w, "编辑框注释");
    user.type(note, gbk("abcd中文字e"));
    EXPECT_EQ(ui.text(note), gbk("abcd中文字")) << "10 bytes: the 11th does not fit";
    ui.setText(note, "");
    user.type(note, gbk("abcdefghi中"));
    EXPECT_EQ(ui.text(note), "abcdefghi") << "a 2-byte character never half fits";

    win32::WindowsServices services;
    ASSERT_TRUE(services.setClipboardText(gbk("粘贴文本很长")));
    ui.setText(note, "abcd");
    SendMessageW(ui.handleOf(note), EM_SETSEL, 4, 4);
    SendMessageW(ui.handleOf(note), WM_PASTE, 0, 0);
    EXPECT_EQ(ui.text(note), gbk("abcd粘贴文"));

    const std::string longer = gbk("程序设置的文本可以更长");
    ui.setText(note, longer);
    EXPECT_EQ(ui.text(note), longer);
    SendMessageW(ui.handleOf(note), EM_SETSEL, 0, 0);
    SendMessageW(ui.handleOf(note), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"x"));
    EXPECT_EQ(ui.text(note), longer) << "input arriving by another road is taken back";
    user.pressKey(note, VK_BACK);
    EXPECT_EQ(ui.text(note), longer.substr(0, longer.size() - 2)) << "shrinking is always allowed";
}

TEST_F(Win32ToolkitTest, ListSelectionFromTheProgramRaisesNothingAndFromTheUserItemSelected) {
    const WindowId w = load(mainForm());
    const ControlRef list = ref(w, "列表框");
    EXPECT_EQ(ui.listAdd(list, "txt"), 0);
    EXPECT_EQ(ui.listAdd(list, gbk("文本")), 1);
    EXPECT_EQ(ui.listAdd(list, "abc"), 2);
    ui.setListItemValue(list, 1, 42);
    EXPECT_EQ(ui.listItemValue(list, 1), 42);
    EXPECT_EQ(ui.listItemValue(list, 3), -1);
    EXPECT_EQ(ui.listItemText(list, 1), gbk("文本"));
    EXPECT_EQ(ui.listItemText(list, -1), "");
    ui.setListSelection(list, 9);
    EXPECT_EQ(ui.listSelection(list), 2);
    ui.setListSelection(list, -4);
    EXPECT_EQ(ui.listSelection(list), -1);
    EXPECT_EQ(count(EventKind::ItemSelected, "列表框"), 0);
    ui.setVisible(list, true);
    user.selectListItem(list, 1);
    EXPECT_EQ(count(EventKind::ItemSelected, "列表框"), 1);
    EXPECT_EQ(ui.listSelection(list), 1);
    ui.listClear(list);
    EXPECT_EQ(ui.listCount(list), 0);
}

TEST_F(Win32ToolkitTest, ButtonsClickByMouseAndAltMnemonicsAlsoInsideAContainer) {
    const WindowId w = load(mainForm());
    const ControlRef box = ref(w, "编辑框扩展名");
    user.click(ref(w, "按钮添加"));
    user.pressKey(box, 'T', modifier::Alt);
    EXPECT_EQ(count(EventKind::Clicked, "按钮添加"), 2);
    user.pressKey(box, 'N', modifier::Alt);
    EXPECT_EQ(count(EventKind::Clicked, "按钮内"), 1);
    user.rightClick(ref(w, "按钮添加"));
    EXPECT_EQ(count(EventKind::RightReleased, "按钮添加"), 1);
    user.pressKey(box, 'W', modifier::Alt);
    user.pressLink(ref(w, "超级链接框"));
    EXPECT_EQ(count(EventKind::LinkPressed, "超级链接框"), 2);
    user.doubleClick(box);
    EXPECT_EQ(count(EventKind::DoubleClicked, "编辑框扩展名"), 1);
}

TEST_F(Win32ToolkitTest, TabMovesInReadingOrderSkippingHiddenControls) {
    const WindowId w = load(mainForm());
    const ControlRef box = ref(w, "编辑框扩展名");
    SetFocus(ui.handleOf(box));
    user.pressKey(box, VK_TAB);
    EXPECT_EQ(GetFocus(), ui.handleOf(ref(w, "按钮添加")));
    user.pressKey(ref(w, "按钮添加"), VK_TAB);
    EXPECT_EQ(GetFocus(), ui.handleOf(ref(w, "超级链接框"))) << "the hidden list is skipped";
    user.pressKey(ref(w, "超级链接框"), VK_TAB, modifier::Shift);
    EXPECT_EQ(GetFocus(), ui.handleOf(ref(w, "按钮添加")));
}

TEST_F(Win32ToolkitTest, DestroyWaitsForTheNextPassAndRaisesOnlyWillBeDestroyed) {
    const WindowId w = load(mainForm());
    ui.destroyWindow(w);
    EXPECT_TRUE(ui.exists({w}));
    ui.processEvents();
    EXPECT_FALSE(ui.exists({w}));
    EXPECT_EQ(count(EventKind::WillBeDestroyed, ""), 1);
    EXPECT_EQ(count(EventKind::CanBeClosed, ""), 0);
}

TEST_F(Win32ToolkitTest, TheUsersCloseAsksCanBeClosedWhichMayRefuse) {
    const WindowId w = load(mainForm());
    allowClose = false;
    user.closeWindow(w);
    EXPECT_TRUE(ui.exists({w}));
    allowClose = true;
    user.closeWindow(w);
    EXPECT_FALSE(ui.exists({w}));
    EXPECT_EQ(count(EventKind::CanBeClosed, ""), 2);
    EXPECT_EQ(count(EventKind::WillBeDestroyed, ""), 1);
}

TEST_F(Win32ToolkitTest, DialogModeDisablesTheOtherWindowsUntilItGoes) {
    const WindowId main = load(mainForm());
    const WindowId dialog = load(mainForm(), ControlRef{main}, true);
    EXPECT_FALSE(IsWindowEnabled(ui.handleOf({main})));
    EXPECT_EQ(GetWindow(ui.handleOf({dialog}), GW_OWNER), ui.handleOf({main}));
    ui.destroyWindow(dialog);
    ui.processEvents();
    EXPECT_TRUE(IsWindowEnabled(ui.handleOf({main})));
}

TEST_F(Win32ToolkitTest, MovingAndResizingRaiseTheirEventsAndReadBack) {
    const WindowId w = load(mainForm());
    events.clear();
    ui.move({w}, std::nullopt, std::nullopt, 648, 393);
    EXPECT_EQ(count(EventKind::SizeChanged, ""), 1);
    EXPECT_EQ(count(EventKind::PositionChanged, ""), 0);
    EXPECT_EQ(ui.width({w}), 648);
    const int frameWidth = 648 - ui.clientWidth(w);
    EXPECT_GT(frameWidth, 0);
    ui.move({w}, 10, 20, std::nullopt, std::nullopt);
    EXPECT_EQ(count(EventKind::PositionChanged, ""), 1);
    EXPECT_EQ(ui.left({w}), 10);
    ui.move(ref(w, "编辑框注释"), std::nullopt, std::nullopt, 100, 50);
    EXPECT_EQ(ui.left(ref(w, "编辑框注释")), 8);
    EXPECT_EQ(ui.width(ref(w, "编辑框注释")), 100);
    ui.move(ref(w, "通用对话框"), 1, 2, 3, 4);
    EXPECT_EQ(ui.height(ref(w, "通用对话框")), 4);
}

TEST_F(Win32ToolkitTest, TagsLinkTargetsTopmostAndTrayEventsAreKept) {
    const WindowId w = load(mainForm());
    ui.setTag(ref(w, "按钮添加"), "1");
    EXPECT_EQ(ui.tag(ref(w, "按钮添加")), "1");
    ui.setLinkTarget(ref(w, "超级链接框"), "http://127.0.0.1/x");
    EXPECT_EQ(ui.linkTarget(ref(w, "超级链接框")), "http://127.0.0.1/x");
    ui.setAlwaysOnTop(w, true);
    EXPECT_TRUE(ui.alwaysOnTop(w));
    ui.setTrayIcon(w, gbk("提示"));
    for (int kind : {1, 2, 3}) user.trayEvent(w, kind);
    EXPECT_EQ(count(EventKind::Tray, " 1"), 1);
    EXPECT_EQ(count(EventKind::Tray, " 3"), 1);
    ui.setVisible({w}, false);
    EXPECT_FALSE(ui.visible({w}));
    EXPECT_TRUE(ui.exists({w})) << "hiding keeps the window";
}

TEST_F(Win32ToolkitTest, MessageBoxesAreTitledAndAnswered) {
    load(mainForm());
    DialogAnswerer answerer;
    answerer.queue(PressButton{Answer::Yes});
    answerer.queue(PressButton{Answer::Cancel});
    EXPECT_EQ(ui.messageBox(gbk("真的要放弃吗？"), MessageIcon::Question, MessageButtons::YesNo), Answer::Yes);
    EXPECT_EQ(ui.messageBox(gbk("清空？"), MessageIcon::Question, MessageButtons::OkCancel), Answer::Cancel);
    ASSERT_EQ(answerer.seen().size(), 2u);
    EXPECT_EQ(answerer.seen()[0], gbk("信息：|真的要放弃吗？"));
}

TEST_F(Win32ToolkitTest, FileDialogsGiveTheChosenPaths) {
    load(mainForm());
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::string folder = win32::gbkFromWide(temp);
    win32::WindowsServices services;
    const std::string one = folder + "extdict-one.txt";
    const std::string two = folder + "extdict-two.txt";
    ASSERT_TRUE(services.files().writeWholeFile(one, "1"));
    ASSERT_TRUE(services.files().writeWholeFile(two, "2"));

    DialogAnswerer answerer;
    answerer.queue(ChooseFiles{{one}});
    answerer.queue(ChooseFiles{{}});
    FileDialogRequest request{FileDialogMode::Open, gbk("读入文本："), gbk("Win文本(*.txt)|*.txt|"), "txt", ""};
    EXPECT_EQ(ui.fileDialog(request), one);
    EXPECT_EQ(ui.fileDialog(request), std::nullopt);

    answerer.queue(ChooseFiles{{one, two}});
    const auto paths = ui.multiSelectOpenDialog(gbk("请选择文件名："), gbk("全部文件|*.*|"));
    EXPECT_EQ(paths, (std::vector<std::string>{one, two}));
    services.files().remove(one);
    services.files().remove(two);
}

} // namespace
