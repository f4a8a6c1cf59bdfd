// The editor's list work on a category of 10,000 records, and the category
// file holding them loaded and saved.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "editor/commands.h"
#include "editor/editor.h"
#include "editor/stock_file.h"

using namespace velkaro;

namespace {

constexpr int kRecords = 10000;

// Categories Big (2) and Next (3), 10,000 records each with names in no order.
EditorState BigState() {
    EditorState s;
    ResetCategories(&s.Stock);
    AddCategory(&s.Stock, L"Big", 0);
    AddCategory(&s.Stock, L"Next", 0);
    for (int store : {2, 3}) {
        for (int i = 0; i < kRecords; ++i) {
            EditorRecord r;
            r.Number = i;
            r.Valid = i % 3 == 0;
            r.Location = L"Place " + std::to_wstring((i * 7919) % kRecords);
            r.Lat = (i % 1800) / 10.0 - 90;
            r.Lng = (i % 3600) / 10.0 - 180;
            r.Altitude = i % 4000;
            r.Prominence = i % 2 ? r.Altitude : 0;
            r.UtcMargin = (i % 97) / 4.0 - 12;
            r.DST = i % 5 ? L"" : L"03/Se 01;10/Se 01";
            r.Memo = i % 4 ? L"" : L"a memo of some length for the place";
            s.Stock.Stores[static_cast<size_t>(store)].push_back(r);
        }
    }
    ShowCategory(&s, 2);
    return s;
}

// Each sort reverses the last, so every iteration does a full sort.
void BM_SortByName(benchmark::State& state) {
    EditorState s = BigState();
    for (auto _ : state) {
        SortListBy(&s, kStockList, kSortLocation);
        benchmark::DoNotOptimize(s.StockView.data());
    }
}
BENCHMARK(BM_SortByName)->Unit(benchmark::kMillisecond);

// The search from the category box through every name and memo shown.
void BM_Search(benchmark::State& state) {
    EditorState s = BigState();
    for (auto _ : state) {
        ShowCategory(&s, 2);
        SearchStock(&s, L"place 12", false);
        benchmark::DoNotOptimize(s.StockView.data());
    }
}
BENCHMARK(BM_Search)->Unit(benchmark::kMillisecond);

// A cut of every tenth row, with the store renumbered, then the rows put back.
void BM_CutAndPaste(benchmark::State& state) {
    EditorState s = BigState();
    std::vector<int> rows;
    for (int i = 0; i < kRecords; i += 10) rows.push_back(i);
    for (auto _ : state) {
        CutRows(&s, kStockList, rows);
        PasteRows(&s, kStockList, 0);
        benchmark::DoNotOptimize(s.StockView.data());
    }
}
BENCHMARK(BM_CutAndPaste)->Unit(benchmark::kMillisecond);

void BM_HeaderZeroRestore(benchmark::State& state) {
    EditorState s = BigState();
    SortListBy(&s, kStockList, kSortLocation);
    for (auto _ : state) {
        RestoreStockOrder(&s, kStockList);
        benchmark::DoNotOptimize(s.StockView.data());
    }
}
BENCHMARK(BM_HeaderZeroRestore)->Unit(benchmark::kMillisecond);

// A swipe right and back: each one shows a 10,000-record category.
void BM_Swipe(benchmark::State& state) {
    EditorState s = BigState();
    s.Scale = 2;
    int direction = 1;
    for (auto _ : state) {
        PenDown(&s, kStockList, 300, 50, 0);
        PenMove(&s, kStockList, 300 + direction * 200, 50, 0, true);
        direction = -direction;
        benchmark::DoNotOptimize(s.StockView.data());
    }
}
BENCHMARK(BM_Swipe)->Unit(benchmark::kMillisecond);

// One drag step across the whole list: the record moves from the top to the
// bottom row and back.
void BM_DragStep(benchmark::State& state) {
    EditorState s = BigState();
    PenDown(&s, kStockList, 5, 5, 0);
    int row = kRecords - 1;
    for (auto _ : state) {
        PenMove(&s, kStockList, 5, 5, row, true);
        row = kRecords - 1 - row;
        benchmark::DoNotOptimize(s.StockView.data());
    }
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond);

std::wstring BenchPath() {
    const std::string p = "/tmp/velkaro_editor_bench_" + std::to_string(getpid()) + ".ini";
    return std::wstring(p.begin(), p.end());
}

// The bytes of the file alone, without the disk.
void BM_FormatFile(benchmark::State& state) {
    EditorState s = BigState();
    s.Stock.Stores[3].clear();
    for (auto _ : state) benchmark::DoNotOptimize(FormatStockFile(s.Stock));
}
BENCHMARK(BM_FormatFile)->Unit(benchmark::kMillisecond);

void BM_SaveFile(benchmark::State& state) {
    EditorState s = BigState();
    s.Stock.Stores[3].clear();  // one category of 10,000
    const std::wstring path = BenchPath();
    int error = 0;
    for (auto _ : state) benchmark::DoNotOptimize(SaveStockFile(s.Stock, path, &error));
    std::remove(std::string(path.begin(), path.end()).c_str());
}
BENCHMARK(BM_SaveFile)->Unit(benchmark::kMillisecond);

void BM_LoadFile(benchmark::State& state) {
    EditorState s = BigState();
    s.Stock.Stores[3].clear();  // one category of 10,000
    const std::wstring path = BenchPath();
    int error = 0;
    SaveStockFile(s.Stock, path, &error);
    Categories loaded;
    for (auto _ : state) benchmark::DoNotOptimize(LoadStockFile(&loaded, path));
    if (loaded.Stores[2].size() != static_cast<size_t>(kRecords)) state.SkipWithError("records lost");
    std::remove(std::string(path.begin(), path.end()).c_str());
}
BENCHMARK(BM_LoadFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
