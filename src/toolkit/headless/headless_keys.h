#pragma once
// The US keyboard layout, as far as the scripted user types: which key (and Shift) gives an
// ASCII character, and which character a key gives.

#include <optional>

namespace extdict::headless_keys {

constexpr int Backspace = 8;
constexpr int Tab = 9;
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Delete = 46;

struct KeyStroke {
    int key = 0;
    int modifiers = 0;
};

// The key for a printable ASCII character (0x20 to 0x7E); nothing for any other byte.
std::optional<KeyStroke> keyStrokeFor(char character);
// The character that a key types with these modifiers; nothing with Ctrl or Alt held, or
// for a key that types nothing.
std::optional<char> characterFor(int key, int modifiers);

} // namespace extdict::headless_keys
