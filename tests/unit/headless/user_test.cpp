// The scripted user: typing, keys, clicks, links, the frame and the tray.
#include <gtest/gtest.h>

#include "test_window.h"
#include "text/encoding.h"

namespace extdict::testing {
namespace {

using tk::EventKind;

TEST(HeadlessUser, TypingRaisesKeyDownChangeKeyUpPerCharacter) {
    ToolkitFixture f;
    f.load();
    f.ui.typeText(f.ref("edit"), "aB?");
    const std::vector<RecordedEvent> expected{
        {EventKind::KeyDown, "edit", 'A', 0},  {EventKind::TextChanged, "edit"},
        {EventKind::KeyUp, "edit", 'A', 0},    {EventKind::KeyDown, "edit", 'B', 2},
        {EventKind::TextChanged, "edit"},      {EventKind::KeyUp, "edit", 'B', 2},
        {EventKind::KeyDown, "edit", 0xBF, 2}, {EventKind::TextChanged, "edit"},
        {EventKind::KeyUp, "edit", 0xBF, 2}};
    EXPECT_EQ(f.log.events, expected);
    EXPECT_EQ(f.ui.text(f.ref("edit")), "aB?");
    EXPECT_EQ(f.ui.selectionStart(f.ref("edit")), 3);
}

TEST(HeadlessUser, DoubleByteCharactersArriveWithoutKeys) {
    ToolkitFixture f;
    f.load();
    f.ui.typeText(f.ref("edit"), gbk("文件"));
    EXPECT_EQ(f.log.kinds(), (std::vector{EventKind::TextChanged, EventKind::TextChanged}));
    EXPECT_EQ(f.ui.text(f.ref("edit")), gbk("文件"));
}

TEST(HeadlessUser, SwallowedKeysDoNotReachTheBox) {
    ToolkitFixture f;
    f.load();
    f.ui.setText(f.ref("memo"), "ab");
    f.ui.setSelectionStart(f.ref("memo"), 2);
    f.log.answer = false;
    f.ui.typeText(f.ref("memo"), "x \r\n");
    f.ui.pressKey(f.ref("memo"), 8);
    EXPECT_EQ(f.ui.text(f.ref("memo")), "ab");
    EXPECT_EQ(f.log.count(EventKind::TextChanged), 1); // the setText only
    EXPECT_EQ(f.log.count(EventKind::KeyUp), 4);
}

TEST(HeadlessUser, KeysEditTheBoxWhenNotSwallowed) {
    ToolkitFixture f;
    f.load();
    const auto memo = f.ref("memo");
    f.ui.typeText(memo, gbk("a文"));
    f.ui.pressKey(memo, 8); // Backspace takes the whole double-byte character
    EXPECT_EQ(f.ui.text(memo), "a");
    f.ui.typeText(memo, "\r\nb");
    EXPECT_EQ(f.ui.text(memo), "a\r\nb");
    f.ui.pressKey(memo, tk::key::Left);
    f.ui.pressKey(memo, 46); // Delete
    EXPECT_EQ(f.ui.text(memo), "a\r\n");
    f.ui.pressKey(f.ref("edit"), tk::key::Enter); // a single-line box ignores Enter
    EXPECT_EQ(f.ui.text(f.ref("edit")), "");
}

TEST(HeadlessUser, UserByteLimitRefusesTypingButNotTheProgram) {
    ToolkitFixture f;
    f.load();
    const auto memo = f.ref("memo");
    f.ui.typeText(memo, "123456789");
    f.ui.typeText(memo, gbk("文")); // 11 bytes: refused
    f.ui.typeText(memo, "0x");
    EXPECT_EQ(f.ui.text(memo), "1234567890");
    f.ui.pasteText(memo, gbk("一二三四五六"));
    EXPECT_EQ(f.ui.text(memo), gbk("一二三四五"));
    f.ui.setText(memo, std::string(600, 'a'));
    EXPECT_EQ(f.ui.text(memo).size(), 600u);
}

TEST(HeadlessUser, PasteReplacesTheWholeTextWithOneChange) {
    ToolkitFixture f;
    f.load();
    f.ui.setText(f.ref("edit"), "old");
    f.log.events.clear();
    f.ui.pasteText(f.ref("edit"), "new text");
    EXPECT_EQ(f.log.kinds(), std::vector{EventKind::TextChanged});
    EXPECT_EQ(f.ui.text(f.ref("edit")), "new text");
}

TEST(HeadlessUser, UnreachableTargetsAreRefused) {
    ToolkitFixture f;
    f.load();
    f.ui.setVisible(f.ref("shape"), false);
    EXPECT_THROW(f.ui.click(f.ref("inner")), HeadlessScriptError);
    EXPECT_THROW(f.ui.click(f.ref("label")), HeadlessScriptError);
    EXPECT_THROW(f.ui.typeText(f.ref("list"), "x"), HeadlessScriptError);
    EXPECT_THROW(f.ui.selectListItem(f.ref("list"), 0), HeadlessScriptError);
    f.ui.setVisible({f.window}, false);
    EXPECT_THROW(f.ui.click(f.ref("button")), HeadlessScriptError);
    EXPECT_TRUE(f.log.events.empty());
}

TEST(HeadlessUser, LinkOpensItsTargetUnlessTheHandlerStopsIt) {
    ToolkitFixture f;
    f.load();
    const auto link = f.ref("link");
    f.ui.click(link); // empty target: nothing to open
    f.ui.setLinkTarget(link, "http://a/");
    f.ui.pressLink(link);
    f.log.answer = false;
    f.ui.pressLink(link);
    EXPECT_EQ(f.services.openedAddresses(), std::vector<std::string>{"http://a/"});
    EXPECT_EQ(f.log.count(EventKind::LinkPressed), 3);
}

TEST(HeadlessUser, AcceleratorPressesTheMarkedControl) {
    ToolkitFixture f;
    f.load();
    f.ui.pressAccelerator(f.window, 'g');
    f.ui.pressAccelerator(f.window, 'K');
    f.ui.pressAccelerator(f.window, 'z');
    EXPECT_EQ(f.log.events, (std::vector<RecordedEvent>{{EventKind::Clicked, "button"},
                                                        {EventKind::LinkPressed, "link"}}));
}

TEST(HeadlessUser, FrameSizesAndMinimiseRestore) {
    ToolkitFixture f;
    f.load();
    EXPECT_EQ(f.ui.clientWidth(f.window), 300 - 16);
    EXPECT_EQ(f.ui.clientHeight(f.window), 200 - 39);
    std::vector<std::pair<int, int>> sizes;
    f.ui.resizeWindow(f.window, 400, 250);
    sizes.push_back({f.ui.width({f.window}), f.ui.height({f.window})});
    f.ui.minimiseWindow(f.window);
    sizes.push_back({f.ui.width({f.window}), f.ui.clientWidth(f.window)});
    EXPECT_THROW(f.ui.click(f.ref("button")), HeadlessScriptError);
    f.ui.restoreWindow(f.window);
    sizes.push_back({f.ui.width({f.window}), f.ui.height({f.window})});
    EXPECT_EQ(sizes, (std::vector<std::pair<int, int>>{{400, 250}, {160, 0}, {400, 250}}));
    EXPECT_EQ(f.log.kinds(), (std::vector{EventKind::SizeChanged, EventKind::PositionChanged,
                                          EventKind::SizeChanged, EventKind::PositionChanged,
                                          EventKind::SizeChanged}));
}

TEST(HeadlessUser, TrayDoubleClickDeliversOneTwoOne) {
    ToolkitFixture f;
    f.load();
    EXPECT_THROW(f.ui.trayEvent(f.window, 1), HeadlessScriptError);
    f.ui.setTrayIcon(f.window, "tip");
    f.ui.trayDoubleClick(f.window);
    std::vector<int> kinds;
    for (const auto& e : f.log.events)
        kinds.push_back(e.trayKind);
    EXPECT_EQ(kinds, (std::vector{1, 2, 1}));
}

TEST(HeadlessUser, TrayTipIsCutToWholeCharactersAndGoesWithTheWindow) {
    ToolkitFixture f;
    f.load();
    const std::string tip = std::string(61, 'a') + gbk("文字");
    f.ui.setTrayIcon(f.window, tip);
    EXPECT_EQ(f.ui.trayTip(f.window), std::string(61, 'a'));
    f.ui.setTrayIcon(f.window, std::string(70, 'b'));
    EXPECT_EQ(f.ui.trayTip(f.window), std::string(62, 'b'));
    f.ui.destroyWindow(f.window);
    f.ui.processEvents();
    EXPECT_EQ(f.ui.trayTip(f.window), std::nullopt);
}

TEST(HeadlessUser, ListSelectionClampsAndOutsideItemsReadEmpty) {
    ToolkitFixture f;
    f.load();
    const auto list = f.ref("list");
    f.ui.setListSelection(list, 0);
    EXPECT_EQ(f.ui.listSelection(list), -1);
    EXPECT_EQ(f.ui.listAdd(list, "a"), 0);
    EXPECT_EQ(f.ui.listAdd(list, "b"), 1);
    f.ui.setListItemValue(list, 1, 7);
    f.ui.setListItemValue(list, 5, 9);
    f.ui.setListSelection(list, 9);
    EXPECT_EQ(f.ui.listSelection(list), 1);
    f.ui.setListSelection(list, -3);
    EXPECT_EQ(f.ui.listSelection(list), -1);
    EXPECT_EQ(f.ui.listItemValue(list, 1), 7);
    EXPECT_EQ(f.ui.listItemValue(list, 2), -1);
    EXPECT_EQ(f.ui.listItemValue(list, -1), -1);
    EXPECT_EQ(f.ui.listItemText(list, 2), "");
}

} // namespace
} // namespace extdict::testing
