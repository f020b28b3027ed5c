#pragma once
// Runs one scenario file against a program on the headless toolkit. Failures go to `out`
// as "FILE:LINE: what was expected, what was seen"; the result is 0 when every check
// passed, 1 when one failed or a step could not be done, 2 when the file does not parse.

#include <ostream>
#include <string>

#include "scenario.h"

namespace extdict::scenario {

int runScenarioFile(const std::string& path, const Program& program, std::ostream& out);

} // namespace extdict::scenario
