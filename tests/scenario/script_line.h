#pragma once
// One line of a scenario file: a verb and its arguments, with the timing that the lines
// before it gave it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace extdict::scenario {

// A word or a quoted text, as written (UTF-8, escapes and ${...} still in it).
struct Token {
    std::string raw;
    bool quoted = false;
};

struct Timing {
    std::uint64_t delay = 0;             // "wait": ms after the previous step started
    std::optional<std::uint64_t> atTime; // "at": ms since the program started
    bool whenIdle = false;               // "idle"
};

struct Line {
    int number = 0;
    std::string verb; // "check text" for the checks
    std::vector<Token> args;
    Timing timing;
};

// Splits a line into tokens; words end at spaces, quoted texts at their closing quote. A
// "#" outside a quoted text starts a comment. Throws std::runtime_error on a broken quote.
std::vector<Token> tokenize(const std::string& text);

} // namespace extdict::scenario
