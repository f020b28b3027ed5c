// The scenario runner, driven against a tiny program written for the test.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "scenario_runner.h"

namespace extdict::scenario {
namespace {

using tk::EventKind;

tk::WindowForm fakeForm() {
    tk::WindowForm form;
    form.name = "Main";
    form.caption = "Fake";
    form.width = 300;
    form.height = 200;
    form.hasIcon = true;
    form.controls = {
        {"box", tk::ControlKind::EditBox, 5, 5, 100, 24, "", {}, "", "", ""},
        {"save", tk::ControlKind::Button, 5, 40, 60, 24, "&Save", {}, "", "", ""},
        {"ask", tk::ControlKind::Button, 70, 40, 60, 24, "Ask", {}, "", "", ""},
        {"status", tk::ControlKind::Label, 5, 70, 200, 24, "", {}, "", "", ""},
    };
    return form;
}

// Shows the box's length, saves the box to out.txt while it flashes "saved" for 100 ms,
// asks a yes/no question, and exits with 7 from the tray's right button.
void fakeProgram(tk::Toolkit& ui, Services& services) {
    tk::WindowId main = 0;
    const auto control = [&](const char* name) {
        return tk::ControlRef{main, ui.controlNamed(main, name)};
    };
    const auto on = [](const char* c, EventKind kind, std::function<void(const tk::Event&)> run) {
        return tk::Binding{c, kind, [run](const tk::Event& e) { return run(e), true; }};
    };
    tk::Bindings bindings{
        on("", EventKind::Created,
           [&](const tk::Event& e) {
               main = e.source.window;
               ui.setTrayIcon(main, "tip");
           }),
        on("box", EventKind::TextChanged,
           [&](const tk::Event&) {
               ui.setText(control("status"),
                          "len " + std::to_string(ui.text(control("box")).size()));
           }),
        on("save", EventKind::Clicked,
           [&](const tk::Event&) {
               services.files().writeWholeFile(
                   services.joinPath(services.executableDirectory(), "out.txt"),
                   ui.text(control("box")));
               ui.setText({main}, "saved");
               for (const std::uint32_t start = ui.uptime(); ui.uptime() - start < 100;) {
                   ui.sleep(10);
                   ui.processEvents();
               }
               ui.setText({main}, "Fake");
           }),
        on("ask", EventKind::Clicked,
           [&](const tk::Event&) {
               const auto answer =
                   ui.messageBox("sure?", tk::MessageIcon::Question, tk::MessageButtons::YesNo);
               ui.setText(control("status"), answer == tk::Answer::Yes ? "yes" : "no");
           }),
        on("", EventKind::Tray,
           [&](const tk::Event& e) {
               if (e.trayKind == 3) ui.exit(7);
           }),
    };
    ui.loadWindow(fakeForm(), bindings, std::nullopt, false);
    ui.runEventLoop();
    ui.exit(0);
}

struct Outcome {
    int result;
    std::string output;
};

Outcome run(const std::string& script) {
    const auto path = std::filesystem::temp_directory_path() / "extdict-runner-test.scn";
    std::ofstream(path) << script;
    std::ostringstream output;
    const int result = runScenarioFile(path.string(), fakeProgram, output);
    std::filesystem::remove(path);
    return {result, output.str()};
}

TEST(ScenarioRunner, APassingScenarioRunsSilently) {
    const Outcome outcome = run(R"(# set-up, a run, and checks after it
file in.txt utf8 "é\x00"
start
check text Main "Fake"
check tray Main "tip"
type box "abc"
check text status "len 3"
click save
check text Main "saved"
wait 50
check text Main "saved"
check time 60
idle
check text Main "Fake"
answer Yes
click ask
check message question yes-no "sure?"
check text status "yes"
tray Main 3
check exit 7
check file out.txt gbk "abc"
check file in.* hex "C3 A9 00"
check gone Main
)");
    EXPECT_EQ(outcome.output, "");
    EXPECT_EQ(outcome.result, 0);
}

TEST(ScenarioRunner, AFailedCheckNamesTheLineWhatWasExpectedAndWhatWasSeen) {
    const Outcome outcome = run("start\ntype box \"文\"\ncheck text status \"len 3\"\n"
                                "check text Main \"Fake\"\n");
    EXPECT_EQ(outcome.result, 1);
    EXPECT_NE(outcome.output.find(":3: text of \"status\": expected \"len 3\", saw \"len 2\""),
              std::string::npos)
        << outcome.output;
}

TEST(ScenarioRunner, ABrokenFileIsReportedBeforeAnythingRuns) {
    const Outcome outcome = run("start\nfrobnicate x\ncheck text\ntype box \"open\n");
    EXPECT_EQ(outcome.result, 2);
    for (const char* part : {"line 2: unknown verb", "line 3: usage: check text REF TEXT",
                             "line 4: a quoted text has no closing quote"})
        EXPECT_NE(outcome.output.find(part), std::string::npos) << part << "\n" << outcome.output;
}

TEST(ScenarioRunner, AStepThatCannotBeDoneStopsTheScenario) {
    const Outcome outcome = run("start\nclick status\ncheck text Main \"never\"\n");
    EXPECT_EQ(outcome.result, 1);
    EXPECT_NE(outcome.output.find(":2: cannot click \"status\""), std::string::npos)
        << outcome.output;
    EXPECT_EQ(outcome.output.find("never"), std::string::npos) << outcome.output;
}

TEST(ScenarioRunner, ForgottenAndUnusedAnswersAreFailures) {
    const Outcome forgotten = run("start\nclick ask\ncheck text status \"no\"\n");
    EXPECT_EQ(forgotten.result, 1);
    EXPECT_NE(forgotten.output.find("had no answer queued"), std::string::npos) << forgotten.output;
    const Outcome unused = run("answer OK\nstart\n");
    EXPECT_EQ(unused.result, 1);
    EXPECT_NE(unused.output.find("1 queued answer(s) were never asked for"), std::string::npos)
        << unused.output;
}

TEST(ScenarioRunner, ActionsAfterTheProgramEndedAreRefused) {
    const Outcome outcome = run("start\ntray Main 3\ntype box \"x\"\n");
    EXPECT_EQ(outcome.result, 1);
    EXPECT_NE(outcome.output.find(":3: the program is not running"), std::string::npos)
        << outcome.output;
}

TEST(ScenarioRunner, CaptionHistoryFindsCaptionsInOrder) {
    const Outcome outcome =
        run("start\nclick save\nidle\ncheck text Main \"Fake\"\n"
            "check caption-shown Main \"saved\"\ncheck caption-shown Main \"Fake\"\n"
            "check caption-shown Main \"saved\"\n");
    EXPECT_EQ(outcome.result, 1);
    EXPECT_NE(outcome.output.find(":7: the caption was not \"saved\" since the last check"),
              std::string::npos)
        << outcome.output;
    EXPECT_EQ(outcome.output.find(":5:"), std::string::npos) << outcome.output;
}

TEST(ScenarioRunner, TextsHoldEscapesAndFilledInValues) {
    const Outcome outcome = run("start\npaste box \"a\\r\\n\\x81\\\\\"\n"
                                "check text status \"len ${length box}\"\n"
                                "check length box 5\n");
    EXPECT_EQ(outcome.output, "");
    EXPECT_EQ(outcome.result, 0);
}

} // namespace
} // namespace extdict::scenario
