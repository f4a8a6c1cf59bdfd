// velkaro-starter ZONE1970_TAB [--list]: builds the editor's starter library
// from the system's time-zone database and lists it.
#include <cstdio>
#include <string>

#include "tools/starter/starter.h"

using namespace velkaro;

namespace {

std::string Narrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: velkaro-starter ZONE1970_TAB\n");
        return 2;
    }
    std::vector<StarterPlace> places;
    std::string error;
    if (!BuildStarterPlaces(argv[1], &places, &error)) {
        std::fprintf(stderr, "velkaro-starter: %s\n", error.c_str());
        return 1;
    }
    int count = 0, withRule = 0, irregular = 0;
    const auto groups = GroupByRegion(places);
    for (int r = 0; r < kStarterRegionCount; ++r)
        for (const StarterPlace& p : groups[r]) {
            ++count;
            withRule += p.Result == kRuleFound;
            irregular += p.Result == kRuleInexact;
            std::printf("%s\t%s\t%.2f\t%.2f\t%g\t%s\t%s\n", kStarterRegions[r], Narrow(p.Name).c_str(), p.Lat,
                        p.Lng, p.UtcMargin, Narrow(p.DST).c_str(), Narrow(p.Memo).c_str());
        }
    std::fprintf(stderr, "%d places, %d with a rule, %d irregular\n", count, withRule, irregular);
    return 0;
}
