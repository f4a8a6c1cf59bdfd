#include <cwctype>

#include "settings/location.h"

namespace velkaro {
namespace {

LocationRecord City(const wchar_t* name, double lat, double lng, double utc, const wchar_t* dst) {
    LocationRecord r;
    r.Valid = 1;
    r.Location = name;
    r.Lat = lat;
    r.Lng = lng;
    r.Altitude = 0;
    r.UtcGet = 0;
    r.UtcMargin = utc;
    r.DST = dst;
    r.ExistDST = r.DST.empty() ? 0 : 1;
    return r;
}

// Rule hours are local standard time, the scale the rule is evaluated on: the
// clocks go back at 02:00 daylight time, which is 01:00 standard time.
const wchar_t kNorthAmerica[] = L"03/S2 02;11/S1 01";
// The European Union switches at 01:00 UTC on both days.
const wchar_t kCentralEurope[] = L"03/Se 02;10/Se 02";

}  // namespace

const LocationTable& CityTable() {
    static const LocationTable table = {
        City(L"Tokyo", 35.68, 139.75, 9.0, L""),
        City(L"Guam", 13.45, 144.78, 10.0, L""),
        City(L"Sydney", -33.87, 151.2, 10.0, L"10/S1 02;04/S1 02"),
        City(L"Auckland", -36.85, 174.78, 12.0, L"09/Se 02;04/S1 02"),
        City(L"Honolulu", 21.31, -157.83, -10.0, L""),
        City(L"Vancouver", 49.27, -123.12, -8.0, kNorthAmerica),
        City(L"Los Angeles", 34.05, -118.25, -8.0, kNorthAmerica),
        City(L"Mexico City", 19.41, -99.13, -6.0, L""),  // no daylight saving since 2022
        City(L"New York", 40.72, -74.0, -5.0, kNorthAmerica),
        City(L"Sao Paulo", -23.54, -46.63, -3.0, L""),  // none since 2019
        City(L"London", 51.51, -0.13, 0.0, L"03/Se 01;10/Se 01"),
        City(L"Paris", 48.86, 2.35, 1.0, kCentralEurope),
        City(L"Rome", 41.9, 12.48, 1.0, kCentralEurope),
        City(L"Johannesburg", -26.2, 28.05, 2.0, L""),
        City(L"Moscow", 55.75, 37.63, 3.0, L""),  // +3 all year since 2014
        City(L"Baghdad", 33.33, 44.43, 3.0, L""),
        City(L"Delhi", 28.61, 77.21, 5.5, L""),
        City(L"Bangkok", 13.75, 100.49, 7.0, L""),
        City(L"Singapore", 1.29, 103.86, 8.0, L""),
        City(L"Hong Kong", 22.28, 114.16, 8.0, L""),
    };
    return table;
}

const LocationRecord& FallbackLocation() {
    static const LocationRecord fallback = City(L"Tokyo", 35.68, 139.75, 9.0, L"");
    return fallback;
}

const LocationRecord* FindCity(const std::wstring& name) {
    auto fold = [](const std::wstring& s) {
        std::wstring r;
        for (wchar_t c : s) r.push_back(static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c))));
        return r;
    };
    const std::wstring key = fold(name);
    for (const LocationRecord& r : CityTable())
        if (fold(r.Location) == key) return &r;
    return nullptr;
}

}  // namespace velkaro
