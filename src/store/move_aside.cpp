#include "store/record_store.h"

namespace extdict {
namespace {

constexpr int kMaxAsideNames = 10000;

} // namespace

std::optional<std::string> RecordStore::moveAside(FileSystem& files, std::string_view path) {
    for (int n = 1; n <= kMaxAsideNames; ++n) {
        const auto candidate = std::string(path) + ".damaged-" + std::to_string(n);
        if (files.exists(candidate)) continue;
        if (files.rename(path, candidate)) return candidate;
        const bool taken = files.exists(candidate);
        // A move that reports failure may still have happened (the folder was not flushed).
        if (taken && !files.exists(path)) return candidate;
        // Another file may have taken the name meanwhile; any other failure is final.
        if (!taken) return std::nullopt;
    }
    return std::nullopt;
}

} // namespace extdict
