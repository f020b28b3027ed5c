// The toolkit contract's event order, which no scenario can observe directly.
#include <gtest/gtest.h>

#include "test_window.h"

namespace extdict::testing {
namespace {

using tk::EventKind;

TEST(HeadlessEvents, SetTextRaisesTextChangedOnceEvenWhenUnchanged) {
    ToolkitFixture f;
    f.load();
    for (const char* text : {"abc", "abc", ""}) {
        f.log.events.clear();
        f.ui.setText(f.ref("edit"), text);
        EXPECT_EQ(f.log.kinds(), std::vector{EventKind::TextChanged}) << text;
        EXPECT_EQ(f.ui.text(f.ref("edit")), text);
    }
    f.ui.append(f.ref("edit"), "de");
    EXPECT_EQ(f.log.count(EventKind::TextChanged), 2);
    EXPECT_EQ(f.ui.text(f.ref("edit")), "de");
}

TEST(HeadlessEvents, CaptionsAndLabelsChangeWithoutEvents) {
    ToolkitFixture f;
    f.load();
    f.ui.setText({f.window}, "new caption");
    f.ui.setText(f.ref("label"), std::string_view("cut\0here", 8));
    EXPECT_TRUE(f.log.events.empty());
    EXPECT_EQ(f.ui.text({f.window}), "new caption");
    EXPECT_EQ(f.ui.text(f.ref("label")), "cut");
}

TEST(HeadlessEvents, ItemSelectedComesFromTheUserOnly) {
    ToolkitFixture f;
    f.load();
    const auto list = f.ref("list");
    f.ui.listAdd(list, "a");
    f.ui.listAdd(list, "b");
    f.ui.setListSelection(list, 1);
    EXPECT_TRUE(f.log.events.empty());
    f.ui.selectListItem(list, 0);
    EXPECT_EQ(f.log.events, (std::vector<RecordedEvent>{{EventKind::ItemSelected, "list"}}));
    EXPECT_EQ(f.ui.listSelection(list), 0);
}

TEST(HeadlessEvents, LoadRaisesCreatedPositionSizeThenShows) {
    HeadlessServices services;
    HeadlessToolkit ui(services);
    std::vector<std::string> seen;
    tk::Bindings bindings;
    for (auto kind : {EventKind::Created, EventKind::PositionChanged, EventKind::SizeChanged})
        bindings.push_back({"", kind, [&, kind](const tk::Event& e) {
                                seen.push_back(std::to_string(static_cast<int>(kind)) +
                                               (ui.visible({e.source.window}) ? "v" : "h"));
                                return true;
                            }});
    const auto id = ui.loadWindow(testForm(), bindings, std::nullopt, false);
    const auto num = [](EventKind k) { return std::to_string(static_cast<int>(k)) + "h"; };
    EXPECT_EQ(seen, (std::vector{num(EventKind::Created), num(EventKind::PositionChanged),
                                 num(EventKind::SizeChanged)}));
    EXPECT_TRUE(ui.visible({id}));
    EXPECT_TRUE(ui.everShown("W"));
}

TEST(HeadlessEvents, WindowDestroyedDuringCreatedGetsNoFurtherEvents) {
    HeadlessServices services;
    HeadlessToolkit ui(services);
    int later = 0;
    tk::Bindings bindings{
        {"", EventKind::Created,
         [&](const tk::Event& e) {
             ui.destroyWindow(e.source.window);
             ui.processEvents();
             return true;
         }},
        {"", EventKind::PositionChanged, [&](const tk::Event&) { return ++later, true; }},
        {"", EventKind::SizeChanged, [&](const tk::Event&) { return ++later, true; }}};
    const auto id = ui.loadWindow(testForm(), bindings, std::nullopt, false);
    EXPECT_EQ(later, 0);
    EXPECT_FALSE(ui.exists({id}));
    EXPECT_FALSE(ui.everShown("W"));
}

TEST(HeadlessEvents, DestroyWaitsForEventsAndRaisesWillBeDestroyedNotCanBeClosed) {
    ToolkitFixture f;
    f.load();
    f.ui.destroyWindow(f.window);
    f.ui.destroyWindow(f.window);
    EXPECT_TRUE(f.ui.exists({f.window}));
    EXPECT_TRUE(f.log.events.empty());
    f.ui.processEvents();
    EXPECT_EQ(f.log.events, (std::vector<RecordedEvent>{{EventKind::WillBeDestroyed, ""}}));
    EXPECT_FALSE(f.ui.exists({f.window}));
    EXPECT_FALSE(f.ui.exists(f.ref("edit")));
}

TEST(HeadlessEvents, CloseBoxAsksThenDestroysUnlessRefused) {
    ToolkitFixture f;
    f.load();
    f.log.answer = false;
    f.ui.closeWindow(f.window);
    EXPECT_EQ(f.log.kinds(), std::vector{EventKind::CanBeClosed});
    EXPECT_TRUE(f.ui.exists({f.window}));
    f.log.answer = true;
    f.ui.closeWindow(f.window);
    EXPECT_EQ(f.log.kinds(), (std::vector{EventKind::CanBeClosed, EventKind::CanBeClosed,
                                          EventKind::WillBeDestroyed}));
    EXPECT_FALSE(f.ui.exists({f.window}));
}

TEST(HeadlessEvents, DialogModeDisablesOtherWindowsUntilItGoes) {
    ToolkitFixture f;
    const auto main = f.load();
    const auto dialog = f.load(true);
    EXPECT_FALSE(f.ui.enabled(main));
    EXPECT_TRUE(f.ui.enabled(dialog));
    EXPECT_THROW(f.ui.click({main, f.ui.controlNamed(main, "button")}), HeadlessScriptError);
    f.ui.destroyWindow(dialog);
    f.ui.processEvents();
    EXPECT_TRUE(f.ui.enabled(main));
    f.ui.click({main, f.ui.controlNamed(main, "button")});
    EXPECT_EQ(f.log.count(EventKind::Clicked), 1);
}

TEST(HeadlessEvents, OwnedWindowsGoBeforeTheirOwner) {
    ToolkitFixture f;
    const auto owner = f.load();
    const tk::WindowForm form = testForm();
    const auto owned = f.ui.loadWindow(form, f.log.bindAll(form), tk::ControlRef{owner}, false);
    f.log.events.clear();
    f.ui.destroyWindow(owner);
    f.ui.processEvents();
    EXPECT_FALSE(f.ui.exists({owned}));
    EXPECT_EQ(f.log.count(EventKind::WillBeDestroyed), 2);
}

TEST(HeadlessEvents, ProgramMovesOfAWindowRaiseWhatChanged) {
    ToolkitFixture f;
    f.load();
    f.ui.move({f.window}, std::nullopt, std::nullopt, 400, std::nullopt);
    f.ui.move({f.window}, 30, std::nullopt, std::nullopt, std::nullopt);
    f.ui.move({f.window}, 30, 20, 400, 200);
    EXPECT_EQ(f.log.kinds(), (std::vector{EventKind::SizeChanged, EventKind::PositionChanged}));
    f.ui.move(f.ref("edit"), std::nullopt, 9, -5, std::nullopt);
    EXPECT_EQ(f.ui.top(f.ref("edit")), 9);
    EXPECT_EQ(f.ui.width(f.ref("edit")), 0);
    EXPECT_EQ(f.ui.left(f.ref("edit")), 5);
}

} // namespace
} // namespace extdict::testing
