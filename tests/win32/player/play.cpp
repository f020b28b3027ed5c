#include "play.h"

#include <charconv>
#include <stdexcept>

#include "play_verbs.h"
#include "shown_text.h"
#include "text/encoding.h"

namespace extdict::player {
namespace {

bool isAbsolute(std::string_view path) {
    return path.starts_with("\\") || path.find(':') != std::string_view::npos;
}

} // namespace

using scenario::gbkOfScriptText;
using scenario::shown;

Play::Play(std::string fileName, std::string directory, RecordingToolkit& toolkit,
           PlayerServices& playerServices)
    : ui(toolkit), services(playerServices), driver(toolkit.real()),
      fileName_(std::move(fileName)), directory_(std::move(directory)) {}

void Play::fail(const Line& line, const std::string& message) {
    std::cout << fileName_ << ":" << line.number << ": " << message << std::endl;
    ++failures_;
}

void Play::abort(const Line& line, const std::string& message) {
    fail(line, message);
    std::cout << fileName_ << ": stopped" << std::endl;
    ExitProcess(kRunStopped);
}

void Play::finish() {
    std::cout.flush();
    ExitProcess(failures_ == 0 ? kRunPassed : kRunFailed);
}

void Play::skip(const std::string& reason) {
    std::cout << "SKIP " << fileName_ << ": " << reason << std::endl;
    ExitProcess(kRunSkipped);
}

void Play::expectText(const Line& line, const std::string& what, const std::string& expected,
                      const std::string& seen) {
    if (expected != seen) fail(line, what + ": expected " + shown(expected) + ", saw " + shown(seen));
}

void Play::expectNumber(const Line& line, const std::string& what, long long expected,
                        long long seen) {
    if (expected != seen)
        fail(line, what + ": expected " + std::to_string(expected) + ", saw " + std::to_string(seen));
}

std::string Play::expression(const Line& line, const std::string& inside) {
    const auto space = inside.find(' ');
    const std::string name = inside.substr(0, space);
    const Token argument{space == std::string::npos ? "" : inside.substr(space + 1), true};
    if (name == "dir" && space == std::string::npos) return directory_;
    if (name == "length" && !argument.raw.empty())
        return std::to_string(ui.text(ref(line, argument)).size());
    if (name == "text" && !argument.raw.empty()) return ui.text(ref(line, argument));
    abort(line, "unknown ${" + inside + "}");
}

std::string Play::text(const Line& line, const Token& token) {
    if (!token.quoted) return gbkFromUtf8(token.raw);
    try {
        std::string out;
        std::string literal;
        const std::string& raw = token.raw;
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] == '\\' && i + 1 < raw.size()) {
                literal += raw.substr(i++, 2);
            } else if (raw.compare(i, 2, "${") == 0) {
                const auto close = raw.find('}', i);
                if (close == std::string::npos) throw std::runtime_error("${ without }");
                out += gbkOfScriptText(literal) + expression(line, raw.substr(i + 2, close - i - 2));
                literal.clear();
                i = close;
            } else {
                literal += raw[i];
            }
        }
        return out + gbkOfScriptText(literal);
    } catch (const std::runtime_error& error) {
        abort(line, error.what());
    }
}

long long Play::number(const Line& line, const Token& token) {
    long long value = 0;
    const char* end = token.raw.data() + token.raw.size();
    const auto result = std::from_chars(token.raw.data(), end, value);
    if (result.ec != std::errc() || result.ptr != end)
        abort(line, "\"" + token.raw + "\" is not a whole number");
    return value;
}

std::string Play::contents(const Line& line, const Token& encoding, const Token& value) {
    if (encoding.raw == "gbk") return text(line, value);
    if (encoding.raw == "utf8") {
        try {
            return scenario::bytesOfScriptText(value.raw);
        } catch (const std::runtime_error& error) {
            abort(line, error.what());
        }
    }
    if (encoding.raw != "hex") abort(line, "contents are gbk, utf8 or hex");
    std::string escaped;
    std::string digits;
    for (const char c : value.raw)
        if (c != ' ') digits += c;
    if (digits.size() % 2 != 0) abort(line, "hexadecimal bytes need an even number of digits");
    for (std::size_t i = 0; i < digits.size(); i += 2) escaped += "\\x" + digits.substr(i, 2);
    return text(line, Token{escaped, true});
}

tk::ControlRef Play::ref(const Line& line, const Token& token) {
    const std::string name = text(line, token);
    if (const auto slash = name.find('/'); slash != std::string::npos) {
        if (const auto window = ui.findWindow(name.substr(0, slash))) {
            const tk::ControlId id = ui.controlNamed(*window, name.substr(slash + 1));
            if (id != tk::kWindowItself) return {*window, id};
        }
        abort(line, "no control " + shown(name));
    }
    if (const auto window = ui.findWindow(name)) return {*window};
    std::vector<tk::ControlRef> matches;
    for (const tk::WindowId window : ui.windows())
        if (const tk::ControlId id = ui.controlNamed(window, name); id != tk::kWindowItself)
            matches.push_back({window, id});
    if (matches.size() == 1) return matches.front();
    abort(line, matches.empty() ? "no window or control " + shown(name)
                                : "several windows hold " + shown(name));
}

tk::WindowId Play::windowRef(const Line& line, const Token& token) {
    const tk::ControlRef found = ref(line, token);
    if (found.control != tk::kWindowItself) abort(line, shown(text(line, token)) + " is no window");
    return found.window;
}

tk::ControlRef Play::target(const Line& line, const Token& token) {
    if (!ui.running()) abort(line, "the program is not running");
    const tk::ControlRef found = ref(line, token);
    const HWND hwnd = ui.real().handleOf(found);
    if (!hwnd || !IsWindowVisible(hwnd) || !IsWindowEnabled(GetAncestor(hwnd, GA_ROOT)))
        abort(line, shown(text(line, token)) + " is not shown or takes no input");
    return found;
}

std::string Play::path(const Line& line, const Token& token) {
    const std::string given = text(line, token);
    return isAbsolute(given) ? given : services.joinPath(directory_, given);
}

std::string Play::databasePath() const { return directory_ + "\\" + gbk("Vornel扩展名查询.edb"); }

void runLine(Play& play, const Line& line) {
    const PlayVerb* verb = findPlayVerb(line.verb);
    if (!verb) play.abort(line, "\"" + line.verb + "\" cannot be played");
    verb->run(play, line);
}

} // namespace extdict::player
