#include "store/file_system.h"

namespace extdict {

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
