#pragma once
// The narrow table of file operations through which the core reaches the disk. One
// implementation per platform; tests swap in one that fails, fills up or loses power.
// Paths are GBK texts; each implementation converts them at its edge.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace extdict {

class File {
public:
    virtual ~File() = default;
    virtual bool readAt(std::uint64_t offset, void* buffer, std::size_t size) = 0;
    virtual bool writeAt(std::uint64_t offset, const void* data, std::size_t size) = 0;
    virtual bool truncate(std::uint64_t size) = 0;
    virtual std::optional<std::uint64_t> size() = 0;
    // Everything written so far is on the disk when this returns true.
    virtual bool sync() = 0;
};

enum class OpenMode {
    ReadWrite,   // an existing file
    ReadOnly,    // an existing file
    CreateNew,   // a new file; fails when one exists
    Replace,     // created or emptied
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual std::unique_ptr<File> open(std::string_view path, OpenMode mode) = 0;
    virtual bool exists(std::string_view path) = 0;
    virtual bool remove(std::string_view path) = 0;
    // Atomically puts `from` in the place of `to` and makes the change durable
    // (the folder is flushed too where the platform needs it).
    virtual bool replace(std::string_view from, std::string_view to) = 0;
    // Renames without replacing an existing file.
    virtual bool rename(std::string_view from, std::string_view to) = 0;

    // Memory for a large in-memory copy of a file (a store's records). The default is the
    // heap; a platform may back it with large pages, which fill several times faster.
    virtual void* allocateLarge(std::size_t bytes);
    virtual void releaseLarge(void* memory, std::size_t bytes);

    std::optional<std::string> readWholeFile(std::string_view path);
    bool writeWholeFile(std::string_view path, std::string_view bytes);
};

} // namespace extdict
