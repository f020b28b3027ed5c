#include "store/record_buffer.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace extdict {
namespace {

constexpr std::size_t kMinimumCapacity = 64 * 1024;

} // namespace

RecordBuffer::~RecordBuffer() { release(); }

RecordBuffer::RecordBuffer(RecordBuffer&& other) noexcept
    : memory_(other.memory_), data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)), capacity_(std::exchange(other.capacity_, 0)) {}

RecordBuffer& RecordBuffer::operator=(RecordBuffer&& other) noexcept {
    if (this != &other) {
        release();
        memory_ = other.memory_;
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
    }
    return *this;
}

void RecordBuffer::release() {
    if (data_) memory_->releaseLarge(data_, capacity_);
    data_ = nullptr;
    size_ = capacity_ = 0;
}

void RecordBuffer::reserve(std::size_t capacity) {
    if (capacity <= capacity_) return;
    auto* grown = static_cast<char*>(memory_->allocateLarge(capacity));
    if (size_ > 0) std::memcpy(grown, data_, size_);
    const auto size = size_;
    release();
    data_ = grown;
    size_ = size;
    capacity_ = capacity;
}

void RecordBuffer::resize(std::size_t size) {
    if (size > capacity_) reserve(std::max({size, capacity_ + capacity_ / 2, kMinimumCapacity}));
    size_ = size;
}

void RecordBuffer::append(std::string_view bytes) {
    const auto at = size_;
    resize(size_ + bytes.size());
    if (!bytes.empty()) std::memcpy(data_ + at, bytes.data(), bytes.size());
}

} // namespace extdict
