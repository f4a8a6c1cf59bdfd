#include "today/meters.h"

#include <algorithm>
#include <cmath>

#include "engine/calendar.h"

namespace velkaro {
namespace {

// Far outside any surface, yet safe to add pixel sizes to without overflow.
constexpr long long kFarAway = 1 << 20;

int ToPixel(long long v) { return static_cast<int>(std::min(std::max(v, -kFarAway), kFarAway)); }

// Truncates toward zero, as the drawing's doubles are truncated.
int ToPixel(double v) {
    if (std::isnan(v)) return static_cast<int>(-kFarAway);
    const double far = static_cast<double>(kFarAway);
    return static_cast<int>(std::trunc(std::min(std::max(v, -far), far)));
}

// A fraction of a width; text such as "5" or "nan" in the registry must not
// paint outside the meter.
double Fraction(double v) {
    if (!(v > 0)) return 0;
    return v > 1 ? 1 : v;
}

long long Stamp(const EventRecord& r) { return r.MinuteStamp; }

// Draws the copies of a placement and returns where the info lines go.
int DrawPlacement(PixelBuffer comp, Item& item, int body, int meterLeft, const ImagePlacement& p) {
    const GeneralSettings& g = item.Store.General;
    const BodyStyle& style = item.Store.Bodies[body];
    BodyPicture& pic = item.Pictures.Bodies[body];
    const int itemWidth = item.State.ItemWidth;

    if (pic.State != kImageNone && (p.Drawn || p.CopyCount > 0)) {
        PrepareBodyFrame(&pic, SelectFrame(pic, body, item.State.MoonPhase), g.AlphaEarthShine);
        BodyDraw d;
        d.RowTop = item.State.RowTop[body];
        d.Up = p.Up;
        d.Rotate = item.Place().Lat < 0;
        d.ClipLeft = g.MarginLeft;
        d.ClipRight = itemWidth - g.MarginRight;
        if (p.Drawn) {
            d.X = p.X;
            DrawBodyImage(comp, style, pic, d);
        }
        for (int i = 0; i < p.CopyCount; ++i) {
            d.X = p.CopyX[i];
            DrawBodyImage(comp, style, pic, d);
        }
    }
    int x = p.Returned;
    if (pic.State == kImageNone && p.Drawn) x = meterLeft;
    // The info lines take a negative size as "no picture to the left of me".
    return x > itemWidth ? -pic.Size : x;
}

}  // namespace

BodyList ListedBodies(const Item& item) {
    BodyList list;
    const SortList& sort = item.Listed();
    for (int i = 0; i < kBodyCount; ++i) {
        const int b = sort.Entries[i];
        if (b < 0) break;
        if (b >= kBodyCount) continue;
        list.Body[list.Count++] = b;
    }
    return list;
}

// ------------------------------------------------------------ time meters

TimeMeterSpan TimeMeterGeometry(const GeneralSettings& g, const BodyStyle& style, int itemWidth) {
    TimeMeterSpan s;
    s.Left = g.MarginLeft + style.WidthSL;
    s.Right = itemWidth - style.WidthSR - g.MarginRight - 1;
    const long long width = static_cast<long long>(s.Right) - s.Left + 1;
    const long long ramps = width > 0 ? static_cast<long long>(width * Fraction(style.PosD)) : 0;
    s.Ramp = static_cast<int>(ramps / 2);
    return s;
}

bool HasPassageFrame(const BodyEvents& e) {
    return e.PrevSet.Valid && e.Rise.Valid && e.Set.Valid && e.NextRise.Valid;
}

bool CulminationMarkX(const BodyEvents& e, const TimeMeterSpan& span, int widthScale, int* x) {
    if (!e.Culmination.Valid || !e.Rise.Valid || !e.Set.Valid) return false;
    const long long day = Stamp(e.Set) - Stamp(e.Rise);
    if (day <= 0) return false;  // stamps out of order: no passage to divide
    const long long width = static_cast<long long>(span.Right) - span.Left + 1;
    *x = ToPixel(span.Left + ((Stamp(e.Culmination) - Stamp(e.Rise)) * width) / day -
                 (static_cast<long long>(widthScale) - 1) / 2);
    return true;
}

void DrawTimeMeter(PixelBuffer comp, const BodyStyle& style, const BodyEvents& e,
                   const TimeMeterSpan& span, int rowTop, int rowHeight) {
    const int top = rowTop;
    const int bottom = top + rowHeight;
    const int left = span.Left, right = span.Right, ramp = span.Ramp;
    const Rect meter{left, top, right + 1, bottom};
    if (meter.Empty()) return;
    const uint32_t e0 = PixelFromColorref(style.CrGradE);
    const uint32_t d0 = PixelFromColorref(style.CrGradD);
    const uint32_t w0 = PixelFromColorref(style.CrGradW);
    FillGradientH(comp, Rect{left, top, left + ramp, bottom}, e0, d0, meter);
    FillRect(comp, Intersect(Rect{left + ramp, top, right - ramp, bottom}, meter), d0);
    FillGradientH(comp, Rect{right - ramp, top, right + 1, bottom}, d0, w0, meter);
    int x = 0;
    if (CulminationMarkX(e, span, style.WidthScale, &x)) {
        const long long x1 = static_cast<long long>(x) + style.WidthScale;
        FillRect(comp, Intersect(Rect{x, top, ToPixel(x1), bottom}, meter),
                 PixelFromColorref(style.CrScale));
    }
}

ImagePlacement TimeImagePlacement(const GeneralSettings& g, const BodyStyle& style,
                                  int imageSize, const BodyEvents& e, int body, int itemWidth) {
    ImagePlacement p;
    const long long s = imageSize;
    const long long ml = g.MarginLeft, mr = g.MarginRight;
    p.Returned = ToPixel(ml - s);
    if (!HasPassageFrame(e)) return p;

    const TimeMeterSpan span = TimeMeterGeometry(g, style, itemWidth);
    const long long left = span.Left, right = span.Right;
    // The Sun's disc is half below the horizon at rise and set.
    const long long k = body == kSun ? s / 2 : 0;
    const long long day = right + 2 * k - left + 1;
    long long night = static_cast<long long>(style.WidthSL) + style.WidthSR - 2 * k;
    // Side tracks too narrow for the Sun's disc would run it backwards;
    // treat them as none.
    const bool wrap = night <= 0;
    if (wrap) night = day;

    const long long now = Stamp(e.Now), rise = Stamp(e.Rise), set = Stamp(e.Set);
    const long long prevSet = Stamp(e.PrevSet), nextRise = Stamp(e.NextRise);
    long long h;
    if (rise <= now && now < set) {
        h = (now - rise) * day / (set - rise);
        p.Up = true;
    } else {
        // Two events of a kind in one day leave the frame out of order; a
        // non-positive night length counts as one minute and the track is
        // held to its own length.
        if (now < rise)
            h = (night * (now - rise)) / std::max(1LL, rise - prevSet);
        else
            h = (night * (now - nextRise)) / std::max(1LL, nextRise - set);
        h = std::min(std::max(h, std::min(-night, 0LL)), 0LL);
        p.Up = false;
    }
    long long x = h + left - s / 2 - k;

    if (wrap) {
        bool reduced = false;
        if (x < left) x += 2 * night;
        if (x >= 2 * night - s) {
            x -= 2 * night;
            reduced = true;
        }
        if (x >= right && !reduced) return p;
        p.Drawn = true;
        p.X = ToPixel(x);
        if (!(x < ml || x > itemWidth - s - mr)) p.Returned = p.X;
        return p;
    }

    // Side tracks: the night track wraps from one edge to the other.
    const long long inner = itemWidth - ml - mr;
    p.Drawn = true;
    p.X = ToPixel(x);
    if (x < ml) p.CopyX[p.CopyCount++] = ToPixel(x + inner);
    if (x + s > itemWidth - mr) p.CopyX[p.CopyCount++] = ToPixel(x - inner);
    long long returned = x;
    if (x + s <= ml)
        returned = x + inner;
    else if (x >= itemWidth - mr)
        returned = x - inner;
    p.Returned = ToPixel(returned);
    return p;
}

RowPlacements DrawTimeMeters(Item& item, PixelBuffer comp) {
    const GeneralSettings& g = item.Store.General;
    const ItemState& st = item.State;
    const int itemWidth = st.ItemWidth;
    const BodyList list = ListedBodies(item);
    RowPlacements rows;
    for (int i = 0; i < list.Count; ++i) {
        const int b = list.Body[i];
        const BodyStyle& style = item.Store.Bodies[b];
        const TimeMeterSpan span = TimeMeterGeometry(g, style, itemWidth);
        rows[b].MeterLeft = span.Left;
        rows[b].MeterRight = span.Right;
        if (HasPassageFrame(st.Events[b]))
            DrawTimeMeter(comp, style, st.Events[b], span, st.RowTop[b], item.Pictures.Bodies[b].RowHeight);
    }
    for (int i = 0; i < list.Count; ++i) {
        const int b = list.Body[i];
        const ImagePlacement p = TimeImagePlacement(g, item.Store.Bodies[b], item.Pictures.Bodies[b].Size,
                                                    st.Events[b], b, itemWidth);
        rows[b].ImageX = DrawPlacement(comp, item, b, rows[b].MeterLeft, p);
    }
    return rows;
}

// ------------------------------------------------------------ azimuth meters

AzimuthRange AzimuthRangeFor(const GeneralSettings& g, double lat) {
    AzimuthRange r;
    r.South = lat < 0;
    if (lat < 0 && g.SouthAzimuth) {
        r.Start = 180.0 - g.AzimuthS;
        r.End = std::min(540.0 - g.AzimuthE, 359.0);
    } else {
        r.Start = g.AzimuthS;
        r.End = g.AzimuthE;
    }
    return r;
}

bool TimeMetersInstead(const GeneralSettings& g, double lat) {
    return g.EquatorMeter && std::fabs(lat) <= g.EquatorLat;
}

double SunSubstituteAzimuth(const BodyEvents& e, double lat) {
    const double h = e.Now.Alt;
    const long long now = Stamp(e.Now);
    double u;
    if (h >= 0) {
        u = (e.Culmination.Valid && now > Stamp(e.Culmination)) ? 180.0 - std::fabs(h) : h;
    } else {
        // The middle of the night splits the descent from the climb.
        double middle = static_cast<double>(now);
        if (e.Set.Valid && e.NextRise.Valid && now > Stamp(e.Set))
            middle = Stamp(e.Set) + (Stamp(e.NextRise) - Stamp(e.Set)) / 2.0;
        else if (e.PrevSet.Valid && e.Rise.Valid)
            middle = Stamp(e.PrevSet) + (Stamp(e.Rise) - Stamp(e.PrevSet)) / 2.0;
        u = now <= middle ? 180.0 + std::fabs(h) : h + 360.0;
    }
    return Normalize360(lat < 0 ? 90.0 - u : u + 90.0);
}

bool AzimuthSpanX(const GeneralSettings& g, const AzimuthRange& range, const BodyEvents& e,
                  int itemWidth, int* leftX, int* rightX) {
    if (!e.Rise.Valid || !e.Set.Valid) return false;
    const double span = range.Span();
    if (!(span > 0)) return false;
    const double w = static_cast<double>(itemWidth) - g.MarginRight - g.MarginLeft;
    const double r = static_cast<double>(itemWidth) - g.MarginRight - 1;
    const double ml = g.MarginLeft;
    const double rise = e.Rise.Azi, set = e.Set.Azi;
    double lx, rx;
    if (!range.South) {
        lx = rise > range.Start ? ml + (rise - range.Start) * w / span : ml;
        rx = set < range.End ? r - (range.End - set) * w / span : r;
    } else {
        lx = set > range.End ? ml + (set - range.End) * w / span : ml;
        rx = rise < range.Start ? r - (range.Start - rise) * w / span : r;
    }
    *leftX = ToPixel(lx);
    *rightX = ToPixel(rx);
    return true;
}

void DrawAzimuthBand(const GeneralSettings& g, int itemWidth, std::vector<uint32_t>* row) {
    const int width = std::max(itemWidth, 0);
    row->assign(static_cast<size_t>(width), PixelFromColorref(g.CrGradD));
    if (width == 0) return;
    PixelBuffer band{width, 1, row->data()};
    const int inner = itemWidth - g.MarginRight - g.MarginLeft;
    const int w = inner > 0 ? static_cast<int>(inner * Fraction(g.PosD)) : 0;
    const int end = itemWidth - g.MarginRight;
    FillGradientH(band, Rect{g.MarginLeft, 0, g.MarginLeft + w / 2, 1},
                  PixelFromColorref(g.CrGradE), PixelFromColorref(g.CrGradD));
    FillGradientH(band, Rect{end - w / 2 - 1, 0, end, 1}, PixelFromColorref(g.CrGradD),
                  PixelFromColorref(g.CrGradW));
    const int mark = itemWidth / 2 - (g.WidthScale - 1) / 2;
    FillRect(band, Rect{mark, 0, ToPixel(static_cast<long long>(mark) + g.WidthScale), 1},
             PixelFromColorref(g.CrScale));
}

bool BodyIsDown(const BodyEvents& e) {
    if (e.Rise.Valid || e.Set.Valid) {
        const long long now = Stamp(e.Now);
        return (e.Rise.Valid && now < Stamp(e.Rise)) || (e.Set.Valid && now >= Stamp(e.Set));
    }
    return e.Now.Alt < 0;
}

ImagePlacement AzimuthImagePlacement(const GeneralSettings& g, const AzimuthRange& range,
                                     int imageSize, double a, int itemWidth) {
    ImagePlacement p;
    const int s = imageSize;
    const double ml = g.MarginLeft, mr = g.MarginRight, iw = itemWidth;
    p.Returned = ToPixel(static_cast<long long>(g.MarginLeft) - s);
    const double span = range.Span();
    if (!(span > 0) || !std::isfinite(a)) return p;
    const double w = iw - mr - ml;
    const double half = s / 2;
    const double start = range.Start, end = range.End;

    double raw;  // where the picture is, also when it is too far off to show
    bool shown = true;
    if (!range.South) {
        if (a >= start && a <= end) {
            raw = (a - start) * w / span + ml - half;
        } else if (a < start) {
            const double d = (start - a) * w / span;
            raw = ml - half - d;
            shown = d <= half;
        } else {
            const double over = (a - end) * w / span;
            raw = over + iw - half - mr - 1;
            shown = over <= half;
        }
    } else {
        if (a >= end) {
            raw = (a - end) * w / span + ml - half;
        } else if (a <= start) {
            raw = iw - (start - a) * w / span - mr - half;
        } else if (a > 180) {
            const double over = (end - a) * w / span;
            raw = ml - half - over;
            shown = over <= half;
        } else {
            const double over = (a - start) * w / span;
            raw = over + iw - half - mr - 1;
            shown = over <= half;
        }
    }
    if (shown) {
        p.Drawn = true;
        p.X = ToPixel(raw);
        p.Returned = p.X;
    }
    // Across the hidden part of the circle the picture enters at the other
    // edge: one full turn away from where it is.
    if (span <= 360) {
        const double turn = 360.0 * w / span;
        for (double c : {raw + turn, raw - turn}) {
            const int x = ToPixel(c);
            if (x < iw - mr && x + s > ml) p.CopyX[p.CopyCount++] = x;
        }
    }
    return p;
}

RowPlacements DrawAzimuthMeters(Item& item, PixelBuffer comp) {
    const GeneralSettings& g = item.Store.General;
    const double lat = item.Place().Lat;
    if (TimeMetersInstead(g, lat)) return DrawTimeMeters(item, comp);
    const ItemState& st = item.State;
    const int itemWidth = st.ItemWidth;
    const AzimuthRange range = AzimuthRangeFor(g, lat);
    std::vector<uint32_t>& band = item.Pictures.ScratchRow;
    DrawAzimuthBand(g, itemWidth, &band);
    const BodyList list = ListedBodies(item);
    RowPlacements rows;

    for (int i = 0; i < list.Count; ++i) {
        const int b = list.Body[i];
        const BodyPicture& pic = item.Pictures.Bodies[b];
        rows[b].MeterLeft = g.MarginLeft;
        rows[b].MeterRight = itemWidth - g.MarginRight - 1;
        int lx = 0, rx = 0;
        if (!AzimuthSpanX(g, range, st.Events[b], itemWidth, &lx, &rx)) continue;
        rows[b].MeterLeft = lx;
        rows[b].MeterRight = rx;
        const int inset = b == kSun ? pic.Size / 2 : 0;
        CopyRowSpan(comp, band.data(), static_cast<int>(band.size()), lx + inset, rx - inset + 1,
                    st.RowTop[b], st.RowTop[b] + pic.RowHeight);
    }

    const bool sunSubstitute = g.EquatorAzimuth && std::fabs(lat) <= g.EquatorLat;
    for (int i = 0; i < list.Count; ++i) {
        const int b = list.Body[i];
        const BodyEvents& e = st.Events[b];
        const double a = (b == kSun && sunSubstitute) ? SunSubstituteAzimuth(e, lat) : e.Now.Azi;
        ImagePlacement p = AzimuthImagePlacement(g, range, item.Pictures.Bodies[b].Size, a, itemWidth);
        p.Up = !BodyIsDown(e);
        rows[b].ImageX = DrawPlacement(comp, item, b, rows[b].MeterLeft, p);
    }
    return rows;
}

}  // namespace velkaro
