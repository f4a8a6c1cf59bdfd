#include "today/textlayout.h"

#include <algorithm>

#include "engine/calendar.h"
#include "platform/clock.h"
#include "today/formats.h"

namespace velkaro {
namespace {

TextDraw Place(const std::wstring& text, const FontSpec& font, const TextExtent& size, int x,
               int y, uint32_t colour) {
    TextDraw t;
    t.X = x;
    t.Y = y;
    t.Width = size.Width;
    t.Height = size.Height;
    t.Text = text;
    t.Color = colour;
    t.Font = font;
    return t;
}

struct EventLine {
    const EventRecord* Event = nullptr;
    int Bits = 0;
    int Size = 0;
    uint32_t Colour = 0;
    bool Culmination = false;
};

}  // namespace

ComingEvent SelectComingEvent(const BodyEvents& e) {
    const int32_t now = e.Now.MinuteStamp;
    const EventRecord* rise = nullptr;
    if (e.Rise.Valid && e.Rise.MinuteStamp >= now)
        rise = &e.Rise;
    else if (e.NextRise.Valid && e.NextRise.MinuteStamp >= now)
        rise = &e.NextRise;
    ComingEvent c;
    // At equal stamps the rise is shown.
    if (e.Set.Valid && e.Set.MinuteStamp >= now && (!rise || e.Set.MinuteStamp < rise->MinuteStamp)) {
        c.Event = &e.Set;
        c.IsRise = false;
    } else if (rise) {
        c.Event = rise;
    }
    return c;
}

void LayoutTitleBand(const Item& item, std::vector<TextDraw>* out) {
    const GeneralSettings& g = item.Store.General;
    if (g.Title == 0 && g.Clock == 0) return;
    const LocationRecord& place = item.Place();
    const ItemState& st = item.State;
    FontSpec font{g.FaceName, g.CharSet, g.TextSize > 0 ? g.TextSize : 0};
    const int y = g.TMarginTop;

    if (g.Title != 0) {
        std::wstring name, coords;
        if (g.Title & 1) name = place.Location + L" ";
        const std::wstring lat = FormatLatitude(place.Lat), lng = FormatLongitude(place.Lng);
        if ((g.Title & 2) && (g.Title & 4))
            coords = FormatText(L"(%ls %ls %dm) ", lat.c_str(), lng.c_str(), place.Altitude);
        else if (g.Title & 2)
            coords = FormatText(L"(%ls %ls) ", lat.c_str(), lng.c_str());
        else if (g.Title & 4)
            coords = FormatText(L"(%dm) ", place.Altitude);
        const std::wstring line = name + coords;
        if (!line.empty())
            out->push_back(Place(line, font, MeasureText(line, font), g.TMarginLeft, y, g.CrTitle));
    }

    const bool shifted = st.ShiftActive();
    if (!shifted && g.Clock == 0) return;
    int days = st.ShiftDays, hours = st.ShiftHours, minutes = st.ShiftMinutes;
    SYSTEMTIME utc = ClockUtcNow();
    SYSTEMTIME local = utc;
    UtcToZoneTime(&local, place.UtcMargin, false);
    const SYSTEMTIME present = local;
    if (shifted) {
        ApplyShift(&utc, &days, &hours, &minutes);
        days = st.ShiftDays, hours = st.ShiftHours, minutes = st.ShiftMinutes;
        ApplyShift(&local, &days, &hours, &minutes);
    }
    std::wstring datePart, timePart, offsetPart;
    if (g.Clock & 1)
        timePart = FormatText(L"%02d:%02d", utc.wHour, utc.wMinute);
    else if ((g.Clock & 2) || shifted)
        timePart = FormatEventTime(local, g, place);
    if (shifted)
        datePart = FormatShiftDate(local);
    else if (g.Clock & 4)
        offsetPart = FormatUtcOffsetMark(UtcOffsetWithDst(g, place, present), g.Clock);
    const std::wstring line = datePart + timePart + offsetPart;
    if (line.empty()) return;
    const TextExtent size = MeasureText(line, font);
    const int right = st.ItemWidth - g.TMarginRight;
    TextDraw t = Place(line, font, size, right - size.Width, y, shifted ? g.CrPlusText : g.CrClock);
    if (shifted) {
        t.Fill = true;
        t.FillArea = Rect{t.X, y, right, y + size.Height};
        t.FillColor = g.CrPlusBack;
    }
    out->push_back(t);
}

void LayoutBodyInfo(const Item& item, int body, std::vector<TextDraw>* out) {
    if (body < 0 || body >= kBodyCount) return;
    const GeneralSettings& g = item.Store.General;
    const BodyStyle& style = item.Store.Bodies[body];
    const BodyLayout& layout = style.Layout;
    const BodyEvents& e = item.State.Events[body];
    const LocationRecord& place = item.Place();
    const SYSTEMTIME& present = item.State.DisplayTime;
    const std::wstring deg = DegreeMark(g);
    const int itemWidth = item.State.ItemWidth;
    const int x = layout.ImageX, s = layout.ImageSize, rowTop = layout.RowTop;
    const int innerRight = itemWidth - g.MarginRight;

    int blockLeft = x, blockRight = x + s;
    if (style.Text != 0) {
        const FontSpec font{style.FaceName, style.CharSet, style.TextSize};
        std::wstring head;
        if (style.Text & 1) {
            if (body == kMoon)
                head += FormatMoonAge(MoonAge(present.wYear, present.wMonth, present.wDay,
                                              present.wHour, present.wMinute, place.UtcMargin));
            else
                head += style.Name + L" ";
        }
        if (style.Text & 2) head += FormatAzimuth(e.Now.Azi, g.BaseAngle, place.Lat, deg) + L" ";
        if (style.Text & 4) head += FormatAltitude(e.Now.Alt, deg, true);
        std::wstring tail;
        uint32_t tailColour = style.CrTextR;
        if (style.Text & 8) {
            const ComingEvent c = SelectComingEvent(e);
            if (c.Event) {
                tail = FormatEventTime(c.Event->Time, g, place);
                tailColour = c.IsRise ? style.CrTextR : style.CrTextS;
            }
        }
        if (!head.empty() || !tail.empty()) {
            const TextExtent hs = MeasureText(head, font);
            const TextExtent ts = tail.empty() ? TextExtent{} : MeasureText(tail, font);
            const int width = hs.Width + ts.Width;
            int tx = x + s + style.Spacetxt;
            if (!(tx + width < innerRight)) tx = x - style.Spacetxt - width;
            const int y = rowTop + style.Margintxt;
            if (!head.empty()) out->push_back(Place(head, font, hs, tx, y, style.CrText));
            if (!tail.empty()) out->push_back(Place(tail, font, ts, tx + hs.Width, y, tailColour));
            blockLeft = std::min(blockLeft, tx);
            blockRight = std::max(blockRight, tx + width);
        }
    }

    EventLine lines[3];
    int count = 0;
    if (style.TextRS == 4) {
        const ComingEvent c = SelectComingEvent(e);
        const int bits = style.TextS != 0 ? style.TextS : style.TextR;
        if (bits != 0 && c.Event)
            lines[count++] = EventLine{c.Event, bits, c.IsRise ? style.TextSizeR : style.TextSizeS,
                                       c.IsRise ? style.CrTextR : style.CrTextS, false};
    } else {
        if (style.TextR != 0 && e.Rise.Valid)
            lines[count++] = EventLine{&e.Rise, style.TextR, style.TextSizeR, style.CrTextR, false};
        if (style.TextS != 0 && e.Set.Valid)
            lines[count++] = EventLine{&e.Set, style.TextS, style.TextSizeS, style.CrTextS, false};
    }
    if (style.TextD != 0 && e.Culmination.Valid)
        lines[count++] = EventLine{&e.Culmination, style.TextD, style.TextSizeD, style.CrTextD, true};
    if (count == 0) return;

    bool leftSide = blockLeft - g.MarginLeft >= innerRight - blockRight;
    if (style.TextRS == 2) leftSide = true;
    if (style.TextRS == 3) leftSide = false;
    // A picture sticking out past the left margin pushes the right block too.
    const int pushed = (x < g.MarginLeft && x + s > g.MarginLeft) ? g.MarginLeft - x : 0;
    const int end = itemWidth - style.PosStxt - pushed;

    int y = rowTop + style.MarginRStxt;
    for (int i = 0; i < count; ++i) {
        const EventLine& line = lines[i];
        const FontSpec font{style.FaceNameR, style.CharSetR, line.Size};
        std::wstring parts[3];
        if (line.Bits & 1) parts[0] = FormatEventTime(line.Event->Time, g, place);
        if (line.Bits & 2) parts[1] = FormatRemaining(present, line.Event->Time, g.MaxMin);
        if (line.Bits & 4)
            parts[2] = line.Culmination ? FormatAltitude(line.Event->Alt, deg, false)
                                        : FormatAzimuth(line.Event->Azi, g.BaseAngle, place.Lat, deg);
        if (line.Bits & 8) {
            TextExtent sizes[3];
            int widest = 0;
            for (int p = 0; p < 3; ++p) {
                if (parts[p].empty()) continue;
                sizes[p] = MeasureText(parts[p], font);
                widest = std::max(widest, sizes[p].Width);
            }
            const int bx = leftSide ? style.PosRtxt : end - widest;
            for (int p = 0; p < 3; ++p) {
                if (parts[p].empty()) continue;
                out->push_back(Place(parts[p], font, sizes[p], bx, y, line.Colour));
                y += sizes[p].Height;
            }
        } else {
            const std::wstring text = parts[0] + parts[1] + parts[2];
            if (text.empty()) continue;
            const TextExtent size = MeasureText(text, font);
            out->push_back(Place(text, font, size, leftSide ? style.PosRtxt : end - size.Width, y,
                                 line.Colour));
            y += size.Height;
        }
    }
}

}  // namespace velkaro
