#include "tools/starter/starter.h"

#include <algorithm>
#include <cctype>
#include <fstream>

#include "tools/starter/zone_scan.h"

namespace velkaro {

const char* const kStarterRegions[kStarterRegionCount] = {
    "Africa", "America", "Antarctica", "Asia", "Atlantic", "Australia", "Europe", "Indian", "Pacific"};

const wchar_t kIrregularMark[] = L"irregular daylight saving";

namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> out(1);
    for (char c : line) {
        if (c == '\t')
            out.emplace_back();
        else if (c != '\r' && c != '\n')
            out.back().push_back(c);
    }
    return out;
}

// "+DDMM[SS]" with `degreeDigits` digits of degrees; false when malformed.
bool ParseAngle(const std::string& s, int degreeDigits, double* value) {
    if (s.size() != static_cast<size_t>(1 + degreeDigits + 2) && s.size() != static_cast<size_t>(1 + degreeDigits + 4))
        return false;
    if (s[0] != '+' && s[0] != '-') return false;
    for (size_t i = 1; i < s.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(s[i]))) return false;
    const int deg = std::stoi(s.substr(1, degreeDigits));
    const int min = std::stoi(s.substr(1 + degreeDigits, 2));
    const int sec = s.size() > static_cast<size_t>(3 + degreeDigits) ? std::stoi(s.substr(3 + degreeDigits, 2)) : 0;
    if (min > 59 || sec > 59) return false;
    const double v = deg + min / 60.0 + sec / 3600.0;
    *value = s[0] == '-' ? -v : v;
    return true;
}

std::wstring Widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

}  // namespace

bool ParseIso6709(const std::string& text, double* lat, double* lng) {
    const size_t split = text.find_first_of("+-", 1);
    if (split == std::string::npos) return false;
    double a = 0, b = 0;
    if (!ParseAngle(text.substr(0, split), 2, &a) || !ParseAngle(text.substr(split), 3, &b)) return false;
    if (a > 90 || a < -90 || b > 180 || b < -180) return false;
    *lat = a;
    *lng = b;
    return true;
}

bool ParseZoneTabLine(const std::string& line, ZoneTabEntry* entry) {
    if (line.empty() || line[0] == '#') return false;
    const std::vector<std::string> f = SplitTabs(line);
    if (f.size() < 3 || f[0].empty() || f[2].find('/') == std::string::npos) return false;
    ZoneTabEntry e;
    if (!ParseIso6709(f[1], &e.Lat, &e.Lng)) return false;
    e.Countries = f[0];
    e.Zone = f[2];
    *entry = e;
    return true;
}

std::wstring CityName(const std::string& zone) {
    std::string city = zone.substr(zone.rfind('/') + 1);
    std::replace(city.begin(), city.end(), '_', ' ');
    return Widen(city);
}

int RegionIndex(const std::string& zone) {
    const std::string region = zone.substr(0, zone.find('/'));
    for (int i = 0; i < kStarterRegionCount; ++i)
        if (region == kStarterRegions[i]) return i;
    return -1;
}

StarterPlace MakeStarterPlace(const ZoneTabEntry& entry, const ZoneYears& years) {
    StarterPlace p;
    p.Zone = entry.Zone;
    p.Region = RegionIndex(entry.Zone);
    p.Name = CityName(entry.Zone);
    p.Lat = entry.Lat;
    p.Lng = entry.Lng;
    const ComposedRule rule = ComposeRuleFromTransitions(years);
    p.Result = rule.Result;
    p.UtcMargin = rule.StandardHours;
    p.DST = rule.Result == kRuleFound ? rule.Rule : L"";
    p.Memo = Widen(entry.Zone + " " + entry.Countries);
    if (rule.Result == kRuleInexact) p.Memo += std::wstring(L", ") + kIrregularMark;
    return p;
}

bool BuildStarterPlaces(const std::string& tabPath, std::vector<StarterPlace>* places, std::string* error) {
    std::ifstream tab(tabPath);
    if (!tab) {
        *error = "cannot read " + tabPath;
        return false;
    }
    places->clear();
    std::string line;
    while (std::getline(tab, line)) {
        ZoneTabEntry e;
        if (!ParseZoneTabLine(line, &e)) continue;
        if (!ZoneKnown(e.Zone)) {
            *error = e.Zone + " is not in the time-zone database";
            return false;
        }
        ZoneScope scope(e.Zone);
        places->push_back(MakeStarterPlace(e, ZoneOverYears(kStarterFirstYear, kStarterLastYear)));
    }
    if (places->empty()) {
        *error = tabPath + " names no zone";
        return false;
    }
    return true;
}

std::vector<std::vector<StarterPlace>> GroupByRegion(const std::vector<StarterPlace>& places) {
    std::vector<std::vector<StarterPlace>> groups(kStarterRegionCount);
    for (const StarterPlace& p : places)
        if (p.Region >= 0 && p.Region < kStarterRegionCount) groups[p.Region].push_back(p);
    for (auto& g : groups)
        std::stable_sort(g.begin(), g.end(), [](const StarterPlace& a, const StarterPlace& b) {
            return a.Name < b.Name;
        });
    return groups;
}

}  // namespace velkaro
