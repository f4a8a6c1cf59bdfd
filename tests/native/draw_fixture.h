// Shared set-up for the drawing tests: a 480-pixel item without title band or
// margins, solid 24-pixel pictures (0x00F000 + body number) registered with the
// native loader, and hand-made event frames.
#pragma once
#include <string>
#include <utility>

#include "platform/clock.h"
#include "platform/picture.h"
#include "today/compose.h"
#include "today/meters.h"

namespace velkaro {
namespace testing_draw {

inline DecodedPicture Picture(int width, int height, uint32_t pixel) {
    DecodedPicture p;
    p.Width = width;
    p.Height = height;
    p.Pixels.assign(static_cast<size_t>(width) * height, pixel);
    return p;
}

inline EventRecord Event(int stamp, double azi = 0, double alt = 0) {
    EventRecord r;
    r.MinuteStamp = stamp;
    r.Azi = azi;
    r.Alt = alt;
    r.Valid = 1;
    return r;
}

inline BodyEvents Frame(int prevSet, int rise, int culmination, int set, int nextRise, int now) {
    BodyEvents e;
    e.PrevSet = Event(prevSet);
    e.Rise = Event(rise);
    e.Culmination = Event(culmination);
    e.Set = Event(set);
    e.NextRise = Event(nextRise);
    e.Now = Event(now);
    return e;
}

struct Rig {
    Item item;
    PixelStore background, composition;
    RowPlacements rows;  // where the last Compose() put the meters and pictures

    explicit Rig(const std::wstring& listed) {
        ClearNativePictures();
        GeneralSettings& g = item.Store.General;
        g.MarginTop = g.MarginBottom = g.MarginLeft = g.MarginRight = 0;
        g.Title = g.Clock = g.TransToday = 0;
        g.SortP0 = SortList(listed);
        item.State.ItemWidth = item.State.SurfaceWidth = 480;
        item.State.DisplayTime = MakeTime(2026, 6, 15, 12, 0);
        LocationRecord& place = item.Store.Locations[0];
        place = LocationRecord();
        place.Valid = 1;
        place.Location = L"Kyoto";
        place.Lat = 35.0;
        place.Lng = 135.75;
        place.UtcMargin = 9;
        for (int b = 0; b < kBodyCount; ++b) {
            BodyStyle& s = item.Store.Bodies[b];
            s.Icon = L"\\t\\body" + std::to_wstring(b) + L".png";
            s.CrBack = 0x000000;
            s.MarginTop = s.MarginBottom = s.SpaceTop = 0;
            s.PosD = 0;
            s.CrGradD = 0x400000;  // pixel 0x000040
            s.CrScale = 0x0000FF;  // pixel 0xFF0000
            s.AlphaS = 255;
            RegisterNativePicture(s.Icon, Picture(24, 24, 0x00F000u + static_cast<uint32_t>(b)));
        }
    }

    BodyStyle& Body(int b) { return item.Store.Bodies[b]; }
    BodyPicture& Pic(int b) { return item.Pictures.Bodies[b]; }
    int RowTop(int b) { return item.State.RowTop[b]; }
    uint32_t At(int x, int y) { return composition.View().At(x, y); }

    // Pictures, surfaces and row tops, as the window does at creation.
    void Load() {
        item.State.SurfaceHeight = LoadItemPictures(item.Store, &item.Pictures);
        background = PixelStore(480, item.State.SurfaceHeight, 0x123456);
        composition = PixelStore(480, item.State.SurfaceHeight, 0);
        ComputeItemHeight(&item);
    }
    // ComposeItem's steps, keeping the placements.
    std::vector<TextDraw> Compose() {
        ComposeBackground(item, background.View(), composition.View());
        rows = ComposeMeters(item, composition.View());
        return LayoutItemText(item, rows);
    }
};

// First and last column of row y holding `pixel`, or -1, -1.
inline std::pair<int, int> Span(PixelBuffer buf, int y, uint32_t pixel) {
    int first = -1, last = -1;
    for (int x = 0; x < buf.Width; ++x) {
        if (buf.At(x, y) != pixel) continue;
        if (first < 0) first = x;
        last = x;
    }
    return {first, last};
}

}  // namespace testing_draw
}  // namespace velkaro
