#pragma once
// Reads a scenario file into its lines: "wait", "at" and "idle" become the timing of the
// line after them; every other line is checked against the verbs it names.

#include <istream>
#include <string>
#include <vector>

#include "script_line.h"

namespace extdict::scenario {

struct Script {
    std::vector<Line> lines;
    std::vector<std::string> errors; // "line N: what is wrong"
};

Script parseScript(std::istream& in);

} // namespace extdict::scenario
