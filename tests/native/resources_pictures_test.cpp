#include "resources/pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "resources/picture_names.h"
#include "resources/png_file.h"
#include "settings/store.h"

using namespace velkaro;
using velkaro::pictures::DefaultPicture;
using velkaro::pictures::Raster;

namespace {

int Weight(const Raster& mask, int frame, int x, int y) {
    return static_cast<int>(mask.At(frame * mask.height + x, y) & 0xFF);
}

double Area(const Raster& mask, int frame) {
    double sum = 0;
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.height; ++x) sum += Weight(mask, frame, x, y);
    return sum / 255;
}

int Channel(std::uint32_t c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }

// Opacity-weighted mean colour of frame 0, as {r, g, b}.
std::vector<double> MeanColour(const DefaultPicture& p) {
    double r = 0, g = 0, b = 0, w = 0;
    for (int y = 0; y < p.picture.height; ++y)
        for (int x = 0; x < p.picture.height; ++x) {
            double a = Weight(p.mask, 0, x, y);
            std::uint32_t c = p.picture.At(x, y);
            r += a * Channel(c, 16);
            g += a * Channel(c, 8);
            b += a * Channel(c, 0);
            w += a;
        }
    return {r / w, g / w, b / w};
}

const DefaultPicture& Named(const std::string& name) {
    static const std::vector<DefaultPicture> all = pictures::DrawAll();
    for (const DefaultPicture& p : all)
        if (p.name == name) return p;
    static const DefaultPicture none;
    ADD_FAILURE() << "no picture " << name;
    return none;
}

}  // namespace

TEST(DefaultPictures, SizesFrameCountsAndGreyMasks) {
    const std::map<std::string, int> sides = {
        {"velkaro_sun", 24},     {"velkaro_moon", 24},   {"velkaro_mars", 16},
        {"velkaro_jupiter", 16}, {"velkaro_saturn", 36}, {"velkaro_crossb", 12},
        {"velkaro_crossy", 12},  {"velkaro_crossw", 12}, {"velkaro_crossr", 12}};
    std::vector<DefaultPicture> all = pictures::DrawAll();
    ASSERT_EQ(all.size(), sides.size());
    for (const DefaultPicture& p : all) {
        SCOPED_TRACE(p.name);
        ASSERT_EQ(sides.count(p.name), 1u);
        int s = sides.at(p.name);
        EXPECT_EQ(p.picture.height, s);
        EXPECT_EQ(p.picture.width, s);  // one frame each
        EXPECT_EQ(p.mask.height, s);
        EXPECT_EQ(p.mask.width, p.name == "velkaro_moon" ? 14 * s : s);
        ASSERT_EQ(p.picture.pixels.size(), std::size_t(p.picture.width) * p.picture.height);
        ASSERT_EQ(p.mask.pixels.size(), std::size_t(p.mask.width) * p.mask.height);
        for (std::uint32_t m : p.mask.pixels) ASSERT_EQ(m, (m & 0xFF) * 0x010101u) << std::hex << m;
        for (std::uint32_t c : p.picture.pixels) ASSERT_EQ(c >> 24, 0u);
    }
}

TEST(DefaultPictures, SunIsOpaqueInTheMiddleWithAGlowFadingToClearCorners) {
    const DefaultPicture& sun = Named("velkaro_sun");
    for (int y = 9; y <= 14; ++y)
        for (int x = 9; x <= 14; ++x) EXPECT_EQ(sun.mask.At(x, y), 0xFFFFFFu) << x << "," << y;
    for (int c : {0, 1}) {
        EXPECT_EQ(sun.mask.At(c, c), 0u);
        EXPECT_EQ(sun.mask.At(23 - c, c), 0u);
        EXPECT_EQ(sun.mask.At(c, 23 - c), 0u);
        EXPECT_EQ(sun.mask.At(23 - c, 23 - c), 0u);
    }
    // A glow, not a hard disc: several pixels of falling opacity outwards.
    int partial = 0;
    for (int x = 12; x < 24; ++x) {
        int w = Weight(sun.mask, 0, x, 12);
        if (w > 0 && w < 255) ++partial;
        if (x > 12) {
            EXPECT_LE(w, Weight(sun.mask, 0, x - 1, 12)) << x;
        }
    }
    EXPECT_GE(partial, 3);
    // Warm: red over green over blue; brighter in the centre than at the rim.
    std::uint32_t centre = sun.picture.At(12, 12), rim = sun.picture.At(19, 12);
    EXPECT_GT(Channel(rim, 16), Channel(rim, 8));
    EXPECT_GT(Channel(rim, 8), Channel(rim, 0) + 60);
    EXPECT_GT(Channel(centre, 8) + Channel(centre, 0), Channel(rim, 8) + Channel(rim, 0) + 100);
}

