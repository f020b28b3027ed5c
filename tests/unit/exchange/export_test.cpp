// The two export layouts, byte for byte, and the export command around them.
#include <gtest/gtest.h>

#include "exchange/exchange_texts.h"
#include "exchange/export.h"
#include "exchange_fixture.h"
#include "text/encoding.h"

using namespace extdict;
using namespace extdict::exchange_test;

namespace {

struct LayoutCase {
    const char* name;
    Records records;
    std::string readable;
    std::string exchange;
};

TEST(BuildExportText, WritesBothLayoutsByteForByte) {
    const LayoutCase cases[] = {
        {"empty store", {}, "", ""},
        {"one record", {{"txt", "Text file"}}, "txt\r\nText file", "txt,,,Text file"},
        {"two records, a note of two lines",
         {{"txt", "Text file"}, {"bmp", "Bitmap\r\nimage"}},
         "txt\r\nText file\r\n\r\nbmp\r\nBitmap\r\nimage",
         "txt,,,Text file;;;bmp,,,Bitmap\r\nimage"},
        {"an empty first record still has its field separator",
         {{"", ""}, {"a", "b"}},
         "\r\n\r\n\r\na\r\nb",
         ",,,;;;a,,,b"},
        {"Chinese kept as GBK", {{gbk("文"), gbk("文本")}}, gbk("文\r\n文本"), gbk("文,,,文本")},
        {"records marked deleted are left out",
         {{"gone", "x", true}, {"a", "1"}, {"b", "2", true}},
         "a\r\n1",
         "a,,,1"},
    };
    for (const auto& c : cases) {
        StoreOnDisk disk(c.records);
        EXPECT_EQ(buildExportText(disk.store, ExportLayout::Readable), c.readable) << c.name;
        EXPECT_EQ(buildExportText(disk.store, ExportLayout::Exchange), c.exchange) << c.name;
    }
}

class ExportCommand : public HeadlessProgram {
  protected:
    void exportWith(std::optional<tk::Answer> answer) {
        if (answer)
            ui.queueAnswer(*answer);
        else
            ui.queueCloseAnswer();
        exportRecords({ui, services, disk.store});
    }

    std::vector<std::string> shownTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : ui.messageBoxes())
            texts.push_back(box.text);
        return texts;
    }

    StoreOnDisk disk{{{"a", "1"}, {"b", "2"}, {"c", "3"}}};
};

TEST_F(ExportCommand, YesCopiesTheReadableLayoutNoTheExchangeLayout) {
    disk.store.goTo(2);
    exportWith(tk::Answer::Yes);
    EXPECT_EQ(services.clipboard(), "a\r\n1\r\n\r\nb\r\n2\r\n\r\nc\r\n3");
    exportWith(tk::Answer::No);
    EXPECT_EQ(services.clipboard(), "a,,,1;;;b,,,2;;;c,,,3");
    EXPECT_EQ(disk.store.currentRecord(), 2);
    const auto& boxes = ui.messageBoxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].text, exchange_texts::exportQuestion());
    EXPECT_EQ(boxes[0].icon, tk::MessageIcon::Question);
    EXPECT_EQ(boxes[0].buttons, tk::MessageButtons::YesNoCancel);
    EXPECT_EQ(boxes[1].text, gbk("记录已复制到剪辑板，您可以粘贴到任何地方或自行保存为文本文件！"));
    EXPECT_EQ(boxes[1].icon, tk::MessageIcon::Information);
}

TEST_F(ExportCommand, CancelOrClosingTheQuestionChangesNothing) {
    services.setClipboard("before");
    disk.store.goTo(3);
    exportWith(tk::Answer::Cancel);
    exportWith(std::nullopt);
    EXPECT_EQ(services.clipboard(), "before");
    EXPECT_EQ(disk.store.currentRecord(), 3);
    EXPECT_EQ(shownTexts(), std::vector<std::string>(2, exchange_texts::exportQuestion()));
}

TEST_F(ExportCommand, AClipboardThatCannotBeWrittenIsReportedNotCelebrated) {
    services.setClipboard("before");
    services.setClipboardHeld(true);
    exportWith(tk::Answer::No);
    EXPECT_EQ(services.clipboard(), "before");
    ASSERT_EQ(ui.messageBoxes().size(), 2u);
    EXPECT_EQ(ui.messageBoxes()[1].text, exchange_texts::clipboardUnwritable());
    EXPECT_EQ(ui.messageBoxes()[1].icon, tk::MessageIcon::Warning);
}

TEST_F(ExportCommand, AnEmptyStoreCopiesAnEmptyText) {
    StoreOnDisk empty;
    services.setClipboard("before");
    ui.queueAnswer(tk::Answer::No);
    exportRecords({ui, services, empty.store});
    EXPECT_EQ(services.clipboard(), "");
    EXPECT_EQ(shownTexts().back(), exchange_texts::exportDone());
}

} // namespace
