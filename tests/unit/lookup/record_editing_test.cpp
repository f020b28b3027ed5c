#include <gtest/gtest.h>

#include "lookup/record_editing.h"
#include "lookup_window.h"
#include "text/encoding.h"

namespace extdict::test {
namespace {

using Items = std::vector<std::string>;
using Records = std::vector<StoredRecord>;

// The lookup window with the editing commands; the status caption is logged, not waited for.
class EditingWindow : public LookupWindow {
public:
    explicit EditingWindow(const std::vector<StoredRecord>& records = sampleRecords())
        : LookupWindow(records) {}

    void add() { run(addRecordFromBoxes); }
    void modify() { run(modifyLookedUpRecord); }
    void remove() { run(deleteLookedUpRecord); }

    std::vector<std::string> log;  // UTF-8: "status: ...", "wait", "note: ..."

    std::vector<std::string> refusals() const {
        std::vector<std::string> texts;
        for (const ShownMessageBox& box : ui.messageBoxes()) {
            EXPECT_EQ(box.icon, tk::MessageIcon::Warning);
            EXPECT_EQ(box.buttons, tk::MessageButtons::Ok);
            texts.push_back(utf8FromGbk(box.text));
        }
        return texts;
    }

    std::string extensionAt(int record) const {
        return utf8FromGbk(std::string(store.fieldView(record, 1)));
    }
    std::string noteAt(int record) const {
        return utf8FromGbk(std::string(store.fieldView(record, 2)));
    }

private:
    void run(void (*command)(RecordEditing&)) {
        notesLogged_ = noteChanges.size();
        RecordEditing editing{ui, store, edit, note, suppressNextFilter,
                              [this](std::string_view m) {
                                  logNotes();
                                  log.push_back("status: " + utf8FromGbk(std::string(m)));
                              },
                              [this] {
                                  logNotes();
                                  log.push_back("wait");
                              }};
        command(editing);
        logNotes();
    }

    // The note box's changes since the last entry, in their place in the log.
    void logNotes() {
        for (; notesLogged_ < noteChanges.size(); ++notesLogged_)
            log.push_back("note: " + utf8FromGbk(noteChanges[notesLogged_]));
    }

