// Setting up the world the program finds, and the answers the user will give.
#include "play.h"
#include "play_verbs.h"
#include "store/record_store.h"
#include "text/encoding.h"
#include "toolkit/win32/wide_text.h"
#include "world.h"

namespace extdict::player {
namespace {

void writeFile(Play& p, const Line& line) {
    if (!p.services.files().writeWholeFile(p.path(line, line.args[0]),
                                           p.contents(line, line.args[1], line.args[2])))
        p.abort(line, "cannot write the file");
}

void folder(Play& p, const Line& line) {
    if (!makeFolder(p.path(line, line.args[0]))) p.abort(line, "cannot make the folder");
}

void remove(Play& p, const Line& line) {
    if (!removePath(p.path(line, line.args[0]))) p.abort(line, "cannot remove");
}

void cut(Play& p, const Line& line) {
    if (!cutFile(p.path(line, line.args[0]),
                 static_cast<unsigned long long>(p.number(line, line.args[1]))))
        p.abort(line, "cannot cut the file");
}

void patch(Play& p, const Line& line) {
    auto file = p.services.files().open(p.path(line, line.args[0]), OpenMode::ReadWrite);
    const std::string bytes = p.contents(line, Token{"hex", false}, line.args[2]);
    const auto offset = static_cast<std::uint64_t>(p.number(line, line.args[1]));
    if (!file || !file->writeAt(offset, bytes.data(), bytes.size()) || !file->sync())
        p.abort(line, "cannot patch the file");
}

std::vector<FieldDescriptor> storeFields() {
    return {{gbk("扩展名"), 10, 50}, {gbk("注释"), 10, 512}};
}

void database(Play& p, const Line& line) {
    RecordStore store(p.services.files());
    if (!store.create(p.databasePath(), storeFields())) p.abort(line, "cannot create the database");
}

void record(Play& p, const Line& line) {
    if (line.args.size() == 3 && line.args[2].raw != "deleted")
        p.abort(line, "a record ends with \"deleted\" or nothing");
    RecordStore store(p.services.files());
    if (!store.open(p.databasePath()) &&
        !(store.create(p.databasePath(), storeFields()) && store.open(p.databasePath())))
        p.abort(line, "cannot open or create the database");
    if (!store.addRecord(p.text(line, line.args[0]), p.text(line, line.args[1])))
        p.abort(line, "cannot add the record");
    if (line.args.size() == 3 && !store.markDeleted()) p.abort(line, "cannot mark the record");
    store.close();
}

void registry(Play& p, const Line& line) {
    RegistryType type = RegistryType::String;
    if (line.args.size() == 3) {
        const std::string& name = line.args[2].raw;
        if (name == "expand")
            type = RegistryType::ExpandString;
        else if (name == "other")
            type = RegistryType::Other;
        else if (name != "string")
            p.abort(line, "a value type is string, expand or other");
    }
    if (!setClassesDefault(p.text(line, line.args[0]), p.text(line, line.args[1]), type))
        p.abort(line, "cannot write the registry");
}

void variable(Play& p, const Line& line) {
    const std::wstring name = win32::wideFromGbk(p.text(line, line.args[0]));
    const std::wstring value = win32::wideFromGbk(p.text(line, line.args[1]));
    if (!SetEnvironmentVariableW(name.c_str(), value.c_str())) p.abort(line, "cannot set it");
}

void clipboard(Play& p, const Line& line) {
    const Token& arg = line.args[0];
    if (!arg.quoted && arg.raw != "empty") p.abort(line, "clipboard takes a quoted text or empty");
    const std::optional<std::string> text =
        arg.quoted ? std::optional<std::string>(p.text(line, arg)) : std::nullopt;
    if (!setClipboardText(text)) p.abort(line, "cannot write the clipboard");
}

// The next reply of the reply server, as a file in its queue.
void http(Play& p, const Line& line) {
    const auto& args = line.args;
    std::string head = "chunk 512 delay 0";
    std::string body;
    if (args[0].raw == "refuse" && args.size() == 1) {
        head = "refuse";
    } else {
        if (args[0].raw != "reply" || args.size() < 2 || args.size() % 2 != 0)
            p.abort(line, "http takes: refuse, or reply TEXT [chunk N] [delay MS]");
        body = p.text(line, args[1]);
        long long chunk = 512, delay = 0;
        for (std::size_t i = 2; i < args.size(); i += 2)
            (args[i].raw == "chunk" ? chunk : delay) = p.number(line, args[i + 1]);
        head = "chunk " + std::to_string(chunk) + " delay " + std::to_string(delay);
    }
    char name[16];
    std::snprintf(name, sizeof name, "%06d.reply", p.repliesQueued++);
    if (!p.services.files().writeWholeFile(replySpool() + "\\" + name, head + "\n" + body))
        p.abort(line, "cannot queue the reply");
}

void lock(Play& p, const Line& line) {
    const std::string path = p.path(line, line.args[0]);
    const HANDLE handle = CreateFileW(win32::wideFromGbk(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        p.locks[path] = handle;
        return;
    }
    const std::string where = " (line " + std::to_string(line.number) + ")";
    if (GetLastError() == ERROR_FILE_NOT_FOUND)
        p.skip("a lock on a file that does not exist needs the headless file system" + where);
    p.skip("a lock on a file the program holds open for writing needs the headless file system" +
           where);
}

void unlock(Play& p, const Line& line) {
    const auto found = p.locks.find(p.path(line, line.args[0]));
    if (found == p.locks.end()) return;
    CloseHandle(found->second);
    p.locks.erase(found);
}

void host(Play& p, const Line& line) { p.services.host = p.text(line, line.args[0]); }

void answer(Play& p, const Line& line) {
    static const std::pair<const char*, QueuedAnswer> kAnswers[] = {
        {"OK", tk::Answer::Ok}, {"Cancel", tk::Answer::Cancel}, {"Yes", tk::Answer::Yes},
        {"No", tk::Answer::No}, {"close", std::nullopt},
    };
    for (const auto& [name, queued] : kAnswers)
        if (line.args[0].raw == name) return p.ui.answers.push_back(queued);
    p.abort(line, "an answer is OK, Cancel, Yes, No or close");
}

void chooseFile(Play& p, const Line& line) {
    QueuedChoice choice;
    if (!(line.args.size() == 1 && !line.args[0].quoted && line.args[0].raw == "cancel"))
        for (const Token& arg : line.args) choice.push_back(p.path(line, arg));
    p.ui.fileChoices.push_back(std::move(choice));
}

constexpr PlayVerb kVerbs[] = {
    {"database", VerbKind::Setup, database},
    {"record", VerbKind::Setup, record},
    {"file", VerbKind::Setup, writeFile},
    {"folder", VerbKind::Setup, folder},
    {"remove", VerbKind::Setup, remove},
    {"cut-file", VerbKind::Setup, cut},
    {"patch-file", VerbKind::Setup, patch},
    {"registry", VerbKind::Setup, registry},
    {"clipboard", VerbKind::Setup, clipboard},
    {"variable", VerbKind::RunSetup, variable},
    {"lock", VerbKind::RunSetup, lock},
    {"unlock", VerbKind::RunSetup, unlock},
    {"encyclopedia-host", VerbKind::RunSetup, host},
    {"http", VerbKind::RunSetup, http},
    {"answer", VerbKind::RunSetup, answer},
    {"choose-file", VerbKind::RunSetup, chooseFile},
};

} // namespace

std::span<const PlayVerb> setupVerbs() { return kVerbs; }

} // namespace extdict::player
