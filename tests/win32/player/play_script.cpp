#include "play_script.h"

#include <charconv>
#include <stdexcept>

#include "play_verbs.h"
#include "world.h"

namespace extdict::player {
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

Line lineOf(const std::vector<Token>& tokens, int number, const Timing& timing) {
    Line line{number, tokens[0].raw, {tokens.begin() + 1, tokens.end()}, timing};
    if (line.verb == "check" && !line.args.empty()) {
        line.verb += " " + line.args.front().raw;
        line.args.erase(line.args.begin());
    }
    return line;
}

bool isUserAction(const Line& line) {
    const PlayVerb* verb = findPlayVerb(line.verb);
    return verb && verb->kind == VerbKind::User;
}

bool isTimed(const Line& line) {
    return line.timing.delay > 0 || line.timing.atTime || line.timing.whenIdle;
}

std::string where(const Line& line) { return " (line " + std::to_string(line.number) + ")"; }

} // namespace

PlayScript readScript(std::istream& in) {
    PlayScript script;
    Timing timing;
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        try {
            const std::vector<Token> tokens = scenario::tokenize(text);
            if (tokens.empty() || readTiming(tokens, timing)) continue;
            if (tokens[0].raw == "start") script.starts.push_back(script.lines.size());
            script.lines.push_back(lineOf(tokens, number, timing));
            timing = {};
        } catch (const std::runtime_error& error) {
            script.errors.push_back("line " + std::to_string(number) + ": " + error.what());
        }
    }
    return script;
}

std::string unplayableReason(const PlayScript& script) {
    for (const Line& line : script.lines) {
        if (line.timing.atTime) return "\"at\" needs virtual time" + where(line);
        if (line.timing.delay > 0 && line.verb.starts_with("check "))
            return "a check after \"wait\" looks at one instant of virtual time" + where(line);
        if (line.verb == "start") continue;
        if (!findPlayVerb(line.verb)) return "\"" + line.verb + "\" cannot be played" + where(line);
        if (line.verb == "http" && (replySpool().empty() || replyPort() == 0))
            return "the network's replies need the reply server (tests/win32/reply_server.py)" +
                   where(line);
        if (line.verb == "clipboard" && !line.args.empty() && !line.args[0].quoted &&
            (line.args[0].raw == "held" || line.args[0].raw == "free"))
            return "another program holding the clipboard cannot be played" + where(line);
    }
    // A run's answers and settings live in the process that runs it; ones written after a
    // run's end, for the next run, would be lost.
    for (std::size_t s = 0; s + 1 < script.starts.size(); ++s)
        for (std::size_t i = script.starts[s] + 1; i < script.starts[s + 1]; ++i)
            if (findPlayVerb(script.lines[i].verb)->kind == VerbKind::RunSetup)
                return "a run's answers or settings between two starts" + where(script.lines[i]);
    return {};
}

std::vector<Step> stepsOf(const std::vector<Line>& lines, std::size_t begin, std::size_t end) {
    std::vector<Step> steps;
    std::size_t first = begin;
    for (std::size_t j = begin; j < end; ++j) {
        if (j > first && isTimed(lines[j])) {
            steps.push_back({first, j, lines[first].timing});
            first = j;
        }
        if (isUserAction(lines[j])) {
            steps.push_back({first, j + 1, lines[first].timing});
            first = j + 1;
        }
    }
    if (first < end) steps.push_back({first, end, lines[first].timing});
    return steps;
}

std::size_t runEnd(const PlayScript& script, std::size_t startIndex) {
    for (const std::size_t start : script.starts)
        if (start > startIndex) return start;
    return script.lines.size();
}

} // namespace extdict::player
