// The virtual clock, scripted steps, nesting, the event loop and exit.
#include <gtest/gtest.h>

#include "test_window.h"

namespace extdict::testing {
namespace {

using tk::EventKind;

TEST(HeadlessClock, SleepAdvancesVirtualTimeAndUptimeWraps) {
    HeadlessServices services;
    HeadlessToolkit ui(services);
    ui.setUptimeStart(0xFFFFFFF0u);
    const std::uint32_t start = ui.uptime();
    ui.sleep(32);
    ui.sleep(-5);
    EXPECT_EQ(ui.uptime(), 16u);
    EXPECT_EQ(ui.uptime() - start, 32u);
    EXPECT_EQ(ui.elapsed(), 32u);
}

TEST(HeadlessClock, StepsRunOnePerProcessEventsInsideAHandler) {
    ToolkitFixture f;
    f.load();
    std::vector<std::string> trace;
    f.ui.addStep([&] { trace.push_back("first@" + std::to_string(f.ui.elapsed())); });
    f.ui.addStep([&] { trace.push_back("second@" + std::to_string(f.ui.elapsed())); },
                 StepTiming::after(25));
    f.ui.addStep([&] { trace.push_back("idle@" + std::to_string(f.ui.elapsed())); },
                 StepTiming::idle());
    // A handler that waits 50 ms, 10 ms at a time, as the status caption does.
    tk::Bindings bindings{{"button", EventKind::Clicked, [&](const tk::Event&) {
                               trace.push_back("wait");
                               for (int i = 0; i < 5; ++i) {
                                   f.ui.sleep(10);
                                   f.ui.processEvents();
                               }
                               trace.push_back("done");
                               return true;
                           }}};
    const auto id = f.ui.loadWindow(testForm(), bindings, std::nullopt, false);
    f.ui.click({id, f.ui.controlNamed(id, "button")});
    EXPECT_EQ(trace, (std::vector<std::string>{"wait", "first@10", "second@40", "done"}));
    f.ui.runEventLoop();
    EXPECT_EQ(trace.back(), "idle@50");
    EXPECT_EQ(f.ui.pendingSteps(), 0u);
}

TEST(HeadlessClock, EventLoopJumpsToTheNextStepAndEndsWithTheScriptOrTheWindows) {
    ToolkitFixture f;
    f.load();
    f.ui.addStep([] {}, StepTiming::at(5000));
    f.ui.addStep([&] { f.ui.closeWindow(f.window); }, StepTiming::after(100));
    f.ui.addStep([] { ADD_FAILURE() << "runs after the last window went"; });
    f.ui.runEventLoop();
    EXPECT_EQ(f.ui.elapsed(), 5100u);
    EXPECT_EQ(f.ui.pendingSteps(), 1u);
    EXPECT_EQ(f.log.kinds(), (std::vector{EventKind::CanBeClosed, EventKind::WillBeDestroyed}));
}

TEST(HeadlessClock, AWaitThatNoStepCanEndIsAStall) {
    ToolkitFixture f;
    f.load();
    f.ui.setStallLimit(1000);
    EXPECT_THROW(
        {
            while (true) {
                f.ui.sleep(10);
                f.ui.processEvents();
            }
        },
        HeadlessScriptError);
    EXPECT_LE(f.ui.elapsed(), 1100u);
}

TEST(HeadlessClock, ExitRunsTheCleanUpOnceAndNoHandlerAfterwards) {
    ToolkitFixture f;
    f.load();
    int cleanups = 0;
    f.ui.setExitCleanup([&] { ++cleanups; });
    f.ui.setTrayIcon(f.window, "tip");
    bool returned = false;
    try {
        f.ui.exit(3);
        returned = true;
    } catch (const HeadlessExit& exit) {
        EXPECT_EQ(exit.code, 3);
    }
    EXPECT_FALSE(returned);
    EXPECT_THROW(f.ui.exit(0), HeadlessExit);
    EXPECT_EQ(cleanups, 1);
    EXPECT_EQ(f.ui.exitCode(), 3);
    EXPECT_FALSE(f.ui.exists({f.window}));
    EXPECT_EQ(f.ui.trayTip(f.window), std::nullopt);
    f.ui.processEvents();
    EXPECT_TRUE(f.log.events.empty());
}

TEST(HeadlessClock, ExitFromANestedWaitUnwindsThroughTheHandlers) {
    ToolkitFixture f;
    bool resumed = false;
    tk::Bindings bindings{{"button", EventKind::Clicked, [&](const tk::Event&) {
                               f.ui.sleep(10);
                               f.ui.processEvents();
                               resumed = true;
                               return true;
                           }}};
    const auto id = f.ui.loadWindow(testForm(), bindings, std::nullopt, false);
    f.ui.addStep([&] { f.ui.exit(0); });
    EXPECT_THROW(f.ui.click({id, f.ui.controlNamed(id, "button")}), HeadlessExit);
    EXPECT_FALSE(resumed);
}

} // namespace
} // namespace extdict::testing
