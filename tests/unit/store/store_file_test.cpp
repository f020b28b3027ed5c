// The file itself: its documented layout, what open refuses (leaving the file as it was), and
// what open repairs.
#include <cstring>
#include <functional>

#include <gtest/gtest.h>

#include "store/checksum.h"
#include "store/file_format.h"
#include "store/record_store.h"
#include "store_rows.h"
#include "text/encoding.h"

using namespace extdict;
using namespace extdict::test;

namespace {

const std::string kPath = "D:\\store.edb";
constexpr std::size_t kRecordSize = 576; // 1 + 50 + 512, padded to 64
constexpr std::size_t kDataOffset = 2560;
const Rows kRows = {{"txt", "text"}, {"doc", "word", true}, {gbk("文档"), gbk("说明")}};

std::uint32_t u32At(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4); // the test machine is little-endian too
    return value;
}

void putU32(std::string& bytes, std::size_t at, std::uint32_t value) {
    std::memcpy(bytes.data() + at, &value, 4);
}

void resealHeader(std::string& bytes) {
    const std::size_t end = 24 + 40 * u32At(bytes, 12);
    putU32(bytes, end, crc32(std::string_view(bytes).substr(0, end)));
}

std::string storeBytes(const Rows& rows) {
    FaultyFileSystem files;
    makeStore(files, kPath, rows);
    return *files.contents(kPath);
}

std::size_t recordAt(int index) { return kDataOffset + index * kRecordSize; }

TEST(StoreFile, NewStoreHasTheDocumentedLayout) {
    const auto bytes = storeBytes({});
    ASSERT_EQ(bytes.size(), kDataOffset);
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x89XDB\r\n\x1A\n", 8));
    EXPECT_EQ(u32At(bytes, 8), 1u);
    EXPECT_EQ(u32At(bytes, 12), 2u);
    EXPECT_EQ(u32At(bytes, 16), kRecordSize);
    EXPECT_EQ(u32At(bytes, 20), kDataOffset);
    EXPECT_EQ(bytes.substr(24, 6), gbk("扩展名"));
    EXPECT_EQ(u32At(bytes, 56), 10u);
    EXPECT_EQ(u32At(bytes, 60), 50u);
    EXPECT_EQ(bytes.substr(64, 4), gbk("注释"));
    EXPECT_EQ(u32At(bytes, 100), 512u);
    EXPECT_EQ(u32At(bytes, 104), crc32(std::string_view(bytes).substr(0, 104)));
    const auto commit = format::decodeCommit(std::string_view(bytes).substr(1024, 32));
    ASSERT_TRUE(commit);
    EXPECT_EQ(commit->recordCount, 0u);

    const auto filled = storeBytes(kRows);
    ASSERT_EQ(filled.size(), recordAt(3));
    EXPECT_EQ(filled[recordAt(0)], ' ');
    EXPECT_EQ(filled[recordAt(1)], '*');
    EXPECT_EQ(filled.substr(recordAt(2) + 1, 4), gbk("文档"));
    EXPECT_EQ(filled.substr(recordAt(2) + 5, 46), std::string(46, '\0'));
    EXPECT_EQ(filled.substr(recordAt(2) + 51, 4), gbk("说明"));
    EXPECT_EQ(filled.substr(recordAt(2) + 563, 13), std::string(13, '\0'));
}

struct RefusedCase {
    const char* name;
    std::function<void(std::string&)> damage;
};

