// Equatorial place, sidereal time and horizon coordinates.
#pragma once
#include "engine/series.h"

namespace velkaro {

// A body's apparent place on the sky.
struct EquatorialPosition {
    double RightAscension = 0;  // degrees, 0 to 360
    double Declination = 0;     // degrees
    double Dist = 0;            // geocentric; AU, the Moon in km
    double Parallax = 0;        // the Moon's horizontal parallax, degrees; 0 for the others
};

// Series, then (planets) the apparent geocentric place, then right ascension
// and declination. A body outside 0..9 leaves *pos untouched.
void EquatorialPlace(int body, double T, EquatorialPosition* pos);
double LocalSiderealTime(double lng, double T, double d, double zoneHours);
double HorizonAzimuth(double ra, double dec, double theta, double lat);
double HorizonAltitude(double ra, double dec, double theta, double lat);
// Geometric altitude → apparent altitude (refraction added), rounded to 0.1.
double RefractedAltitude(double h);

}  // namespace velkaro
