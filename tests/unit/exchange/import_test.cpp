// Reading the exchange layout, choosing the new entries, and the import command.
#include <gtest/gtest.h>

#include "exchange/exchange_texts.h"
#include "exchange/export.h"
#include "exchange/import.h"
#include "exchange_fixture.h"
#include "text/encoding.h"

using namespace extdict;
using namespace extdict::exchange_test;

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

Pairs pairsOf(const std::vector<ImportEntry>& entries) {
    Pairs pairs;
    for (const auto& entry : entries)
        pairs.emplace_back(entry.extension, entry.note);
    return pairs;
}

Records recordsOf(const Pairs& pairs) {
    Records records;
    for (const auto& [extension, note] : pairs)
        records.push_back({extension, note});
    return records;
}

struct ParseCase {
    const char* name;
    std::string text;
    Pairs entries;
};

TEST(ParseExchangeText, FollowsTheSplittingRules) {
    const ParseCase cases[] = {
        {"empty text", "", {}},
        {"two records", "a,,,x;;;b,,,y", {{"a", "x"}, {"b", "y"}}},
        {"trailing record separator", "a,,,x;;;", {{"a", "x"}}},
        {"trailing line break stays in the note", "a,,,x\r\n", {{"a", "x\r\n"}}},
        {"separators in a row", "a,,,x;;;;;;b,,,y", {{"a", "x"}, {"", ""}, {"b", "y"}}},
        {"separator at the start", ";;;a,,,x", {{"", ""}, {"a", "x"}}},
        {"a piece without field separator", "abc", {{"abc", ""}}},
        {"a third field is dropped", "a,,,x,,,lost", {{"a", "x"}}},
        {"spaces are kept", " a ,,, x ", {{" a ", " x "}}},
        {"empty extension", ",,,x", {{"", "x"}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pairsOf(parseExchangeText(c.text)), c.entries) << c.name;
}

TEST(ExchangeLayout, RoundTripsEmptyFieldsLineBreaksAndChinese) {
    const Records records = {{"", ""},
                             {"txt", "line 1\r\nline 2\r\n"},
                             {gbk("文本"), gbk("中文注释")},
                             {"a b", ""},
                             {"", gbk("只有注释")}};
    StoreOnDisk source(records);
    const std::string text = buildExportText(source.store, ExportLayout::Exchange);
    const auto entries = parseExchangeText(text);
    EXPECT_EQ(recordsOf(pairsOf(entries)), records);
}

TEST(ExchangeLayout, ValuesWithSeparatorsComeBackAsTheReaderCutsThem) {
    const ParseCase cases[] = {
        {"record separator in an extension", "a;;;b,,,n", {{"a", ""}, {"b", "n"}}},
        {"record separator in a note", "a,,,x;;;y", {{"a", "x"}, {"y", ""}}},
        {"field separator in a note", "a,,,x,,,y", {{"a", "x"}}},
        {"field separator in an extension", "e,,,f,,,n", {{"e", "f"}}},
        {"extension ending with a comma", "a,,,,b", {{"a", ",b"}}},
        {"note ending with a semicolon", "a,,,x;;;;b,,,y", {{"a", "x"}, {";b", "y"}}},
        {"entirely empty final record", "a,,,1;;;,,,", {{"a", "1"}, {"", ""}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pairsOf(parseExchangeText(c.text)), c.entries) << c.name;
}

struct NewEntriesCase {
    const char* name;
    Records stored;
    std::string text;
    Pairs kept;
};

TEST(NewEntries, SkipsWhatIsStoredOrAlreadyTakenCaseIgnored) {
    const std::string long50 = std::string(50, 'x');
    const std::string chinese49 = std::string(49, 'y') + gbk("中"); // stored as 49 bytes
    const NewEntriesCase cases[] = {
        {"stored in another case", {{"A", "old"}}, "a,,,x;;;b,,,y", {{"b", "y"}}},
        {"twice in the text", {}, "a,,,x;;;A,,,y;;;c,,,z", {{"a", "x"}, {"c", "z"}}},
        {"a record marked deleted is gone", {{"a", "old", true}}, "a,,,x", {{"a", "x"}}},
        {"an empty extension that is stored", {{"", "old"}}, ";;;;;;a,,,x", {{"a", "x"}}},
        {"an empty extension that is not", {}, ";;;;;;a,,,x", {{"", ""}, {"a", "x"}}},
        {"differing only beyond the field",
         {},
         long50 + "1,,,x;;;" + long50 + "2,,,y",
         {{long50 + "1", "x"}}},
        {"beyond the field, stored already", {{long50, "old"}}, long50 + "1,,,x", {}},
        {"cut to whole characters", {{std::string(49, 'Y'), "old"}}, chinese49 + ",,,x", {}},
        // 0x81 0x41 and 0x81 0x61 are two characters, not one in two letter cases.
        {"second bytes are not case-mapped",
         {{"\x81\x41", "old"}},
         "\x81\x61,,,y",
         {{"\x81\x61", "y"}}},
    };
    for (const auto& c : cases) {
        StoreOnDisk disk(c.stored);
        EXPECT_EQ(pairsOf(newEntries(disk.store, parseExchangeText(c.text))), c.kept) << c.name;
    }
}

class ImportCommand : public HeadlessProgram {
  protected:
    // Imports `text` as if pasted into the window and confirmed.
    void importPasted(const std::string& text) {
        ui.addStep([this, text] { ui.pasteText(inputControl("编辑框输入区"), text); });
        ui.addStep([this] { ui.click(inputControl("按钮确认")); });
        ImportContext importContext{disk.store, context};
        importRecords(importContext);
        EXPECT_EQ(ui.pendingSteps(), 0u);
    }

    std::vector<std::string> shownTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : ui.messageBoxes())
            texts.push_back(box.text);
        return texts;
    }

    StoreOnDisk disk{{{"A", "old"}, {"gone", "old", true}, {"c", "3"}}};
};

TEST_F(ImportCommand, AddsTheNewRecordsInTextOrderAndRestoresTheCursor) {
    disk.store.goTo(2);
    importPasted("a,,,x;;;b,,,y;;;gone,,,back;;;B,,,twice;;;d,,,z\r\n");
    EXPECT_EQ(disk.records(), (Records{{"A", "old"},
                                       {"gone", "old", true},
                                       {"c", "3"},
                                       {"b", "y"},
                                       {"gone", "back"},
                                       {"d", "z\r\n"}}));
    EXPECT_EQ(disk.store.currentRecord(), 2);
    EXPECT_EQ(shownTexts(), std::vector<std::string>{gbk("导入完毕！")});
}

TEST_F(ImportCommand, AsksWithItsOwnPromptAndCaption) {
    ui.addStep([this] {
        EXPECT_EQ(ui.text({inputWindow()}), gbk("导入扩展名数据"));
        EXPECT_EQ(ui.text(inputControl("编辑框提示")), exchange_texts::importPrompt());
        EXPECT_EQ(ui.text(inputControl("编辑框输入区")), "");
        ui.click(inputControl("按钮取消"));
    });
    ImportContext importContext{disk.store, context};
    importRecords(importContext);
    EXPECT_EQ(ui.pendingSteps(), 0u);
}

TEST_F(ImportCommand, AnEmptyTextAddsNothingButSaysItIsDone) {
    importPasted("");
    EXPECT_EQ(disk.records().size(), 3u);
    EXPECT_EQ(shownTexts(), std::vector<std::string>{exchange_texts::importDone()});
}

TEST_F(ImportCommand, ACancelledWindowChangesNothingAndSaysNothing) {
    ui.addStep([this] { ui.pasteText(inputControl("编辑框输入区"), "n,,,x"); });
    ui.addStep([this] { ui.click(inputControl("按钮取消")); });
    ImportContext importContext{disk.store, context};
    importRecords(importContext);
    EXPECT_EQ(disk.records().size(), 3u);
    EXPECT_TRUE(ui.messageBoxes().empty());
}

TEST_F(ImportCommand, AStoreThatCannotWriteAddsNothingAndSaysSo) {
    disk.files.setCapacity(0);
    importPasted("n,,,x;;;m,,,y");
    EXPECT_EQ(disk.records().size(), 3u);
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_EQ(ui.messageBoxes()[0].text, exchange_texts::importNotSaved());
    EXPECT_EQ(ui.messageBoxes()[0].icon, tk::MessageIcon::Warning);
}

// A database from elsewhere may have a wider extension field; the duplicate test then uses
// that width, so texts that the store keeps apart are not taken for one.
TEST(NewEntries, UseTheStoresOwnExtensionWidth) {
    test::FaultyFileSystem files;
    RecordStore store(files);
    ASSERT_TRUE(
        store.create("C:\\dict\\wide.edb", {{gbk("扩展名"), 10, 60}, {gbk("注释"), 10, 512}}));
    ASSERT_TRUE(store.open("C:\\dict\\wide.edb"));
    const std::string long50 = std::string(50, 'x');
    const std::string text = long50 + "1,,,x;;;" + long50 + "2,,,y";
    const auto kept = newEntries(store, parseExchangeText(text));
    EXPECT_EQ(pairsOf(kept), (Pairs{{long50 + "1", "x"}, {long50 + "2", "y"}}));
}

} // namespace
