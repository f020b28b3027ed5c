#include <gtest/gtest.h>

#include <windows.h>

#include "text/encoding.h"
#include "toolkit/win32/wide_text.h"
#include "toolkit/win32/win32_file_system.h"

using namespace extdict;
using namespace extdict::win32;

namespace {

class Win32FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = gbkFromWide(temp) + gbk("扩展名测试") + std::to_string(GetCurrentProcessId());
        CreateDirectoryW(wideFromGbk(folder_).c_str(), nullptr);
    }
    void TearDown() override {
        for (const char* name : {"a", "b", "c"}) files_.remove(path(name));
        RemoveDirectoryW(wideFromGbk(folder_).c_str());
    }
    std::string path(const std::string& name) const { return folder_ + "\\" + gbk("库") + name; }

    Win32FileSystem files_;
    std::string folder_;
};

TEST_F(Win32FileSystemTest, WritesAndReadsAtOffsetsUnderChinesePaths) {
    auto file = files_.open(path("a"), OpenMode::CreateNew);
    ASSERT_TRUE(file);
    ASSERT_TRUE(file->writeAt(0, "hello", 5));
    ASSERT_TRUE(file->writeAt(10, "world", 5));
    ASSERT_TRUE(file->sync());
    EXPECT_EQ(file->size(), 15u);
    char middle[5] = {};
    ASSERT_TRUE(file->readAt(10, middle, 5));
    EXPECT_EQ(std::string(middle, 5), "world");
    EXPECT_FALSE(file->readAt(12, middle, 5)) << "a read past the end is a failure";
    ASSERT_TRUE(file->truncate(5));
    EXPECT_EQ(file->size(), 5u);
    file.reset();
    EXPECT_EQ(files_.readWholeFile(path("a")), "hello");
}

TEST_F(Win32FileSystemTest, OpenModesKeepTheirPromises) {
    EXPECT_FALSE(files_.open(path("a"), OpenMode::ReadWrite)) << "ReadWrite needs an existing file";
    EXPECT_FALSE(files_.open(path("a"), OpenMode::ReadOnly));
    ASSERT_TRUE(files_.writeWholeFile(path("a"), "old contents"));
    EXPECT_FALSE(files_.open(path("a"), OpenMode::CreateNew)) << "CreateNew never overwrites";
    auto readOnly = files_.open(path("a"), OpenMode::ReadOnly);
    ASSERT_TRUE(readOnly);
    EXPECT_FALSE(readOnly->writeAt(0, "x", 1));
    readOnly.reset();
    ASSERT_TRUE(files_.open(path("a"), OpenMode::Replace));
    EXPECT_EQ(files_.readWholeFile(path("a")), "") << "Replace empties the file";
}

TEST_F(Win32FileSystemTest, ReplaceOverwritesButRenameRefusesAnExistingTarget) {
    ASSERT_TRUE(files_.writeWholeFile(path("a"), "new"));
    ASSERT_TRUE(files_.writeWholeFile(path("b"), "old"));
    EXPECT_FALSE(files_.rename(path("a"), path("b")));
    EXPECT_EQ(files_.readWholeFile(path("b")), "old");
    EXPECT_TRUE(files_.replace(path("a"), path("b")));
    EXPECT_EQ(files_.readWholeFile(path("b")), "new");
    EXPECT_FALSE(files_.exists(path("a")));
    EXPECT_TRUE(files_.rename(path("b"), path("c")));
    EXPECT_TRUE(files_.exists(path("c")));
    EXPECT_TRUE(files_.remove(path("c")));
    EXPECT_FALSE(files_.exists(path("c")));
}

} // namespace
