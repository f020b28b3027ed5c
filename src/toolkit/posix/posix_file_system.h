#pragma once
// Files on a POSIX system. Paths come in as GBK in Windows style and are turned into UTF-8
// with '/' separators; renames and new files are made durable by flushing their folder.

#include "store/file_system.h"

namespace extdict {

class PosixFileSystem : public FileSystem {
public:
    PosixFileSystem() = default;

    std::unique_ptr<File> open(std::string_view path, OpenMode mode) override;
    bool exists(std::string_view path) override;
    bool remove(std::string_view path) override;
    bool replace(std::string_view from, std::string_view to) override;
    bool rename(std::string_view from, std::string_view to) override;

    // Large blocks are asked to be backed by huge pages: filling tens of megabytes of small
    // pages costs a page fault every 4 KiB, which is most of the time of opening a big store.
    void* allocateLarge(std::size_t bytes) override;
    void releaseLarge(void* memory, std::size_t bytes) override;
};

// The native path of a GBK path: UTF-8, with every '\' turned into '/'.
std::string nativePath(std::string_view gbkPath);

} // namespace extdict
