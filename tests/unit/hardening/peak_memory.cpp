#include "peak_memory.h"

#include <fstream>
#include <string>

namespace extdict::test {

void resetPeakMemory() {
    // "5" resets the peak resident size to the current one.
    std::ofstream("/proc/self/clear_refs") << "5";
}

std::size_t peakMemoryMiB() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        std::size_t kibibytes = 0;
        if (key == "VmHWM:" && status >> kibibytes) return kibibytes / 1024;
        status.ignore(1 << 16, '\n');
    }
    return 0;
}

} // namespace extdict::test
