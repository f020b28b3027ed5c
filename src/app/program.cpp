#include "app/program.h"

#include <cstdlib>

#include "app/app.h"
#include "app/main_window_bindings.h"
#include "app/main_window_form.h"

namespace extdict {

void runProgram(tk::Toolkit& ui, Services& services) {
    App app(ui, services);
    ui.setExitCleanup([&app] { app.state.release(); });
    ui.loadWindow(mainWindowForm(), mainWindowBindings(app), std::nullopt, false);
    ui.runEventLoop();
    ui.exit(0);
    std::abort();  // the toolkit's exit does not return; one that did would be broken
}

} // namespace extdict
