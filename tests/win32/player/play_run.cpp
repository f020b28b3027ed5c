#include "play_run.h"

#include <fstream>

#include "app/program.h"
#include "play.h"
#include "play_verbs.h"
#include "step_pump.h"
#include "world.h"

namespace extdict::player {
namespace {

void reportLeftovers(Play& play, const Line& last) {
    for (const std::string& problem : play.ui.answerProblems) play.fail(last, problem);
    if (!play.ui.answers.empty())
        play.fail(last, std::to_string(play.ui.answers.size()) + " queued answer(s) were never asked for");
    if (const auto replies = filesMatching(replySpool() + "\\*.reply"); !replies.empty())
        play.fail(last, std::to_string(replies.size()) + " queued HTTP repl(ies) were never asked for");
    if (!play.ui.fileChoices.empty())
        play.fail(last, std::to_string(play.ui.fileChoices.size()) +
                            " queued file choice(s) were never asked for");
}

} // namespace

void playSetUp(const std::string& file, const std::string& folder) {
    std::ifstream in(file);
    const PlayScript script = readScript(in);
    win32::Win32Toolkit real(GetModuleHandleW(nullptr));
    RecordingToolkit ui(real);
    PlayerServices services(folder, 0);
    Play play(file, folder, ui, services);
    const std::size_t end = script.starts.empty() ? script.lines.size() : script.starts.front();
    for (std::size_t i = 0; i < end; ++i) runLine(play, script.lines[i]);
    play.finish();
}

void playRun(const std::string& file, std::size_t run, const std::string& folder) {
    std::ifstream in(file);
    const PlayScript script = readScript(in);
    const std::size_t start = script.starts.at(run);
    const std::size_t end = runEnd(script, start);

    win32::Win32Toolkit real(GetModuleHandleW(nullptr));
    RecordingToolkit ui(real);
    PlayerServices services(folder, replyPort());
    Play play(file, folder, ui, services);
    for (const std::string& reply : filesMatching(replySpool() + "\\*.reply")) removePath(reply);

    if (run == 0) {
        setClipboardText(std::nullopt);
        for (std::size_t i = 0; i < start; ++i) runLine(play, script.lines[i]);
    }
    std::size_t nextUnrun = start + 1;
    const auto runStep = [&](const Step& step) {
        for (std::size_t i = step.first; i < step.last; ++i) {
            nextUnrun = i + 1;
            runLine(play, script.lines[i]);
        }
    };
    // Lines not reached while the program ran run after its end, as the checks of what it
    // left behind.
    ui.unplayable = [&](const std::string& reason) { play.skip(reason); };
    ui.afterExit = [&] {
        for (std::size_t i = nextUnrun; i < end; ++i) runLine(play, script.lines[i]);
        reportLeftovers(play, script.lines[end - 1]);
        play.finish();
    };
    StepPump pump(
        ui, stepsOf(script.lines, start + 1, end), runStep, [&] { ui.exit(0); },
        [&] { play.abort(script.lines[std::min(nextUnrun, end - 1)], "the program stalled"); });
    pump.start();
    runProgram(ui, services);
}

} // namespace extdict::player
