#include "tools/starter/starter_file.h"

#include <cmath>

#include "engine/calendar.h"

namespace velkaro {

namespace {

double TwoDecimals(double v) { return RoundHalfAway(v * 100.0) / 100.0; }

EditorRecord ToRecord(const StarterPlace& p, int number) {
    EditorRecord r;
    r.Number = number;
    r.Valid = 1;
    r.Location = p.Name;
    r.Lat = TwoDecimals(p.Lat);
    r.Lng = TwoDecimals(p.Lng);
    r.UtcGet = 0;
    r.UtcMargin = p.UtcMargin;
    r.DST = p.DST;
    r.ExistDST = p.DST.empty() ? 0 : 1;
    r.Memo = p.Memo;
    return r;
}

}  // namespace

Categories StarterCategories(const std::vector<StarterPlace>& places) {
    Categories c;
    ResetCategories(&c);
    const auto groups = GroupByRegion(places);
    int first = -1;
    for (int r = 0; r < kStarterRegionCount; ++r) {
        const std::string region = kStarterRegions[r];
        // Open for changes: the library is the user's from the first start.
        const int index = AddCategory(&c, std::wstring(region.begin(), region.end()), 0);
        if (index < 0) continue;
        if (first < 0) first = index;
        for (const StarterPlace& p : groups[r])
            c.Stores[index].push_back(ToRecord(p, static_cast<int>(c.Stores[index].size())));
    }
    c.Current = first < 0 ? 0 : first;
    return c;
}

}  // namespace velkaro
