#include "scenario_runner.h"

#include <filesystem>
#include <fstream>
#include <random>

#include "script_parser.h"
#include "shown_text.h"
#include "verbs.h"

namespace extdict::scenario {
namespace {

// A fresh folder that plays the executable's folder, removed at the end.
class TemporaryFolder {
  public:
    TemporaryFolder() {
        std::random_device random;
        for (std::error_code error;;) {
            path_ = std::filesystem::temp_directory_path() /
                    ("extdict-scenario-" + std::to_string(random()));
            if (std::filesystem::create_directory(path_, error)) break;
            if (error) throw std::filesystem::filesystem_error("temporary folder", error);
        }
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    std::string path() const { return path_.string(); }

  private:
    std::filesystem::path path_;
};

void runLine(Scenario& s, const Line& line) {
    try {
        findVerb(line.verb)->run(s, line);
    } catch (const HeadlessScriptError& error) {
        s.abort(line, error.message);
    }
}

// A box that offers a choice but found no answer queued is a script that forgot one.
void reportUnansweredBoxes(Scenario& s, const Line& start) {
    for (const ShownMessageBox& box : s.ui().messageBoxes())
        if (box.how == HowAnswered::Unanswered && box.buttons != tk::MessageButtons::Ok)
            s.fail(start, "a message box with a choice had no answer queued (use \"answer close\" "
                          "for Esc): " +
                              shown(box.text));
}

bool isUserAction(const Line& line) {
    for (const Verb& verb : userVerbs())
        if (line.verb == verb.name) return true;
    return false;
}

bool isTimed(const Line& line) {
    return line.timing.delay > 0 || line.timing.atTime || line.timing.whenIdle;
}

// The lines of one step: whatever looks or sets up, then the user action that ends it, all
// in one pass of the event loop. A timed line starts a step of its own.
std::vector<std::pair<std::size_t, std::size_t>> stepsOf(const std::vector<Line>& lines,
                                                         std::size_t begin, std::size_t end) {
    std::vector<std::pair<std::size_t, std::size_t>> steps;
    std::size_t first = begin;
    for (std::size_t j = begin; j < end; ++j) {
        if (j > first && isTimed(lines[j])) {
            steps.push_back({first, j});
            first = j;
        }
        if (isUserAction(lines[j])) {
            steps.push_back({first, j + 1});
            first = j + 1;
        }
    }
    if (first < end) steps.push_back({first, end});
    return steps;
}

// Runs the program with the lines up to the next "start" queued as its user's steps; gives
// the index of the first line that did not run, which the runner then runs itself.
std::size_t runSegment(Scenario& s, const std::vector<Line>& lines, std::size_t start,
                       const Program& program) {
    std::size_t end = start + 1;
    while (end < lines.size() && lines[end].verb != "start")
        ++end;
    std::size_t nextUnrun = start + 1;
    std::vector<std::function<void()>> steps;
    std::vector<Timing> timings;
    for (const auto& [first, last] : stepsOf(lines, start + 1, end)) {
        steps.push_back([&s, &lines, &nextUnrun, first, last] {
            for (std::size_t j = first; j < last; ++j) {
                nextUnrun = j + 1;
                s.currentLine = lines[j].number;
                runLine(s, lines[j]);
            }
        });
        timings.push_back(lines[first].timing);
    }
    s.currentLine = lines[start].number;
    s.runProgram(program, std::move(steps), std::move(timings));
    reportUnansweredBoxes(s, lines[start]);
    return nextUnrun;
}

void reportUnused(Scenario& s, const Line& last, HeadlessToolkit& ui) {
    if (ui.queuedAnswers() > 0)
        s.fail(last, std::to_string(ui.queuedAnswers()) + " queued answer(s) were never asked for");
    if (ui.queuedFileChoices() > 0)
        s.fail(last, std::to_string(ui.queuedFileChoices()) +
                         " queued file choice(s) were never asked for");
}

void reportLeftovers(Scenario& s, const Line& last) {
    reportUnused(s, last, s.ui());
    if (HeadlessToolkit* next = s.nextUi()) reportUnused(s, last, *next);
    if (s.http.queuedReplies() > 0)
        s.fail(last, std::to_string(s.http.queuedReplies()) +
                         " queued HTTP repl(ies) were never asked for");
}

void runLines(Scenario& s, const std::vector<Line>& lines, const Program& program) {
    std::size_t i = 0;
    while (i < lines.size()) {
        if (lines[i].verb == "start") {
            i = runSegment(s, lines, i, program);
        } else {
            s.currentLine = lines[i].number;
            runLine(s, lines[i++]);
        }
    }
    if (!lines.empty()) reportLeftovers(s, lines.back());
}

} // namespace

int runScenarioFile(const std::string& path, const Program& program, std::ostream& out) {
    std::ifstream in(path);
    if (!in) {
        out << path << ": cannot be read\n";
        return 2;
    }
    const Script script = parseScript(in);
    for (const std::string& error : script.errors)
        out << path << ": " << error << "\n";
    if (!script.errors.empty()) return 2;
    TemporaryFolder folder;
    Scenario s(path, folder.path(), out);
    try {
        runLines(s, script.lines, program);
    } catch (const ScenarioAbort&) {
        out << path << ": stopped\n";
    }
    return s.failures() == 0 ? 0 : 1;
}

} // namespace extdict::scenario
