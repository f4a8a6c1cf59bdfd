// Cost of the engine's work for one refresh of the Today item, and its parts.
#include <benchmark/benchmark.h>

#include "engine/calendar.h"
#include "engine/coords.h"
#include "engine/events.h"
#include "engine/series.h"

using namespace velkaro;

namespace {

const double kLat = 35.68, kLng = 139.75, kZone = 9;

void BM_ComputeBodyEvents(benchmark::State& state) {
    const int body = static_cast<int>(state.range(0));
    for (auto _ : state) {
        BodyEvents e;
        e.Now.Time = MakeTime(2025, 3, 1, 21, 30);
        ComputeBodyEvents(body, kLng, kLat, 0, kZone, &e);
        benchmark::DoNotOptimize(e);
    }
    state.SetLabel(std::string(kBodyNames[body], kBodyNames[body] + 
                   std::char_traits<wchar_t>::length(kBodyNames[body])));
}
BENCHMARK(BM_ComputeBodyEvents)->DenseRange(0, kBodyCount - 1);

// One refresh: all ten bodies at Tokyo.
void BM_ComputeAllBodies(benchmark::State& state) {
    for (auto _ : state) {
        for (int body = 0; body < kBodyCount; ++body) {
            BodyEvents e;
            e.Now.Time = MakeTime(2025, 3, 1, 21, 30);
            ComputeBodyEvents(body, kLng, kLat, 0, kZone, &e);
            benchmark::DoNotOptimize(e);
        }
    }
}
BENCHMARK(BM_ComputeAllBodies);

// Rise, culmination and set of one day, as the almanac's day table does them.
void BM_BodyDay(benchmark::State& state) {
    const int body = static_cast<int>(state.range(0));
    const double T0 = TimeArgument(2025, 3, 1, kZone);
    for (auto _ : state) {
        for (int type : {kEventRise, kEventCulmination, kEventSet}) {
            EventRecord r;
            const double d = FindEvent(body, kLng, kLat, 0, T0, kZone, type);
            FillEvent(body, kLng, kLat, T0, 2025, 3, 1, d, kZone, &r,
                      type == kEventCulmination ? kFillCulmination : kFillRiseSet);
            benchmark::DoNotOptimize(r);
        }
    }
}
BENCHMARK(BM_BodyDay)->DenseRange(0, kBodyCount - 1);

void BM_PositionSeries(benchmark::State& state) {
    const int body = static_cast<int>(state.range(0));
    double T = 0.25;
    for (auto _ : state) {
        BodyPosition p;
        PositionSeries(body, T, &p);
        benchmark::DoNotOptimize(p);
        T += 1e-9;
    }
}
BENCHMARK(BM_PositionSeries)->DenseRange(0, kBodyCount - 1);

void BM_EquatorialPlace(benchmark::State& state) {
    const int body = static_cast<int>(state.range(0));
    double T = 0.25;
    for (auto _ : state) {
        EquatorialPosition p;
        EquatorialPlace(body, T, &p);
        benchmark::DoNotOptimize(p);
        T += 1e-9;
    }
}
BENCHMARK(BM_EquatorialPlace)->DenseRange(0, kBodyCount - 1);

}  // namespace

BENCHMARK_MAIN();
