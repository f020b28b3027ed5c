#include "script_parser.h"

#include <charconv>
#include <stdexcept>

#include "verbs.h"

namespace extdict::scenario {
namespace {

std::uint64_t milliseconds(const std::vector<Token>& tokens) {
    std::uint64_t value = 0;
    const std::string& raw = tokens.size() == 2 ? tokens[1].raw : std::string();
    const char* end = raw.data() + raw.size();
    const auto result = std::from_chars(raw.data(), end, value);
    if (raw.empty() || result.ec != std::errc() || result.ptr != end)
        throw std::runtime_error(tokens[0].raw + " takes a number of milliseconds");
    return value;
}

// True when the tokens were a timing line, which then shapes the next step's timing.
bool readTiming(const std::vector<Token>& tokens, Timing& timing) {
    const std::string& word = tokens[0].raw;
    if (word == "wait")
        timing.delay += milliseconds(tokens);
    else if (word == "at")
        timing.atTime = milliseconds(tokens);
    else if (word == "idle" && tokens.size() == 1)
        timing.whenIdle = true;
    else
        return false;
    return true;
}

Line readStep(const std::vector<Token>& tokens, int number, const Timing& timing) {
    Line line{number, tokens[0].raw, {tokens.begin() + 1, tokens.end()}, timing};
    if (line.verb == "start") {
        if (!line.args.empty()) throw std::runtime_error("start takes no arguments");
        return line;
    }
    if (line.verb == "check") {
        if (line.args.empty()) throw std::runtime_error("check what?");
        line.verb += " " + line.args.front().raw;
        line.args.erase(line.args.begin());
    }
    const Verb* verb = findVerb(line.verb);
    if (!verb) throw std::runtime_error("unknown verb \"" + line.verb + "\"");
    const int count = static_cast<int>(line.args.size());
    if (count < verb->minArgs || (verb->maxArgs >= 0 && count > verb->maxArgs))
        throw std::runtime_error(std::string("usage: ") + verb->usage);
    return line;
}

} // namespace

Script parseScript(std::istream& in) {
    Script script;
    Timing timing;
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        try {
            const std::vector<Token> tokens = tokenize(text);
            if (tokens.empty() || readTiming(tokens, timing)) continue;
            script.lines.push_back(readStep(tokens, number, timing));
            timing = {};
        } catch (const std::runtime_error& error) {
            script.errors.push_back("line " + std::to_string(number) + ": " + error.what());
        }
    }
    return script;
}

} // namespace extdict::scenario
