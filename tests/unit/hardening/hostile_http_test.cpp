// Encyclopedia servers that misbehave, over the real HTTP transport on 127.0.0.1: one that
// sends its headers and then nothing, one that hangs up in the middle of the body, one that
// sends 100 MB. Each lookup ends (a silent server within the request's time-outs, which the
// test shortens to one second in the transport beneath the program), keeps what arrived by
// the usual rule, holds at most the capped body in memory, and the program works on.
#include <gtest/gtest.h>

#include <algorithm>

#include "peak_memory.h"
#include "program_run.h"
#include "support/loopback_http_server.h"
#include "test_names.h"
#include "text/encoding.h"
#include "toolkit/posix/curl_transport.h"

namespace extdict::test {
namespace {

using extdict::testing::LoopbackHttpServer;
using extdict::testing::ServerReply;

constexpr std::uint32_t kShortTimeoutMilliseconds = 1000;
constexpr std::size_t kMemoryBudgetMiB = 64;

// The real transport, with every time-out the program sets cut to one second.
class ShortTimeouts final : public HttpTransport {
public:
    NetHandle internetOpen(std::string_view userAgent, int accessType, std::string_view proxy,
                           std::string_view proxyBypass, std::uint32_t flags) override {
        return real_.internetOpen(userAgent, accessType, proxy, proxyBypass, flags);
    }
    NetHandle internetConnect(NetHandle internet, std::string_view host, int port,
                              std::string_view user, std::string_view password, int service,
                              std::uint32_t flags, std::uintptr_t context) override {
        return real_.internetConnect(internet, host, port, user, password, service, flags, context);
    }
    NetHandle httpOpenRequest(NetHandle connection, std::string_view method, std::string_view path,
                              std::string_view version, std::uint32_t flags,
                              std::uintptr_t context) override {
        return real_.httpOpenRequest(connection, method, path, version, flags, context);
    }
    bool internetSetOption(NetHandle handle, int option, std::uint32_t value) override {
        return real_.internetSetOption(handle, option, std::min(value, kShortTimeoutMilliseconds));
    }
    bool httpSendRequest(NetHandle request, std::string_view headers, std::string_view optional) override {
        return real_.httpSendRequest(request, headers, optional);
    }
    std::size_t internetReadFile(NetHandle request, char* buffer, std::size_t size) override {
        return real_.internetReadFile(request, buffer, size);
    }
    bool httpQueryInfo(NetHandle request, int infoLevel, char* buffer, std::size_t& length) override {
        return real_.httpQueryInfo(request, infoLevel, buffer, length);
    }
    bool internetCloseHandle(NetHandle handle) override { return real_.internetCloseHandle(handle); }

private:
    CurlTransport real_;
};

const std::string kHead = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n";

struct Misbehaviour {
    const char* name;
    ServerReply reply;
    std::string summary; // what the note box shows after the button
    std::string link;
};

void PrintTo(const Misbehaviour& m, std::ostream* out) { *out << m.name; }

const Misbehaviour kServers[] = {
    {"headers then nothing",
     {kHead + "Content-Length: 100\r\n\r\n", {"<link>late</link><text>late</text>"}, std::chrono::seconds(20)},
     "",
     ""},
    {"hangs up in the middle of the body",
     {kHead + "Content-Length: 100000\r\n\r\n", {"<link>http://e/p</link><text>S</text><te"}},
     "S",
     "http://e/p"},
    {"hangs up inside an element",
     {kHead + "Content-Length: 100000\r\n\r\n", {"<link>http://e/p</link><text>Summ"}},
     "",
     "http://e/p"},
    {"sends 100 MB",
     {kHead + "Content-Length: 104857600\r\n\r\n", {"<link>http://e/p</link><text>S"}, {}, true},
     "",
     "http://e/p"},
};

class HostileServerTest : public ::testing::TestWithParam<Misbehaviour> {
protected:
    HostileServerTest() {
        p.services.setHttpTransport(transport);
        p.putDatabase({{"txt", "text file"}});
    }
    ShortTimeouts transport;
    ProgramRun p;
};

TEST_P(HostileServerTest, LookupEndsWithWhatArrivedAndTheProgramWorksOn) {
    const Misbehaviour& m = GetParam();
    LoopbackHttpServer server(m.reply);
    p.services.setEncyclopediaHost(server.address());
    std::vector<std::string> seen;
    const auto note = [&] { return p.text("编辑框注释"); };
    resetPeakMemory();
    const std::size_t before = peakMemoryMiB();
    p.then([&] {
        p.paste("编辑框扩展名", "zip");
        p.click("按钮百科");
    });
    p.then([&] {
        seen.push_back(note());
        seen.push_back(p.ui.linkTarget(p.control("超级链接框网页版百科")));
        p.paste("编辑框扩展名", "txt");
        seen.push_back(note());
        p.paste("编辑框扩展名", "new");
        p.paste("编辑框注释", "added");
        p.click("按钮添加");
    });
    p.run();
    const std::size_t used = peakMemoryMiB() - before;

    EXPECT_EQ(seen, (std::vector<std::string>{m.summary, m.link, "text file"}));
    EXPECT_EQ(p.databaseRows(), (StoreRows{{"txt", "text file"}, {"new", "added"}}));
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_LT(used, kMemoryBudgetMiB);
    RecordProperty("peakMiB", static_cast<int>(used));
}

INSTANTIATE_TEST_SUITE_P(Servers, HostileServerTest, ::testing::ValuesIn(kServers),
                         [](const auto& info) { return testNameOf(info.param.name); });

} // namespace
} // namespace extdict::test