    std::size_t notesLogged_ = 0;
};

const char* const kNothingToModify = "尚未有当前记录可供修改，因为您暂未查询记录！";
const char* const kNothingToDelete = "尚未有当前记录可供删除，因为您暂未查询记录！";
const char* const kDuplicate = "数据库中已存在该扩展名！如果您只是想要修改注释信息，请点击修改！";

TEST(RecordEditing, OnAnEmptyStoreAddStoresAndModifyAndDeleteRefuse) {
    EditingWindow w(Records{});
    w.ui.setText(w.edit, "txt");
    w.ui.setText(w.note, "text file");
    w.log.clear();
    w.modify();
    w.remove();
    EXPECT_EQ(w.refusals(), (Items{kNothingToModify, kNothingToDelete}));
    w.add();
    ASSERT_EQ(w.store.recordCount(), 1);
    EXPECT_EQ(w.extensionAt(1), "txt");
    EXPECT_EQ(w.noteAt(1), "text file");
    EXPECT_EQ(w.store.currentRecord(), 1);
    EXPECT_EQ(w.log, (Items{"status: 添加新纪录“txt”成功！", "wait"}));
}

TEST(RecordEditing, AddRefusesAnExtensionAnyUnmarkedRecordHasInAnyLetterCase) {
    const char* const typed[] = {"TXT", "Doc", "tmp", "文本"};
    for (const char* extension : typed) {
        EditingWindow w;
        w.ui.setText(w.edit, gbk(extension));
        w.add();
        EXPECT_EQ(w.refusals(), Items{kDuplicate}) << extension;
        EXPECT_EQ(w.store.recordCount(), 5);
        EXPECT_EQ(w.log, Items{});
    }
}

TEST(RecordEditing, AddRefusesRightAfterLookingUpTheSameExtension) {
    EditingWindow w;
    w.ui.typeText(w.edit, "txt");
    w.ui.setText(w.edit, "TXT");
    w.add();
    EXPECT_EQ(w.refusals(), Items{kDuplicate});
    EXPECT_EQ(w.store.recordCount(), 5);
}

TEST(RecordEditing, AddAcceptsAnExtensionOnlyAMarkedRecordHas) {
    EditingWindow w;
    w.ui.setText(w.edit, "TAR");
    w.add();
    EXPECT_EQ(w.refusals(), Items{});
    EXPECT_EQ(w.store.recordCount(), 6);
    EXPECT_EQ(w.extensionAt(6), "TAR");
    EXPECT_EQ(w.log.front(), "status: 添加新纪录“TAR”成功！");
}

TEST(RecordEditing, AddComparesATooLongExtensionAsItWouldBeStored) {
    const std::string fifty(50, 'x');
    EditingWindow w(Records{{"", ""}});
    w.store.goTo(1);
    ASSERT_TRUE(w.store.writeField(1, fifty));
    w.ui.setText(w.edit, fifty + "yyyyy");
    w.add();
    EXPECT_EQ(w.refusals(), Items{kDuplicate});

    w.ui.setText(w.edit, std::string(49, 'z') + gbk("长长"));
    w.add();
    ASSERT_EQ(w.store.recordCount(), 2);
    EXPECT_EQ(w.extensionAt(2), std::string(49, 'z')) << "cut to whole characters";
    EXPECT_EQ(w.log.front(), "status: 添加新纪录“" + std::string(49, 'z') + "长长”成功！");
}

TEST(RecordEditing, AddWithAnEmptyExtensionStoresIt) {
    EditingWindow w(Records{{"txt", ""}});
    w.ui.setText(w.edit, "");
    w.ui.setText(w.note, "no extension");
    w.add();
    ASSERT_EQ(w.store.recordCount(), 2);
    EXPECT_EQ(w.extensionAt(2), "");
    EXPECT_EQ(w.log.front(), "status: 添加新纪录“”成功！");
}

TEST(RecordEditing, AddReportsAFailedWrite) {
    EditingWindow w(Records{});
    w.ui.setText(w.edit, "txt");
    w.files.failAt(1, Fault::FailsCleanly);
    w.add();
    EXPECT_EQ(w.log, (Items{"status: 添加新纪录“txt”失败！", "wait"}));
}

TEST(RecordEditing, ModifyWritesTheLookedUpRecord) {
    EditingWindow w;
    w.ui.typeText(w.edit, "TMP");
    w.ui.setText(w.note, "changed note");
    w.log.clear();
    w.modify();
    EXPECT_EQ(w.extensionAt(2), "TMP");
    EXPECT_EQ(w.noteAt(2), "changed note");
    EXPECT_EQ(w.log, (Items{"status: 修改当前纪录“TMP”成功！", "wait"}));
    EXPECT_EQ(w.store.currentRecord(), 2);
}

TEST(RecordEditing, ModifyMayChangeTheLetterCaseOfTheExtension) {
    EditingWindow w;
    w.ui.typeText(w.edit, "Txt");
    w.modify();
    EXPECT_EQ(w.extensionAt(1), "Txt");
    EXPECT_EQ(w.noteAt(1), "text file");
}

struct RefusalCase {
    const char* name;
    void (*prepare)(EditingWindow&);
};

// Modify and delete act only on a record the user looked up; anything else is refused and
// leaves every record as it was.
const RefusalCase kNoLookedUpRecord[] = {
    {"right after start-up", [](EditingWindow& w) { w.ui.setText(w.note, w.helpText); }},
    {"after a lookup without exact match", [](EditingWindow& w) { w.ui.typeText(w.edit, "t"); }},
    {"the box edited after the lookup",
     [](EditingWindow& w) {
         w.ui.typeText(w.edit, "txt");
         w.ui.setText(w.matchList.editBox, "tx");
         w.store.goTo(1);
     }},
    {"on the marked last record", [](EditingWindow& w) { w.ui.typeText(w.edit, "tar"); }},
    {"on a record marked after its lookup",
     [](EditingWindow& w) {
         w.ui.typeText(w.edit, "doc");
         w.store.markDeleted();
     }},
};

TEST(RecordEditing, ModifyAndDeleteRefuseWithoutALookedUpRecord) {
    for (const RefusalCase& c : kNoLookedUpRecord) {
        for (const bool modify : {true, false}) {
            EditingWindow w;
            c.prepare(w);
            const bool markedBefore = w.store.isDeletedAt(4);
            modify ? w.modify() : w.remove();
            SCOPED_TRACE(c.name);
            EXPECT_EQ(w.refusals(), Items{modify ? kNothingToModify : kNothingToDelete});
            EXPECT_EQ(w.log, Items{});
            EXPECT_EQ(w.extensionAt(1), "txt");
            EXPECT_EQ(w.noteAt(1), "text file");
            EXPECT_FALSE(w.store.isDeletedAt(1));
            EXPECT_EQ(w.store.isDeletedAt(4), markedBefore);
        }
    }
}

TEST(RecordEditing, ModifyReportsAFailedWriteAndKeepsWhatWasWritten) {
    EditingWindow w;
    w.ui.typeText(w.edit, "TXT");
    w.ui.setText(w.note, "new note");
    w.files.failAt(1, Fault::FailsCleanly);
    w.log.clear();
    w.modify();
    EXPECT_EQ(w.log, (Items{"status: 修改当前纪录“TXT”失败！", "wait"}));
    EXPECT_EQ(w.noteAt(1), "text file");
}

TEST(RecordEditing, DeleteMarksTheRecordAndEmptiesBothBoxesWithoutFiltering) {
    EditingWindow w(Records{{"txta", "longer"}, {"TXT", "text file"}});
    w.ui.typeText(w.edit, "txt");
    ASSERT_EQ(w.items(), Items{"txta"});
    ASSERT_FALSE(w.listShown());
    w.log.clear();
    w.remove();
    EXPECT_TRUE(w.store.isDeletedAt(2));
    EXPECT_EQ(w.store.currentRecord(), 2);
    EXPECT_EQ(w.store.recordCount(), 2);
    EXPECT_EQ(w.log, (Items{"status: 删除当前纪录“txt”成功！", "note: ", "note: ", "wait"}));
    EXPECT_EQ(w.editText(), "");
    EXPECT_EQ(w.noteText(), "");
    EXPECT_EQ(w.labelText(), "简单解释：无格式文件");
    EXPECT_EQ(w.items(), Items{"txta"}) << "the emptied box did not filter";
    EXPECT_FALSE(w.listShown());
    EXPECT_FALSE(w.suppressNextFilter);
}

TEST(RecordEditing, DeletingTwiceRefusesTheSecondTime) {
    EditingWindow w;
    w.ui.typeText(w.edit, "doc");
    w.remove();
    w.ui.setText(w.edit, "doc");
    w.remove();
    EXPECT_EQ(w.refusals(), Items{kNothingToDelete});
    EXPECT_TRUE(w.store.isDeletedAt(4));
}

TEST(RecordEditing, FailedDeleteKeepsItsMessageAndTheBoxes) {
    EditingWindow w;
    w.ui.typeText(w.edit, "doc");
    w.files.failAt(1, Fault::FailsCleanly);
    w.log.clear();
    w.remove();
    EXPECT_EQ(w.log, (Items{"status: 删除当前纪录“doc”失败！", "wait"}));
    EXPECT_EQ(w.editText(), "doc");
    EXPECT_EQ(w.noteText(), "document");
    EXPECT_FALSE(w.suppressNextFilter);
}

} // namespace
} // namespace extdict::test
