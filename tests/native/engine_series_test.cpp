#include <gtest/gtest.h>

#include <cmath>

#include "engine/calendar.h"
#include "engine/coords.h"
#include "engine/series.h"

using namespace velkaro;

namespace {

struct PlaceFixture {
    int body, year, month, day;
    double ra, dec, dist, lst;
};

const PlaceFixture kPlaces[] = {
#include "engine_place_fixtures.inc"
};

double AngleDiff(double a, double b) { return std::fabs(std::remainder(a - b, 360.0)); }

}  // namespace

TEST(Series, ValuesAtJ2000) {
    struct {
        int body;
        double lon, lat, dist;
    } const expected[] = {
        {kSun, 280.37736, 0, 0.9833097},       {kMoon, 223.31393, 5.17132, 402451},
        {kMercury, 253.78324, -3.02264, 0.4664749}, {kVenus, 182.60277, 3.26462, 0.7202167},
        {kMars, 359.44710, -1.41982, 1.3912282},    {kJupiter, 36.29459, -1.17462, 4.9653737},
        {kSaturn, 45.72165, -2.30332, 9.1838184},   {kUranus, 316.41748, -0.68470, 19.9241060},
        {kNeptune, 303.93282, 0.24196, 30.1196879}, {kPluto, 250.56648, 11.15644, 30.2127208},
    };
    for (const auto& e : expected) {
        BodyPosition p;
        PositionSeries(e.body, 0.0, &p);
        EXPECT_NEAR(p.Lon, e.lon, 0.000005) << e.body;
        EXPECT_NEAR(p.Lat, e.lat, 0.000005) << e.body;
        EXPECT_NEAR(p.Dist, e.dist, e.body == kMoon ? 0 : 0.00000005) << e.body;
    }
    BodyPosition moon;
    PositionSeries(kMoon, 0.0, &moon);
    EXPECT_NEAR(moon.Parallax, 0.9080749, 0.00000005);
}

TEST(Series, MoonDistanceIsWholeKilometresFromParallax) {
    for (double T = -0.5; T < 0.5; T += 0.0123) {
        BodyPosition p;
        PositionSeries(kMoon, T, &p);
        EXPECT_EQ(p.Dist, std::floor(p.Dist));
        EXPECT_NEAR(p.Dist, 6378.14 / std::sin(p.Parallax * kDegToRad), 0.5);
        EXPECT_GT(p.Dist, 356000);
        EXPECT_LT(p.Dist, 407000);
    }
}

TEST(Series, SunHasNoLatitudeAndBadBodiesAreIgnored) {
    BodyPosition p;
    PositionSeries(kSun, 0.25, &p);
    EXPECT_EQ(p.Lat, 0.0);
    BodyPosition untouched;
    untouched.Lon = 1;
    untouched.Lat = 2;
    untouched.Dist = 3;
    untouched.Parallax = 4;
    PositionSeries(10, 0.1, &untouched);
    PositionSeries(-1, 0.1, &untouched);
    EXPECT_EQ(untouched.Lon + untouched.Lat + untouched.Dist + untouched.Parallax, 10);
}

// Right ascension, declination and distance against an accurate ephemeris on
// dates between 1995 and 2044, with the sidereal time at Greenwich.
TEST(SkyPlaces, AgreeWithEphemeris) {
    for (const PlaceFixture& f : kPlaces) {
        const double T = TimeArgument(f.year, f.month, f.day, 0);
        EquatorialPosition p;
        EquatorialPlace(f.body, T, &p);
        // The Sun's series omits aberration and nutation; Pluto's is the coarsest.
        const double tol = f.body == kPluto ? 0.08 : f.body == kSun ? 0.02 : 0.012;
        EXPECT_LE(AngleDiff(p.RightAscension, f.ra), tol / std::cos(f.dec * kDegToRad))
            << f.body << " " << f.year;
        EXPECT_NEAR(p.Declination, f.dec, tol) << f.body << " " << f.year;
        EXPECT_GE(p.RightAscension, 0.0);
        EXPECT_LT(p.RightAscension, 360.0);
        if (f.body == kMoon)
            EXPECT_NEAR(p.Dist, f.dist, 25) << f.year;
        else
            EXPECT_NEAR(p.Dist, f.dist, f.body == kPluto ? 0.02 : f.dist * 2e-4) << f.body;
        // Mean against apparent sidereal time: the equation of the equinoxes, about 1 s.
        EXPECT_LE(AngleDiff(LocalSiderealTime(0, T, 0, 0), f.lst), 0.006) << f.year;
    }
}