TEST(StoreFile, RefusesWhatIsNotAWholeStoreAndLeavesItUntouched) {
    const RefusedCase cases[] = {
        {"foreign text", [](std::string& b) { b = "txt,,,text;;;"; }},
        {"empty file", [](std::string& b) { b.clear(); }},
        {"other magic", [](std::string& b) { b[1] = 'Y'; }},
        {"header checksum", [](std::string& b) { b[25] ^= 1; }},
        {"newer version", [](std::string& b) { putU32(b, 8, 2); resealHeader(b); }},
        {"number field", [](std::string& b) { putU32(b, 56, 11); resealHeader(b); }},
        {"zero width", [](std::string& b) { putU32(b, 60, 0); resealHeader(b); }},
        {"record size disagrees", [](std::string& b) { putU32(b, 16, 564); resealHeader(b); }},
        {"three fields",
         [](std::string& b) {
             auto fields = programFields();
             fields.push_back({"extra", 10, 8});
             b.replace(0, 512, format::encodeHeader(fields, kRecordSize + 8));
         }},
        {"one field",
         [](std::string& b) {
             auto fields = programFields();
             fields.pop_back();
             b.replace(0, 512, format::encodeHeader(fields, 51));
         }},
        {"cut inside the last record", [](std::string& b) { b.resize(b.size() - 10); }},
        {"cut before the records", [](std::string& b) { b.resize(2000); }},
        {"both commit slots torn", [](std::string& b) { b[512 + 9] ^= 1; b[1024 + 9] ^= 1; }},
        {"count beyond the file",
         [](std::string& b) { b.replace(512, 32, format::encodeCommit({99, 4})); }},
        {"bad deleted mark", [](std::string& b) { b[recordAt(1)] = 'X'; }},
        {"journal for a record not there",
         [](std::string& b) {
             const auto image = b.substr(recordAt(0), kRecordSize);
             b.replace(1536, 32 + kRecordSize, format::encodeJournal(3, image));
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto bytes = storeBytes(kRows);
        c.damage(bytes);
        FaultyFileSystem files;
        files.putFile(kPath, bytes);
        RecordStore store(files);
        EXPECT_FALSE(store.open(kPath));
        EXPECT_EQ(store.recordCount(), 0);
        EXPECT_EQ(files.contents(kPath), bytes);
    }
}

TEST(StoreFile, DoesNotOpenAMissingOrReadOnlyFile) {
    FaultyFileSystem files;
    RecordStore store(files);
    EXPECT_FALSE(store.open(kPath));
    makeStore(files, kPath, kRows);
    files.setReadOnly(kPath, true);
    EXPECT_FALSE(store.open(kPath));
    files.setReadOnly(kPath, false);
    EXPECT_TRUE(store.open(kPath));
}

TEST(StoreFile, DropsAnUncommittedTailOnOpen) {
    auto bytes = storeBytes(kRows);
    const auto committedSize = bytes.size();
    bytes += std::string(kRecordSize + 17, 'z');
    FaultyFileSystem files;
    files.putFile(kPath, bytes);
    EXPECT_EQ(reopenRows(files, kPath), kRows);
    EXPECT_EQ(files.contents(kPath)->size(), committedSize);
}

TEST(StoreFile, OpenRemovesTheNewFileOfAPurgeCutShort) {
    FaultyFileSystem files;
    makeStore(files, kPath, kRows);
    files.putFile(kPath + ".tmp", std::string(3000, 'p'));
    EXPECT_EQ(reopenRows(files, kPath), kRows);
    EXPECT_EQ(files.paths(), std::vector<std::string>{kPath});
}

TEST(StoreFile, FallsBackToTheOtherCommitSlotWhenTheNewerIsTorn) {
    auto bytes = storeBytes(kRows);
    // Three appends after creation: the newest commit (sequence 4) is in the first slot.
    ASSERT_EQ(format::decodeCommit(std::string_view(bytes).substr(512, 32))->sequence, 4u);
    bytes[512 + 20] ^= 0x40;
    FaultyFileSystem files;
    files.putFile(kPath, bytes);
    EXPECT_EQ(reopenRows(files, kPath), Rows(kRows.begin(), kRows.end() - 1));
}

// A file whose commit sequence has reached its largest value: the next commit wraps to 0 and
// must still count as the newer one, or the records it committed are lost at the next open.
TEST(StoreFile, ACommitSequenceThatWrapsKeepsTheNewestRecords) {
    auto bytes = storeBytes(kRows);
    bytes.replace(512, 32, std::string(32, '\0'));
    bytes.replace(1024, 32, format::encodeCommit({~std::uint64_t{0}, kRows.size()}));
    FaultyFileSystem files;
    files.putFile(kPath, bytes);
    {
        RecordStore store(files);
        ASSERT_TRUE(store.open(kPath));
        ASSERT_TRUE(store.addRecord("new", "after the wrap"));
    }
    Rows expected = kRows;
    expected.push_back({"new", "after the wrap"});
    EXPECT_EQ(reopenRows(files, kPath), expected);
}

TEST(StoreFile, OpenUndoesAnInterruptedRewriteFromTheJournal) {
    auto bytes = storeBytes(kRows);
    const auto original = bytes.substr(recordAt(1), kRecordSize);
    bytes.replace(1536, 32 + kRecordSize, format::encodeJournal(1, original));
    bytes.replace(recordAt(1), 20, std::string(20, '#')); // torn in-place write
    FaultyFileSystem files;
    files.putFile(kPath, bytes);
    EXPECT_EQ(reopenRows(files, kPath), kRows);
    const auto repaired = *files.contents(kPath);
    EXPECT_EQ(repaired.substr(recordAt(1), kRecordSize), original);
    EXPECT_FALSE(format::decodeJournal(std::string_view(repaired).substr(1536), kRecordSize));
}

TEST(StoreFile, IgnoresATornJournalBecauseItsRecordWasNotYetTouched) {
    auto bytes = storeBytes(kRows);
    auto journal = format::encodeJournal(0, bytes.substr(recordAt(0), kRecordSize));
    journal[40] ^= 1;
    bytes.replace(1536, journal.size(), journal);
    FaultyFileSystem files;
    files.putFile(kPath, bytes);
    EXPECT_EQ(reopenRows(files, kPath), kRows);
}

TEST(StoreFile, CreateNeverReplacesAFileAndMakesOnlyReadableStores) {
    FaultyFileSystem files;
    RecordStore store(files);
    files.putFile(kPath, "keep me");
    EXPECT_FALSE(store.create(kPath, programFields()));
    EXPECT_EQ(files.contents(kPath), "keep me");

    const std::string fresh = "E:\\new.edb";
    auto threeFields = programFields();
    threeFields.push_back({"more", 10, 10});
    auto numberField = programFields();
    numberField[0].typeCode = 11;
    EXPECT_FALSE(store.create(fresh, threeFields));
    EXPECT_FALSE(store.create(fresh, numberField));
    EXPECT_FALSE(files.exists(fresh));

    EXPECT_TRUE(store.create(fresh, programFields()));
    EXPECT_FALSE(store.isAfterLast() && store.recordCount() != 0); // create leaves it closed
    EXPECT_EQ(files.paths(), (std::vector<std::string>{kPath, fresh}));
    EXPECT_TRUE(store.open(fresh));
}

} // namespace
