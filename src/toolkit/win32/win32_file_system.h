#pragma once
// Files through the Win32 API: offsets on every read and write, FlushFileBuffers for sync,
// MoveFileExW for replace and rename. Paths are GBK and become UTF-16 here.

#include "store/file_system.h"

namespace extdict::win32 {

class Win32FileSystem final : public FileSystem {
public:
    std::unique_ptr<File> open(std::string_view path, OpenMode mode) override;
    bool exists(std::string_view path) override;
    bool remove(std::string_view path) override;
    bool replace(std::string_view from, std::string_view to) override;
    bool rename(std::string_view from, std::string_view to) override;
};

} // namespace extdict::win32
