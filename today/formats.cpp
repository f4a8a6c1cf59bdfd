#include "today/formats.h"

#include <cmath>
#include <cstdarg>
#include <cwchar>
#include <vector>

#include "engine/calendar.h"

namespace velkaro {

std::wstring FormatText(const wchar_t* format, ...) {
    std::vector<wchar_t> buf(128);
    for (;;) {
        va_list args;
        va_start(args, format);
        const int n = std::vswprintf(buf.data(), buf.size(), format, args);
        va_end(args);
        if (n >= 0 && static_cast<size_t>(n) < buf.size()) return std::wstring(buf.data(), n);
        // vswprintf reports a short buffer only as failure.
        if (buf.size() >= (1u << 16)) return std::wstring();
        buf.resize(buf.size() * 4);
    }
}

namespace {

// Whole units toward zero; NaN and far values must not reach an int cast.
int Whole(double v) {
    if (std::isnan(v)) return 0;
    if (v > 1e9) return 1000000000;
    if (v < -1e9) return -1000000000;
    return static_cast<int>(v);
}

// "-0.00" is no coordinate.
double NoNegativeZero(double v) { return v == 0 ? 0.0 : v; }

std::wstring EastWest(int a) {
    if (a <= 180) return a >= 90 ? FormatText(L"E%dS", a - 90) : FormatText(L"E%dN", 90 - a);
    return a <= 270 ? FormatText(L"W%dS", 270 - a) : FormatText(L"W%dN", a - 270);
}

}  // namespace

std::wstring DegreeMark(const GeneralSettings& g) {
    return g.Deg == L"0" ? std::wstring(kDegreeSign) : g.Deg;
}

bool DstApplies(const GeneralSettings& g, const LocationRecord& place) {
    return g.DST != 0 && place.ExistDST != 0;
}

std::wstring FormatEventTime(const DateTime& time, const GeneralSettings& g,
                             const LocationRecord& place, const ClockReading& now) {
    if (DstApplies(g, place)) {
        DateTime t = time;
        if (ApplyDst(&t, place.DST, now) == 1)
            return FormatText(L"%02d:%02d%ls", t.wHour, t.wMinute, g.DSTMark.c_str());
    }
    return FormatText(L"%02d:%02d", time.wHour, time.wMinute);
}

std::wstring FormatRemaining(const DateTime& present, const DateTime& event, int maxMin) {
    const int r = MinutesBetween(present, event);
    if (r <= maxMin && r >= -static_cast<long long>(maxMin)) return FormatText(L"(%d)", r);
    return FormatText(L"(%dh)", r / 60);
}

std::wstring FormatAzimuth(double azimuth, int style, double lat, const std::wstring& deg) {
    const int a = Whole(azimuth);
    switch (style) {
        case 0:
            return FormatText(L"%d%ls", a, deg.c_str());
        case 1:
            if (lat >= 0) return a <= 180 ? FormatText(L"S%dE", 180 - a) : FormatText(L"S%dW", a - 180);
            return a <= 180 ? FormatText(L"N%dE", a) : FormatText(L"N%dW", 360 - a);
        case 2:
            return EastWest(a);
        case 3:
            if (a < 46) return FormatText(L"N%dE", a);
            if (a < 135) return EastWest(a);
            if (a <= 225) return a < 180 ? FormatText(L"S%dE", 180 - a) : FormatText(L"S%dW", a - 180);
            if (a < 315) return EastWest(a);
            return FormatText(L"N%dW", 360 - a);
        default:
            return std::wstring();
    }
}

std::wstring FormatAltitude(double altitude, const std::wstring& deg, bool trailingBlank) {
    return FormatText(trailingBlank ? L"%d%ls " : L"%d%ls", Whole(altitude), deg.c_str());
}

std::wstring FormatLatitude(double lat) {
    lat = NoNegativeZero(lat);
    return lat < 0 ? FormatFixed(-lat, 2) + L"S" : FormatFixed(lat, 2) + L"N";
}

std::wstring FormatLongitude(double lng) {
    lng = NoNegativeZero(lng);
    return lng < 0 ? FormatFixed(-lng, 2) + L"W" : FormatFixed(lng, 2) + L"E";
}

std::wstring FormatUtcOffsetMark(double offset, int clock) {
    if ((clock & kClockUtc) || offset == 0 || std::isnan(offset)) return L" (UTC)";
    return (offset > 0 ? L" (+" : L" (") + FormatFixed(offset, 1) + L")";
}

double UtcOffsetWithDst(const GeneralSettings& g, const LocationRecord& place,
                        const DateTime& present, const ClockReading& now) {
    double o = place.UtcMargin;
    if (DstApplies(g, place)) {
        DateTime t = present;
        if (ApplyDst(&t, place.DST, now) == 1) o += 1.0;
    }
    return o;
}

std::wstring FormatShiftDate(const DateTime& d) {
    return FormatText(L"%d/%02d/%02d ", d.wYear, d.wMonth, d.wDay);
}

std::wstring FormatMoonAge(double age) { return L"(" + FormatFixed(age, 1) + L") "; }

}  // namespace velkaro
