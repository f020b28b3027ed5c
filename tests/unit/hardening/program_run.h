#pragma once
// The whole program on the headless toolkit, its folder on the in-memory disk (which can
// fill up or fail), played by scripted user steps until it ends.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "store/record_store.h"
#include "support/faulty_file_system.h"
#include "toolkit/headless/headless_services.h"
#include "toolkit/headless/headless_toolkit.h"

namespace extdict::test {

struct StoreRow {
    std::string extension;
    std::string note;
    bool deleted = false;
    bool operator==(const StoreRow&) const = default;
};
using StoreRows = std::vector<StoreRow>;

// The program's own two fields.
std::vector<FieldDescriptor> programFields();
StoreRows rowsOf(const RecordStore& store);
// A new store file at path holding these rows, as the program would have written it.
void writeStore(FileSystem& files, std::string_view path, const StoreRows& rows,
                const std::vector<FieldDescriptor>& fields = programFields());
// The rows a fresh open of the file finds; nothing when it does not open.
std::optional<StoreRows> storeRows(FileSystem& files, std::string_view path);

class ProgramRun {
public:
    ProgramRun();

    std::string databasePath() const;
    // A database file holding these rows, as the program would have written it.
    void putDatabase(const StoreRows& rows, const std::vector<FieldDescriptor>& fields = programFields());
    // The rows a fresh open of the database finds; nothing when it does not open.
    std::optional<StoreRows> databaseRows();

    // The next user step, run when the program next processes events after the previous
    // step, by default once no handler runs.
    void then(std::function<void()> step, StepTiming timing = StepTiming::idle());
    // Runs the program until it ends; a step the user cannot do fails the test.
    void run();

    // A control by its form name (UTF-8), of the main window unless another is named.
    tk::ControlRef control(std::string_view formName, std::string_view window = "MainWindow") const;
    // The user's select-all and paste, and a click, on a control named as above.
    void paste(std::string_view control, std::string_view text, std::string_view window = "MainWindow");
    void click(std::string_view control, std::string_view window = "MainWindow");
    // What a control shows: an edit box's text, a caption.
    std::string text(std::string_view control, std::string_view window = "MainWindow") const;
    std::string caption() const;
    // The texts of the message boxes shown so far (GBK).
    std::vector<std::string> messages() const;

    FaultyFileSystem disk;
    HeadlessServices services;
    HeadlessToolkit ui{services};
};

} // namespace extdict::test