TEST(DefaultPictures, MoonMaskFrameZeroIsTheWholeDiscWithAOnePixelEdge) {
    const Raster& m = Named("velkaro_moon").mask;
    double r = std::sqrt(Area(m, 0) / 3.14159265358979);
    EXPECT_GT(r, 10.5);
    EXPECT_LT(r, 12.0);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) {
            double d = std::hypot(x + 0.5 - 12, y + 0.5 - 12);
            int w = Weight(m, 0, x, y);
            if (d < r - 1) {
                EXPECT_EQ(w, 255) << x << "," << y;
            } else if (d > r + 1) {
                EXPECT_EQ(w, 0) << x << "," << y;
            }
            EXPECT_EQ(w, Weight(m, 0, 23 - x, y));
            EXPECT_EQ(w, Weight(m, 0, x, 23 - y));
        }
}

TEST(DefaultPictures, MoonMaskFramesWaneFromFullToAThinLeftCrescent) {
    const Raster& m = Named("velkaro_moon").mask;
    const double full = Area(m, 0);
    for (int k = 0; k < 14; ++k) {
        SCOPED_TRACE(k);
        double area = Area(m, k);
        // The lit fraction of a disc whose terminator is an ellipse of
        // semi-axis r cos(k pi / 14).
        EXPECT_NEAR(area / full, (1 + std::cos(k * 3.14159265358979 / 14)) / 2, 0.03);
        if (k > 0) {
            EXPECT_LT(area, Area(m, k - 1));
        }
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x) {
                ASSERT_LE(Weight(m, k, x, y), Weight(m, 0, x, y)) << x << "," << y;
                ASSERT_EQ(Weight(m, k, x, y), Weight(m, k, x, 23 - y)) << x << "," << y;
            }
    }

    // Frame 7, last quarter: the left half exactly as the full disc, nothing right.
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x)
            EXPECT_EQ(Weight(m, 7, x, y), x < 12 ? Weight(m, 0, x, y) : 0) << x << "," << y;

    // Frame 13: a sliver hugging the left limb.
    double thin = Area(m, 13);
    EXPECT_GT(thin, 0);
    EXPECT_LT(thin / full, 0.03);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x)
            if (Weight(m, 13, x, y)) {
                EXPECT_LT(x, 12);
                EXPECT_GT(std::hypot(x + 0.5 - 12, y + 0.5 - 12), 9.0) << x << "," << y;
            }
}

TEST(DefaultPictures, MoonIsGreyWithDarkerMaria) {
    const DefaultPicture& moon = Named("velkaro_moon");
    int darkest = 255, brightest = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) {
            if (Weight(moon.mask, 0, x, y) < 255) continue;
            std::uint32_t c = moon.picture.At(x, y);
            EXPECT_NEAR(Channel(c, 16), Channel(c, 8), 4);
            EXPECT_NEAR(Channel(c, 8), Channel(c, 0), 16);
            darkest = std::min(darkest, Channel(c, 8));
            brightest = std::max(brightest, Channel(c, 8));
        }
    EXPECT_GT(brightest - darkest, 50);
    // Maria lie mostly in the northern half as seen from the north.
    double north = 0, south = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x)
            if (Weight(moon.mask, 0, x, y) == 255)
                (y < 12 ? north : south) += Channel(moon.picture.At(x, y), 8);
    EXPECT_LT(north, south);
}

