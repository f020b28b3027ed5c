#include "script_line.h"

#include <stdexcept>

namespace extdict::scenario {
namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// Reads a quoted text from its opening quote; keeps escapes as written, so that they can be
// decoded later with the rest of the text.
std::size_t readQuoted(const std::string& text, std::size_t i, Token& token) {
    token.quoted = true;
    for (++i; i < text.size(); ++i) {
        if (text[i] == '"') return i + 1;
        if (text[i] == '\\' && i + 1 < text.size()) token.raw += text[i++];
        token.raw += text[i];
    }
    throw std::runtime_error("a quoted text has no closing quote");
}

} // namespace

std::vector<Token> tokenize(const std::string& text) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        if (isSpace(text[i])) {
            ++i;
            continue;
        }
        if (text[i] == '#') break;
        Token token;
        if (text[i] == '"') {
            i = readQuoted(text, i, token);
            if (i < text.size() && !isSpace(text[i]))
                throw std::runtime_error("a quoted text must be followed by a space");
        } else {
            while (i < text.size() && !isSpace(text[i]))
                token.raw += text[i++];
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

} // namespace extdict::scenario
