// Equatorial place, sidereal time and horizon coordinates.
#pragma once
#include "engine/series.h"

namespace velkaro {

// Series, then (planets) the apparent geocentric place, then right ascension
// and declination written into pos.Lon and pos.Lat; pos.Dist is geocentric.
void EquatorialPlace(int body, double T, BodyPosition* pos);
double LocalSiderealTime(double lng, double T, double d, double zoneHours);
double HorizonAzimuth(double ra, double dec, double theta, double lat);
double HorizonAltitude(double ra, double dec, double theta, double lat);
// Geometric altitude → apparent altitude (refraction added), rounded to 0.1.
double RefractedAltitude(double h);

}  // namespace velkaro
