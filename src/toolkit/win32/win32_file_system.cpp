#include "toolkit/win32/win32_file_system.h"

#include <windows.h>

#include <limits>

#include "toolkit/win32/wide_text.h"

namespace extdict::win32 {
namespace {

// Reads and writes go in pieces a DWORD can count.
constexpr std::size_t kLargestPiece = std::numeric_limits<DWORD>::max() / 2 + 1;

OVERLAPPED at(std::uint64_t offset) {
    OVERLAPPED overlapped{};
    overlapped.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
    overlapped.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return overlapped;
}

class Win32File final : public File {
public:
    explicit Win32File(HANDLE handle) : handle_(handle) {}
    ~Win32File() override { CloseHandle(handle_); }
    Win32File(const Win32File&) = delete;
    Win32File& operator=(const Win32File&) = delete;

    bool readAt(std::uint64_t offset, void* buffer, std::size_t size) override {
        auto* bytes = static_cast<char*>(buffer);
        while (size > 0) {
            const auto piece = static_cast<DWORD>(std::min(size, kLargestPiece));
            OVERLAPPED where = at(offset);
            DWORD done = 0;
            if (!ReadFile(handle_, bytes, piece, &done, &where) || done == 0) return false;
            bytes += done;
            offset += done;
            size -= done;
        }
        return true;
    }

    bool writeAt(std::uint64_t offset, const void* data, std::size_t size) override {
        const auto* bytes = static_cast<const char*>(data);
        while (size > 0) {
            const auto piece = static_cast<DWORD>(std::min(size, kLargestPiece));
            OVERLAPPED where = at(offset);
            DWORD done = 0;
            if (!WriteFile(handle_, bytes, piece, &done, &where) || done == 0) return false;
            bytes += done;
            offset += done;
            size -= done;
        }
        return true;
    }

    bool truncate(std::uint64_t size) override {
        LARGE_INTEGER end{};
        end.QuadPart = static_cast<LONGLONG>(size);
        return SetFilePointerEx(handle_, end, nullptr, FILE_BEGIN) && SetEndOfFile(handle_);
    }

    std::optional<std::uint64_t> size() override {
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(handle_, &size)) return std::nullopt;
        return static_cast<std::uint64_t>(size.QuadPart);
    }

    bool sync() override { return FlushFileBuffers(handle_) != 0; }

private:
    HANDLE handle_;
};

struct OpenFlags {
    DWORD access;
    DWORD share;
    DWORD disposition;
};

OpenFlags flagsFor(OpenMode mode) {
    constexpr DWORD readWrite = GENERIC_READ | GENERIC_WRITE;
    // Writers let others read; nobody else may write to a file the program changes.
    constexpr DWORD writerShare = FILE_SHARE_READ;
    switch (mode) {
    case OpenMode::ReadOnly:
        return {GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING};
    case OpenMode::ReadWrite:
        return {readWrite, writerShare, OPEN_EXISTING};
    case OpenMode::CreateNew:
        return {readWrite, writerShare, CREATE_NEW};
    case OpenMode::Replace:
        return {readWrite, writerShare, CREATE_ALWAYS};
    }
    return {GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING};
}

} // namespace

std::unique_ptr<File> Win32FileSystem::open(std::string_view path, OpenMode mode) {
    const OpenFlags flags = flagsFor(mode);
    const HANDLE handle = CreateFileW(wideFromGbk(path).c_str(), flags.access, flags.share, nullptr,
                                      flags.disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32File>(handle);
}

bool Win32FileSystem::exists(std::string_view path) {
    return GetFileAttributesW(wideFromGbk(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileSystem::remove(std::string_view path) {
    return DeleteFileW(wideFromGbk(path).c_str()) != 0;
}

bool Win32FileSystem::replace(std::string_view from, std::string_view to) {
    return MoveFileExW(wideFromGbk(from).c_str(), wideFromGbk(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool Win32FileSystem::rename(std::string_view from, std::string_view to) {
    return MoveFileExW(wideFromGbk(from).c_str(), wideFromGbk(to).c_str(),
                       MOVEFILE_WRITE_THROUGH) != 0;
}

} // namespace extdict::win32
