// Speed and memory of export and import at scale: exporting 100,000 records in each layout,
// reading a 10 MB exchange text, and importing 100,000 new records into a store of 100,000
// (the duplicate test included), also without the store's part. "peak_MB" is the most heap
// memory live at once during the timed work, beyond what was live before it.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>

#include <benchmark/benchmark.h>

#include "exchange/export.h"
#include "exchange/import.h"
#include "store/record_store.h"
#include "text/encoding.h"
#include "toolkit/posix/posix_file_system.h"

namespace {

// ---- Heap accounting: every allocation carries its size in front. ----
std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakBytes{0};
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* countedAllocate(std::size_t size) {
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (!block) throw std::bad_alloc();
    *reinterpret_cast<std::size_t*>(block) = size;
    const std::size_t live = liveBytes += size;
    std::size_t peak = peakBytes.load();
    while (live > peak && !peakBytes.compare_exchange_weak(peak, live)) {
    }
    return block + kHeader;
}

void countedFree(void* pointer) {
    if (!pointer) return;
    auto* block = static_cast<unsigned char*>(pointer) - kHeader;
    liveBytes -= *reinterpret_cast<std::size_t*>(block);
    std::free(block);
}

// Starts a measurement: the peak from now on, above what is live now.
std::size_t startPeak() {
    peakBytes = liveBytes.load();
    return liveBytes.load();
}

double peakMegabytesSince(std::size_t base) {
    return static_cast<double>(peakBytes.load() - base) / (1024.0 * 1024.0);
}

} // namespace

void* operator new(std::size_t size) {
    return countedAllocate(size);
}
void* operator new[](std::size_t size) {
    return countedAllocate(size);
}
void operator delete(void* pointer) noexcept {
    countedFree(pointer);
}
void operator delete[](void* pointer) noexcept {
    countedFree(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept {
    countedFree(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept {
    countedFree(pointer);
}

namespace {

using namespace extdict;

constexpr int kRecords = 100'000;
constexpr std::size_t kExchangeTextBytes = 10 * 1024 * 1024;

std::string extensionFor(const char* prefix, int n) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s%06d", prefix, n);
    return buffer;
}

// About 100 bytes: Chinese, ASCII and a line break, like a real note.
const std::string& sampleNote() {
    static const std::string note =
        gbk("这是一个示例注释，用来衡量导入导出的速度。\r\nSample note text, second line, 12345.");
    return note;
}

std::string benchFolder() {
    const auto folder = std::filesystem::temp_directory_path() / "extdict_bench_exchange";
    std::filesystem::create_directories(folder);
    return folder.string();
}

// A fresh store file holding `count` records "<prefix>NNNNNN".
class BenchStore {
  public:
    BenchStore(const char* name, const char* prefix, int count)
        : path_(benchFolder() + "/" + name) {
        std::filesystem::remove(path_);
        const std::vector<FieldDescriptor> fields = {{gbk("扩展名"), 10, 50},
                                                     {gbk("注释"), 10, 512}};
        if (!store.create(path_, fields) || !store.open(path_)) std::abort();
        std::vector<std::string> extensions;
        std::vector<RecordStore::NewRecord> records;
        extensions.reserve(static_cast<std::size_t>(count));
        for (int n = 0; n < count; ++n)
            extensions.push_back(extensionFor(prefix, n));
        for (const auto& extension : extensions)
            records.push_back({extension, sampleNote()});
        if (!store.addRecords(records)) std::abort();
    }
    ~BenchStore() {
        store.close();
        std::filesystem::remove(path_);
    }

    PosixFileSystem files;
    RecordStore store{files};

  private:
    std::string path_;
};

void exportBench(benchmark::State& state, ExportLayout layout) {
    BenchStore source("export.edb", "ext", kRecords);
    std::size_t bytes = 0;
    double peak = 0;
    for (auto _ : state) {
        const std::size_t base = startPeak();
        const std::string text = buildExportText(source.store, layout);
        peak = peakMegabytesSince(base);
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["text_MB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
    state.counters["peak_MB"] = peak;
}

void BM_ExportReadable(benchmark::State& state) {
    exportBench(state, ExportLayout::Readable);
}
void BM_ExportExchange(benchmark::State& state) {
    exportBench(state, ExportLayout::Exchange);
}

std::string exchangeTextOf(std::size_t bytes) {
    std::string text;
    text.reserve(bytes + 256);
    for (int n = 0; text.size() < bytes; ++n) {
        if (!text.empty()) text += ";;;";
        text += extensionFor("ext", n) + ",,," + sampleNote();
    }
    return text;
}

void BM_ParseExchangeText10MB(benchmark::State& state) {
    const std::string text = exchangeTextOf(kExchangeTextBytes);
    std::size_t entries = 0;
    double peak = 0;
    for (auto _ : state) {
        const std::size_t base = startPeak();
        const auto parsed = parseExchangeText(text);
        peak = peakMegabytesSince(base);
        entries = parsed.size();
        benchmark::DoNotOptimize(parsed.data());
    }
    state.counters["entries"] = static_cast<double>(entries);
    state.counters["text_MB"] = static_cast<double>(text.size()) / (1024.0 * 1024.0);
    state.counters["peak_MB"] = peak;
}

// 100,000 new extensions plus 10,000 that repeat stored ones in upper case and 10,000 that
// repeat earlier entries of the text: all 120,000 go through the duplicate test.
std::string importText() {
    std::string text;
    for (int n = 0; n < kRecords; ++n) {
        if (!text.empty()) text += ";;;";
        text += extensionFor("new", n) + ",,," + sampleNote();
        if (n % 10 == 0) text += ";;;" + extensionFor("OLD", n) + ",,,stored already";
        if (n % 10 == 5) text += ";;;" + extensionFor("NEW", n) + ",,,twice in the text";
    }
    return text;
}

// The exchange side of the import alone: reading the text and the duplicate test.
void BM_ChooseNew100kAgainst100k(benchmark::State& state) {
    const std::string text = importText();
    BenchStore target("choose.edb", "old", kRecords);
    std::size_t kept = 0;
    double peak = 0;
    for (auto _ : state) {
        const std::size_t base = startPeak();
        const auto entries = newEntries(target.store, parseExchangeText(text));
        peak = peakMegabytesSince(base);
        kept = entries.size();
        benchmark::DoNotOptimize(entries.data());
    }
    state.counters["kept"] = static_cast<double>(kept);
    state.counters["peak_MB"] = peak;
}

void BM_Import100kInto100k(benchmark::State& state) {
    const std::string text = importText();
    std::size_t added = 0;
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto target = std::make_unique<BenchStore>("import.edb", "old", kRecords);
        state.ResumeTiming();
        const std::size_t base = startPeak();
        if (!importExchangeText(target->store, text)) std::abort();
        peak = peakMegabytesSince(base);
        added = static_cast<std::size_t>(target->store.recordCount() - kRecords);
        state.PauseTiming();
        target.reset();
        state.ResumeTiming();
    }
    state.counters["added"] = static_cast<double>(added);
    state.counters["text_MB"] = static_cast<double>(text.size()) / (1024.0 * 1024.0);
    state.counters["peak_MB"] = peak;
}

} // namespace

BENCHMARK(BM_ExportReadable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportExchange)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseExchangeText10MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChooseNew100kAgainst100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Import100kInto100k)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
