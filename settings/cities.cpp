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

const wchar_t kUsa[] = L"03/S2 02;11/S1 02";
const wchar_t kEurope[] = L"03/Se 01;10/Se 01";

}  // namespace

const LocationTable& CityTable() {
    static const LocationTable table = {
        City(L"Tokyo", 35.68, 139.75, 9.0, L""),
        City(L"Guam", 13.45, 144.78, 10.0, L""),
        City(L"Sydney", -33.87, 151.2, 10.0, L"10/S1 02;04/S1 03"),
        City(L"Auckland", -36.85, 174.78, 12.0, L"09/Se 02;04/S1 03"),
        City(L"Honolulu", 21.31, -157.83, -10.0, L""),
        City(L"Vancouver", 49.27, -123.12, -8.0, kUsa),
        City(L"Los Angeles", 34.05, -118.25, -8.0, kUsa),
        City(L"Mexico City", 19.41, -99.13, -6.0, kUsa),
        City(L"New York", 40.72, -74.0, -5.0, kUsa),
        City(L"Sao Paulo", -23.54, -46.63, -3.0, L"10/S3 00;02/S3 00"),
        City(L"London", 51.51, -0.13, 0.0, kEurope),
        City(L"Paris", 48.86, 2.35, 1.0, kEurope),
        City(L"Rome", 41.9, 12.48, 1.0, kEurope),
        City(L"Johannesburg", -26.2, 28.05, 2.0, L""),
        City(L"Moscow", 55.75, 37.63, 4.0, L""),
        City(L"Baghdad", 33.33, 44.43, 3.0, L""),
        City(L"Delhi", 29.02, 77.38, 5.5, L""),
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