TEST(SkyPlaces, SiderealTimeFollowsLongitudeZoneAndTimeOfDay) {
    const double T = TimeArgument(2025, 1, 1, 9);
    const double base = LocalSiderealTime(139.75, T, 0.25, 9);
    EXPECT_NEAR(AngleDiff(LocalSiderealTime(139.75 - 30, T, 0.25, 9), base), 30, 1e-9);
    // The same instant given in another zone.
    EXPECT_NEAR(AngleDiff(LocalSiderealTime(139.75, T, 0.25 - 9.0 / 24, 0), base), 0, 1e-9);
    for (double d = 0; d < 1; d += 0.07) {
        double v = LocalSiderealTime(-74, T, d, -5);
        EXPECT_GE(v, 0.0);
        EXPECT_LT(v, 360.0);
    }
}

TEST(Horizon, MeridianAzimuths) {
    const double theta = 123.4;
    EXPECT_DOUBLE_EQ(HorizonAzimuth(theta, 10, theta, 35), 180.0);   // south of the zenith
    EXPECT_DOUBLE_EQ(HorizonAzimuth(theta, 60, theta, 35), 0.0);     // north of it
    EXPECT_DOUBLE_EQ(HorizonAzimuth(theta, -10, theta, -35), 0.0);   // north, seen from the south
    EXPECT_DOUBLE_EQ(HorizonAzimuth(theta, -50, theta, -35), 180.0);
    EXPECT_NEAR(HorizonAzimuth(theta + 90, 0, theta, 0), 90.0, 1e-9);  // rising due east
    EXPECT_NEAR(HorizonAzimuth(theta - 90, 0, theta, 0), 270.0, 1e-9);
    EXPECT_NEAR(HorizonAzimuth(theta + 45, 20, theta, 50), 113.5, 1e-9);  // south-east
}

TEST(Horizon, RefractionAtEveryAltitude) {
    EXPECT_DOUBLE_EQ(RefractedAltitude(0.0), 0.5);
    EXPECT_DOUBLE_EQ(RefractedAltitude(-10.0), -10.1);  // below the pole the term turns negative
    EXPECT_DOUBLE_EQ(RefractedAltitude(45.0), 45.0);
    EXPECT_DOUBLE_EQ(RefractedAltitude(90.0), 90.0);
    EXPECT_DOUBLE_EQ(RefractedAltitude(-90.0), -90.0);
    // At the pole the geometric altitude stands, and close to it the value stays finite.
    EXPECT_DOUBLE_EQ(RefractedAltitude(-4.4), -4.4);
    EXPECT_TRUE(std::isfinite(RefractedAltitude(std::nextafter(-4.4, 0.0))));
    EXPECT_TRUE(std::isfinite(RefractedAltitude(std::nextafter(-4.4, -9.0))));
    // The same through the horizon frame: H = 180 at the equator puts a body of
    // declination 60 at a geometric altitude of -30.
    EXPECT_DOUBLE_EQ(HorizonAltitude(0, 60, 180, 0), RefractedAltitude(-30.0));
    EXPECT_DOUBLE_EQ(HorizonAltitude(10, 35.68, 10, 35.68), 90.0);  // zenith, no NaN
}

TEST(SkyPlaces, TheMoonKeepsItsParallaxAndBadBodiesAreIgnored) {
    EquatorialPosition moon;
    EquatorialPlace(kMoon, 0.0, &moon);
    EXPECT_NEAR(moon.Parallax, 0.9080749, 0.00000005);
    EXPECT_NEAR(moon.Dist, 402451, 0.5);
    EquatorialPosition untouched;
    untouched.RightAscension = 1;
    untouched.Declination = 2;
    EquatorialPlace(10, 0.1, &untouched);
    EquatorialPlace(-1, 0.1, &untouched);
    EXPECT_EQ(untouched.RightAscension + untouched.Declination + untouched.Dist + untouched.Parallax, 3);
}
