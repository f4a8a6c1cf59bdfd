// velkaro-starter ZONE1970_TAB [OUT.ini]: builds the editor's starter library
// from the system's time-zone database and writes it as the editor's category
// file (or lists it when no file is named).
#include <cstdio>
#include <string>

#include "editor/stock_file.h"
#include "tools/starter/starter_file.h"

using namespace velkaro;

namespace {

std::string Narrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: velkaro-starter ZONE1970_TAB [OUT.ini]\n");
        return 2;
    }
    std::vector<StarterPlace> places;
    std::string error;
    if (!BuildStarterPlaces(argv[1], &places, &error)) {
        std::fprintf(stderr, "velkaro-starter: %s\n", error.c_str());
        return 1;
    }
    if (argc < 3) {
        for (const auto& group : GroupByRegion(places))
            for (const StarterPlace& p : group)
                std::printf("%s\t%.2f\t%.2f\t%g\t%s\t%s\n", Narrow(p.Name).c_str(), p.Lat, p.Lng, p.UtcMargin,
                            Narrow(p.DST).c_str(), Narrow(p.Memo).c_str());
        return 0;
    }
    int withRule = 0, irregular = 0;
    for (const StarterPlace& p : places) {
        withRule += p.Result == kRuleFound;
        irregular += p.Result == kRuleInexact;
    }
    const std::string out = argv[2];
    int code = 0;
    if (!SaveStockFile(StarterCategories(places), std::wstring(out.begin(), out.end()), &code)) {
        std::fprintf(stderr, "velkaro-starter: cannot write %s (%d)\n", out.c_str(), code);
        return 1;
    }
    std::printf("%s: %zu places in %d categories, %d with a rule, %d irregular\n", out.c_str(), places.size(),
                kStarterRegionCount, withRule, irregular);
    return 0;
}
