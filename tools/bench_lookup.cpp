// Speed of one filter of the match list on the headless toolkit, list box included, over
// 1,000, 10,000 and 100,000 records: one typed letter, a pinyin letter pair, the empty text
// (every record listed), an exact match on the last record, and a text that matches nothing.
// Each case runs twice: "indexed" is the program's filter, "plain" the straightforward walk
// over the store with its cursor, so the ratio shows. "after_change" is the indexed filter
// right after a change to the store, which makes it read every record again. "list_box_only"
// is the headless list box's own share: clearing it and adding every record's item.
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>

#include <benchmark/benchmark.h>

#include "../tests/unit/lookup/literal_filter.h"
#include "lookup/match_list.h"
#include "store/record_store.h"
#include "text/encoding.h"
#include "toolkit/headless/headless_services.h"
#include "toolkit/headless/headless_toolkit.h"

namespace extdict {
namespace {

const char* const kLastExtension = "zlast";

tk::WindowForm benchForm() {
    tk::WindowForm form;
    form.name = "Bench";
    form.caption = "Bench";
    form.width = 548;
    form.height = 343;
    form.controls = {
        {gbk("列表框"), tk::ControlKind::ListBox, 8, 32, 88, 168, {}, {}, {}, {}, {}},
        {gbk("编辑框注释"), tk::ControlKind::EditBox, 8, 72, 528, 232, {}, {}, {}, {}, {}},
        {gbk("编辑框扩展名"), tk::ControlKind::EditBox, 8, 8, 88, 24, {}, {}, {}, {}, {}},
    };
    return form;
}

// Extensions as a dictionary holds them: mostly 3-4 ASCII letters or digits in either case,
// one in ten made of two or three Chinese characters. No ASCII extension has two characters,
// so the pinyin pair is never an exact match.
std::string randomExtension(std::mt19937& random) {
    static const std::string ascii = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static const std::vector<std::string> chinese = {
        gbk("文"), gbk("本"), gbk("图"), gbk("像"), gbk("压"), gbk("缩"), gbk("音"), gbk("频"),
        gbk("视"), gbk("表"), gbk("格"), gbk("数"), gbk("据"), gbk("库"), gbk("备"), gbk("份")};
    std::uniform_int_distribution<int> kind(0, 9), length(3, 4);
    std::string text;
    if (kind(random) == 0) {
        std::uniform_int_distribution<std::size_t> pick(0, chinese.size() - 1);
        for (int i = length(random) - 1; i > 0; --i) text += chinese[pick(random)];
    } else {
        std::uniform_int_distribution<std::size_t> pick(0, ascii.size() - 1);
        for (int i = length(random); i > 0; --i) text += ascii[pick(random)];
    }
    return text;
}

class Bench {
public:
    explicit Bench(int records) : path_(storePath(records)) {
        std::filesystem::remove(path_);
        store.create(path_.string(), {{gbk("扩展名"), 10, 50}, {gbk("注释"), 10, 512}});
        store.open(path_.string());
        fill(records);
        window_ = ui.loadWindow(benchForm(), {}, std::nullopt, false);
        edit = control("编辑框扩展名");
        list = control("列表框");
        note = control("编辑框注释");
        matchList.bind(edit.window, edit.control, list.window, list.control);
    }
    ~Bench() {
        store.close();
        std::filesystem::remove(path_);
    }

    HeadlessServices services;
    HeadlessToolkit ui{services};
    RecordStore store{services.files()};
    MatchList matchList{ui, store, gbk("编辑框注释")};
    tk::ControlRef edit, list, note;

private:
    static std::filesystem::path storePath(int records) {
        return std::filesystem::temp_directory_path() /
               ("bench_lookup_" + std::to_string(records) + ".edb");
    }

    void fill(int records) {
        std::mt19937 random(records);
        std::vector<std::string> extensions;
        for (int i = 1; i < records; ++i) extensions.push_back(randomExtension(random));
        extensions.push_back(kLastExtension);
        const std::string note = gbk("说明");
        std::vector<RecordStore::NewRecord> rows;
        for (const std::string& extension : extensions) rows.push_back({extension, note});
        store.addRecords(rows);
    }

    tk::ControlRef control(const char* name) {
        return {window_, ui.controlNamed(window_, gbk(name))};
    }

    std::filesystem::path path_;
    tk::WindowId window_ = 0;
};

Bench& benchFor(int records) {
    static std::map<int, std::unique_ptr<Bench>> benches;
    auto& bench = benches[records];
    if (!bench) bench = std::make_unique<Bench>(records);
    return *bench;
}

void reportListed(benchmark::State& state, Bench& bench) {
    state.counters["listed"] = bench.ui.listCount(bench.list);
}

void indexedFilter(benchmark::State& state, std::string typed) {
    Bench& bench = benchFor(static_cast<int>(state.range(0)));
    bench.ui.setText(bench.edit, typed);
    bench.matchList.filter();
    for (auto _ : state) bench.matchList.filter();
    reportListed(state, bench);
}

void plainFilter(benchmark::State& state, std::string typed) {
    Bench& bench = benchFor(static_cast<int>(state.range(0)));
    bench.ui.setText(bench.edit, typed);
    int chosen = 0;
    literal::Controls controls{bench.ui, bench.store, bench.edit, bench.list, bench.note, chosen};
    for (auto _ : state) literal::filter(controls);
    reportListed(state, bench);
}

// Each round changes one record's note, so the filter reads every record again.
void indexedFilterAfterChange(benchmark::State& state, std::string typed) {
    Bench& bench = benchFor(static_cast<int>(state.range(0)));
    bench.ui.setText(bench.edit, typed);
    const std::string notes[] = {"a", "b"};
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        bench.store.goTo(1);
        bench.store.writeField(2, notes[++round % 2]);
        state.ResumeTiming();
        bench.matchList.filter();
    }
    reportListed(state, bench);
}

void listBoxOnly(benchmark::State& state) {
    Bench& bench = benchFor(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        bench.ui.listClear(bench.list);
        for (int r = 1; r <= bench.store.recordCount(); ++r) {
            const int item = bench.ui.listAdd(bench.list, "abc");
            bench.ui.setListItemValue(bench.list, item, r);
        }
    }
    reportListed(state, bench);
}

void registerAll() {
    const std::pair<const char*, std::string> cases[] = {
        {"letter_t", "t"},          {"pinyin_pair_wb", "wb"}, {"empty_all_listed", ""},
        {"exact_last", kLastExtension}, {"no_match", "qqqqq"},
    };
    for (const auto& [name, typed] : cases) {
        using Run = void (*)(benchmark::State&, std::string);
        const std::pair<const char*, Run> kinds[] = {{"indexed", indexedFilter},
                                                     {"plain", plainFilter}};
        for (const auto& [kind, run] : kinds) {
            benchmark::RegisterBenchmark((std::string(kind) + "/" + name).c_str(), run, typed)
                ->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
        }
    }
    benchmark::RegisterBenchmark("after_change/letter_t", indexedFilterAfterChange,
                                 std::string("t"))
        ->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("list_box_only", listBoxOnly)
        ->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
}

} // namespace
} // namespace extdict

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    extdict::registerAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
