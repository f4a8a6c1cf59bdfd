// Coefficient tables of the position series and the list of new moons
// (generated into series_data.cpp and new_moons.cpp by tools/gen_engine_tables.py).
#pragma once
#include "engine/series.h"

namespace velkaro {

// (a + a1·T)·cos(Normalize360(omega·T + phi)); `shared` marks a row whose argument
// equals the previous row's, so its cosine is reused.
struct SeriesTerm {
    double a, a1, omega, phi;
    int shared;
};

// Secular part l0 + l1·T (reduced to [0, 360) for longitudes only), then the terms.
struct SeriesCoord {
    bool hasSecular;
    double l0, l1;
    const SeriesTerm* terms;
    int count;
};

// For the Moon `dist` is the parallax series.
struct BodySeries {
    SeriesCoord lon, lat, dist;
};

extern const BodySeries kBodySeries[kBodyCount];

struct NewMoon {
    int yymmdd;  // (year - 2000)·10000 + month·100 + day, UTC+9
    int hhmm;    // 100·hour + minute
};

constexpr int kNewMoonFirstYear = 2010;
constexpr int kNewMoonLastYear = 2041;
extern const NewMoon kNewMoons[];
extern const int kNewMoonCount;
extern const int kNewMoonYearStart[kNewMoonLastYear - kNewMoonFirstYear + 2];

}  // namespace velkaro
