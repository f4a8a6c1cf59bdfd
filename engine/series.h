// Position series of the Sun, the Moon and the eight planets.
#pragma once

namespace velkaro {

enum BodyIndex { kSun = 0, kMoon, kMars, kMercury, kJupiter, kVenus, kSaturn, kUranus, kNeptune, kPluto };
constexpr int kBodyCount = 10;

// Display names in body order ("Sun", "Moon", "Mars", ...).
extern const wchar_t* const kBodyNames[kBodyCount];

struct BodyPosition {
    double Lon = 0;       // ecliptic longitude, degrees
    double Lat = 0;       // ecliptic latitude, degrees
    double Dist = 0;      // AU; Moon in km
    double Parallax = 0;  // Moon only, degrees
};

// Fills Lon, Lat, Dist (and Parallax for the Moon); planets heliocentric.
// A body outside 0..9 leaves pos untouched.
void PositionSeries(int body, double T, BodyPosition* pos);

}  // namespace velkaro
