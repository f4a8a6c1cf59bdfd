#include "today/textlayout.h"

#include <algorithm>

#include "today/formats.h"

namespace velkaro {

const wchar_t kUpAllDay[] = L"up all day";
const wchar_t kDownAllDay[] = L"down all day";

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
    std::wstring datePart, timePart, offsetPart;
    if (g.Clock & 1)
        timePart = FormatText(L"%02d:%02d", st.TitleUtc.wHour, st.TitleUtc.wMinute);
    else if ((g.Clock & 2) || shifted)
        timePart = FormatEventTime(st.TitleZone, g, place, st.Clock);
    if (shifted)
        datePart = FormatShiftDate(st.TitleZone);
    else if (g.Clock & 4)
        offsetPart = FormatUtcOffsetMark(UtcOffsetWithDst(g, place, st.TitleZoneNow, st.Clock), g.Clock);
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

namespace {

// Left and right ends of the picture and the main line together.
struct Block {
    int Left = 0, Right = 0;
};

// Everything one body's lines are placed by.
struct InfoContext {
    const GeneralSettings& g;
    const BodyStyle& style;
    const BodyEvents& e;
    const LocationRecord& place;
    const SYSTEMTIME& present;
    const ClockReading& now;
    std::wstring deg;
    int x, s, rowTop, itemWidth;
};

// The main line: name (the Moon's age), azimuth, altitude, then the coming
// event in its own colour. Widens the block by what it covers.
void LayoutMainLine(const InfoContext& c, int body, double moonAge, int allDay, Block* block,
                    std::vector<TextDraw>* out) {
    const BodyStyle& style = c.style;
    if (style.Text == 0) return;
    const FontSpec font{style.FaceName, style.CharSet, style.TextSize};
    std::wstring head;
    if (style.Text & 1) head += body == kMoon ? FormatMoonAge(moonAge) : style.Name + L" ";
    if (style.Text & 2) head += FormatAzimuth(c.e.Now.Azi, c.g.BaseAngle, c.place.Lat, c.deg) + L" ";
    if (style.Text & 4) head += FormatAltitude(c.e.Now.Alt, c.deg, true);
    std::wstring tail;
    uint32_t tailColour = style.CrTextR;
    if (style.Text & 8) {
        const ComingEvent coming = SelectComingEvent(c.e);
        if (coming.Event) {
            tail = FormatEventTime(coming.Event->Time, c.g, c.place, c.now);
            tailColour = coming.IsRise ? style.CrTextR : style.CrTextS;
        } else if (allDay != 0) {
            // Polar day waits for a set, polar night for a rise.
            tail = allDay > 0 ? kUpAllDay : kDownAllDay;
            tailColour = allDay > 0 ? style.CrTextS : style.CrTextR;
        }
    }
    if (head.empty() && tail.empty()) return;
    const TextExtent hs = MeasureText(head, font);
    const TextExtent ts = tail.empty() ? TextExtent{} : MeasureText(tail, font);
    const int width = hs.Width + ts.Width;
    int tx = c.x + c.s + style.Spacetxt;
    if (!(tx + width < c.itemWidth - c.g.MarginRight)) tx = c.x - style.Spacetxt - width;
    const int y = c.rowTop + style.Margintxt;
    if (!head.empty()) out->push_back(Place(head, font, hs, tx, y, style.CrText));
    if (!tail.empty()) out->push_back(Place(tail, font, ts, tx + hs.Width, y, tailColour));
    block->Left = std::min(block->Left, tx);
    block->Right = std::max(block->Right, tx + width);
}

// The rise, set (or the one coming event) and culmination lines to show.
int CollectEventLines(const BodyStyle& style, const BodyEvents& e, EventLine lines[3]) {
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
    return count;
}

// Time, remaining time and azimuth (altitude for the culmination).
void EventLineParts(const InfoContext& c, const EventLine& line, std::wstring parts[3]) {
    if (line.Bits & 1) parts[0] = FormatEventTime(line.Event->Time, c.g, c.place, c.now);
    if (line.Bits & 2) parts[1] = FormatRemaining(c.present, line.Event->Time, c.g.MaxMin);
    if (line.Bits & 4)
        parts[2] = line.Culmination ? FormatAltitude(line.Event->Alt, c.deg, false)
                                    : FormatAzimuth(line.Event->Azi, c.g.BaseAngle, c.place.Lat, c.deg);
}

// The event lines on the side with more room (or the forced one): on the left
// each starts at PosRtxt, on the right each ends at ItemWidth - PosStxt.
void LayoutEventLines(const InfoContext& c, const Block& block, std::vector<TextDraw>* out) {
    const GeneralSettings& g = c.g;
    const BodyStyle& style = c.style;
    EventLine lines[3];
    const int count = CollectEventLines(style, c.e, lines);
    if (count == 0) return;

    bool leftSide = block.Left - g.MarginLeft >= (c.itemWidth - g.MarginRight) - block.Right;
    if (style.TextRS == 2) leftSide = true;
    if (style.TextRS == 3) leftSide = false;
    // A picture sticking out past the left margin pushes the right block too.
    const int pushed = (c.x < g.MarginLeft && c.x + c.s > g.MarginLeft) ? g.MarginLeft - c.x : 0;
    const int end = c.itemWidth - style.PosStxt - pushed;
    auto xFor = [&](int width) { return leftSide ? style.PosRtxt : end - width; };

    int y = c.rowTop + style.MarginRStxt;
    for (int i = 0; i < count; ++i) {
        const FontSpec font{style.FaceNameR, style.CharSetR, lines[i].Size};
        std::wstring parts[3];
        EventLineParts(c, lines[i], parts);
        if (!(lines[i].Bits & 8)) {
            parts[0] += parts[1] + parts[2];
            parts[1].clear();
            parts[2].clear();
        }
        for (const std::wstring& part : parts) {
            if (part.empty()) continue;
            const TextExtent size = MeasureText(part, font);
            out->push_back(Place(part, font, size, xFor(size.Width), y, lines[i].Colour));
            y += size.Height;
        }
    }
}

}  // namespace

void LayoutBodyInfo(const Item& item, int body, const RowPlacement& row, std::vector<TextDraw>* out) {
    if (body < 0 || body >= kBodyCount) return;
    const InfoContext c{item.Store.General, item.Store.Bodies[body], item.State.Events[body],
                        item.Place(), item.State.DisplayTime, item.State.Clock,
                        DegreeMark(item.Store.General),
                        row.ImageX, item.Pictures.Bodies[body].Size, item.State.RowTop[body],
                        item.State.ItemWidth};
    Block block{c.x, c.x + c.s};
    LayoutMainLine(c, body, item.State.MoonAge, item.State.AllDay[body], &block, out);
    LayoutEventLines(c, block, out);
}

}  // namespace velkaro
