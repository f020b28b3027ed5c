// Files on the real disk, reached through GBK paths written Windows style.
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "store_rows.h"
#include "text/encoding.h"
#include "toolkit/posix/posix_file_system.h"

using namespace extdict;
using namespace extdict::test;

namespace {

class PosixFileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = ::testing::TempDir() + "posix_fs_XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    // The GBK path of a file in the test folder, with a Windows separator.
    std::string path(const std::string& utf8Name) const { return gbk(folder + "\\" + utf8Name); }
    std::string nativeContents(const std::string& utf8Name) const {
        std::ifstream in(folder + "/" + utf8Name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    std::string folder;
    PosixFileSystem files;
};

TEST_F(PosixFileSystemTest, GbkPathsWithBackslashesNameUtf8Files) {
    EXPECT_EQ(nativePath(gbk("C:\\目录\\文件.edb")), "C:/目录/文件.edb");
    ASSERT_TRUE(files.writeWholeFile(path("扩展名.txt"), "bytes"));
    EXPECT_EQ(nativeContents("扩展名.txt"), "bytes");
    EXPECT_TRUE(files.exists(path("扩展名.txt")));
    EXPECT_EQ(files.readWholeFile(path("扩展名.txt")), "bytes");
}

TEST_F(PosixFileSystemTest, OpenModesFindCreateOrEmptyAsAsked) {
    const auto name = path("a.bin");
    EXPECT_EQ(files.open(name, OpenMode::ReadWrite), nullptr);
    EXPECT_EQ(files.open(name, OpenMode::ReadOnly), nullptr);
    {
        auto created = files.open(name, OpenMode::CreateNew);
        ASSERT_NE(created, nullptr);
        ASSERT_TRUE(created->writeAt(4, "xy", 2));
        EXPECT_EQ(created->size(), 6u);
        ASSERT_TRUE(created->sync());
    }
    EXPECT_EQ(files.open(name, OpenMode::CreateNew), nullptr);
    {
        auto readOnly = files.open(name, OpenMode::ReadOnly);
        char buffer[6];
        ASSERT_TRUE(readOnly->readAt(0, buffer, 6));
        EXPECT_EQ(std::string(buffer, 6), std::string("\0\0\0\0xy", 6));
        EXPECT_FALSE(readOnly->readAt(5, buffer, 2)); // past the end
        EXPECT_FALSE(readOnly->writeAt(0, "z", 1));
    }
    {
        auto readWrite = files.open(name, OpenMode::ReadWrite);
        ASSERT_TRUE(readWrite->truncate(5));
        EXPECT_EQ(readWrite->size(), 5u);
    }
    auto emptied = files.open(name, OpenMode::Replace);
    EXPECT_EQ(emptied->size(), 0u);
}

TEST_F(PosixFileSystemTest, RenameNeverReplacesButReplaceDoes) {
    ASSERT_TRUE(files.writeWholeFile(path("from"), "new"));
    ASSERT_TRUE(files.writeWholeFile(path("to"), "old"));
    EXPECT_FALSE(files.rename(path("from"), path("to")));
    EXPECT_EQ(nativeContents("to"), "old");
    EXPECT_TRUE(files.exists(path("from")));

    EXPECT_TRUE(files.rename(path("from"), path("moved")));
    EXPECT_FALSE(files.exists(path("from")));
    EXPECT_EQ(nativeContents("moved"), "new");

    EXPECT_TRUE(files.replace(path("moved"), path("to")));
    EXPECT_EQ(nativeContents("to"), "new");
    EXPECT_FALSE(files.exists(path("moved")));
    EXPECT_FALSE(files.replace(path("moved"), path("to")));

    EXPECT_TRUE(files.remove(path("to")));
    EXPECT_FALSE(files.remove(path("to")));
}

TEST_F(PosixFileSystemTest, AStoreKeepsItsRecordsOnTheDisk) {
    const auto name = path("Vornel扩展名查询.edb");
    const Rows rows = {{"txt", gbk("文本")}, {"doc", "word", true}};
    makeStore(files, name, rows);
    EXPECT_EQ(reopenRows(files, name), rows);
    EXPECT_EQ(RecordStore::moveAside(files, name), name + ".damaged-1");
    EXPECT_TRUE(std::filesystem::exists(folder + "/Vornel扩展名查询.edb.damaged-1"));
}

} // namespace
