#include "engine/coords.h"

#include <cmath>

#include "engine/calendar.h"
#include "engine/series_eval.h"

namespace velkaro {
namespace {

// Aberration-like correction k/r of the planets' longitude, by body index.
const double kPlanetK[kBodyCount] = {0,      0,       0.00347, 0.00484, 0.007,
                                     0.01298, 0.01756, 0.0249,  0.03121, 0.03461};

double Deg(double radians) { return radians / kDegToRad; }

// Heliocentric series place of a planet → apparent geocentric place; returns the
// nutation in obliquity for the rotation that follows.
double ApparentGeocentric(int body, double T, BodyPosition* pos) {
    const double L = pos->Lon, B = pos->Lat, r = pos->Dist;
    BodyPosition sun;
    PositionSeries(kSun, T, &sun);
    const double Ls = sun.Lon, Bs = sun.Lat, Rs = sun.Dist;

    const double cosB = std::cos(B * kDegToRad), cosBs = std::cos(Bs * kDegToRad);
    const double x = r * cosB * std::cos(L * kDegToRad) + Rs * cosBs * std::cos(Ls * kDegToRad);
    const double y = r * cosB * std::sin(L * kDegToRad) + Rs * cosBs * std::sin(Ls * kDegToRad);
    const double z = r * std::sin(B * kDegToRad) + Rs * std::sin(Bs * kDegToRad);

    double lambda = Deg(std::atan(y / x));
    if (x < 0) lambda += 180.0;
    const double xy2 = x * x + y * y;
    const double beta = Deg(std::atan(z / std::sqrt(xy2)));
    const double delta = std::sqrt(xy2 + z * z);

    const double omega = Reduce360(125.04 - 1934.136 * T) * kDegToRad;
    const double twoLsun = Reduce360(200.93 + 72001.539 * T) * kDegToRad;
    const double dEps = 0.00256 * std::cos(omega) + 0.00016 * std::cos(twoLsun);

    pos->Lon = lambda - 0.005693 * std::cos(Reduce360(lambda - Ls) * kDegToRad) -
               (kPlanetK[body] / r) * std::cos(Reduce360(lambda - L) * kDegToRad) -
               0.00478 * std::sin(omega) + 0.00037 * std::sin(twoLsun);
    pos->Lat = beta + dEps * std::sin(lambda * kDegToRad);
    pos->Dist = delta;
    return dEps;
}

}  // namespace

void EquatorialPlace(int body, double T, EquatorialPosition* pos) {
    if (body < 0 || body >= kBodyCount) return;
    BodyPosition ecliptic;
    PositionSeries(body, T, &ecliptic);
    double dEps = 0.0;
    if (body != kSun && body != kMoon) dEps = ApparentGeocentric(body, T, &ecliptic);

    const double eps = (23.43929 - 0.013004 * T + dEps) * kDegToRad;
    const double lon = ecliptic.Lon * kDegToRad, lat = ecliptic.Lat * kDegToRad;
    const double sinEps = std::sin(eps), cosEps = std::cos(eps);
    const double sinLon = std::sin(lon), cosLat = std::cos(lat), sinLat = std::sin(lat);
    const double x = cosLat * std::cos(lon);
    const double y = cosEps * sinLon * cosLat - sinEps * sinLat;
    const double sinDec = sinEps * sinLon * cosLat + cosEps * sinLat;

    double ra = Deg(std::atan(y / x));
    if (x > 0 && ra < 0) ra += 360.0;
    if (x < 0) ra += 180.0;
    pos->RightAscension = ra;
    pos->Declination = Deg(std::asin(sinDec));
    pos->Dist = ecliptic.Dist;
    pos->Parallax = ecliptic.Parallax;
}

double LocalSiderealTime(double lng, double T, double d, double zoneHours) {
    return Normalize360(lng + 325.4606 + 360.0 * ((9.0 - zoneHours) / 24.0 + d) +
                        (36000.7700536 + 0.0003879 * T) * T);
}

double HorizonAzimuth(double ra, double dec, double theta, double lat) {
    const double H = (theta - ra) * kDegToRad;
    const double d = dec * kDegToRad, p = lat * kDegToRad;
    const double num = -std::cos(d) * std::sin(H);
    const double den = std::cos(p) * std::sin(d) - std::sin(p) * std::cos(d) * std::cos(H);
    double A = Deg(std::atan(num / den));
    // den = 0 exactly (due east or west on the prime vertical) counts as positive,
    // so that west is 270 and not -90.
    if (den >= 0 && A < 0) A += 360.0;
    if (den < 0) A += 180.0;
    return RoundHalfAway(10.0 * A) * 0.1;
}

double HorizonAltitude(double ra, double dec, double theta, double lat) {
    const double H = (theta - ra) * kDegToRad;
    const double d = dec * kDegToRad, p = lat * kDegToRad;
    double s = std::sin(d) * std::sin(p) + std::cos(d) * std::cos(p) * std::cos(H);
    // Rounding can carry the sine of an altitude of ±90° just past ±1.
    if (s > 1.0) s = 1.0;
    if (s < -1.0) s = -1.0;
    return RefractedAltitude(Deg(std::asin(s)));
}

double RefractedAltitude(double h) {
    // The refraction term has a pole at -4.4°, where the geometric altitude stands.
    if (h + 4.4 == 0.0) return RoundHalfAway(10.0 * h) * 0.1;
    const double R = 0.0167 / std::tan((h + 8.6 / (h + 4.4)) * kDegToRad);
    return RoundHalfAway(10.0 * (h + R)) * 0.1;
}

}  // namespace velkaro
