#pragma once
// One run of the program under a scenario, in the process that runs it: the real toolkit
// and services, the user driver, the scenario's folder, the failures found, and how far the
// "next unchecked" checks have looked. A step that cannot be done stops the process.

#include <iostream>
#include <string>

#include "player_services.h"
#include "play_script.h"
#include "recording_toolkit.h"

namespace extdict::player {

// Exit codes of a process that played a run.
constexpr int kRunPassed = 0;
constexpr int kRunFailed = 1;
constexpr int kRunStopped = 3;
constexpr int kRunSkipped = 4;  // it asked for something the player cannot play

class Play {
public:
    Play(std::string fileName, std::string directory, RecordingToolkit& ui,
         PlayerServices& services);

    // ---- Reporting ----
    void fail(const Line& line, const std::string& message);
    [[noreturn]] void abort(const Line& line, const std::string& message);
    void expectText(const Line& line, const std::string& what, const std::string& expected,
                    const std::string& seen);
    void expectNumber(const Line& line, const std::string& what, long long expected,
                      long long seen);
    int failures() const { return failures_; }
    // Ends the process with the run's result.
    [[noreturn]] void finish();
    // Ends the process: the run cannot be played on the real program, for this reason.
    [[noreturn]] void skip(const std::string& reason);

    // ---- Arguments ----
    std::string text(const Line& line, const Token& token);
    long long number(const Line& line, const Token& token);
    std::string contents(const Line& line, const Token& encoding, const Token& value);
    tk::ControlRef ref(const Line& line, const Token& token);
    tk::WindowId windowRef(const Line& line, const Token& token);
    // A reference the user acts on: it must exist and be shown.
    tk::ControlRef target(const Line& line, const Token& token);
    std::string path(const Line& line, const Token& token);
    std::string databasePath() const;

    RecordingToolkit& ui;
    PlayerServices& services;
    win32::UserDriver driver;

    std::size_t messagesChecked = 0;
    std::size_t dialogsChecked = 0;
    std::size_t startedChecked = 0;
    std::size_t openedChecked = 0;
    std::size_t requestsChecked = 0;
    int repliesQueued = 0;
    // Files held open for reading only, sharing only reading: others may read them but not
    // write, replace, rename or remove them.
    std::map<std::string, HANDLE> locks;
    std::map<tk::WindowId, std::size_t> captionsChecked;

private:
    std::string expression(const Line& line, const std::string& inside);

    std::string fileName_;
    std::string directory_;
    int failures_ = 0;
};

// Runs one line; a verb the player lacks stops the run.
void runLine(Play& play, const Line& line);

} // namespace extdict::player
