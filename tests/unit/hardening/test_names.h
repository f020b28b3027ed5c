#pragma once
// A parameter's readable name as GoogleTest accepts it in a test's name.

#include <string>
#include <string_view>

namespace extdict::test {

inline std::string testNameOf(std::string_view name) {
    std::string out;
    for (const char c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        out.push_back(plain ? c : '_');
    }
    return out;
}

} // namespace extdict::test
