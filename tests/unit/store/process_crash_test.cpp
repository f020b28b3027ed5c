// A child process changes a store on the real disk at random until it is killed with SIGKILL
// at a random moment. After each kill the store opens with every change the child reported
// done, nothing else, and the change in flight whole or absent.
#include <chrono>
#include <filesystem>
#include <optional>
#include <thread>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "random_operations.h"
#include "toolkit/posix/posix_file_system.h"

using namespace extdict;
using namespace extdict::test;

namespace {

constexpr int kWantedKills = 240;
constexpr auto kTimeBudget = std::chrono::seconds(45);

enum class Phase : std::uint32_t { Starting, Done, Failed };

// Small enough to reach the pipe in one piece.
struct Report {
    Phase phase;
    Change change;
};

void send(int fd, const Report& report) {
    if (::write(fd, &report, sizeof report) != sizeof report) ::_exit(4);
}

[[noreturn]] void runChild(const std::string& path, int reportFd, std::uint32_t seed) {
    PosixFileSystem files;
    RecordStore store(files);
    if (!store.open(path)) {
        send(reportFd, {Phase::Failed, {}});
        ::_exit(2);
    }
    std::mt19937 random(seed);
    for (;;) {
        const Change change = randomChange(random, store.recordCount());
        send(reportFd, {Phase::Starting, change});
        const bool done = applyToStore(store, change);
        send(reportFd, {done ? Phase::Done : Phase::Failed, change});
        if (!done) ::_exit(3);
    }
}

struct Reports {
    std::vector<Change> done;
    std::optional<Change> inFlight;
    bool failed = false;
};

Reports readReports(int fd) {
    Reports reports;
    Report report{};
    while (::read(fd, &report, sizeof report) == sizeof report) {
        if (report.phase == Phase::Starting) reports.inFlight = report.change;
        if (report.phase == Phase::Done) {
            reports.done.push_back(report.change);
            reports.inFlight.reset();
        }
        if (report.phase == Phase::Failed) reports.failed = true;
    }
    return reports;
}

// Runs one child for `lifetime`, kills it, and returns what it reported.
Reports runAndKill(const std::string& path, std::uint32_t seed,
                   std::chrono::microseconds lifetime) {
    int fds[2];
    if (::pipe(fds) != 0) return {{}, {}, true};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        runChild(path, fds[1], seed);
    }
    ::close(fds[1]);
    std::this_thread::sleep_for(lifetime);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    auto reports = readReports(fds[0]);
    ::close(fds[0]);
    if (!WIFSIGNALED(status) || WTERMSIG(status) != SIGKILL) reports.failed = true;
    return reports;
}

class ProcessCrashTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = ::testing::TempDir() + "store_crash_XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        path = folder + "/store.edb";
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string folder;
    std::string path;
    PosixFileSystem files;
};

TEST_F(ProcessCrashTest, AKilledProcessLeavesEveryReportedChangeAndTheOneInFlightWholeOrAbsent) {
    makeStore(files, path, {});
    Rows model;
    std::mt19937 random(20240611);
    int kills = 0;
    int inFlightLanded = 0;
    int inFlightLost = 0;
    const auto deadline = std::chrono::steady_clock::now() + kTimeBudget;
    while (kills < kWantedKills && std::chrono::steady_clock::now() < deadline) {
        const auto lifetime = std::chrono::microseconds(500 + random() % 30000);
        const auto reports = runAndKill(path, random(), lifetime);
        ASSERT_FALSE(reports.failed) << "the child failed a change or died on its own";
        ++kills;
        for (const auto& change : reports.done) applyToModel(model, change);

        const auto rows = reopenRows(files, path);
        ASSERT_TRUE(rows) << "the store does not open after kill " << kills;
        if (*rows == model) {
            inFlightLost += reports.inFlight ? 1 : 0;
            continue;
        }
        ASSERT_TRUE(reports.inFlight) << "changed without a change in flight, kill " << kills;
        applyToModel(model, *reports.inFlight);
        ASSERT_EQ(*rows, model) << "the change in flight is torn, kill " << kills;
        ++inFlightLanded;
    }
    EXPECT_GE(kills, 200);
    RecordProperty("kills", kills);
    RecordProperty("inFlightLanded", inFlightLanded);
    RecordProperty("inFlightLost", inFlightLost);
    RecordProperty("finalRecords", static_cast<int>(model.size()));
}

} // namespace
