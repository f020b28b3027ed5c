#pragma once
// An in-memory FileSystem for tests that can fail the Nth change to the disk, run out of
// space, refuse writing to a file, and lose power (dropping, or tearing, what was not flushed).
// Moves, removals and file creations are durable at once, as a real backend makes them. As on
// Windows (without delete sharing), a file that is open cannot be moved, replaced or removed.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "store/file_system.h"

namespace extdict::test {

// What happens to the armed change and after it.
enum class Fault {
    FailsCleanly,     // reports failure and changes nothing
    FailsAfterEffect, // takes effect, then reports failure
    Crash,            // the program is gone: this change and every later one do nothing
};

enum class PowerLoss {
    DropUnflushed,   // every write or truncation not followed by a flush is lost
    KeepRandomPieces // each one is lost, kept, or kept in part (a random set of 16-byte pieces)
};

class FaultyFileSystem : public FileSystem {
public:
    FaultyFileSystem();
    ~FaultyFileSystem() override;

    std::unique_ptr<File> open(std::string_view path, OpenMode mode) override;
    bool exists(std::string_view path) override;
    bool remove(std::string_view path) override;
    bool replace(std::string_view from, std::string_view to) override;
    bool rename(std::string_view from, std::string_view to) override;

    // Changes are writes, flushes, truncations, file creations, removals and moves. Counting
    // starts again at each call; `n` is 1-based.
    void failAt(int n, Fault fault);
    void disarm();
    bool faultHit() const { return faultHit_; }
    int changesCounted() const { return changes_; }

    // Writes that would make all files together larger than this fail cleanly.
    void setCapacity(std::optional<std::uint64_t> bytes) { capacity_ = bytes; }
    void setReadOnly(std::string_view path, bool readOnly);

    // Every open file keeps working afterwards, as after a restart.
    void powerCut(PowerLoss loss, std::uint32_t seed = 0);

    // The bytes a program would read now; nothing when there is no such file.
    std::optional<std::string> contents(std::string_view path) const;
    // Puts a file in place, already flushed.
    void putFile(std::string_view path, std::string bytes);
    std::vector<std::string> paths() const;

    struct Node;
    enum class Outcome { Proceed, FailCleanly, FailAfterEffect };
    // Counts one change and says how it goes.
    Outcome nextChange();
    bool hasRoomFor(std::uint64_t growth) const;

private:
    bool isOpen(std::string_view path) const;

    std::map<std::string, std::shared_ptr<Node>, std::less<>> files_;
    std::map<std::string, bool, std::less<>> readOnly_;
    std::optional<std::uint64_t> capacity_;
    int changes_ = 0;
    int failAt_ = 0;
    Fault fault_ = Fault::FailsCleanly;
    bool faultHit_ = false;
    bool crashed_ = false;
};

} // namespace extdict::test
