#include "app/status_flash.h"

#include <cstdint>

namespace extdict {
namespace {

constexpr std::uint32_t kStatusMilliseconds = 2000;
constexpr int kPollMilliseconds = 10;

} // namespace

void showStatus(App& app, std::string_view message) {
    app.ui.setText({app.main.window}, message);
}

void waitAndRestoreCaption(App& app) {
    const std::uint32_t start = app.ui.uptime();
    std::uint32_t elapsed = 0;
    while (elapsed < kStatusMilliseconds) {
        elapsed = app.ui.uptime() - start;  // unsigned difference survives the counter's wrap
        app.ui.sleep(kPollMilliseconds);
        app.ui.processEvents();
    }
    app.ui.setText({app.main.window}, app.state.savedCaption);
}

void statusFlash(App& app, std::string_view message) {
    showStatus(app, message);
    waitAndRestoreCaption(app);
}

} // namespace extdict
