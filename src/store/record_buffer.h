#pragma once
// The records of an open store, back to back in one block of memory with room to grow, so
// that appends rarely move them. The memory comes from the file system's large allocations.

#include <cstddef>
#include <string_view>

#include "store/file_system.h"

namespace extdict {

class RecordBuffer {
public:
    explicit RecordBuffer(FileSystem& memory) : memory_(&memory) {}
    ~RecordBuffer();
    RecordBuffer(RecordBuffer&& other) noexcept;
    RecordBuffer& operator=(RecordBuffer&& other) noexcept;
    RecordBuffer(const RecordBuffer&) = delete;
    RecordBuffer& operator=(const RecordBuffer&) = delete;

    std::size_t size() const { return size_; }
    char* data() { return data_; }
    std::string_view view() const { return {data_, size_}; }

    // Room for `capacity` bytes without moving; the size stays.
    void reserve(std::size_t capacity);
    // New bytes past the old size are left as they are; callers fill them.
    void resize(std::size_t size);
    void append(std::string_view bytes);

private:
    void release();

    FileSystem* memory_;
    char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

} // namespace extdict
