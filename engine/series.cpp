#include "engine/series.h"

#include <cmath>

#include "engine/calendar.h"
#include "engine/series_data.h"
#include "engine/series_eval.h"

namespace velkaro {
namespace {

double SumCoord(const SeriesCoord& c, double T, bool longitude) {
    double sum = 0.0;
    if (c.hasSecular) {
        double s = c.l0 + c.l1 * T;
        sum = longitude ? Reduce360(s) : s;
    }
    double cosine = 0.0;
    const SeriesTerm* t = c.terms;
    for (int i = 0; i < c.count; ++i, ++t) {
        if (!t->shared) cosine = std::cos(Reduce360(t->omega * T + t->phi) * kDegToRad);
        sum += (t->a + t->a1 * T) * cosine;
    }
    return sum;
}

}  // namespace

void PositionSeries(int body, double T, BodyPosition* pos) {
    if (body < 0 || body >= kBodyCount) return;
    const BodySeries& s = kBodySeries[body];
    pos->Lon = SumCoord(s.lon, T, true);
    pos->Lat = SumCoord(s.lat, T, false);
    if (body == kMoon) {
        pos->Parallax = SumCoord(s.dist, T, false);
        pos->Dist = RoundHalfAway(6378.14 / std::sin(pos->Parallax * kDegToRad));
    } else {
        pos->Dist = SumCoord(s.dist, T, false);
    }
}

}  // namespace velkaro
