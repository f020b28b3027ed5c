#include "program_run.h"

#include <gtest/gtest.h>

#include "app/program.h"
#include "text/encoding.h"

namespace extdict::test {
namespace {

constexpr std::string_view kFolder = "C:\\app";

} // namespace

std::vector<FieldDescriptor> programFields() {
    return {{gbk("扩展名"), 10, 50}, {gbk("注释"), 10, 512}};
}

StoreRows rowsOf(const RecordStore& store) {
    StoreRows rows;
    for (int record = 1; record <= store.recordCount(); ++record)
        rows.push_back({std::string(store.fieldView(record, 1)), std::string(store.fieldView(record, 2)),
                        store.isDeletedAt(record)});
    return rows;
}

void writeStore(FileSystem& files, std::string_view path, const StoreRows& rows,
                const std::vector<FieldDescriptor>& fields) {
    files.remove(path);
    RecordStore store(files);
    ASSERT_TRUE(store.create(path, fields));
    ASSERT_TRUE(store.open(path));
    for (const StoreRow& row : rows) {
        ASSERT_TRUE(store.addRecord(row.extension, row.note));
        if (row.deleted) {
            ASSERT_TRUE(store.markDeleted());
        }
    }
}

std::optional<StoreRows> storeRows(FileSystem& files, std::string_view path) {
    RecordStore store(files);
    if (!store.open(path)) return std::nullopt;
    return rowsOf(store);
}

ProgramRun::ProgramRun() {
    services.setFileSystem(disk);
    services.setExecutableDirectory(std::string(kFolder));
}

std::string ProgramRun::databasePath() const {
    return std::string(kFolder) + "\\" + gbk("Vornel扩展名查询.edb");
}

void ProgramRun::putDatabase(const StoreRows& rows, const std::vector<FieldDescriptor>& fields) {
    writeStore(disk, databasePath(), rows, fields);
}

std::optional<StoreRows> ProgramRun::databaseRows() { return storeRows(disk, databasePath()); }

void ProgramRun::then(std::function<void()> step, StepTiming timing) {
    ui.addStep(std::move(step), timing);
}

void ProgramRun::run() {
    try {
        runProgram(ui, services);
    } catch (const HeadlessExit&) {
    } catch (const HeadlessScriptError& error) {
        ADD_FAILURE() << "the user could not go on: " << error.message;
    }
}

tk::ControlRef ProgramRun::control(std::string_view formName, std::string_view window) const {
    const auto found = ui.findControl(gbk(window), gbk(formName));
    if (!found) ADD_FAILURE() << "no control " << window << "/" << formName;
    return found.value_or(tk::ControlRef{});
}

void ProgramRun::paste(std::string_view control, std::string_view text, std::string_view window) {
    ui.pasteText(this->control(control, window), text);
}

void ProgramRun::click(std::string_view control, std::string_view window) {
    ui.click(this->control(control, window));
}

std::string ProgramRun::text(std::string_view control, std::string_view window) const {
    return ui.text(this->control(control, window));
}

std::string ProgramRun::caption() const { return ui.text({*ui.findWindow(gbk("MainWindow"))}); }

std::vector<std::string> ProgramRun::messages() const {
    std::vector<std::string> texts;
    for (const auto& shown : ui.messageBoxes()) texts.push_back(shown.text);
    return texts;
}

} // namespace extdict::test
