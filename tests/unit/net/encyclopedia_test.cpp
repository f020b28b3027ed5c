#include <gtest/gtest.h>

#include "encyclopedia_window.h"
#include "support/recording_transport.h"

namespace extdict {
namespace {

using testing::EncyclopediaWindow;
using testing::RecordingTransport;

class EncyclopediaTest : public ::testing::Test {
protected:
    EncyclopediaTest() {
        w.services.setHttpTransport(transport);
        w.services.setEncyclopediaHost("http://ency.test");
    }
    void answer(std::string response) { transport.addBodyChunk(std::move(response)); }
    std::size_t requests() const { return transport.callsTo("httpOpenRequest").size(); }

    EncyclopediaWindow w;
    RecordingTransport transport;
};

TEST_F(EncyclopediaTest, EmptyBoxOnlyShowsTheMessage) {
    w.cache = {"http://old/", "old summary", "old"};
    w.ui.setText(w.link, "caption");
    w.lookUp("", true);
    ASSERT_EQ(w.ui.messageBoxes().size(), 1u);
    EXPECT_EQ(w.ui.messageBoxes()[0].text, gbk("请先输入扩展名再单击链接或百科知识按钮！"));
    EXPECT_EQ(w.ui.messageBoxes()[0].icon, tk::MessageIcon::Information);
    EXPECT_EQ(w.ui.messageBoxes()[0].buttons, tk::MessageButtons::Ok);
    EXPECT_TRUE(transport.calls().empty());
    EXPECT_EQ(w.linkCaption(), "caption");
    EXPECT_EQ(w.cache.summary, "old summary");
    EXPECT_TRUE(w.services.startedPrograms().empty());
}

TEST_F(EncyclopediaTest, FetchesBothElementsAndSetsTheLinkTarget) {
    answer("x<link>http://ency.test/item/txt</link>y<text>S</text>z");
    w.lookUp("txt", false);
    EXPECT_EQ(w.cache.link, "http://ency.test/item/txt");
    EXPECT_EQ(w.cache.summary, "S");
    EXPECT_EQ(w.cache.extension, "txt");
    EXPECT_EQ(w.ui.linkTarget(w.link), "http://ency.test/item/txt");
    EXPECT_TRUE(w.services.startedPrograms().empty());
    const auto connect = transport.onlyCallTo("internetConnect");
    EXPECT_EQ(connect.args[1], "ency.test");
    EXPECT_EQ(connect.args[2], "80");
    EXPECT_EQ(transport.onlyCallTo("httpOpenRequest").args[1], "GET");
    EXPECT_EQ(transport.onlyCallTo("httpOpenRequest").args[2], "/s?cl=3&wd=txt");
}

TEST_F(EncyclopediaTest, EncodesEveryByteThatCouldChangeTheQuery) {
    w.lookUp(gbk("a b&c#d%文件"), false);
    EXPECT_EQ(transport.onlyCallTo("httpOpenRequest").args[2],
              "/s?cl=3&wd=a%20b%26c%23d%25%CE%C4%BC%FE");
}

TEST_F(EncyclopediaTest, SameExtensionTwiceMakesOneRequestAndOtherCaseMakesAnother) {
    answer("<text>lower</text>");
    w.lookUp("txt", false);
    w.lookUp("txt", false);
    EXPECT_EQ(requests(), 1u);
    answer("<text>upper</text>");
    w.lookUp("TXT", false);
    EXPECT_EQ(requests(), 2u);
    EXPECT_EQ(w.cache.summary, "upper");
    EXPECT_EQ(w.cache.extension, "TXT");
}

TEST_F(EncyclopediaTest, FailedRequestCachesEmptyResultsForTheExtension) {
    w.cache = {"http://old/", "old", "doc"};
    transport.refuseConnection();
    w.lookUp("txt", true);
    EXPECT_EQ(w.cache.link, "");
    EXPECT_EQ(w.cache.summary, "");
    EXPECT_EQ(w.cache.extension, "txt");
    EXPECT_EQ(w.ui.linkTarget(w.link), "");
    EXPECT_TRUE(w.services.startedPrograms().empty());
    w.lookUp("txt", true);
    EXPECT_EQ(requests(), 0u);
    EXPECT_EQ(transport.callsTo("internetConnect").size(), 1u);
}

TEST_F(EncyclopediaTest, CaptionShowsProgressOnlyWhenOpeningThePage) {
    std::vector<std::string> captionsDuringRequest;
    w.ui.addStep([&] { captionsDuringRequest.push_back(w.linkCaption()); });
    w.ui.setText(w.link, "before");
    w.lookUp("txt", false);
    w.ui.addStep([&] { captionsDuringRequest.push_back(w.linkCaption()); });
    w.lookUp("doc", true);
    EXPECT_EQ(captionsDuringRequest,
              (std::vector<std::string>{"before", gbk("正在进入百科网页...")}));
    EXPECT_EQ(w.linkCaption(), gbk("查看网页版百科知识(&W)..."));
}

TEST_F(EncyclopediaTest, ButtonModeResetsTheCaptionEvenFromTheCache) {
    w.cache = {"", "", "txt"};
    w.ui.setText(w.link, "before");
    w.lookUp("txt", false);
    EXPECT_EQ(w.linkCaption(), gbk("查看网页版百科知识(&W)..."));
}

TEST_F(EncyclopediaTest, ExtensionIsReadAgainAfterTheRequest) {
    answer("<text>S</text>");
    w.ui.addStep([&] { w.ui.pasteText(w.extensionBox, "doc"); });
    w.lookUp("txt", false);
    EXPECT_EQ(w.cache.extension, "doc");
    EXPECT_EQ(w.cache.summary, "S");
    EXPECT_EQ(transport.onlyCallTo("httpOpenRequest").args[2], "/s?cl=3&wd=txt");
}

TEST_F(EncyclopediaTest, OpensAWebLinkOnceThroughTheBrowserCommand) {
    answer("<link>http://ency.test/item/txt</link>");
    w.lookUp("txt", true);
    w.lookUp("txt", true);
    EXPECT_EQ(w.services.startedPrograms(),
              (std::vector<std::string>{"explorer http://ency.test/item/txt",
                                        "explorer http://ency.test/item/txt"}));
    EXPECT_EQ(requests(), 1u);
    EXPECT_TRUE(w.services.openedAddresses().empty());
}

class HostileLinkTest : public EncyclopediaTest,
                        public ::testing::WithParamInterface<std::string> {};

TEST_P(HostileLinkTest, IsNeverStarted) {
    answer("<link>" + GetParam() + "</link>");
    w.lookUp("txt", true);
    EXPECT_EQ(w.cache.link, GetParam());
    EXPECT_TRUE(w.services.startedPrograms().empty());
}

INSTANTIATE_TEST_SUITE_P(Links, HostileLinkTest,
                         ::testing::Values("", "C:\\Windows\\System32\\calc.exe",
                                           "file:///C:/Windows/System32/calc.exe",
                                           "http://x/ -new-window calc", "cmd /c del *"));

} // namespace
} // namespace extdict
