#include <gtest/gtest.h>

#include "engine/calendar.h"
#include "today/formats.h"

using namespace velkaro;

namespace {
const std::wstring kDeg = L"\u00B0";
}

TEST(Formats, AzimuthLabelThresholds) {
    struct Case { double a; int style; double lat; const wchar_t* text; } cases[] = {
        {180, 1, 35, L"S0E"},    {181, 1, 35, L"S1W"},    {90.9, 1, 35, L"S90E"},
        {90, 1, -35, L"N90E"},   {270, 1, -35, L"N90W"},  {90, 2, 35, L"E0S"},
        {270, 2, 35, L"W0S"},    {89, 2, 35, L"E1N"},     {271, 2, 35, L"W1N"},
        {180, 2, 35, L"E90S"},   {90, 3, 35, L"E0S"},     {270, 3, 35, L"W0S"},
        {180, 3, 35, L"S0W"},    {179, 3, 35, L"S1E"},    {45, 3, 35, L"N45E"},
        {46, 3, 35, L"E44N"},    {134, 3, 35, L"E44S"},   {135, 3, 35, L"S45E"},
        {225, 3, 35, L"S45W"},   {226, 3, 35, L"W44S"},   {314, 3, 35, L"W44N"},
        {315, 3, 35, L"N45W"},   {0, 3, 35, L"N0E"},      {123.7, 0, 35, L"123\u00B0"},
        {100, 4, 35, L""},       {-1, 7, 35, L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatAzimuth(c.a, c.style, c.lat, kDeg), c.text) << c.a << " style " << c.style;
}

TEST(Formats, RemainingTimeInMinutesOrHours) {
    const DateTime now = MakeTime(2026, 3, 1, 23, 30);
    EXPECT_EQ(FormatRemaining(now, MakeTime(2026, 3, 2, 0, 15), 60), L"(-45)");
    EXPECT_EQ(FormatRemaining(now, MakeTime(2026, 3, 2, 0, 31), 60), L"(-1h)");
    EXPECT_EQ(FormatRemaining(now, MakeTime(2026, 3, 2, 1, 29), 60), L"(-1h)");
    EXPECT_EQ(FormatRemaining(now, MakeTime(2026, 3, 1, 23, 20), 60), L"(10)");
    EXPECT_EQ(FormatRemaining(now, MakeTime(2026, 3, 1, 22, 30), 60), L"(60)");
    EXPECT_EQ(FormatRemaining(now, MakeTime(2026, 3, 4, 6, 0), 60), L"(166h)");
}

TEST(Formats, CoordinatesAndOffsets) {
    EXPECT_EQ(FormatLatitude(-33.9), L"33.90S");
    EXPECT_EQ(FormatLatitude(35.68), L"35.68N");
    EXPECT_EQ(FormatLatitude(-0.0), L"0.00N");
    EXPECT_EQ(FormatLongitude(0), L"0.00E");
    EXPECT_EQ(FormatLongitude(-73.99), L"73.99W");
    EXPECT_EQ(FormatUtcOffsetMark(5.5, 2), L" (+5.5)");
    EXPECT_EQ(FormatUtcOffsetMark(-3.0, 2), L" (-3.0)");
    EXPECT_EQ(FormatUtcOffsetMark(0, 6), L" (UTC)");
    EXPECT_EQ(FormatUtcOffsetMark(9, 5), L" (UTC)");  // beside the UTC clock
    EXPECT_EQ(FormatAltitude(-12.9, kDeg, false), L"-12\u00B0");
    EXPECT_EQ(FormatAltitude(45.5, L"d", true), L"45d ");
    EXPECT_EQ(FormatShiftDate(MakeTime(2026, 3, 7)), L"2026/03/07 ");
    EXPECT_EQ(FormatMoonAge(12.34), L"(12.3) ");
    const std::wstring name(300, L'x');  // longer than any first buffer
    EXPECT_EQ(FormatText(L"%ls!", name.c_str()), name + L"!");
}

TEST(Formats, EventTimeCarriesTheDaylightSavingMark) {
    GeneralSettings g;
    g.DSTMark = L"*";
    LocationRecord place;
    place.ExistDST = 1;
    place.DST = L"03/S2 02;11/S1 02";
    const ClockReading now{MakeTime(2026, 7, 4, 16, 0), MakeTime(2026, 7, 5, 1, 0), -540};
    EXPECT_EQ(FormatEventTime(MakeTime(2026, 7, 4, 12, 5), g, place, now), L"13:05*");
    EXPECT_EQ(FormatEventTime(MakeTime(2026, 7, 4, 23, 59), g, place, now), L"00:59*");
    EXPECT_EQ(FormatEventTime(MakeTime(2026, 1, 4, 12, 5), g, place, now), L"12:05");
    g.DST = 0;
    EXPECT_EQ(FormatEventTime(MakeTime(2026, 7, 4, 12, 5), g, place, now), L"12:05");
    g.DST = 1;
    place.ExistDST = 0;
    EXPECT_EQ(FormatEventTime(MakeTime(2026, 7, 4, 12, 5), g, place, now), L"12:05");

    place.ExistDST = 1;
    place.UtcMargin = -5;
    EXPECT_EQ(UtcOffsetWithDst(g, place, MakeTime(2026, 7, 4, 12, 0), now), -4);
    EXPECT_EQ(UtcOffsetWithDst(g, place, MakeTime(2026, 1, 4, 12, 0), now), -5);
}

