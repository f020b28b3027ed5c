// The input window's file commands: reading a file in, appending paths, saving.
#include <gtest/gtest.h>

#include "exchange/exchange_texts.h"
#include "exchange_fixture.h"
#include "text/encoding.h"

using namespace extdict;
using namespace extdict::exchange_test;

namespace {

constexpr const char* kInput = "编辑框输入区";
constexpr const char* kOpen = "按钮打开文件";
constexpr const char* kSave = "按钮另存文件";

class InputWindowFiles : public HeadlessProgram {
  protected:
    void openWindow(bool fileSelectMode = false, std::string initialText = "typed") {
        InputWindowRequest request;
        request.initialText = std::move(initialText);
        request.fileSelectMode = fileSelectMode;
        open(request);
    }
    void choose(std::vector<std::string> paths) { ui.queueFileChoice({std::move(paths), false}); }
    void cancelDialog() { ui.queueFileChoice({{}, true}); }
    std::string inputText() const { return ui.text(inputControl(kInput)); }
    std::vector<std::string> shownTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : ui.messageBoxes())
            texts.push_back(box.text);
        return texts;
    }
};

struct ReadCase {
    const char* name;
    std::string bytes;
    std::string text; // GBK
};

TEST_F(InputWindowFiles, ReadingAFileReplacesTheTextWithItsGbkText) {
    const ReadCase cases[] = {
        {"GBK", gbk("扩展名,,,注释"), gbk("扩展名,,,注释")},
        {"a NUL ends the text", std::string("a,,,b\0c,,,d", 11), "a,,,b"},
        {"UTF-8", "txt,,,\xE6\x96\x87\xE6\x9C\xAC", gbk("txt,,,文本")},
        {"UTF-16 with its mark",
         std::string("\xFF\xFE"
                     "a\0,\0",
                     6),
         "a,"},
        {"an empty file", "", ""},
    };
    openWindow();
    for (const auto& c : cases) {
        files.putFile("C:\\in.txt", c.bytes);
        choose({"C:\\in.txt"});
        ui.click(inputControl(kOpen));
        EXPECT_EQ(inputText(), c.text) << c.name;
    }
    EXPECT_TRUE(ui.messageBoxes().empty());
    const tk::FileDialogRequest& request = ui.fileDialogs().front().request;
    EXPECT_EQ(request.mode, tk::FileDialogMode::Open);
    EXPECT_EQ(request.title, gbk("读入文本："));
    EXPECT_EQ(request.filter, gbk("Win文本(*.txt)|*.txt|\r\n所有文档(*.*)|*.*|"));
    EXPECT_EQ(request.defaultExtension, "txt");
}

TEST_F(InputWindowFiles, AFileThatCannotBeReadKeepsTheTypedTextAndSaysSo) {
    openWindow();
    choose({"C:\\missing.txt"});
    ui.click(inputControl(kOpen));
    EXPECT_EQ(inputText(), "typed");
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_EQ(ui.messageBoxes()[0].text, exchange_texts::fileUnreadable());
    EXPECT_EQ(ui.messageBoxes()[0].icon, tk::MessageIcon::Warning);
}

TEST_F(InputWindowFiles, ACancelledDialogChangesNothing) {
    openWindow();
    cancelDialog();
    ui.click(inputControl(kOpen));
    cancelDialog();
    ui.rightRelease(inputControl(kOpen));
    cancelDialog();
    ui.click(inputControl(kSave));
    EXPECT_EQ(inputText(), "typed");
    EXPECT_TRUE(ui.messageBoxes().empty());
    EXPECT_TRUE(files.paths().empty());
}

TEST_F(InputWindowFiles, AppendedPathsEachGetALineOfTheirOwn) {
    openWindow(false, "");
    choose({"C:\\a.txt", "C:\\b.txt"});
    ui.rightRelease(inputControl(kOpen));
    EXPECT_EQ(inputText(), "C:\\a.txt\r\nC:\\b.txt");
    choose({"C:\\c.txt"});
    ui.rightRelease(inputControl(kOpen));
    EXPECT_EQ(inputText(), "C:\\a.txt\r\nC:\\b.txt\r\nC:\\c.txt");
    const ShownFileDialog& shown = ui.fileDialogs().front();
    EXPECT_EQ(shown.kind, FileDialogKind::MultiSelectOpen);
    EXPECT_EQ(shown.request.title, gbk("请选择文件名（允许多个连选）："));
    EXPECT_EQ(shown.request.filter, gbk("全部文件|*.*|TXT文件|*.txt|"));
}

TEST_F(InputWindowFiles, FileSelectionModeSwapsTheTwoButtons) {
    openWindow(true, "typed");
    choose({"C:\\a.txt"});
    ui.click(inputControl(kOpen));
    EXPECT_EQ(inputText(), "typed\r\nC:\\a.txt");
    files.putFile("C:\\in.txt", "read");
    choose({"C:\\in.txt"});
    ui.rightRelease(inputControl(kOpen));
    EXPECT_EQ(inputText(), "read");
    EXPECT_EQ(ui.fileDialogs().back().request.title, gbk("选择文件名："));
}

struct SaveCase {
    const char* name;
    std::string text;
    std::string path;
    bool readOnly;
    std::string message;
    std::optional<std::string> fileAfter;
};

TEST_F(InputWindowFiles, SavingWritesTheTextAndReportsTheOutcome) {
    const SaveCase cases[] = {
        {"success", gbk("中文\r\n"), "C:\\out.txt", false, gbk("写出成功！"), gbk("中文\r\n")},
        {"an empty text", "", "C:\\empty.txt", false, gbk("写出成功！"), ""},
        {"a file that cannot be written", "x", "C:\\locked.txt", true, gbk("写出失败！"), "old"},
        {"an empty name", "x", "", false, gbk("写出失败！"), std::nullopt},
    };
    for (const auto& c : cases) {
        openWindow(false, c.text);
        if (c.readOnly) {
            files.putFile(c.path, "old");
            files.setReadOnly(c.path, true);
        }
        choose({c.path});
        ui.click(inputControl(kSave));
        EXPECT_EQ(shownTexts().back(), c.message) << c.name;
        EXPECT_EQ(ui.messageBoxes().back().icon, tk::MessageIcon::Information) << c.name;
        EXPECT_EQ(files.contents(c.path), c.fileAfter) << c.name;
        EXPECT_EQ(inputText(), c.text) << c.name;
        ui.destroyWindow(inputWindow());
        ui.processEvents();
    }
    EXPECT_EQ(ui.fileDialogs().front().request.mode, tk::FileDialogMode::Save);
    EXPECT_EQ(ui.fileDialogs().front().request.title, gbk("另存编辑框中的文本数据到文件："));
}

TEST_F(InputWindowFiles, CtrlSInFileSelectionModeDoesNothing) {
    openWindow(true);
    choose({"C:\\out.txt"});
    ui.keyDown(inputControl(kInput), 'S', tk::modifier::Ctrl);
    EXPECT_TRUE(ui.fileDialogs().empty());
    EXPECT_TRUE(files.paths().empty());
}

} // namespace
