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
};

// The native path of a GBK path: UTF-8, with every '\' turned into '/'.
std::string nativePath(std::string_view gbkPath);

} // namespace extdict
