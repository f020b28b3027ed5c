// Plays whole scenario files: a fresh folder per file, one process per run of the program,
// the registry given back afterwards, and the summary.
#include <windows.h>

#include <fstream>
#include <iostream>

#include "play.h"
#include "play_run.h"
#include "shown_text.h"
#include "text/encoding.h"
#include "toolkit/win32/wide_text.h"
#include "world.h"

namespace extdict::player {
namespace {

constexpr DWORD kRunTimeoutMs = 120000;

enum class Outcome { Passed, Failed, Skipped };

// A fresh folder that plays the executable's folder, removed at the end.
class TemporaryFolder {
public:
    TemporaryFolder() {
        wchar_t base[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH, base);
        for (unsigned n = GetTickCount();; ++n) {
            path_ = std::wstring(base) + L"extdict-play-" + std::to_wstring(n);
            if (CreateDirectoryW(path_.c_str(), nullptr)) break;
        }
    }
    ~TemporaryFolder() { removePath(win32::gbkFromWide(path_)); }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
};

std::wstring thisExecutable() {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    return path;
}

// The exit code of the run's process; kRunStopped when it did not end in time.
DWORD playRunInProcess(const std::string& file, std::size_t run, const std::wstring& folder) {
    std::wstring command = L"\"" + thisExecutable() + L"\" --run " + std::to_wstring(run) + L" \"" +
                           win32::wideFromGbk(file) + L"\" \"" + folder + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    std::cout.flush();
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process))
        return kRunStopped;
    DWORD code = kRunStopped;
    if (WaitForSingleObject(process.hProcess, kRunTimeoutMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &code);
    } else {
        TerminateProcess(process.hProcess, kRunStopped);
        std::cout << file << ": run " << run + 1 << " did not end in time" << std::endl;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

std::vector<std::string> registryKeys(const PlayScript& script) {
    std::vector<std::string> keys;
    for (const Line& line : script.lines) {
        if (line.verb != "registry" || line.args.empty()) continue;
        const Token& key = line.args[0];
        keys.push_back(key.quoted ? scenario::gbkOfScriptText(key.raw) : gbkFromUtf8(key.raw));
    }
    return keys;
}

std::string baseName(const std::string& path) {
    return path.substr(path.find_last_of("/\\") + 1);
}

Outcome playFile(const std::string& file, const KnownDifferences& known) {
    std::ifstream in(file);
    if (!in) {
        std::cout << file << ": cannot be read" << std::endl;
        return Outcome::Failed;
    }
    const PlayScript script = readScript(in);
    for (const std::string& error : script.errors) std::cout << file << ": " << error << std::endl;
    if (!script.errors.empty()) return Outcome::Failed;
    std::string reason = unplayableReason(script);
    if (const auto found = known.find(baseName(file)); found != known.end() && reason.empty())
        reason = "the real program differs: " + found->second;
    if (reason.empty() && script.starts.empty()) reason = "the program is never started";
    if (!reason.empty()) {
        std::cout << "SKIP " << file << ": " << reason << std::endl;
        return Outcome::Skipped;
    }
    TemporaryFolder folder;
    RegistrySnapshot registry(registryKeys(script));
    bool passed = true;
    for (std::size_t run = 0; run < script.starts.size(); ++run) {
        const DWORD code = playRunInProcess(file, run, folder.path());
        if (code == kRunSkipped) return Outcome::Skipped;
        passed = passed && code == kRunPassed;
        if (code != kRunPassed && code != kRunFailed) break;
    }
    std::cout << (passed ? "PASS " : "FAIL ") << file << std::endl;
    return passed ? Outcome::Passed : Outcome::Failed;
}

} // namespace

KnownDifferences readKnownDifferences(const std::string& path) {
    KnownDifferences known;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        const auto space = line.find(' ');
        known[line.substr(0, space)] = space == std::string::npos ? "" : line.substr(space + 1);
    }
    return known;
}

int playFiles(const std::vector<std::string>& files, const KnownDifferences& known) {
    int counts[3] = {};
    for (const std::string& file : files) ++counts[static_cast<int>(playFile(file, known))];
    std::cout << counts[0] << " passed, " << counts[1] << " failed, " << counts[2] << " skipped"
              << std::endl;
    return counts[1] == 0 ? 0 : 1;
}

} // namespace extdict::player
