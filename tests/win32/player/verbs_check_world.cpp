// Checks of what the program left in the world: the database, files, the clipboard, the
// programs and addresses it asked for, its HTTP requests and its exit code.
#include "play.h"
#include "play_verbs.h"
#include "shown_text.h"
#include "store/record_store.h"
#include "world.h"

namespace extdict::player {
namespace {

using scenario::shown;

// The database as a reader beside the running program sees it: it never writes, so it
// shares the file the program holds open for writing.
class ReadOnlyFiles final : public FileSystem {
public:
    explicit ReadOnlyFiles(FileSystem& real) : real_(real) {}
    std::unique_ptr<File> open(std::string_view path, OpenMode) override {
        return real_.open(path, OpenMode::ReadOnly);
    }
    bool exists(std::string_view path) override { return real_.exists(path); }
    bool remove(std::string_view) override { return false; }
    bool replace(std::string_view, std::string_view) override { return false; }
    bool rename(std::string_view, std::string_view) override { return false; }

private:
    FileSystem& real_;
};

void recordCount(Play& p, const Line& line) {
    ReadOnlyFiles files(p.services.files());
    RecordStore store(files);
    if (!store.open(p.databasePath())) return p.fail(line, "the database does not open");
    p.expectNumber(line, "record count", p.number(line, line.args[0]), store.recordCount());
}

void record(Play& p, const Line& line) {
    ReadOnlyFiles files(p.services.files());
    RecordStore store(files);
    if (!store.open(p.databasePath())) return p.fail(line, "the database does not open");
    const long long number = p.number(line, line.args[0]);
    if (number < 1 || number > store.recordCount())
        return p.fail(line, "there is no record " + std::to_string(number) + " (" +
                                std::to_string(store.recordCount()) + " in all)");
    store.goTo(static_cast<int>(number));
    const std::string which = "record " + std::to_string(number);
    p.expectText(line, "extension of " + which, p.text(line, line.args[1]), store.readField(1));
    p.expectText(line, "note of " + which, p.text(line, line.args[2]), store.readField(2));
    if (store.isDeleted() != (line.args.size() == 4))
        p.fail(line, which + (store.isDeleted() ? " is marked deleted" : " is not marked deleted"));
}

void file(Play& p, const Line& line) {
    const auto found = filesMatching(p.path(line, line.args[0]));
    if (found.size() != 1)
        return p.fail(line, std::to_string(found.size()) + " files match " + shown(p.text(line, line.args[0])));
    const auto bytes = p.services.files().readWholeFile(found.front());
    if (!bytes) return p.fail(line, "cannot read " + shown(found.front()));
    p.expectText(line, "contents of " + shown(found.front()), p.contents(line, line.args[1], line.args[2]),
                 *bytes);
}

void fileCount(Play& p, const Line& line) {
    p.expectNumber(line, "files matching " + shown(p.text(line, line.args[0])),
                   p.number(line, line.args[1]),
                   static_cast<long long>(filesMatching(p.path(line, line.args[0])).size()));
}

void noFile(Play& p, const Line& line) {
    const auto found = filesMatching(p.path(line, line.args[0]));
    if (!found.empty()) p.fail(line, shown(found.front()) + " exists");
}

void clipboard(Play& p, const Line& line) {
    const auto seen = clipboardText();
    if (!line.args[0].quoted && line.args[0].raw == "empty") {
        if (seen) p.fail(line, "the clipboard holds " + shown(*seen));
        return;
    }
    if (!seen) return p.fail(line, "the clipboard holds no text");
    p.expectText(line, "clipboard", p.text(line, line.args[0]), *seen);
}

void nextOf(Play& p, const Line& line, const std::vector<std::string>& log, std::size_t& checked,
            const char* what) {
    if (checked >= log.size()) return p.fail(line, std::string("no further ") + what);
    p.expectText(line, what, p.text(line, line.args[0]), log[checked++]);
}

void noneLeft(Play& p, const Line& line, const std::vector<std::string>& log, std::size_t checked,
              const char* what) {
    if (checked < log.size()) p.fail(line, std::string(what) + ": " + shown(log[checked]));
}

void started(Play& p, const Line& line) {
    nextOf(p, line, p.services.started, p.startedChecked, "started program");
}
void noStarted(Play& p, const Line& line) {
    noneLeft(p, line, p.services.started, p.startedChecked, "a program was started");
}
void opened(Play& p, const Line& line) {
    nextOf(p, line, p.services.opened, p.openedChecked, "opened address");
}
void noOpened(Play& p, const Line& line) {
    noneLeft(p, line, p.services.opened, p.openedChecked, "an address was opened");
}

void httpRequest(Play& p, const Line& line) {
    const auto& requests = p.services.requests();
    if (p.requestsChecked >= requests.size()) return p.fail(line, "no further HTTP request");
    const RequestSeen& seen = requests[p.requestsChecked++];
    if (line.args.size() % 2 != 0) p.abort(line, "check http-request takes FIELD TEXT pairs");
    for (std::size_t i = 0; i < line.args.size(); i += 2) {
        const std::string& field = line.args[i].raw;
        const Token& value = line.args[i + 1];
        if (field == "host")
            p.expectText(line, "request host", p.text(line, value), seen.host);
        else if (field == "port")
            p.expectNumber(line, "request port", p.number(line, value), seen.port);
        else if (field == "method")
            p.expectText(line, "request method", p.text(line, value), seen.method);
        else if (field == "path")
            p.expectText(line, "request path", p.text(line, value), seen.path);
        else if (field == "body")
            p.expectText(line, "request body", p.text(line, value), seen.body);
        else if (field == "header") {
            if (seen.headers.find(p.text(line, value)) == std::string::npos)
                p.fail(line, "request headers " + shown(seen.headers) + " lack " + shown(p.text(line, value)));
        } else
            p.abort(line, "a request field is host, port, method, path, header or body");
    }
}

void noHttpRequest(Play& p, const Line& line) {
    const auto& requests = p.services.requests();
    if (p.requestsChecked < requests.size())
        p.fail(line, "an HTTP request was made for " + shown(requests[p.requestsChecked].path));
}

void exitCode(Play& p, const Line& line) {
    if (!p.ui.exitCode()) return p.fail(line, "the program has not ended");
    p.expectNumber(line, "exit code", p.number(line, line.args[0]), *p.ui.exitCode());
}

void running(Play& p, const Line& line) {
    if (!p.ui.running()) p.fail(line, "the program is not running");
}

constexpr PlayVerb kVerbs[] = {
    {"check record-count", VerbKind::Check, recordCount},
    {"check record", VerbKind::Check, record},
    {"check file", VerbKind::Check, file},
    {"check file-count", VerbKind::Check, fileCount},
    {"check no-file", VerbKind::Check, noFile},
    {"check clipboard", VerbKind::Check, clipboard},
    {"check started", VerbKind::Check, started},
    {"check no-started", VerbKind::Check, noStarted},
    {"check opened", VerbKind::Check, opened},
    {"check no-opened", VerbKind::Check, noOpened},
    {"check http-request", VerbKind::Check, httpRequest},
    {"check no-http-request", VerbKind::Check, noHttpRequest},
    {"check exit", VerbKind::Check, exitCode},
    {"check running", VerbKind::Check, running},
};

} // namespace

std::span<const PlayVerb> worldChecks() { return kVerbs; }

} // namespace extdict::player
