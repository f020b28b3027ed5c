#include "app/program.h"

#include "app/app.h"
#include "app/main_window_bindings.h"
#include "app/main_window_form.h"

namespace extdict {

int runProgram(tk::Toolkit& ui, Services& services) {
    App app(ui, services);
    ui.setExitCleanup([&app] { app.state.release(); });
    ui.loadWindow(mainWindowForm(), mainWindowBindings(app), std::nullopt, false);
    ui.runEventLoop();
    ui.exit(0);
}

} // namespace extdict
