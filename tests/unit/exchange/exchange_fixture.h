#pragma once
// What the exchange tests share: a store on an in-memory disk with its records as plain
// values, and a headless program in which the text input window is opened.

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "exchange/input_window.h"
#include "exchange/input_window_session.h"
#include "store/record_store.h"
#include "support/faulty_file_system.h"
#include "toolkit/headless/headless_services.h"
#include "toolkit/headless/headless_toolkit.h"

namespace extdict::exchange_test {

struct Record {
    std::string extension;
    std::string note;
    bool deleted = false;
    bool operator==(const Record&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Record& record);
using Records = std::vector<Record>;

// A store with the program's schema, holding the given records; record 1 is current.
class StoreOnDisk {
  public:
    explicit StoreOnDisk(const Records& records = {});
    Records records() const;

    test::FaultyFileSystem files;
    RecordStore store{files};
};

// A headless program with an in-memory disk, and the state the input window works with.
class HeadlessProgram : public ::testing::Test {
  protected:
    HeadlessProgram();

    // A control of the open input window, by its form name (UTF-8).
    tk::ControlRef inputControl(const char* name) const;
    tk::WindowId inputWindow() const;
    bool inputWindowOpen() const;

    // Shows the window through showInputWindow; `steps` run one by one while it is open.
    bool showWith(const InputWindowRequest& request, std::vector<std::function<void()>> steps);

    // Opens the window without waiting for it, so a test can act and look in between.
    void open(const InputWindowRequest& request);

    test::FaultyFileSystem files;
    HeadlessServices services;
    HeadlessToolkit ui{services};
    InputWindowParams params;
    bool inputConfirmed = true;
    std::string inputResult = "earlier result";
    InputWindowContext context{ui, services, params, inputConfirmed, inputResult};
    InputWindowSession session{context, {}, {}};
};

} // namespace extdict::exchange_test
