#include "store/file_system.h"

#include <new>

namespace extdict {

namespace {

// Whole cache lines, for blocks that hold records.
constexpr std::align_val_t kLargeAlignment{64};

} // namespace

void* FileSystem::allocateLarge(std::size_t bytes) {
    return ::operator new(bytes, kLargeAlignment);
}

void FileSystem::releaseLarge(void* memory, std::size_t) {
    ::operator delete(memory, kLargeAlignment);
}

std::optional<std::string> FileSystem::readWholeFile(std::string_view path) {
    auto file = open(path, OpenMode::ReadOnly);
    if (!file) return std::nullopt;
    const auto size = file->size();
    if (!size) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(*size), '\0');
    if (!bytes.empty() && !file->readAt(0, bytes.data(), bytes.size())) return std::nullopt;
    return bytes;
}

bool FileSystem::writeWholeFile(std::string_view path, std::string_view bytes) {
    auto file = open(path, OpenMode::Replace);
    if (!file) return false;
    if (!bytes.empty() && !file->writeAt(0, bytes.data(), bytes.size())) return false;
    return file->sync();
}

} // namespace extdict
