// One paint of the whole item: title band, all ten bodies listed, the Today
// blend on, 480 pixels wide, in time and in azimuth mode. "Compose" includes
// the text layout (native fixed-advance metric, no GDI); "Pixels" is the
// surface work alone. "Largest" paints the tallest item stored sizes can
// give: every size written far past its range, then read back from the
// registry into the range the options offer.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/events.h"
#include "platform/picture.h"
#include "platform/registry.h"
#include "today/compose.h"
#include "today/item.h"

using namespace velkaro;

namespace {

DecodedPicture Disc(int frames, int s, bool mask) {
    DecodedPicture p;
    p.Width = frames * s;
    p.Height = s;
    p.Pixels.resize(static_cast<size_t>(p.Width) * s);
    for (int y = 0; y < s; ++y)
        for (int x = 0; x < p.Width; ++x) {
            const int dx = x % s - s / 2, dy = y - s / 2;
            const bool inside = dx * dx + dy * dy < (s / 2) * (s / 2);
            p.Pixels[static_cast<size_t>(y) * p.Width + x] =
                mask ? (inside ? 0xFFFFFFu : 0u) : 0x00C08040u + static_cast<uint32_t>(x);
        }
    return p;
}

// Every size 100000 in the registry, loaded as the item loads it.
void LoadHugeSizes(SettingsStore* store) {
    RegClearAll();
    SettingsStore huge;
    GeneralSettings& g = huge.General;
    for (int32_t* v : {&g.MarginTop, &g.MarginBottom, &g.TMarginTop, &g.TMarginBottom, &g.TextSize}) *v = 100000;
    for (BodyStyle& b : huge.Bodies) {
        for (int32_t* v : {&b.TextSize, &b.TextSizeR, &b.TextSizeS, &b.TextSizeD, &b.SpaceTop, &b.SpaceBottom,
                           &b.MarginTop, &b.MarginBottom, &b.Margintxt, &b.MarginRStxt, &b.Spacetxt})
            *v = 100000;
        b.TextR = b.TextS = b.TextD = 15;
    }
    SaveSettingsStore(huge);
    LoadSettingsStore(store);
    RegClearAll();
}

struct PaintSetup {
    Item item;
    PixelStore background, composition;

    explicit PaintSetup(int azimuthMode, bool largest = false) {
        if (largest) LoadHugeSizes(&item.Store);
        ClearNativePictures();
        for (int b = 0; b < kBodyCount; ++b) {
            BodyStyle& s = item.Store.Bodies[b];
            s.Icon = L"\\bench\\body" + std::to_wstring(b) + L".png";
            RegisterNativePicture(s.Icon, Disc(1, 24, false));
            RegisterNativePicture(L"\\bench\\body" + std::to_wstring(b) + L".msk",
                                  Disc(b == kMoon ? 14 : 1, 24, true));
        }
        GeneralSettings& g = item.Store.General;
        g.SortP0 = SortList(L"0123456789");
        g.TransToday = 1;
        g.AlphaToday = 192;
        g.Deg = L"\u00B0";
        item.State.SortPage = 0;
        item.State.AzimuthMode = azimuthMode;
        item.State.InfoMode = 1;
        item.State.PosIndex = 0;
        LocationRecord& place = item.Store.Locations[0];
        place = LocationRecord();
        place.Valid = 1;
        place.Location = L"Tokyo";
        place.Lat = 35.68;
        place.Lng = 139.75;
        place.UtcMargin = 9;
        item.State.SurfaceWidth = 640;
        item.State.ItemWidth = 480;
        item.State.DisplayTime = MakeTime(2026, 6, 15, 21, 30);
        for (int b = 0; b < kBodyCount; ++b) {
            BodyEvents& e = item.State.Events[b];
            e.Now.Time = item.State.DisplayTime;
            ComputeBodyEvents(b, place.Lng, place.Lat, 0, place.UtcMargin, &e);
        }
        item.State.SurfaceHeight = LoadItemPictures(item.Store, &item.Pictures);
        ComputeItemHeight(&item);
        background = PixelStore(640, item.State.SurfaceHeight, 0x00406080);
        composition = PixelStore(640, item.State.SurfaceHeight, 0);
    }
};

void Compose(benchmark::State& state) {
    PaintSetup s(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::vector<TextDraw> texts =
            ComposeItem(s.item, s.background.View(), s.composition.View());
        benchmark::DoNotOptimize(texts.data());
        benchmark::ClobberMemory();
    }
    state.SetLabel(state.range(0) ? "azimuth mode" : "time mode");
}

void Pixels(benchmark::State& state) {
    PaintSetup s(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        ComposeBackground(s.item, s.background.View(), s.composition.View());
        ComposeMeters(s.item, s.composition.View());
        benchmark::DoNotOptimize(s.composition.Pixels.data());
        benchmark::ClobberMemory();
    }
    state.SetLabel(state.range(0) ? "azimuth mode" : "time mode");
}

}  // namespace

void Largest(benchmark::State& state) {
    PaintSetup s(static_cast<int>(state.range(0)), true);
    for (auto _ : state) {
        std::vector<TextDraw> texts = ComposeItem(s.item, s.background.View(), s.composition.View());
        benchmark::DoNotOptimize(texts.data());
        benchmark::ClobberMemory();
    }
    state.counters["height"] = s.item.State.ItemHeight;
    state.SetLabel(state.range(0) ? "azimuth mode" : "time mode");
}

BENCHMARK(Compose)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(Largest)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Pixels)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
