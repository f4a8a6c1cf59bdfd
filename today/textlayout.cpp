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

int WidthOf(const std::wstring& text, const FontSpec& font) {
    return text.empty() ? 0 : MeasureText(text, font).Width;
}

// Lets parts give way, in the order `giveWay` names them, until all of them
// together are at most `width` wide: a part marked in `cuttable` is cut with
// an ellipsis, any other (a number, a time: cut, it would misread) is left
// out whole. Returns the width of what is left.
int FitParts(std::wstring parts[], const int giveWay[], const bool cuttable[], int count, int width,
             const FontSpec& font) {
    int widths[4] = {};
    int total = 0;
    for (int i = 0; i < count; ++i) total += widths[i] = WidthOf(parts[i], font);
    for (int k = 0; k < count && total > width; ++k) {
        const int i = giveWay[k];
        const int others = total - widths[i];
        if (cuttable[i])
            parts[i] = CutToWidth(parts[i], width - others, font);
        else
            parts[i].clear();
        widths[i] = WidthOf(parts[i], font);
        total = others + widths[i];
    }
    return total;
}

}  // namespace

const wchar_t kEllipsis[] = L"\u2026";

std::wstring CutToWidth(const std::wstring& text, int width, const FontSpec& font) {
    if (WidthOf(text, font) <= width) return text;
    size_t core = text.size();
    while (core > 0 && text[core - 1] == L' ') --core;
    if (core == 0) return std::wstring();
    const std::wstring tail = kEllipsis + text.substr(core);
    auto cut = [&](size_t n) { return text.substr(0, n) + tail; };
    if (WidthOf(tail, font) > width) return std::wstring();
    // The longest start that fits, by halving: widths grow with the length.
    size_t lo = 0, hi = core;
    while (lo < hi) {
        const size_t mid = (lo + hi + 1) / 2;
        if (WidthOf(cut(mid), font) <= width)
            lo = mid;
        else
            hi = mid - 1;
    }
    // Never keep half of a surrogate pair; an ellipsis after nothing but
    // blanks or brackets says nothing.
    if (lo > 0 && text[lo - 1] >= 0xD800 && text[lo - 1] <= 0xDBFF) --lo;
    auto word = [](wchar_t ch) {
        return ch >= 0x80 || (ch >= L'0' && ch <= L'9') || (ch >= L'A' && ch <= L'Z') || (ch >= L'a' && ch <= L'z');
    };
    const bool saysSomething = std::any_of(text.begin(), text.begin() + lo, word);
    return saysSomething ? cut(lo) : std::wstring();
}

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
    const int left = g.TMarginLeft, right = st.ItemWidth - g.TMarginRight;

    // The right text first: the clock (or the shifted date) keeps its place
    // and the left text takes what room is left of it.
    const bool shifted = st.ShiftActive();
    std::vector<TextDraw> clock;
    int leftEnd = right;
    if (shifted || g.Clock != 0) {
        std::wstring parts[3];  // date, time, offset
        if (g.Clock & 1)
            parts[1] = FormatText(L"%02d:%02d", st.TitleUtc.wHour, st.TitleUtc.wMinute);
        else if ((g.Clock & 2) || shifted)
            parts[1] = FormatEventTime(st.TitleZone, g, place, st.Clock);
        if (shifted)
            parts[0] = FormatShiftDate(st.TitleZone);
        else if (g.Clock & 4)
            parts[2] = FormatUtcOffsetMark(UtcOffsetWithDst(g, place, st.TitleZoneNow, st.Clock), g.Clock);
        // On a narrow band the offset goes first, then the date; the colours
        // still tell a shifted time.
        static const int kGiveWay[3] = {2, 0, 1};
        static const bool kCuttable[3] = {false, false, false};
        FitParts(parts, kGiveWay, kCuttable, 3, right - left, font);
        const std::wstring line = parts[0] + parts[1] + parts[2];
        if (!line.empty()) {
            const TextExtent size = MeasureText(line, font);
            TextDraw t = Place(line, font, size, right - size.Width, y, shifted ? g.CrPlusText : g.CrClock);
            if (shifted) {
                t.Fill = true;
                t.FillArea = Rect{t.X, y, right, y + size.Height};
                t.FillColor = g.CrPlusBack;
            }
            leftEnd = t.X;
            clock.push_back(t);
        }
    }

    if (g.Title != 0) {
        std::wstring parts[2];  // name, coordinates
        if (g.Title & 1) parts[0] = place.Location + L" ";
        const std::wstring lat = FormatLatitude(place.Lat), lng = FormatLongitude(place.Lng);
        if ((g.Title & 2) && (g.Title & 4))
            parts[1] = FormatText(L"(%ls %ls %dm) ", lat.c_str(), lng.c_str(), place.Altitude);
        else if (g.Title & 2)
            parts[1] = FormatText(L"(%ls %ls) ", lat.c_str(), lng.c_str());
        else if (g.Title & 4)
            parts[1] = FormatText(L"(%dm) ", place.Altitude);
        // The place name gives way first, then the coordinates.
        static const int kGiveWay[2] = {0, 1};
        static const bool kCuttable[2] = {true, true};
        FitParts(parts, kGiveWay, kCuttable, 2, leftEnd - left, font);
        const std::wstring line = parts[0] + parts[1];
        if (!line.empty()) out->push_back(Place(line, font, MeasureText(line, font), left, y, g.CrTitle));
    }
    out->insert(out->end(), clock.begin(), clock.end());
}

