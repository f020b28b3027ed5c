#include "toolkit/headless/headless_keys.h"

#include <string_view>

#include "toolkit/events.h"

namespace extdict::headless_keys {
namespace {

struct KeyCharacters {
    int key;
    char plain;
    char shifted;
};

constexpr std::string_view kShiftedDigits = ")!@#$%^&*(";

constexpr KeyCharacters kPunctuation[] = {
    {0xBA, ';', ':'},  {0xBB, '=', '+'}, {0xBC, ',', '<'},  {0xBD, '-', '_'},
    {0xBE, '.', '>'},  {0xBF, '/', '?'}, {0xC0, '`', '~'},  {0xDB, '[', '{'},
    {0xDC, '\\', '|'}, {0xDD, ']', '}'}, {0xDE, '\'', '"'},
};

} // namespace

std::optional<KeyStroke> keyStrokeFor(char c) {
    if (c >= 'a' && c <= 'z') return KeyStroke{c - 'a' + 'A', 0};
    if (c >= 'A' && c <= 'Z') return KeyStroke{c, tk::modifier::Shift};
    if (c >= '0' && c <= '9') return KeyStroke{c, 0};
    if (c == ' ') return KeyStroke{tk::key::Space, 0};
    if (const auto digit = kShiftedDigits.find(c); digit != std::string_view::npos)
        return KeyStroke{static_cast<int>('0' + digit), tk::modifier::Shift};
    for (const KeyCharacters& entry : kPunctuation) {
        if (entry.plain == c) return KeyStroke{entry.key, 0};
        if (entry.shifted == c) return KeyStroke{entry.key, tk::modifier::Shift};
    }
    return std::nullopt;
}

std::optional<char> characterFor(int key, int modifiers) {
    if (modifiers & (tk::modifier::Ctrl | tk::modifier::Alt)) return std::nullopt;
    const bool shift = (modifiers & tk::modifier::Shift) != 0;
    if (key >= 'A' && key <= 'Z') return static_cast<char>(shift ? key : key - 'A' + 'a');
    if (key >= '0' && key <= '9')
        return shift ? kShiftedDigits[static_cast<std::size_t>(key - '0')] : static_cast<char>(key);
    if (key == tk::key::Space) return ' ';
    for (const KeyCharacters& entry : kPunctuation)
        if (entry.key == key) return shift ? entry.shifted : entry.plain;
    return std::nullopt;
}

} // namespace extdict::headless_keys
