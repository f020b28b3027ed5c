#include "scenario.h"

#include <charconv>
#include <stdexcept>

#include "shown_text.h"
#include "text/encoding.h"

namespace extdict::scenario {
namespace {

const char* const kDatabaseFile = "Vornel扩展名查询.edb";

bool isAbsolute(std::string_view path) {
    return path.starts_with("/") || path.starts_with("\\") ||
           path.find(':') != std::string_view::npos;
}

} // namespace

Scenario::Scenario(std::string fileName, std::string executableDirectory, std::ostream& out)
    : fileName_(std::move(fileName)), executableDirectory_(std::move(executableDirectory)),
      out_(out), ui_(std::make_unique<HeadlessToolkit>(services)) {
    services.setExecutableDirectory(executableDirectory_);
    services.setFileSystem(files);
    services.setHttpTransport(http);
}

void Scenario::fail(const Line& line, const std::string& message) {
    out_ << fileName_ << ":" << line.number << ": " << message << "\n";
    ++failures_;
}

void Scenario::abort(const Line& line, const std::string& message) {
    fail(line, message);
    throw ScenarioAbort{};
}

void Scenario::expectText(const Line& line, const std::string& what, const std::string& expected,
                          const std::string& seen) {
    if (expected != seen)
        fail(line, what + ": expected " + shown(expected) + ", saw " + shown(seen));
}

void Scenario::expectNumber(const Line& line, const std::string& what, long long expected,
                            long long seen) {
    if (expected != seen)
        fail(line,
             what + ": expected " + std::to_string(expected) + ", saw " + std::to_string(seen));
}

std::string Scenario::expression(const Line& line, const std::string& inside) {
    const auto space = inside.find(' ');
    const std::string name = inside.substr(0, space);
    const Token argument{space == std::string::npos ? "" : inside.substr(space + 1), true};
    if (name == "dir" && space == std::string::npos) return executableDirectory_;
    if (name == "length" && !argument.raw.empty())
        return std::to_string(ui().text(ref(line, argument)).size());
    if (name == "text" && !argument.raw.empty()) return ui().text(ref(line, argument));
    abort(line, "unknown ${" + inside + "}: use ${dir}, ${length CONTROL} or ${text CONTROL}");
}

std::string Scenario::text(const Line& line, const Token& token) {
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
                out +=
                    gbkOfScriptText(literal) + expression(line, raw.substr(i + 2, close - i - 2));
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

long long Scenario::number(const Line& line, const Token& token) {
    long long value = 0;
    const char* end = token.raw.data() + token.raw.size();
    const auto result = std::from_chars(token.raw.data(), end, value);
    if (result.ec != std::errc() || result.ptr != end)
        abort(line, "\"" + token.raw + "\" is not a whole number");
    return value;
}

std::string Scenario::contents(const Line& line, const Token& encoding, const Token& value) {
    if (encoding.raw == "gbk") return text(line, value);
    if (encoding.raw == "utf8") {
        try {
            return bytesOfScriptText(value.raw);
        } catch (const std::runtime_error& error) {
            abort(line, error.what());
        }
    }
    if (encoding.raw != "hex")
        abort(line, "contents are gbk, utf8 or hex, not \"" + encoding.raw + "\"");
    std::string digits;
    for (const char c : value.raw)
        if (c != ' ') digits += c;
    if (digits.size() % 2 != 0) abort(line, "hexadecimal bytes need an even number of digits");
    std::string escaped;
    for (std::size_t i = 0; i < digits.size(); i += 2)
        escaped += "\\x" + digits.substr(i, 2);
    return text(line, Token{escaped, true});
}

tk::ControlRef Scenario::ref(const Line& line, const Token& token) {
    const std::string name = text(line, token);
    if (const auto slash = name.find('/'); slash != std::string::npos) {
        if (const auto found = ui().findControl(name.substr(0, slash), name.substr(slash + 1)))
            return *found;
        abort(line, "no control " + shown(name));
    }
    if (const auto window = ui().findWindow(name)) return {*window};
    std::vector<tk::ControlRef> matches;
    for (const tk::WindowId window : ui().windows())
        if (const tk::ControlId id = ui().controlNamed(window, name); id != tk::kWindowItself)
            matches.push_back({window, id});
    if (matches.size() == 1) return matches.front();
    abort(line, matches.empty() ? "no window or control " + shown(name)
                                : "several windows hold " + shown(name) + ": write WINDOW/CONTROL");
}

tk::WindowId Scenario::windowRef(const Line& line, const Token& token) {
    const tk::ControlRef found = ref(line, token);
    if (found.control != tk::kWindowItself) abort(line, shown(text(line, token)) + " is no window");
    return found.window;
}

std::string Scenario::path(const Line& line, const Token& token) {
    const std::string given = text(line, token);
    return isAbsolute(given) ? given : services.joinPath(executableDirectory_, given);
}

std::string Scenario::databasePath() const {
    return executableDirectory_ + "\\" + gbk(kDatabaseFile);
}

HeadlessToolkit& Scenario::runningUi(const Line& line) {
    if (!running_) abort(line, "the program is not running");
    return *ui_;
}

HeadlessToolkit& Scenario::answeringUi() {
    if (running_) return *ui_;
    if (!next_) next_ = std::make_unique<HeadlessToolkit>(services);
    return *next_;
}

void Scenario::runProgram(const Program& program, std::vector<std::function<void()>> steps,
                          std::vector<Timing> timings) {
    ui_ = next_ ? std::move(next_) : std::make_unique<HeadlessToolkit>(services);
    ui_->setUptimeStart(uptimeStart);
    http.setClock([this](std::uint64_t ms) { ui_->advanceClock(ms); });
    messagesChecked = dialogsChecked = 0;
    captionsChecked.clear();
    for (std::size_t i = 0; i < steps.size(); ++i)
        ui_->addStep(std::move(steps[i]),
                     StepTiming{timings[i].delay, timings[i].atTime, timings[i].whenIdle});
    running_ = true;
    exitCode_.reset();
    try {
        program(*ui_, services);
        running_ = false;
        fail(Line{currentLine, {}, {}, {}}, "the program returned instead of ending through exit");
    } catch (const HeadlessExit& exit) {
        exitCode_ = exit.code;
    } catch (const HeadlessScriptError& error) {
        running_ = false;
        abort(Line{currentLine, {}, {}, {}}, error.message);
    } catch (const ScenarioAbort&) {
        running_ = false;
        throw;
    }
    running_ = false;
}

} // namespace extdict::scenario
