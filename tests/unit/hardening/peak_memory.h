#pragma once
// The process's peak resident memory (Linux: VmHWM), which a test can start over, to see
// how much memory a piece of work needed at its worst.

#include <cstddef>

namespace extdict::test {

// Starts the peak over at the memory in use now.
void resetPeakMemory();
// The peak since the last reset, in MiB.
std::size_t peakMemoryMiB();

} // namespace extdict::test
