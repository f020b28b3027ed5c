#pragma once
// A scenario file read for playing on the real program: its lines (with the timing that
// "wait", "at" and "idle" gave them), where each run starts, and the steps of a run.

#include <istream>
#include <string>
#include <vector>

#include "script_line.h"

namespace extdict::player {

using scenario::Line;
using scenario::Timing;
using scenario::Token;

struct PlayScript {
    std::vector<Line> lines;
    std::vector<std::string> errors;  // "line N: what is wrong"
    std::vector<std::size_t> starts;  // indices of the "start" lines
};

PlayScript readScript(std::istream& in);

// Why the file cannot be played on the real program, or empty when it can.
std::string unplayableReason(const PlayScript& script);

// Lines [first, last) that run in one pass of the event loop: set-up and checks, then at
// most one user action. A timed line begins a step of its own.
struct Step {
    std::size_t first;
    std::size_t last;
    Timing timing;
};
std::vector<Step> stepsOf(const std::vector<Line>& lines, std::size_t begin, std::size_t end);

// The end of the run that begins at the start line with this index: the next start or the end.
std::size_t runEnd(const PlayScript& script, std::size_t startIndex);

} // namespace extdict::player
