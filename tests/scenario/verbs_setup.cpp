// Setting up the world the program finds: its database, files, registry, clipboard, network
// and the answers the user will give. These work before, during and after a run.
#include <filesystem>

#include "store/record_store.h"
#include "text/encoding.h"
#include "toolkit/posix/posix_file_system.h"
#include "verbs.h"

namespace extdict::scenario {
namespace {

std::filesystem::path native(const std::string& gbkPath) {
    return std::filesystem::path(nativePath(gbkPath));
}

void writeFile(Scenario& s, const Line& line) {
    PosixFileSystem files;
    if (!files.writeWholeFile(s.path(line, line.args[0]),
                              s.contents(line, line.args[1], line.args[2])))
        s.abort(line, "cannot write the file");
}

void makeFolder(Scenario& s, const Line& line) {
    std::error_code error;
    std::filesystem::create_directories(native(s.path(line, line.args[0])), error);
    if (error) s.abort(line, "cannot make the folder: " + error.message());
}

void removePath(Scenario& s, const Line& line) {
    std::error_code error;
    std::filesystem::remove_all(native(s.path(line, line.args[0])), error);
    if (error) s.abort(line, "cannot remove: " + error.message());
}

void cutFile(Scenario& s, const Line& line) {
    std::error_code error;
    std::filesystem::resize_file(native(s.path(line, line.args[0])),
                                 static_cast<std::uintmax_t>(s.number(line, line.args[1])), error);
    if (error) s.abort(line, "cannot cut the file: " + error.message());
}

void patchFile(Scenario& s, const Line& line) {
    PosixFileSystem files;
    auto file = files.open(s.path(line, line.args[0]), OpenMode::ReadWrite);
    const std::string bytes = s.contents(line, Token{"hex", false}, line.args[2]);
    const auto offset = static_cast<std::uint64_t>(s.number(line, line.args[1]));
    if (!file || !file->writeAt(offset, bytes.data(), bytes.size()) || !file->sync())
        s.abort(line, "cannot patch the file");
}

void lockPath(Scenario& s, const Line& line) {
    s.files.lock(s.path(line, line.args[0]));
}

void unlockPath(Scenario& s, const Line& line) {
    s.files.unlock(s.path(line, line.args[0]));
}

std::vector<FieldDescriptor> storeFields() {
    return {{gbk("扩展名"), 10, 50}, {gbk("注释"), 10, 512}};
}

void createDatabase(Scenario& s, const Line& line) {
    PosixFileSystem files;
    RecordStore store(files);
    if (!store.create(s.databasePath(), storeFields())) s.abort(line, "cannot create the database");
}

void addRecord(Scenario& s, const Line& line) {
    if (line.args.size() == 3 && line.args[2].raw != "deleted")
        s.abort(line, "a record ends with \"deleted\" or nothing");
    PosixFileSystem files;
    RecordStore store(files);
    if (!store.open(s.databasePath()) &&
        !(store.create(s.databasePath(), storeFields()) && store.open(s.databasePath())))
        s.abort(line, "cannot open or create the database");
    if (!store.addRecord(s.text(line, line.args[0]), s.text(line, line.args[1])))
        s.abort(line, "cannot add the record");
    if (line.args.size() == 3 && !store.markDeleted()) s.abort(line, "cannot mark the record");
    store.close();
}

void setRegistry(Scenario& s, const Line& line) {
    using Type = HeadlessServices::ValueType;
    Type type = Type::String;
    if (line.args.size() == 3) {
        const std::string& name = line.args[2].raw;
        if (name == "expand")
            type = Type::ExpandString;
        else if (name == "other")
            type = Type::Other;
        else if (name != "string")
            s.abort(line, "a value type is string, expand or other");
    }
    s.services.setRegistryValue(s.text(line, line.args[0]), s.text(line, line.args[1]), type);
}

void setVariable(Scenario& s, const Line& line) {
    s.services.setEnvironmentVariable(s.text(line, line.args[0]), s.text(line, line.args[1]));
}

void setClipboard(Scenario& s, const Line& line) {
    const Token& arg = line.args[0];
    if (arg.quoted)
        s.services.setClipboard(s.text(line, arg));
    else if (arg.raw == "empty")
        s.services.setClipboard(std::nullopt);
    else if (arg.raw == "held")
        s.services.setClipboardHeld(true);
    else if (arg.raw == "free")
        s.services.setClipboardHeld(false);
    else
        s.abort(line, "clipboard takes a quoted text, empty, held or free");
}

void queueHttp(Scenario& s, const Line& line) {
    const auto& args = line.args;
    if (args[0].raw == "refuse" && args.size() == 1) return s.http.queue({true, {}, 512, 0});
    if (args[0].raw != "reply" || args.size() < 2 || args.size() % 2 != 0)
        s.abort(line, "http takes: refuse, or reply TEXT [chunk N] [delay MS]");
    HttpReply reply{false, s.text(line, args[1]), 512, 0};
    for (std::size_t i = 2; i < args.size(); i += 2) {
        const long long value = s.number(line, args[i + 1]);
        if (args[i].raw == "chunk" && value > 0)
            reply.chunk = static_cast<std::size_t>(value);
        else if (args[i].raw == "delay" && value >= 0)
            reply.readDelay = static_cast<std::uint64_t>(value);
        else
            s.abort(line, "after the reply's text: chunk N (above 0) or delay MS");
    }
    s.http.queue(std::move(reply));
}

void setHost(Scenario& s, const Line& line) {
    s.services.setEncyclopediaHost(s.text(line, line.args[0]));
}

void setUptimeStart(Scenario& s, const Line& line) {
    s.uptimeStart = static_cast<std::uint32_t>(s.number(line, line.args[0]));
}

void queueAnswer(Scenario& s, const Line& line) {
    const std::string& name = line.args[0].raw;
    HeadlessToolkit& ui = s.answeringUi();
    if (name == "OK")
        ui.queueAnswer(tk::Answer::Ok);
    else if (name == "Cancel")
        ui.queueAnswer(tk::Answer::Cancel);
    else if (name == "Yes")
        ui.queueAnswer(tk::Answer::Yes);
    else if (name == "No")
        ui.queueAnswer(tk::Answer::No);
    else if (name == "close")
        ui.queueCloseAnswer();
    else
        s.abort(line, "an answer is OK, Cancel, Yes, No or close");
}

void queueFileChoice(Scenario& s, const Line& line) {
    FileChoice choice;
    if (line.args.size() == 1 && !line.args[0].quoted && line.args[0].raw == "cancel")
        choice.cancel = true;
    else
        for (const Token& arg : line.args)
            choice.paths.push_back(s.path(line, arg));
    s.answeringUi().queueFileChoice(std::move(choice));
}

constexpr Verb kVerbs[] = {
    {"database", 0, 0, createDatabase, "database"},
    {"record", 2, 3, addRecord, "record EXTENSION NOTE [deleted]"},
    {"file", 3, 3, writeFile, "file PATH gbk|utf8|hex CONTENTS"},
    {"folder", 1, 1, makeFolder, "folder PATH"},
    {"remove", 1, 1, removePath, "remove PATH"},
    {"cut-file", 2, 2, cutFile, "cut-file PATH BYTES"},
    {"patch-file", 3, 3, patchFile, "patch-file PATH OFFSET HEX"},
    {"lock", 1, 1, lockPath, "lock PATH"},
    {"unlock", 1, 1, unlockPath, "unlock PATH"},
    {"registry", 2, 3, setRegistry, "registry KEY VALUE [string|expand|other]"},
    {"variable", 2, 2, setVariable, "variable NAME VALUE"},
    {"clipboard", 1, 1, setClipboard, "clipboard TEXT|empty|held|free"},
    {"http", 1, 6, queueHttp, "http refuse | http reply TEXT [chunk N] [delay MS]"},
    {"encyclopedia-host", 1, 1, setHost, "encyclopedia-host TEXT"},
    {"uptime-start", 1, 1, setUptimeStart, "uptime-start MILLISECONDS"},
    {"answer", 1, 1, queueAnswer, "answer OK|Cancel|Yes|No|close"},
    {"choose-file", 1, -1, queueFileChoice, "choose-file PATH... | choose-file cancel"},
};

} // namespace

std::span<const Verb> setupVerbs() {
    return kVerbs;
}

} // namespace extdict::scenario
