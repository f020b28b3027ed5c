#pragma once
// The Windows services as the played program gets them: the real registry, clipboard,
// files and WinINet, with the executable's folder set to the scenario's folder, the
// encyclopedia's host settable, the HTTP requests recorded on their way to WinINet, and the
// programs and addresses the program starts recorded instead of started (a scenario checks
// them; a browser has no place in a test run).

#include <map>
#include <string>
#include <vector>

#include "toolkit/win32/windows_services.h"

namespace extdict::player {

struct RequestSeen {
    std::string host;
    int port = 0;
    std::string method;
    std::string path;
    std::string headers;
    std::string body;
};

class RecordingTransport final : public HttpTransport {
public:
    // Every connection goes to the reply server on 127.0.0.1 at redirectPort, unless it is 0;
    // the requests are recorded with the host and port the program asked for.
    RecordingTransport(HttpTransport& real, int redirectPort)
        : real_(real), redirectPort_(redirectPort) {}
    const std::vector<RequestSeen>& requests() const { return requests_; }

    NetHandle internetOpen(std::string_view userAgent, int accessType, std::string_view proxy,
                           std::string_view proxyBypass, std::uint32_t flags) override {
        return real_.internetOpen(userAgent, accessType, proxy, proxyBypass, flags);
    }
    NetHandle internetConnect(NetHandle internet, std::string_view host, int port,
                              std::string_view user, std::string_view password, int service,
                              std::uint32_t flags, std::uintptr_t context) override;
    NetHandle httpOpenRequest(NetHandle connection, std::string_view method,
                              std::string_view path, std::string_view version,
                              std::uint32_t flags, std::uintptr_t context) override;
    bool internetSetOption(NetHandle handle, int option, std::uint32_t value) override {
        return real_.internetSetOption(handle, option, value);
    }
    bool httpSendRequest(NetHandle request, std::string_view headers,
                         std::string_view optional) override;
    std::size_t internetReadFile(NetHandle request, char* buffer, std::size_t size) override {
        return real_.internetReadFile(request, buffer, size);
    }
    bool httpQueryInfo(NetHandle request, int infoLevel, char* buffer,
                       std::size_t& length) override {
        return real_.httpQueryInfo(request, infoLevel, buffer, length);
    }
    bool internetCloseHandle(NetHandle handle) override { return real_.internetCloseHandle(handle); }

private:
    HttpTransport& real_;
    int redirectPort_;
    std::map<NetHandle, RequestSeen> connections_;  // host and port of each connection
    std::map<NetHandle, std::size_t> openRequests_;  // request handle -> index in requests_
    std::vector<RequestSeen> requests_;
};

class PlayerServices final : public Services {
public:
    PlayerServices(std::string executableDirectory, int replyPort)
        : directory_(std::move(executableDirectory)), http_(real_.http(), replyPort) {}

    std::string registryDefaultValue(std::string_view key) override {
        return real_.registryDefaultValue(key);
    }
    bool setClipboardText(std::string_view text) override { return real_.setClipboardText(text); }
    FileSystem& files() override { return real_.files(); }
    HttpTransport& http() override { return http_; }
    bool startProgram(std::string_view commandLine) override {
        started.emplace_back(commandLine);
        return true;
    }
    bool openWebAddress(std::string_view address) override {
        opened.emplace_back(address);
        return true;
    }
    std::string browserCommandLine(std::string_view link) override {
        return real_.browserCommandLine(link);
    }
    std::string executableDirectory() override { return directory_; }
    std::string joinPath(std::string_view folder, std::string_view name) override {
        return real_.joinPath(folder, name);
    }
    std::string encyclopediaHost() override {
        return host.empty() ? real_.encyclopediaHost() : host;
    }

    const std::vector<RequestSeen>& requests() const { return http_.requests(); }

    std::string host;  // empty: the real services' own
    std::vector<std::string> started;
    std::vector<std::string> opened;

private:
    win32::WindowsServices real_;
    std::string directory_;
    RecordingTransport http_;
};

} // namespace extdict::player
