#pragma once
// Small helpers shared by the fuzz targets: a failed invariant aborts (libFuzzer keeps the
// input), and the input is taken apart a piece at a time.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace extdict::fuzz {

inline void check(bool condition) {
    if (!condition) std::abort();
}

// Hands out the fuzzer's bytes front to back; once they run out, numbers are 0 and texts empty.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size)
        : rest_(reinterpret_cast<const char*>(data), size) {}

    std::uint8_t byte() {
        if (rest_.empty()) return 0;
        const auto value = static_cast<std::uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return value;
    }

    std::int32_t int32() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value = (value << 8) | byte();
        std::int32_t result;
        std::memcpy(&result, &value, sizeof result);
        return result;
    }

    std::string_view bytes(std::size_t count) {
        const auto taken = rest_.substr(0, count);
        rest_.remove_prefix(taken.size());
        return taken;
    }

    // Everything up to the next occurrence of `mark` (or the end), which is consumed too.
    std::string_view until(std::string_view mark) {
        const auto at = rest_.find(mark);
        const auto taken = rest_.substr(0, at);
        rest_.remove_prefix(at == std::string_view::npos ? rest_.size() : at + mark.size());
        return taken;
    }

    std::string_view rest() {
        const auto taken = rest_;
        rest_ = {};
        return taken;
    }

private:
    std::string_view rest_;
};

} // namespace extdict::fuzz
