#include "toolkit/posix/posix_file_system.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <new>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "text/encoding.h"

namespace extdict {
namespace {

class PosixFile : public File {
public:
    explicit PosixFile(int fd) : fd_(fd) {}
    ~PosixFile() override { ::close(fd_); }
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    bool readAt(std::uint64_t offset, void* buffer, std::size_t size) override {
        auto* out = static_cast<char*>(buffer);
        while (size > 0) {
            const ssize_t got = ::pread(fd_, out, size, static_cast<off_t>(offset));
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) return false; // an error, or the file ends early
            out += got;
            offset += static_cast<std::uint64_t>(got);
            size -= static_cast<std::size_t>(got);
        }
        return true;
    }

    bool writeAt(std::uint64_t offset, const void* data, std::size_t size) override {
        const auto* in = static_cast<const char*>(data);
        while (size > 0) {
            const ssize_t put = ::pwrite(fd_, in, size, static_cast<off_t>(offset));
            if (put < 0 && errno == EINTR) continue;
            if (put <= 0) return false;
            in += put;
            offset += static_cast<std::uint64_t>(put);
            size -= static_cast<std::size_t>(put);
        }
        return true;
    }

    bool truncate(std::uint64_t size) override {
        return ::ftruncate(fd_, static_cast<off_t>(size)) == 0;
    }

    std::optional<std::uint64_t> size() override {
        struct stat info {};
        if (::fstat(fd_, &info) != 0) return std::nullopt;
        return static_cast<std::uint64_t>(info.st_size);
    }

    bool sync() override { return ::fsync(fd_) == 0; }

private:
    int fd_;
};

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

// Both folders of a move, each once.
bool syncFolders(const std::string& from, const std::string& to) {
    const auto fromFolder = folderOf(from);
    const auto toFolder = folderOf(to);
    return syncFolder(toFolder) && (fromFolder == toFolder || syncFolder(fromFolder));
}

int openFlags(OpenMode mode) {
    switch (mode) {
    case OpenMode::ReadWrite: return O_RDWR;
    case OpenMode::ReadOnly: return O_RDONLY;
    case OpenMode::CreateNew: return O_RDWR | O_CREAT | O_EXCL;
    case OpenMode::Replace: return O_RDWR | O_CREAT | O_TRUNC;
    }
    return O_RDONLY;
}

bool createsFile(OpenMode mode) { return mode == OpenMode::CreateNew || mode == OpenMode::Replace; }

// Moves without replacing: renameat2 where the file system has it, else link and unlink.
bool moveWithoutReplacing(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    return ::link(from.c_str(), to.c_str()) == 0 && ::unlink(from.c_str()) == 0;
}

// Below this, the heap serves as well.
constexpr std::size_t kHugePageSize = 2 * 1024 * 1024;

} // namespace

std::string nativePath(std::string_view gbkPath) {
    auto path = utf8FromGbk(gbkPath);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::unique_ptr<File> PosixFileSystem::open(std::string_view path, OpenMode mode) {
    const auto native = nativePath(path);
    const int fd = ::open(native.c_str(), openFlags(mode) | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    auto file = std::make_unique<PosixFile>(fd);
    // A new file's name must be on the disk as surely as its contents.
    if (createsFile(mode) && !syncFolder(folderOf(native))) return nullptr;
    return file;
}

bool PosixFileSystem::exists(std::string_view path) {
    struct stat info {};
    return ::stat(nativePath(path).c_str(), &info) == 0;
}

bool PosixFileSystem::remove(std::string_view path) {
    return ::unlink(nativePath(path).c_str()) == 0;
}

bool PosixFileSystem::replace(std::string_view from, std::string_view to) {
    const auto source = nativePath(from);
    const auto target = nativePath(to);
    return ::rename(source.c_str(), target.c_str()) == 0 && syncFolders(source, target);
}

bool PosixFileSystem::rename(std::string_view from, std::string_view to) {
    const auto source = nativePath(from);
    const auto target = nativePath(to);
    return moveWithoutReplacing(source, target) && syncFolders(source, target);
}

void* PosixFileSystem::allocateLarge(std::size_t bytes) {
    if (bytes < kHugePageSize) return FileSystem::allocateLarge(bytes);
    void* memory =
        ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) throw std::bad_alloc();
    ::madvise(memory, bytes, MADV_HUGEPAGE); // advice only: without huge pages it still works
    return memory;
}

void PosixFileSystem::releaseLarge(void* memory, std::size_t bytes) {
    if (bytes < kHugePageSize) return FileSystem::releaseLarge(memory, bytes);
    ::munmap(memory, bytes);
}

} // namespace extdict