TEST(DefaultPictures, PlanetColoursAndBands) {
    std::vector<double> mars = MeanColour(Named("velkaro_mars"));
    EXPECT_GT(mars[0], 1.6 * mars[1]);
    EXPECT_GT(mars[1], mars[2]);

    // Jupiter: down the central column, belts and zones alternate.
    const DefaultPicture& jupiter = Named("velkaro_jupiter");
    std::vector<int> column;
    for (int y = 2; y < 14; ++y) column.push_back(Channel(jupiter.picture.At(7, y), 0));
    int turns = 0;
    for (std::size_t i = 1; i + 1 < column.size(); ++i)
        if ((column[i] - column[i - 1]) * (column[i + 1] - column[i]) < 0) ++turns;
    EXPECT_GE(turns, 3);
    EXPECT_GT(
        *std::max_element(column.begin(), column.end()) - *std::min_element(column.begin(), column.end()),
        40);
}

TEST(DefaultPictures, SaturnStaysInTheMiddleRowsWithAGapBetweenRingAndGlobe) {
    const DefaultPicture& saturn = Named("velkaro_saturn");
    int top = 36, bottom = -1, left = 36, right = -1;
    for (int y = 0; y < 36; ++y)
        for (int x = 0; x < 36; ++x)
            if (Weight(saturn.mask, 0, x, y)) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                left = std::min(left, x);
                right = std::max(right, x);
            }
    EXPECT_GE(top, 9);
    EXPECT_LE(bottom, 26);
    EXPECT_GE(bottom - top + 1, 14);               // uses the row
    EXPECT_GE(right - left + 1, 30);               // the ring overflows the row's height
    EXPECT_EQ(saturn.mask.At(18, 16), 0xFFFFFFu);  // the globe

    // Across the middle row, from the globe out to either side: opaque globe,
    // a clear gap, then the bright ring again.
    for (int dir : {-1, 1}) {
        int x = 18, gap = 0, ringAfterGap = 0;
        for (; x >= 0 && x < 36; x += dir) {
            int w = Weight(saturn.mask, 0, x, 18);
            if (w < 100)
                ++gap;
            else if (gap && w > 200)
                ++ringAfterGap;
        }
        EXPECT_GE(gap, 1) << dir;
        EXPECT_GE(ringAfterGap, 2) << dir;
    }

    // Down the middle column the globe darkens towards its limb, except where
    // the bright near side of the ring crosses it at the bottom; the far side
    // passes behind at the top.
    auto lum = [&](int y) {
        std::uint32_t c = saturn.picture.At(18, y);
        return Channel(c, 16) + Channel(c, 8) + Channel(c, 0);
    };
    int globeTop = 18, globeBottom = 18;
    while (Weight(saturn.mask, 0, 18, globeTop - 1) == 255) --globeTop;
    while (Weight(saturn.mask, 0, 18, globeBottom + 1) == 255) ++globeBottom;
    int inner = 0;
    for (int y = globeTop + 2; y <= globeBottom - 2; ++y) inner = std::max(inner, lum(y));
    EXPECT_LT(std::max(lum(globeTop), lum(globeTop + 1)), inner - 40);
    EXPECT_GT(std::max(lum(globeBottom), lum(globeBottom - 1)), inner);
}

