#pragma once
// The state of one scenario as it runs: the services, the program's current (or last)
// toolkit, the files and network it sees, the cursors of the "next unchecked" checks, and
// the failures found so far.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "guarded_file_system.h"
#include "scenario_http.h"
#include "script_line.h"
#include "toolkit/headless/headless_services.h"
#include "toolkit/headless/headless_toolkit.h"

namespace extdict::scenario {

// The program under test; it ends through the toolkit's exit.
using Program = std::function<void(tk::Toolkit&, Services&)>;

// Stops the scenario: a step that cannot be carried out. Not a std::exception, so that it
// passes through the program's handlers to the runner.
struct ScenarioAbort {};

class Scenario {
  public:
    Scenario(std::string fileName, std::string executableDirectory, std::ostream& out);

    // ---- Reporting ----
    void fail(const Line& line, const std::string& message);
    [[noreturn]] void abort(const Line& line, const std::string& message);
    // Records a failure when the two differ; texts are GBK and shown readable.
    void expectText(const Line& line, const std::string& what, const std::string& expected,
                    const std::string& seen);
    void expectNumber(const Line& line, const std::string& what, long long expected,
                      long long seen);
    int failures() const { return failures_; }

    // ---- Arguments ----
    // A text argument as GBK: UTF-8 converted, escapes decoded, ${...} filled in.
    std::string text(const Line& line, const Token& token);
    long long number(const Line& line, const Token& token);
    // File contents written as gbk (converted), utf8 (as written) or hex bytes.
    std::string contents(const Line& line, const Token& encoding, const Token& value);
    // "Window/Control", a window's form name, or a control name that one window holds.
    tk::ControlRef ref(const Line& line, const Token& token);
    tk::WindowId windowRef(const Line& line, const Token& token);
    // A path as the program names it: relative ones are in the executable's folder.
    std::string path(const Line& line, const Token& token);
    std::string databasePath() const;

    // ---- The program ----
    // The toolkit of the current or the last run.
    HeadlessToolkit& ui() { return *ui_; }
    HeadlessToolkit& runningUi(const Line& line);
    // Where answers and file choices go: the running toolkit, or the next run's.
    HeadlessToolkit& answeringUi();
    // The next run's toolkit, if something was queued for it.
    HeadlessToolkit* nextUi() { return next_.get(); }
    bool running() const { return running_; }
    // Runs the program on a new toolkit with the given steps queued, until it ends.
    void runProgram(const Program& program, std::vector<std::function<void()>> steps,
                    std::vector<Timing> timings);
    std::optional<int> exitCode() const { return exitCode_; }

    HeadlessServices services;
    GuardedFileSystem files;
    ScenarioHttp http;
    std::uint32_t uptimeStart = 0;

    // How far the "next unchecked" checks have looked.
    std::size_t messagesChecked = 0;
    std::size_t dialogsChecked = 0;
    std::size_t startedChecked = 0;
    std::size_t openedChecked = 0;
    std::size_t requestsChecked = 0;
    std::map<tk::WindowId, std::size_t> captionsChecked;
    int currentLine = 0; // the step that runs now, for failures raised by the toolkit

  private:
    std::string expression(const Line& line, const std::string& inside);

    std::string fileName_;
    std::string executableDirectory_;
    std::ostream& out_;
    std::unique_ptr<HeadlessToolkit> ui_;
    std::unique_ptr<HeadlessToolkit> next_;
    bool running_ = false;
    std::optional<int> exitCode_;
    int failures_ = 0;
};

} // namespace extdict::scenario
