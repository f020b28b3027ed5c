#include "guarded_file_system.h"

namespace extdict::scenario {
namespace {

class GuardedFile final : public File {
  public:
    GuardedFile(std::unique_ptr<File> real, const GuardedFileSystem& owner, std::string path)
        : real_(std::move(real)), owner_(owner), path_(std::move(path)) {}

    bool readAt(std::uint64_t offset, void* buffer, std::size_t size) override {
        return real_->readAt(offset, buffer, size);
    }
    bool writeAt(std::uint64_t offset, const void* data, std::size_t size) override {
        return !owner_.locked(path_) && real_->writeAt(offset, data, size);
    }
    bool truncate(std::uint64_t size) override {
        return !owner_.locked(path_) && real_->truncate(size);
    }
    std::optional<std::uint64_t> size() override { return real_->size(); }
    bool sync() override { return !owner_.locked(path_) && real_->sync(); }

  private:
    std::unique_ptr<File> real_;
    const GuardedFileSystem& owner_;
    std::string path_;
};

} // namespace

void GuardedFileSystem::lock(std::string_view path) {
    locked_.insert(nativePath(path));
}

void GuardedFileSystem::unlock(std::string_view path) {
    locked_.erase(nativePath(path));
}

bool GuardedFileSystem::locked(std::string_view path) const {
    return locked_.count(nativePath(path)) > 0;
}

std::unique_ptr<File> GuardedFileSystem::open(std::string_view path, OpenMode mode) {
    if (mode != OpenMode::ReadOnly && locked(path)) return nullptr;
    auto file = real_.open(path, mode);
    if (!file) return nullptr;
    return std::make_unique<GuardedFile>(std::move(file), *this, std::string(path));
}

bool GuardedFileSystem::exists(std::string_view path) {
    return real_.exists(path);
}

bool GuardedFileSystem::remove(std::string_view path) {
    return !locked(path) && real_.remove(path);
}

bool GuardedFileSystem::replace(std::string_view from, std::string_view to) {
    return !locked(from) && !locked(to) && real_.replace(from, to);
}

bool GuardedFileSystem::rename(std::string_view from, std::string_view to) {
    return !locked(from) && !locked(to) && real_.rename(from, to);
}

} // namespace extdict::scenario
