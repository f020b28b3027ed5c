#include "toolkit/headless/headless_services.h"

#include "text/gbk_chars.h"
#include "toolkit/posix/posix_file_system.h"

namespace extdict {
namespace {

// A network that is never there: the first call fails, so every request ends empty.
class ClosedNetwork final : public HttpTransport {
  public:
    NetHandle internetOpen(std::string_view, int, std::string_view, std::string_view,
                           std::uint32_t) override {
        return 0;
    }
    NetHandle internetConnect(NetHandle, std::string_view, int, std::string_view, std::string_view,
                              int, std::uint32_t, std::uintptr_t) override {
        return 0;
    }
    NetHandle httpOpenRequest(NetHandle, std::string_view, std::string_view, std::string_view,
                              std::uint32_t, std::uintptr_t) override {
        return 0;
    }
    bool internetSetOption(NetHandle, int, std::uint32_t) override { return false; }
    bool httpSendRequest(NetHandle, std::string_view, std::string_view) override { return false; }
    std::size_t internetReadFile(NetHandle, char*, std::size_t) override { return 0; }
    bool httpQueryInfo(NetHandle, int, char*, std::size_t&) override { return false; }
    bool internetCloseHandle(NetHandle) override { return false; }
};

// Registry keys ignore ASCII letter case, and the program names a key with a final "\".
std::string registryKey(std::string_view key) {
    std::string normal = toLower(untilNul(key));
    if (!normal.empty() && normal.back() == '\\') normal.pop_back();
    return normal;
}

} // namespace

HeadlessServices::HeadlessServices()
    : ownFiles_(std::make_unique<PosixFileSystem>()), files_(ownFiles_.get()),
      closedNetwork_(std::make_unique<ClosedNetwork>()), http_(closedNetwork_.get()) {}

HeadlessServices::~HeadlessServices() = default;

void HeadlessServices::setRegistryValue(std::string_view key, std::string_view value,
                                        ValueType type) {
    registry_[registryKey(key)] = {std::string(untilNul(value)), type};
}

void HeadlessServices::setEnvironmentVariable(std::string_view name, std::string_view value) {
    environment_[toLower(name)] = std::string(value);
}

// %NAME% becomes the variable's value; an unknown name or a lone "%" stays as written.
std::string HeadlessServices::expand(std::string_view value) const {
    std::string result;
    std::size_t i = 0;
    while (i < value.size()) {
        const std::size_t open = value.find('%', i);
        const std::size_t close = open == std::string_view::npos ? open : value.find('%', open + 1);
        if (close == std::string_view::npos) {
            result.append(value.substr(i));
            break;
        }
        result.append(value.substr(i, open - i));
        const auto found = environment_.find(toLower(value.substr(open + 1, close - open - 1)));
        if (found == environment_.end()) {
            result.append(value.substr(open, close - open));
            i = close;
        } else {
            result.append(found->second);
            i = close + 1;
        }
    }
    return result;
}

std::string HeadlessServices::registryDefaultValue(std::string_view key) {
    const auto found = registry_.find(registryKey(key));
    if (found == registry_.end()) return {};
    switch (found->second.type) {
    case ValueType::String:
        return found->second.data;
    case ValueType::ExpandString:
        return expand(found->second.data);
    case ValueType::Other:
        return {};
    }
    return {};
}

bool HeadlessServices::setClipboardText(std::string_view text) {
    if (clipboardHeld_) return false;
    clipboard_ = std::string(untilNul(text));
    return true;
}

FileSystem& HeadlessServices::files() {
    return *files_;
}

HttpTransport& HeadlessServices::http() {
    return *http_;
}

bool HeadlessServices::startProgram(std::string_view commandLine) {
    startedPrograms_.emplace_back(commandLine);
    return true;
}

bool HeadlessServices::openWebAddress(std::string_view address) {
    openedAddresses_.emplace_back(address);
    return true;
}

std::string HeadlessServices::browserCommandLine(std::string_view link) {
    return "explorer " + std::string(link);
}

std::string HeadlessServices::executableDirectory() {
    return executableDirectory_;
}

std::string HeadlessServices::joinPath(std::string_view folder, std::string_view name) {
    return std::string(folder) + "\\" + std::string(name);
}

std::string HeadlessServices::encyclopediaHost() {
    return encyclopediaHost_;
}

} // namespace extdict
