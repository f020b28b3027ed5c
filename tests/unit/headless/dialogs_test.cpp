// Message boxes and file dialogs answered from queues, and what the log keeps of them.
#include <gtest/gtest.h>

#include "test_window.h"

namespace extdict::testing {
namespace {

using tk::Answer;
using tk::MessageButtons;
using tk::MessageIcon;

TEST(HeadlessDialogs, QueuedAnswersInOrderAndTheCloseAnswerOtherwise) {
    HeadlessServices services;
    HeadlessToolkit ui(services);
    ui.queueAnswer(Answer::No);
    ui.queueCloseAnswer();
    EXPECT_EQ(ui.messageBox("a", MessageIcon::Question, MessageButtons::YesNoCancel), Answer::No);
    EXPECT_EQ(ui.messageBox("b", MessageIcon::Question, MessageButtons::OkCancel), Answer::Cancel);
    EXPECT_EQ(ui.messageBox("c", MessageIcon::Warning, MessageButtons::Ok), Answer::Ok);
    EXPECT_EQ(ui.messageBox("d", MessageIcon::Question, MessageButtons::YesNo), Answer::Cancel);
    const auto& shown = ui.messageBoxes();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0].how, HowAnswered::Button);
    EXPECT_EQ(shown[1].how, HowAnswered::CloseBox);
    EXPECT_EQ(shown[2].how, HowAnswered::Unanswered);
    EXPECT_EQ(shown[2].text, "c");
    EXPECT_EQ(shown[2].icon, MessageIcon::Warning);
}

TEST(HeadlessDialogs, AnAnswerTheBoxDoesNotOfferIsAScriptError) {
    HeadlessServices services;
    HeadlessToolkit ui(services);
    ui.queueAnswer(Answer::Yes);
    EXPECT_THROW(ui.messageBox("x", MessageIcon::Information, MessageButtons::Ok),
                 HeadlessScriptError);
}

TEST(HeadlessDialogs, FileDialogsTakeQueuedChoicesAndAreLogged) {
    HeadlessServices services;
    HeadlessToolkit ui(services);
    ui.queueFileChoice({{"a.txt"}});
    ui.queueFileChoice({{"b", "c"}});
    ui.queueFileChoice({{}, true});
    tk::FileDialogRequest save{tk::FileDialogMode::Save, "title", "f|*.*|", "txt", ""};
    EXPECT_EQ(ui.fileDialog(save), "a.txt");
    EXPECT_EQ(ui.multiSelectOpenDialog("pick", "all|*.*|"), (std::vector<std::string>{"b", "c"}));
    EXPECT_EQ(ui.fileDialog(save), std::nullopt);
    EXPECT_EQ(ui.multiSelectOpenDialog("again", ""), std::vector<std::string>{});
    const auto& shown = ui.fileDialogs();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0].kind, FileDialogKind::Save);
    EXPECT_EQ(shown[0].request.defaultExtension, "txt");
    EXPECT_EQ(shown[1].kind, FileDialogKind::MultiSelectOpen);
    EXPECT_EQ(shown[1].request.title, "pick");
    EXPECT_TRUE(shown[2].answered);
    EXPECT_FALSE(shown[3].answered);
}

} // namespace
} // namespace extdict::testing
