#pragma once
// The two halves of playing: the process that plays one run of the program (a fresh
// process each, since the program ends its process), and the one that plays whole files
// by starting such a process per run.

#include <map>
#include <string>
#include <vector>

namespace extdict::player {

// Plays the run that begins at the run-th "start" of the file, in the folder given (GBK);
// the first run also plays the lines before it. Never returns: the process ends with
// kRunPassed, kRunFailed or kRunStopped.
[[noreturn]] void playRun(const std::string& file, std::size_t run, const std::string& folder);

// Plays only the set-up lines before the file's first "start" in the folder given, e.g. to
// give the real program a database to show. Never returns.
[[noreturn]] void playSetUp(const std::string& file, const std::string& folder);

// Scenario file names (without folder) whose expectations the real program does not meet
// for a reason outside the program, with that reason: they are skipped, the reason shown.
using KnownDifferences = std::map<std::string, std::string>;
// Lines "NAME.scn reason"; blank lines and lines starting with # are ignored.
KnownDifferences readKnownDifferences(const std::string& path);

// Plays each file, prints what failed and why it skipped, then
// "N passed, M failed, K skipped". 0 when nothing failed.
int playFiles(const std::vector<std::string>& files, const KnownDifferences& known);

} // namespace extdict::player
