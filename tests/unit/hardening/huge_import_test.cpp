// An import text of 100 MB, with and without separators, into a store on the in-memory disk:
// the records it holds are added once each, and the work needs a bounded amount of memory
// beyond the text itself, however many pieces the text cuts into.
#include <gtest/gtest.h>

#include <functional>

#include "exchange/import.h"
#include "peak_memory.h"
#include "store/record_store.h"
#include "support/faulty_file_system.h"
#include "test_names.h"
#include "text/encoding.h"

namespace extdict {
namespace {

constexpr std::size_t kTextBytes = 100u * 1000 * 1000;
// Beyond the text: the store's records, and the reader's own bookkeeping.
constexpr std::size_t kMemoryBudgetMiB = 250;

struct Row {
    std::string extension;
    std::string note;
    bool operator==(const Row&) const = default;
};

std::string repeated(std::string_view unit, std::size_t bytes) {
    std::string text;
    text.reserve(bytes + unit.size());
    while (text.size() < bytes) text += unit;
    return text;
}

std::string longNotes() {
    std::string text;
    text.reserve(kTextBytes + 200000);
    for (int i = 0; text.size() < kTextBytes; ++i)
        text += "e" + std::to_string(i) + ",,," + std::string(100000, 'n') + ";;;";
    return text;
}

struct HugeImport {
    const char* name;
    std::function<std::string()> text;
    std::size_t records;
    Row first;
    Row last;
};

const HugeImport kImports[] = {
    {"no separator at all", [] { return std::string(kTextBytes, 'a'); }, 1,
     {std::string(50, 'a'), ""}, {std::string(50, 'a'), ""}},
    {"long notes", longNotes, 1000, {"e0", std::string(512, 'n')}, {"e999", std::string(512, 'n')}},
    {"one record over and over", [] { return repeated("TXT,,,x;;;", kTextBytes); }, 1, {"TXT", "x"},
     {"TXT", "x"}},
    {"record separators only", [] { return repeated(";;;", kTextBytes); }, 1, {"", ""}, {"", ""}},
    {"field separators only", [] { return repeated(",,,", kTextBytes); }, 1, {"", ""}, {"", ""}},
    {"Chinese without separators", [] { return repeated(gbk("文档"), kTextBytes); }, 1,
     {repeated(gbk("文档"), 48) + gbk("文"), ""}, {repeated(gbk("文档"), 48) + gbk("文"), ""}},
};

void PrintTo(const HugeImport& import, std::ostream* out) { *out << import.name; }

class HugeImportTest : public ::testing::TestWithParam<HugeImport> {};

TEST_P(HugeImportTest, AddsEachRecordOnceWithinTheMemoryBudget) {
    const HugeImport& import = GetParam();
    const std::string text = import.text();
    test::FaultyFileSystem files;
    RecordStore store(files);
    ASSERT_TRUE(store.create("C:\\a.edb", {{gbk("扩展名"), 10, 50}, {gbk("注释"), 10, 512}}));
    ASSERT_TRUE(store.open("C:\\a.edb"));

    test::resetPeakMemory();
    const std::size_t before = test::peakMemoryMiB();
    ASSERT_TRUE(importExchangeText(store, text));
    const std::size_t used = test::peakMemoryMiB() - before;

    ASSERT_EQ(store.recordCount(), static_cast<int>(import.records));
    const auto rowAt = [&](int record) {
        return Row{std::string(store.fieldView(record, 1)), std::string(store.fieldView(record, 2))};
    };
    EXPECT_EQ(rowAt(1), import.first);
    EXPECT_EQ(rowAt(store.recordCount()), import.last);
    EXPECT_LT(used, kMemoryBudgetMiB);
    RecordProperty("peakMiB", static_cast<int>(used));
}

INSTANTIATE_TEST_SUITE_P(HundredMegabytes, HugeImportTest, ::testing::ValuesIn(kImports),
                         [](const auto& info) { return test::testNameOf(info.param.name); });

} // namespace
} // namespace extdict
