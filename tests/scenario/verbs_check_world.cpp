// Checks of what the program left in the world: the database, files, the clipboard, started
// programs and opened addresses, HTTP requests, the exit code and the clock.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "shown_text.h"
#include "store/record_store.h"
#include "toolkit/posix/posix_file_system.h"
#include "verbs.h"

namespace extdict::scenario {
namespace {

void recordCount(Scenario& s, const Line& line) {
    PosixFileSystem files;
    RecordStore store(files);
    if (!store.open(s.databasePath())) return s.fail(line, "the database does not open");
    s.expectNumber(line, "record count", s.number(line, line.args[0]), store.recordCount());
}

void record(Scenario& s, const Line& line) {
    if (line.args.size() == 4 && line.args[3].raw != "deleted")
        s.abort(line, "a record ends with \"deleted\" or nothing");
    PosixFileSystem files;
    RecordStore store(files);
    if (!store.open(s.databasePath())) return s.fail(line, "the database does not open");
    const long long number = s.number(line, line.args[0]);
    if (number < 1 || number > store.recordCount())
        return s.fail(line, "there is no record " + std::to_string(number) + " (" +
                                std::to_string(store.recordCount()) + " in all)");
    store.goTo(static_cast<int>(number));
    const std::string which = "record " + std::to_string(number);
    s.expectText(line, "extension of " + which, s.text(line, line.args[1]), store.readField(1));
    s.expectText(line, "note of " + which, s.text(line, line.args[2]), store.readField(2));
    if (store.isDeleted() != (line.args.size() == 4))
        s.fail(line, which + (store.isDeleted() ? " is marked deleted" : " is not marked deleted"));
}

bool matches(std::string_view pattern, std::string_view name) {
    const auto star = pattern.find('*');
    if (star == std::string_view::npos) return pattern == name;
    if (!name.starts_with(pattern.substr(0, star))) return false;
    const std::string_view rest = pattern.substr(star + 1);
    for (std::size_t i = star; i <= name.size(); ++i)
        if (matches(rest, name.substr(i))) return true;
    return false;
}

// The files that a path names; its last part may hold "*".
std::vector<std::filesystem::path> filesMatching(Scenario& s, const Line& line,
                                                 const Token& token) {
    const std::filesystem::path wanted(nativePath(s.path(line, token)));
    std::vector<std::filesystem::path> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(wanted.parent_path(), error))
        if (matches(wanted.filename().string(), entry.path().filename().string()))
            found.push_back(entry.path());
    return found;
}

void file(Scenario& s, const Line& line) {
    const auto found = filesMatching(s, line, line.args[0]);
    if (found.size() != 1)
        return s.fail(line, std::to_string(found.size()) + " files match " +
                                shown(s.text(line, line.args[0])));
    std::ifstream in(found.front(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.good() && !in.eof()) return s.fail(line, "cannot read " + found.front().string());
    s.expectText(line, "contents of " + found.front().filename().string(),
                 s.contents(line, line.args[1], line.args[2]), bytes);
}

void fileCount(Scenario& s, const Line& line) {
    s.expectNumber(line, "files matching " + shown(s.text(line, line.args[0])),
                   s.number(line, line.args[1]),
                   static_cast<long long>(filesMatching(s, line, line.args[0]).size()));
}

void noFile(Scenario& s, const Line& line) {
    const auto found = filesMatching(s, line, line.args[0]);
    if (!found.empty()) s.fail(line, found.front().string() + " exists");
}

void clipboard(Scenario& s, const Line& line) {
    const auto& seen = s.services.clipboard();
    if (!line.args[0].quoted && line.args[0].raw == "empty") {
        if (seen) s.fail(line, "the clipboard holds " + shown(*seen));
        return;
    }
    if (!seen) return s.fail(line, "the clipboard holds no text");
    s.expectText(line, "clipboard", s.text(line, line.args[0]), *seen);
}

void nextOf(Scenario& s, const Line& line, const std::vector<std::string>& log,
            std::size_t& checked, const char* what) {
    if (checked >= log.size()) return s.fail(line, std::string("no further ") + what);
    s.expectText(line, what, s.text(line, line.args[0]), log[checked++]);
}

void noneLeft(Scenario& s, const Line& line, const std::vector<std::string>& log,
              std::size_t checked, const char* what) {
    if (checked < log.size()) s.fail(line, std::string(what) + ": " + shown(log[checked]));
}

void started(Scenario& s, const Line& line) {
    nextOf(s, line, s.services.startedPrograms(), s.startedChecked, "started program");
}
void noStarted(Scenario& s, const Line& line) {
    noneLeft(s, line, s.services.startedPrograms(), s.startedChecked, "a program was started");
}
void opened(Scenario& s, const Line& line) {
    nextOf(s, line, s.services.openedAddresses(), s.openedChecked, "opened address");
}
void noOpened(Scenario& s, const Line& line) {
    noneLeft(s, line, s.services.openedAddresses(), s.openedChecked, "an address was opened");
}

void httpRequest(Scenario& s, const Line& line) {
    const auto& requests = s.http.requests();
    if (s.requestsChecked >= requests.size()) return s.fail(line, "no further HTTP request");
    const HttpRequestSeen& seen = requests[s.requestsChecked++];
    if (line.args.size() % 2 != 0) s.abort(line, "check http-request takes FIELD TEXT pairs");
    for (std::size_t i = 0; i < line.args.size(); i += 2) {
        const std::string& field = line.args[i].raw;
        const Token& value = line.args[i + 1];
        if (field == "host")
            s.expectText(line, "request host", s.text(line, value), seen.host);
        else if (field == "port")
            s.expectNumber(line, "request port", s.number(line, value), seen.port);
        else if (field == "method")
            s.expectText(line, "request method", s.text(line, value), seen.method);
        else if (field == "path")
            s.expectText(line, "request path", s.text(line, value), seen.path);
        else if (field == "body")
            s.expectText(line, "request body", s.text(line, value), seen.body);
        else if (field == "header") {
            if (seen.headers.find(s.text(line, value)) == std::string::npos)
                s.fail(line, "request headers " + shown(seen.headers) + " lack " +
                                 shown(s.text(line, value)));
        } else
            s.abort(line, "a request field is host, port, method, path, header or body");
    }
}

void noHttpRequest(Scenario& s, const Line& line) {
    const auto& requests = s.http.requests();
    if (s.requestsChecked < requests.size())
        s.fail(line, "an HTTP request was made for " + shown(requests[s.requestsChecked].path));
}

void exitCode(Scenario& s, const Line& line) {
    if (s.running() || !s.exitCode()) return s.fail(line, "the program has not ended");
    s.expectNumber(line, "exit code", s.number(line, line.args[0]), *s.exitCode());
}

void running(Scenario& s, const Line& line) {
    if (!s.running()) s.fail(line, "the program is not running");
}

void time(Scenario& s, const Line& line) {
    s.expectNumber(line, "virtual time (ms)", s.number(line, line.args[0]),
                   static_cast<long long>(s.ui().elapsed()));
}

constexpr Verb kVerbs[] = {
    {"check record-count", 1, 1, recordCount, "check record-count N"},
    {"check record", 3, 4, record, "check record N EXTENSION NOTE [deleted]"},
    {"check file", 3, 3, file, "check file PATH gbk|utf8|hex CONTENTS"},
    {"check file-count", 2, 2, fileCount, "check file-count PATH-WITH-* N"},
    {"check no-file", 1, 1, noFile, "check no-file PATH"},
    {"check clipboard", 1, 1, clipboard, "check clipboard TEXT|empty"},
    {"check started", 1, 1, started, "check started COMMAND-LINE"},
    {"check no-started", 0, 0, noStarted, "check no-started"},
    {"check opened", 1, 1, opened, "check opened ADDRESS"},
    {"check no-opened", 0, 0, noOpened, "check no-opened"},
    {"check http-request", 0, 12, httpRequest,
     "check http-request [host|port|method|path|header|body TEXT]..."},
    {"check no-http-request", 0, 0, noHttpRequest, "check no-http-request"},
    {"check exit", 1, 1, exitCode, "check exit CODE"},
    {"check running", 0, 0, running, "check running"},
    {"check time", 1, 1, time, "check time MILLISECONDS"},
};

} // namespace

std::span<const Verb> worldChecks() {
    return kVerbs;
}

} // namespace extdict::scenario
