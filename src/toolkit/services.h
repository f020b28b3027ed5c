#pragma once
// Platform services that the core reaches only through this interface: the registry, the
// clipboard, files, HTTP, starting programs and the executable's folder. All texts GBK.

#include <optional>
#include <string>
#include <string_view>

#include "store/file_system.h"
#include "toolkit/http_transport.h"

namespace extdict {

class Services {
public:
    virtual ~Services() = default;

    // Default value of HKEY_CLASSES_ROOT\<key>: REG_SZ as stored, REG_EXPAND_SZ expanded,
    // anything else (or nothing) empty. An empty key reads the root's own default value.
    virtual std::string registryDefaultValue(std::string_view key) = 0;

    // Replaces the clipboard with the text; false when the clipboard cannot be written.
    virtual bool setClipboardText(std::string_view text) = 0;

    virtual FileSystem& files() = 0;
    virtual HttpTransport& http() = 0;

    // Starts a program by command line, shown normally; waits at most 1000 ms for it to be
    // ready for input. False when it could not be started.
    virtual bool startProgram(std::string_view commandLine) = 0;
    // Opens a web address with the system's default handler.
    virtual bool openWebAddress(std::string_view address) = 0;
    // The browser command line for a link ("explorer " + link on Windows).
    virtual std::string browserCommandLine(std::string_view link) = 0;

    // The running executable's folder, without a trailing separator.
    virtual std::string executableDirectory() = 0;
    // Joins a folder and a file name with the platform's separator ("\" on Windows).
    virtual std::string joinPath(std::string_view folder, std::string_view name) = 0;

    // The encyclopedia's base address, "http://host[:port]".
    virtual std::string encyclopediaHost() = 0;
};

} // namespace extdict
