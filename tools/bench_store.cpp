// Figures for the record store on the real disk: open of a 100,000-record store, a scan of
// every extension, a bulk add of 100,000 records, and single changes with their flushes.
#include <filesystem>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <unistd.h>

#include "store/record_store.h"
#include "text/encoding.h"
#include "toolkit/posix/posix_file_system.h"

using namespace extdict;

namespace {

constexpr int kRecords = 100000;

std::vector<FieldDescriptor> programFields() {
    return {{gbk("扩展名"), 10, 50}, {gbk("注释"), 10, 512}};
}

// Texts that stay alive while NewRecord views point at them.
struct SampleRecords {
    std::vector<std::string> extensions;
    std::vector<std::string> notes;
    std::vector<RecordStore::NewRecord> records;

    SampleRecords() {
        const std::string note = gbk("一种常见的文件类型，") + std::string(180, 'n');
        for (int i = 0; i < kRecords; ++i) {
            extensions.push_back("e" + std::to_string(i));
            notes.push_back(note + std::to_string(i));
        }
        for (int i = 0; i < kRecords; ++i) records.push_back({extensions[i], notes[i]});
    }
};

const SampleRecords& samples() {
    static const SampleRecords instance;
    return instance;
}

// A folder of its own, removed when the program ends.
class Scratch {
public:
    Scratch() {
        auto pattern = std::filesystem::temp_directory_path().string() + "/bench_store_XXXXXX";
        if (::mkdtemp(pattern.data())) folder_ = pattern;
    }
    ~Scratch() { std::filesystem::remove_all(folder_); }
    std::string path(const std::string& name) const { return folder_ + "/" + name; }

private:
    std::string folder_;
};

Scratch& scratch() {
    static Scratch instance;
    return instance;
}

PosixFileSystem& disk() {
    static PosixFileSystem instance;
    return instance;
}

// A fresh store at `name` holding the sample records.
std::string makeFullStore(const std::string& name) {
    const auto path = scratch().path(name);
    std::filesystem::remove(path);
    RecordStore store(disk());
    if (!store.create(path, programFields()) || !store.open(path) ||
        !store.addRecords(samples().records))
        return {};
    return path;
}

const std::string& fullStore() {
    static const std::string path = makeFullStore("full.edb");
    return path;
}

void BM_Open100k(benchmark::State& state) {
    const auto& path = fullStore();
    for (auto _ : state) {
        RecordStore store(disk());
        if (!store.open(path)) state.SkipWithError("open failed");
        benchmark::DoNotOptimize(store.recordCount());
    }
}
BENCHMARK(BM_Open100k)->Unit(benchmark::kMillisecond);

void BM_ScanAllExtensions(benchmark::State& state) {
    RecordStore store(disk());
    if (!store.open(fullStore())) state.SkipWithError("open failed");
    const int count = store.recordCount();
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (int r = 1; r <= count; ++r)
            if (!store.isDeletedAt(r)) bytes += store.fieldView(r, 1).size();
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ScanAllExtensions)->Unit(benchmark::kMicrosecond);

void BM_BulkAdd100k(benchmark::State& state) {
    const auto path = scratch().path("bulk.edb");
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(path);
        RecordStore store(disk());
        if (!store.create(path, programFields()) || !store.open(path))
            state.SkipWithError("create failed");
        state.ResumeTiming();
        if (!store.addRecords(samples().records)) state.SkipWithError("bulk add failed");
    }
}
BENCHMARK(BM_BulkAdd100k)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_AddOneRecord(benchmark::State& state) {
    RecordStore store(disk());
    if (!store.open(makeFullStore("add.edb"))) state.SkipWithError("open failed");
    for (auto _ : state)
        if (!store.addRecord("new", gbk("新的注释"))) state.SkipWithError("add failed");
}
BENCHMARK(BM_AddOneRecord)->Unit(benchmark::kMillisecond)->Iterations(200);

void BM_WriteOneField(benchmark::State& state) {
    RecordStore store(disk());
    if (!store.open(fullStore())) state.SkipWithError("open failed");
    static int round = 0; // repetitions must not rewrite the same texts, which is no change
    for (auto _ : state) {
        store.goTo(1 + (round * 7919) % kRecords);
        if (!store.writeField(2, "note " + std::to_string(++round)))
            state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_WriteOneField)->Unit(benchmark::kMillisecond)->Iterations(200);

void BM_Purge100k(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        RecordStore store(disk());
        if (!store.open(makeFullStore("purge.edb"))) state.SkipWithError("open failed");
        store.goTo(kRecords / 2);
        store.markDeleted();
        state.ResumeTiming();
        if (!store.purgeDeleted()) state.SkipWithError("purge failed");
    }
}
BENCHMARK(BM_Purge100k)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
