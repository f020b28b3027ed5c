// The text input window: its defaults, layout, the ways it ends, and its Ctrl shortcuts.
#include <gtest/gtest.h>

#include "exchange/exchange_texts.h"
#include "exchange_fixture.h"
#include "text/encoding.h"

using namespace extdict;
using namespace extdict::exchange_test;

namespace {

constexpr const char* kPrompt = "编辑框提示";
constexpr const char* kInput = "编辑框输入区";
constexpr const char* kContainer = "外形框按钮容器";
constexpr const char* kOpen = "按钮打开文件";
constexpr const char* kSave = "按钮另存文件";
constexpr const char* kConfirm = "按钮确认";
constexpr const char* kCancel = "按钮取消";

InputWindowRequest withText(std::string initialText, std::string prompt = "prompt") {
    InputWindowRequest request;
    request.initialText = std::move(initialText);
    request.prompt = std::move(prompt);
    return request;
}

class InputWindowTest : public HeadlessProgram {
  protected:
    struct Box {
        int left, top, width, height;
        bool operator==(const Box&) const = default;
    };
    Box boxOf(const char* name) const {
        const tk::ControlRef ref = inputControl(name);
        return {ui.left(ref), ui.top(ref), ui.width(ref), ui.height(ref)};
    }
    std::string textOf(const char* name) const { return ui.text(inputControl(name)); }
};

TEST_F(InputWindowTest, OmittedArgumentsTakeTheirDefaults) {
    InputWindowRequest request;
    request.initialText = "abc";
    const bool confirmed =
        showWith(request, {[this] {
                     EXPECT_EQ(ui.text({inputWindow()}), gbk("输入："));
                     EXPECT_EQ(textOf(kPrompt),
                               gbk("请输入文本，或读入文本，编辑完毕后请按下 Ctrl + 回车键返回："));
                     EXPECT_EQ(textOf(kInput), "abc");
                     EXPECT_EQ(textOf(kOpen), gbk("打开(&D)..."));
                     EXPECT_EQ(ui.tag(inputControl(kOpen)), "1");
                     EXPECT_TRUE(ui.visible(inputControl(kSave)));
                     EXPECT_TRUE(ui.visible({inputWindow()}));
                     EXPECT_FALSE(inputConfirmed);
                     ui.click(inputControl(kConfirm));
                 }});
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(inputResult, "abc");
    EXPECT_EQ(params.visible, 1);
    EXPECT_EQ(params.fileSelectMode, 0);
    EXPECT_EQ(params.ownerWindow, 0);
}

TEST_F(InputWindowTest, FileSelectionModeChoosesFirstAndHidesSaving) {
    InputWindowRequest request = withText("");
    request.fileSelectMode = true;
    open(request);
    EXPECT_EQ(textOf(kOpen), gbk("选择(&X)..."));
    EXPECT_EQ(ui.tag(inputControl(kOpen)), "0");
    EXPECT_FALSE(ui.visible(inputControl(kSave)));
}

TEST_F(InputWindowTest, AHiddenWindowStaysHidden) {
    InputWindowRequest request = withText("");
    request.visible = false;
    open(request);
    EXPECT_FALSE(ui.visible({inputWindow()}));
}

TEST_F(InputWindowTest, LayoutFollowsTheWorkedExample) {
    open(withText("", "0123456789"));
    // A client area of 477 x 306.
    ui.resizeWindow(inputWindow(), 477 + 16, 306 + 39);
    EXPECT_EQ(boxOf(kPrompt), (Box{5, 4, 467, 12}));
    EXPECT_EQ(boxOf(kInput), (Box{5, 23, 467, 249}));
    EXPECT_EQ(boxOf(kContainer), (Box{5, 272, 467, 34}));
    EXPECT_EQ(boxOf(kCancel), (Box{379, 5, 88, 25}));
    EXPECT_EQ(boxOf(kConfirm), (Box{284, 5, 90, 25}));
    EXPECT_EQ(boxOf(kOpen), (Box{0, 5, 75, 25}));
    EXPECT_EQ(boxOf(kSave), (Box{83, 5, 96, 25}));
    EXPECT_TRUE(ui.visible(inputControl(kPrompt)));
}

TEST_F(InputWindowTest, AThreeLinePromptWithOneWrappedLineIsFourLinesHigh) {
    // The form's client area is 468 wide, so the prompt box is 458: 100 bytes wrap once.
    open(withText("", std::string(20, 'a') + "\r\n" + std::string(100, 'b') + "\r\n" + "c"));
    EXPECT_EQ(boxOf(kPrompt).height, 48);
    EXPECT_EQ(boxOf(kInput).top, 4 + 48 + 7);
}

TEST_F(InputWindowTest, AnEmptyPromptIsHiddenAndTheInputAreaMovesUp) {
    open(withText("", ""));
    EXPECT_FALSE(ui.visible(inputControl(kPrompt)));
    EXPECT_EQ(boxOf(kInput).top, 7);
    EXPECT_EQ(boxOf(kInput).height, ui.clientHeight(inputWindow()) - 34 - 7);
}

TEST_F(InputWindowTest, ContentWidthAndInputAreaHeightFitTheWindow) {
    InputWindowRequest request = withText("", "abc");
    request.contentWidth = 300;
    request.inputAreaHeight = 100;
    open(request);
    EXPECT_EQ(ui.clientWidth(inputWindow()), 310);
    EXPECT_EQ(ui.clientHeight(inputWindow()), 12 + 100 + 34 + 10);
    // The fit adds 10 pixels but the gaps above and below the prompt take 11.
    EXPECT_EQ(boxOf(kInput).height, 99);
}

TEST_F(InputWindowTest, AMinimisedWindowStillLaysOut) {
    open(withText("", "a long prompt\r\nof two lines"));
    ui.minimiseWindow(inputWindow());
    ui.restoreWindow(inputWindow());
    EXPECT_EQ(boxOf(kPrompt).height, 24);
}

TEST_F(InputWindowTest, ClosingAfterAnEditAsksAndNoKeepsTheText) {
    open(withText("abc"));
    ui.setSelectionStart(inputControl(kInput), 3);
    ui.typeText(inputControl(kInput), "d");
    ui.queueAnswer(tk::Answer::No);
    ui.closeWindow(inputWindow());
    ASSERT_TRUE(inputWindowOpen());
    EXPECT_EQ(textOf(kInput), "abcd");
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_EQ(ui.messageBoxes()[0].text, gbk("您已经对文档做了修改，请问真的要放弃吗？"));
    EXPECT_EQ(ui.messageBoxes()[0].buttons, tk::MessageButtons::YesNo);
    EXPECT_EQ(ui.messageBoxes()[0].icon, tk::MessageIcon::Question);

    ui.queueAnswer(tk::Answer::Yes);
    ui.closeWindow(inputWindow());
    EXPECT_FALSE(inputWindowOpen());
    EXPECT_FALSE(inputConfirmed);
    EXPECT_EQ(inputResult, "");
}

TEST_F(InputWindowTest, ClosingTheQuestionBoxKeepsTheWindow) {
    open(withText("abc"));
    ui.typeText(inputControl(kInput), "d");
    ui.queueCloseAnswer();
    ui.closeWindow(inputWindow());
    EXPECT_TRUE(inputWindowOpen());
}

TEST_F(InputWindowTest, ClosingWithoutAnEditAsksNothing) {
    const bool confirmed = showWith(withText("abc"), {[this] { ui.closeWindow(inputWindow()); }});
    EXPECT_FALSE(confirmed);
    EXPECT_TRUE(ui.messageBoxes().empty());
    EXPECT_EQ(inputResult, "");
}

TEST_F(InputWindowTest, CancelAfterAnEditAsksNothingAndGivesNothing) {
    const auto edit = [this] { ui.typeText(inputControl(kInput), "x"); };
    const auto cancel = [this] { ui.click(inputControl(kCancel)); };
    EXPECT_FALSE(showWith(withText("abc"), {edit, cancel}));
    EXPECT_TRUE(ui.messageBoxes().empty());
    EXPECT_EQ(inputResult, "");
}

TEST_F(InputWindowTest, ConfirmGivesTheEditedText) {
    const auto addLineBreak = [this] {
        ui.setSelectionStart(inputControl(kInput), 3);
        ui.typeText(inputControl(kInput), "\r\n");
    };
    const auto confirmWithAlt1 = [this] { ui.pressAccelerator(inputWindow(), '1'); };
    EXPECT_TRUE(showWith(withText("abc"), {addLineBreak, confirmWithAlt1}));
    EXPECT_EQ(inputResult, "abc\r\n");
}

TEST_F(InputWindowTest, DialogModeDisablesTheOtherWindowsUntilItEnds) {
    tk::WindowForm ownerForm;
    ownerForm.name = "Owner";
    ownerForm.left = ownerForm.top = 0;
    ownerForm.width = ownerForm.height = 200;
    const tk::WindowId owner = ui.loadWindow(ownerForm, {}, std::nullopt, false);
    ui.setAlwaysOnTop(owner, true);
    InputWindowRequest request = withText("");
    request.owner = {owner, tk::kWindowItself};
    showWith(request, {[&] {
                 EXPECT_FALSE(ui.enabled(owner));
                 EXPECT_TRUE(ui.alwaysOnTop(inputWindow()));
                 ui.click(inputControl(kCancel));
             }});
    EXPECT_TRUE(ui.enabled(owner));
    EXPECT_EQ(params.ownerWindow, owner);
}

struct KeyCase {
    const char* name;
    int key;
    int modifiers;
    bool selectsAll;
    bool savesOrOpens;
    bool confirms;
};

TEST_F(InputWindowTest, CtrlAloneDrivesTheShortcutsAndNoOtherModifierSetDoes) {
    using namespace tk::modifier;
    const KeyCase cases[] = {
        {"Ctrl+A", 'A', Ctrl, true, false, false},
        {"Ctrl+S", 'S', Ctrl, false, true, false},
        {"Ctrl+O", 'O', Ctrl, false, true, false},
        {"Ctrl+Enter", tk::key::Enter, Ctrl, false, false, true},
        {"Ctrl+Shift+Enter", tk::key::Enter, Ctrl | Shift, false, false, false},
        {"Alt+Ctrl+S", 'S', Ctrl | Alt, false, false, false},
        {"Ctrl+Shift+A", 'A', Ctrl | Shift, false, false, false},
        {"Ctrl+B", 'B', Ctrl, false, false, false},
    };
    for (const auto& c : cases) {
        HeadlessServices caseServices;
        HeadlessToolkit caseUi{caseServices};
        InputWindowParams caseParams;
        bool confirmed = false;
        std::string result;
        InputWindowContext caseContext{caseUi, caseServices, caseParams, confirmed, result};
        InputWindowSession caseSession{caseContext, {}, {}};
        openInputWindow(caseSession, withText("text"));
        const tk::ControlRef input = caseSession.controls.inputArea;
        caseUi.setSelectionStart(input, 4);
        caseUi.queueFileChoice({{}, true});
        caseUi.keyDown(input, c.key, c.modifiers);
        caseUi.processEvents();
        const bool windowGone = !caseUi.exists({caseSession.controls.window});
        EXPECT_EQ(windowGone, c.confirms) << c.name;
        EXPECT_EQ(caseUi.fileDialogs().size(), c.savesOrOpens ? 1u : 0u) << c.name;
        if (!windowGone) {
            EXPECT_EQ(caseUi.selectionLength(input) == 4, c.selectsAll) << c.name;
        }
        if (c.confirms) {
            EXPECT_EQ(result, "text") << "the confirming key adds no line break";
        }
    }
}

TEST_F(InputWindowTest, TheShortcutHandlerNeverSwallowsTheKey) {
    open(withText(""));
    for (const int key : {int('A'), int('S'), int('O'), int('X')}) {
        ui.queueFileChoice({{}, true});
        EXPECT_TRUE(onInputAreaKeyDown(session, {tk::EventKind::KeyDown, session.controls.inputArea,
                                                 key, tk::modifier::Ctrl}));
    }
}

} // namespace