namespace {

// Left and right ends of the picture and the main line together, and where
// the main line's text alone lies (empty without one).
struct Block {
    int Left = 0, Right = 0;
    Rect Text;
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
// event in its own colour. Right of the picture when it fits there, else left
// of it; when it fits neither side it goes to the roomier one and its parts
// give way from the name on. Widens the block by what it covers.
void LayoutMainLine(const InfoContext& c, int body, double moonAge, int allDay, Block* block,
                    std::vector<TextDraw>* out) {
    const BodyStyle& style = c.style;
    if (style.Text == 0) return;
    const FontSpec font{style.FaceName, style.CharSet, style.TextSize};
    std::wstring parts[4];  // name, azimuth, altitude, coming event
    if (style.Text & 1) parts[0] = body == kMoon ? FormatMoonAge(moonAge) : style.Name + L" ";
    if (style.Text & 2) parts[1] = FormatAzimuth(c.e.Now.Azi, c.g.BaseAngle, c.place.Lat, c.deg) + L" ";
    if (style.Text & 4) parts[2] = FormatAltitude(c.e.Now.Alt, c.deg, true);
    uint32_t tailColour = style.CrTextR;
    if (style.Text & 8) {
        const ComingEvent coming = SelectComingEvent(c.e);
        if (coming.Event) {
            parts[3] = FormatEventTime(coming.Event->Time, c.g, c.place, c.now);
            tailColour = coming.IsRise ? style.CrTextR : style.CrTextS;
        } else if (allDay != 0) {
            // Polar day waits for a set, polar night for a rise.
            parts[3] = allDay > 0 ? kUpAllDay : kDownAllDay;
            tailColour = allDay > 0 ? style.CrTextS : style.CrTextR;
        }
    }
    int width = 0;
    for (const std::wstring& part : parts) width += WidthOf(part, font);
    if (width == 0) return;

    const int rightStart = c.x + c.s + style.Spacetxt;
    const int itemRight = c.itemWidth - c.g.MarginRight;
    const int leftEnd = std::min(c.x - style.Spacetxt, itemRight);
    const int rightRoom = itemRight - std::max(rightStart, c.g.MarginLeft) - 1;  // ends before the margin
    const int leftRoom = leftEnd - c.g.MarginLeft;
    bool right = width <= rightRoom || (width > leftRoom && rightRoom >= leftRoom);
    static const int kGiveWay[4] = {0, 1, 2, 3};
    const bool cuttable[4] = {body != kMoon, false, false, false};
    width = FitParts(parts, kGiveWay, cuttable, 4, right ? rightRoom : leftRoom, font);
    const std::wstring head = parts[0] + parts[1] + parts[2];
    const std::wstring& tail = parts[3];
    if (width == 0) return;
    const int tx = right ? std::max(rightStart, c.g.MarginLeft) : leftEnd - width;
    const int y = c.rowTop + style.Margintxt;
    const TextExtent hs = MeasureText(head, font);
    if (!head.empty()) out->push_back(Place(head, font, hs, tx, y, style.CrText));
    if (!tail.empty()) out->push_back(Place(tail, font, MeasureText(tail, font), tx + hs.Width, y, tailColour));
    block->Left = std::min(block->Left, tx);
    block->Right = std::max(block->Right, tx + width);
    block->Text = Rect{tx, y, tx + width, y + std::max(hs.Height, MeasureText(tail, font).Height)};
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
// each starts at PosRtxt, on the right each ends at ItemWidth - PosStxt. A
// line keeps clear of the main line's text beside it and of the item's edges:
// what does not fit is cut, the azimuth or altitude first, the time last.
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
    const int start = std::max(style.PosRtxt, 0);
    const int end = std::min(c.itemWidth - style.PosStxt - pushed, c.itemWidth);
    auto xFor = [&](int width) { return leftSide ? start : end - width; };
    // Room of a line from y to y + height.
    auto roomAt = [&](int y, int height) {
        const Rect& t = block.Text;
        const bool beside = !t.Empty() && y < t.y1 && t.y0 < y + height;
        if (leftSide) return (beside && t.x1 > start ? std::min(t.x0, c.itemWidth) : c.itemWidth) - start;
        return end - (beside && t.x0 < end ? std::max(t.x1, 0) : 0);
    };

    int y = c.rowTop + style.MarginRStxt;
    for (int i = 0; i < count; ++i) {
        const FontSpec font{style.FaceNameR, style.CharSetR, lines[i].Size};
        std::wstring parts[3];
        EventLineParts(c, lines[i], parts);
        if (!(lines[i].Bits & 8)) {
            static const int kGiveWay[3] = {2, 1, 0};
            static const bool kCuttable[3] = {false, false, false};
            FitParts(parts, kGiveWay, kCuttable, 3, roomAt(y, MeasureText(parts[0], font).Height), font);
            parts[0] += parts[1] + parts[2];
            parts[1].clear();
            parts[2].clear();
        }
        for (std::wstring& part : parts) {
            if (part.empty()) continue;
            const int height = MeasureText(part, font).Height;
            if (WidthOf(part, font) > roomAt(y, height)) part.clear();
            if (!part.empty())
                out->push_back(Place(part, font, MeasureText(part, font), xFor(WidthOf(part, font)), y,
                                     lines[i].Colour));
            y += height;
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
    Block block{c.x, c.x + c.s, Rect{}};
    LayoutMainLine(c, body, item.State.MoonAge, item.State.AllDay[body], &block, out);
    LayoutEventLines(c, block, out);
}

}  // namespace velkaro
