#pragma once
// Platform services for tests: a registry from a map, an in-memory clipboard, the real file
// system, a settable HTTP transport, and logs of started programs and opened addresses.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/services.h"

namespace extdict {

class HeadlessServices final : public Services {
  public:
    enum class ValueType { String, ExpandString, Other };

    // Files go to the real file system; HTTP fails to open; the executable's folder is ".".
    HeadlessServices();
    ~HeadlessServices() override;

    // ---- Services ----
    std::string registryDefaultValue(std::string_view key) override;
    bool setClipboardText(std::string_view text) override;
    FileSystem& files() override;
    HttpTransport& http() override;
    bool startProgram(std::string_view commandLine) override;
    bool openWebAddress(std::string_view address) override;
    std::string browserCommandLine(std::string_view link) override;
    std::string executableDirectory() override;
    std::string joinPath(std::string_view folder, std::string_view name) override;
    std::string encyclopediaHost() override;

    // ---- Set-up ----
    // The default value of a key, named as the program passes it (".txt\", "txtfile\"; a
    // trailing backslash and ASCII letter case do not matter, as in the registry).
    void setRegistryValue(std::string_view key, std::string_view value,
                          ValueType type = ValueType::String);
    // Variables that %NAME% in an expandable string stands for (names ignore ASCII case).
    void setEnvironmentVariable(std::string_view name, std::string_view value);
    // The clipboard's text; nothing when it holds no text.
    void setClipboard(std::optional<std::string> text) { clipboard_ = std::move(text); }
    // While held by another program, setClipboardText fails and changes nothing.
    void setClipboardHeld(bool held) { clipboardHeld_ = held; }
    // Replaces the real file system (for one that fails on purpose); not owned.
    void setFileSystem(FileSystem& files) { files_ = &files; }
    // Any transport; not owned.
    void setHttpTransport(HttpTransport& transport) { http_ = &transport; }
    void setExecutableDirectory(std::string directory) {
        executableDirectory_ = std::move(directory);
    }
    void setEncyclopediaHost(std::string host) { encyclopediaHost_ = std::move(host); }

    // ---- What happened ----
    const std::optional<std::string>& clipboard() const { return clipboard_; }
    const std::vector<std::string>& startedPrograms() const { return startedPrograms_; }
    const std::vector<std::string>& openedAddresses() const { return openedAddresses_; }

  private:
    struct RegistryValue {
        std::string data;
        ValueType type;
    };
    std::string expand(std::string_view value) const;

    std::map<std::string, RegistryValue> registry_;  // by normalised key
    std::map<std::string, std::string> environment_; // by lower-cased name
    std::optional<std::string> clipboard_;
    bool clipboardHeld_ = false;
    std::unique_ptr<FileSystem> ownFiles_;
    FileSystem* files_;
    std::unique_ptr<HttpTransport> closedNetwork_;
    HttpTransport* http_;
    std::vector<std::string> startedPrograms_;
    std::vector<std::string> openedAddresses_;
    std::string executableDirectory_ = ".";
    std::string encyclopediaHost_ = "http://baike.baidu.com";
};

} // namespace extdict
