#pragma once
// The world around the played program, seen and changed the way the program sees it on
// Windows: files and folders by GBK path, default values under HKEY_CLASSES_ROOT, and the
// clipboard's text.

#include <optional>
#include <string>
#include <vector>

namespace extdict::player {

// Full GBK paths of the files that a path names; its last part may hold "*".
std::vector<std::string> filesMatching(const std::string& pattern);
bool makeFolder(const std::string& path);
bool removePath(const std::string& path);
bool cutFile(const std::string& path, unsigned long long size);

enum class RegistryType { String, ExpandString, Other };
// KEY as the program passes it ("txtfile\"); false when it cannot be written.
bool setClassesDefault(const std::string& key, const std::string& value, RegistryType type);
// Takes back what this run's scenario wrote: keys it made go, values it changed return.
class RegistrySnapshot {
public:
    explicit RegistrySnapshot(const std::vector<std::string>& keys);
    ~RegistrySnapshot();
    RegistrySnapshot(const RegistrySnapshot&) = delete;
    RegistrySnapshot& operator=(const RegistrySnapshot&) = delete;

private:
    struct Saved {
        std::wstring key;
        bool existed;
        std::optional<std::vector<unsigned char>> value;
        unsigned long type;
    };
    std::vector<Saved> saved_;
};

// The reply server's queue of replies (tests/win32/reply_server.py): its folder, from
// EXTDICT_PLAYER_REPLIES, and its port, from EXTDICT_PLAYER_REPLY_PORT; empty and 0 when
// no server runs.
std::string replySpool();
int replyPort();

// The clipboard's text (GBK), nothing when it holds none.
std::optional<std::string> clipboardText();
bool setClipboardText(const std::optional<std::string>& text);

} // namespace extdict::player
