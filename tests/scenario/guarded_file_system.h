#pragma once
// The real file system, with paths that a scenario can lock: a locked file can still be
// read, but opening it for writing, writing to an open handle, replacing, renaming or
// removing it fails, as with a read-only file or a full disk.

#include <memory>
#include <set>
#include <string>

#include "toolkit/posix/posix_file_system.h"

namespace extdict::scenario {

class GuardedFileSystem final : public FileSystem {
  public:
    void lock(std::string_view path);
    void unlock(std::string_view path);
    bool locked(std::string_view path) const;

    std::unique_ptr<File> open(std::string_view path, OpenMode mode) override;
    bool exists(std::string_view path) override;
    bool remove(std::string_view path) override;
    bool replace(std::string_view from, std::string_view to) override;
    bool rename(std::string_view from, std::string_view to) override;

  private:
    PosixFileSystem real_;
    std::set<std::string> locked_; // native paths
};

} // namespace extdict::scenario
