#include "exchange_fixture.h"

#include "exchange/input_window_form.h"
#include "text/encoding.h"

namespace extdict::exchange_test {
namespace {

const std::string kStorePath = "C:\\dict\\store.edb";

std::vector<FieldDescriptor> programFields() {
    return {{gbk("扩展名"), 10, 50}, {gbk("注释"), 10, 512}};
}

} // namespace

std::ostream& operator<<(std::ostream& out, const Record& record) {
    return out << "{" << record.extension << " | " << record.note
               << (record.deleted ? " | deleted" : "") << "}";
}

StoreOnDisk::StoreOnDisk(const Records& records) {
    EXPECT_TRUE(store.create(kStorePath, programFields()));
    EXPECT_TRUE(store.open(kStorePath));
    for (const Record& record : records) {
        EXPECT_TRUE(store.addRecord(record.extension, record.note));
        if (record.deleted) {
            EXPECT_TRUE(store.markDeleted());
        }
    }
    store.goTo(1);
}

Records StoreOnDisk::records() const {
    Records result;
    for (int record = 1; record <= store.recordCount(); ++record)
        result.push_back({std::string(store.fieldView(record, 1)),
                          std::string(store.fieldView(record, 2)), store.isDeletedAt(record)});
    return result;
}

HeadlessProgram::HeadlessProgram() {
    services.setFileSystem(files);
}

tk::WindowId HeadlessProgram::inputWindow() const {
    const auto window = ui.findWindow(inputWindowForm().name);
    return window ? *window : 0;
}

bool HeadlessProgram::inputWindowOpen() const {
    return ui.findWindow(inputWindowForm().name).has_value();
}

tk::ControlRef HeadlessProgram::inputControl(const char* name) const {
    const tk::WindowId window = inputWindow();
    return {window, ui.controlNamed(window, gbk(name))};
}

bool HeadlessProgram::showWith(const InputWindowRequest& request,
                               std::vector<std::function<void()>> steps) {
    for (auto& step : steps)
        ui.addStep(std::move(step));
    const bool confirmed = showInputWindow(context, request);
    EXPECT_EQ(ui.pendingSteps(), 0u) << "the window closed before the script was done";
    return confirmed;
}

void HeadlessProgram::open(const InputWindowRequest& request) {
    openInputWindow(session, request);
}

} // namespace extdict::exchange_test