TEST(DefaultPictures, CrossesArePlusShapesInTheirColours) {
    struct Want {
        const char* name;
        int dominant;  // channel shift expected highest, -1 for neutral
    };
    for (Want want : {Want{"velkaro_crossb", 0}, Want{"velkaro_crossy", -2}, Want{"velkaro_crossw", -1},
                      Want{"velkaro_crossr", 16}}) {
        SCOPED_TRACE(want.name);
        const DefaultPicture& p = Named(want.name);
        EXPECT_EQ(p.mask.At(6, 6), 0xFFFFFFu);
        EXPECT_EQ(p.mask.At(6, 2), 0xFFFFFFu);  // arms
        EXPECT_EQ(p.mask.At(2, 6), 0xFFFFFFu);
        EXPECT_GT(Weight(p.mask, 0, 6, 0), 0);  // reaching the edges
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x) EXPECT_EQ(p.mask.At(x, y), 0u) << x << "," << y;  // no corner
        int partial = 0;
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x) {
                int w = Weight(p.mask, 0, x, y);
                partial += w > 0 && w < 255;
                EXPECT_EQ(w, Weight(p.mask, 0, y, x));  // the two arms alike
                EXPECT_EQ(w, Weight(p.mask, 0, 11 - x, y));
            }
        EXPECT_GE(partial, 8);  // soft edge

        std::vector<double> c = MeanColour(p);
        if (want.dominant == -1) {
            EXPECT_NEAR(c[0], c[1], 12);
            EXPECT_NEAR(c[1], c[2], 12);
            EXPECT_GT(c[1], 180);
        } else if (want.dominant == -2) {  // yellow
            EXPECT_GT(c[0], c[2] + 80);
            EXPECT_GT(c[1], c[2] + 60);
        } else {
            int i = want.dominant == 16 ? 0 : 2;
            for (int j = 0; j < 3; ++j)
                if (j != i) {
                    EXPECT_GT(c[i], c[j] + 40) << j;
                }
        }
    }
}

TEST(DefaultPictures, WriteAllStoresEachPictureAndMaskAsPng) {
    std::string dir = ::testing::TempDir();
    ASSERT_TRUE(pictures::WriteAll(dir));
    for (const DefaultPicture& p : pictures::DrawAll()) {
        for (bool mask : {false, true}) {
            const Raster& r = mask ? p.mask : p.picture;
            const std::string path = dir + "/" + p.name + (mask ? ".msk" : ".png");
            Raster read;
            ASSERT_TRUE(pictures::ReadPngFile(path, &read)) << path;
            std::remove(path.c_str());
            EXPECT_EQ(read.width, r.width) << path;
            EXPECT_EQ(read.height, r.height) << path;
            EXPECT_EQ(read.pixels, r.pixels) << path;
        }
    }
    EXPECT_FALSE(pictures::WriteAll(dir + "/no/such/folder"));
    Raster none;
    EXPECT_FALSE(pictures::ReadPngFile(dir + "/no/such/file.png", &none));
}

// Every body's default picture is one the build draws and installs, and the
// build draws each listed picture once.
TEST(DefaultPictures, EachBodysDefaultPictureIsDrawn) {
    std::vector<std::string> drawn;
    for (const DefaultPicture& p : pictures::DrawAll()) drawn.push_back(p.name);
    std::vector<std::string> listed(kPictureNames, kPictureNames + kPictureCount);
    EXPECT_EQ(drawn, listed);
    const std::wstring folder = L"\\Program Files\\Velkaro\\";
    for (int body = 0; body < kBodyCount; ++body) {
        const std::wstring icon = DefaultBodyStyle(body).Icon;
        ASSERT_EQ(icon.compare(0, folder.size(), folder), 0) << body;
        const std::wstring file = icon.substr(folder.size());
        ASSERT_GT(file.size(), 4u) << body;
        EXPECT_EQ(file.substr(file.size() - 4), L".png") << body;
        const std::string name(file.begin(), file.end() - 4);
        EXPECT_EQ(std::count(drawn.begin(), drawn.end(), name), 1) << name;
    }
    EXPECT_EQ(DefaultBodyStyle(kSun).Icon, folder + L"velkaro_sun.png");
    EXPECT_EQ(DefaultBodyStyle(kMercury).Icon, folder + L"velkaro_crossb.png");
    EXPECT_EQ(DefaultBodyStyle(kPluto).Icon, folder + L"velkaro_crossr.png");
}
