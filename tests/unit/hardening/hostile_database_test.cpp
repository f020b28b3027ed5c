// Database files that users pass around, damaged or foreign: each is moved aside whole, the
// user is told where it went, and the program starts on a new database that works. A
// store whose fields are wider than the program's is a store all the same: it opens as it is.
// A database that cannot be written is neither replaced nor changed.
#include <gtest/gtest.h>

#include "app/texts.h"
#include "lookup/editing_texts.h"
#include "program_run.h"
#include "store/file_format.h"
#include "store/record_layout.h"
#include "test_names.h"
#include "text/encoding.h"

namespace extdict::test {
namespace {

const StoreRows kRows = {{"txt", "text file"}, {"doc", "word"}, {"zip", gbk("压缩")}};

std::vector<FieldDescriptor> widerFields() { return {{gbk("扩展名"), 10, 100}, {gbk("注释"), 10, 1000}}; }

std::string goodStore() {
    FaultyFileSystem disk;
    writeStore(disk, "C:\\good.edb", kRows);
    return *disk.contents("C:\\good.edb");
}

// A good store whose header, with a right checksum, names other fields.
std::string withHeaderFor(const std::vector<FieldDescriptor>& fields, std::size_t recordSize) {
    std::string bytes = goodStore();
    bytes.replace(0, format::kHeaderSize, format::encodeHeader(fields, recordSize));
    return bytes;
}

std::size_t recordSizeOf(const std::vector<FieldDescriptor>& fields) {
    return RecordLayout::fromFields(fields)->recordSize();
}

struct DamagedFile {
    const char* name;
    std::function<std::string()> bytes;
};

void PrintTo(const DamagedFile& file, std::ostream* out) { *out << file.name; }

const DamagedFile kDamagedFiles[] = {
    {"empty", [] { return std::string(); }},
    {"header only", [] { return goodStore().substr(0, format::kHeaderSize); }},
    {"cut in the middle of a record",
     [] {
         const std::string bytes = goodStore();
         return bytes.substr(0, bytes.size() - recordSizeOf(programFields()) / 2);
     }},
    {"header naming a third field",
     [] {
         auto fields = programFields();
         fields.push_back({"x", 10, 20});
         return withHeaderFor(fields, recordSizeOf(programFields()));
     }},
    {"header naming wider fields than the records have",
     [] { return withHeaderFor(widerFields(), recordSizeOf(widerFields())); }},
    {"header naming a number field",
     [] {
         auto fields = programFields();
         fields[1].typeCode = 3;
         return withHeaderFor(fields, recordSizeOf(programFields()));
     }},
    {"a record's mark overwritten",
     [] {
         std::string bytes = goodStore();
         bytes[format::dataOffset(recordSizeOf(programFields()))] = 'X';
         return bytes;
     }},
    {"a text file", [] { return gbk("txt,,,文本文件;;;doc,,,文档"); }},
};

class HostileDatabaseTest : public ::testing::TestWithParam<DamagedFile> {
protected:
    void addAndLookUp() {
        p.then([&] {
            p.paste("编辑框扩展名", "new");
            p.paste("编辑框注释", "note");
            p.click("按钮添加");
        });
        p.then([&] {
            p.paste("编辑框扩展名", "");
            p.paste("编辑框扩展名", "new");
            lookedUp.push_back(p.text("编辑框注释"));
        });
    }

    ProgramRun p;
    std::vector<std::string> lookedUp; // the note box after each lookup
};

TEST_P(HostileDatabaseTest, IsMovedAsideWholeAndTheProgramStartsAfresh) {
    const std::string bytes = GetParam().bytes();
    p.disk.putFile(p.databasePath(), bytes);
    addAndLookUp();
    p.run();

    const std::string aside = p.databasePath() + ".damaged-1";
    EXPECT_EQ(p.messages(), std::vector<std::string>{texts::damagedDatabaseMovedAside(aside)});
    EXPECT_EQ(p.disk.contents(aside), bytes);
    EXPECT_EQ(lookedUp, std::vector<std::string>{"note"});
    EXPECT_EQ(p.databaseRows(), (StoreRows{{"new", "note"}}));
}

INSTANTIATE_TEST_SUITE_P(Files, HostileDatabaseTest, ::testing::ValuesIn(kDamagedFiles),
                         [](const auto& info) { return testNameOf(info.param.name); });

TEST_F(HostileDatabaseTest, StoreWithWiderFieldsOpensAsItIs) {
    const std::string longExtension(80, 'e');
    p.putDatabase({{longExtension, std::string(900, 'n')}}, widerFields());
    p.then([&] {
        p.paste("编辑框扩展名", longExtension);
        lookedUp.push_back(p.text("编辑框注释"));
    });
    addAndLookUp();
    p.run();

    EXPECT_TRUE(p.messages().empty());
    EXPECT_EQ(lookedUp, (std::vector<std::string>{std::string(900, 'n'), "note"}));
    EXPECT_EQ(p.databaseRows(), (StoreRows{{longExtension, std::string(900, 'n')}, {"new", "note"}}));
}

TEST_F(HostileDatabaseTest, ReadOnlyDatabaseIsLeftAsItIsAndTheProgramSaysItCannotGoOn) {
    p.putDatabase(kRows);
    const std::string bytes = *p.disk.contents(p.databasePath());
    p.disk.setReadOnly(p.databasePath(), true);
    p.run();

    EXPECT_EQ(p.messages(), std::vector<std::string>{texts::createFailed()});
    EXPECT_FALSE(p.ui.everShown(gbk("MainWindow")));
    EXPECT_EQ(p.disk.contents(p.databasePath()), bytes);
    EXPECT_EQ(p.disk.paths(), std::vector<std::string>{p.databasePath()});
}

} // namespace
} // namespace extdict::test
