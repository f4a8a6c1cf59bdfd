#include "resources/pictures.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "resources/picture_names.h"
#include "resources/png_file.h"

namespace velkaro {
namespace pictures {

namespace {

const double kPi = 3.14159265358979323846;

struct Rgb {
    double r, g, b;  // 0 ... 1
};

// Straight (not premultiplied) colour and opacity of one sample point.
struct Sample {
    Rgb c;
    double a;
};

const Sample kEmpty = {{0, 0, 0}, 0};

double Clamp01(double v) { return v < 0 ? 0 : v > 1 ? 1 : v; }

double SmoothStep(double e0, double e1, double x) {
    double t = Clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

Rgb Mix(Rgb p, Rgb q, double t) {
    return {p.r + (q.r - p.r) * t, p.g + (q.g - p.g) * t, p.b + (q.b - p.b) * t};
}

Rgb Scale(Rgb p, double k) { return {p.r * k, p.g * k, p.b * k}; }

// Porter-Duff "over" on straight colours.
Sample Over(Sample top, Sample below) {
    double a = top.a + below.a * (1 - top.a);
    if (a <= 0) return kEmpty;
    double kb = below.a * (1 - top.a);
    Rgb c = {(top.c.r * top.a + below.c.r * kb) / a, (top.c.g * top.a + below.c.g * kb) / a,
             (top.c.b * top.a + below.c.b * kb) / a};
    return {c, a};
}

// Weight 1 inside an axis-aligned ellipse fading to 0 over the outer
// `soft` fraction of its radius.
double Blob(double u, double v, double cu, double cv, double ru, double rv, double soft = 0.35) {
    double q = std::sqrt((u - cu) * (u - cu) / (ru * ru) + (v - cv) * (v - cv) / (rv * rv));
    return 1 - SmoothStep(1 - soft, 1, q);
}

std::uint8_t Byte(double v) { return static_cast<std::uint8_t>(std::lround(Clamp01(v) * 255)); }

Raster Blank(int width, int height) {
    Raster r;
    r.width = width;
    r.height = height;
    r.pixels.assign(static_cast<std::size_t>(width) * height, 0);
    return r;
}

using Shader = std::function<Sample(double x, double y)>;

// 8 x 8 samples per pixel give 64 opacity levels, ample for edges a pixel wide.
const int kSubsamples = 8;

// Supersamples one square frame into column frame * side of the strips; the
// colour is the opacity-weighted mean so edges keep the body's colour and
// the mask alone decides how much of it shows. Either strip may be null.
void RenderFrame(const Shader& shade, int side, int frame, Raster* picture, Raster* mask) {
    const int n = kSubsamples;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < n; ++sy) {
                for (int sx = 0; sx < n; ++sx) {
                    Sample s = shade(x + (sx + 0.5) / n, y + (sy + 0.5) / n);
                    r += s.c.r * s.a;
                    g += s.c.g * s.a;
                    b += s.c.b * s.a;
                    a += s.a;
                }
            }
            std::uint32_t colour = 0;
            if (a > 0)
                colour = std::uint32_t(Byte(r / a)) << 16 | std::uint32_t(Byte(g / a)) << 8 | Byte(b / a);
            std::uint32_t grey = Byte(a / (n * n)) * 0x010101u;
            if (picture)
                picture->pixels[static_cast<std::size_t>(y) * picture->width + frame * side + x] = colour;
            if (mask) mask->pixels[static_cast<std::size_t>(y) * mask->width + frame * side + x] = grey;
        }
    }
}

DefaultPicture Single(const char* name, int side, const Shader& shade) {
    DefaultPicture p;
    p.name = name;
    p.picture = Blank(side, side);
    p.mask = Blank(side, side);
    RenderFrame(shade, side, 0, &p.picture, &p.mask);
    return p;
}

// Limb darkening of a sphere seen face on; rho is the distance from the disc
// centre in radii.
double Limb(double rho, double floor) {
    double mu = std::sqrt(std::max(0.0, 1 - rho * rho));
    return floor + (1 - floor) * std::sqrt(mu);
}

// ---------------------------------------------------------------- Sun

Sample SunAt(double x, double y) {
    const double c = 12, limb = 8.3, glow = 1.6;
    double d = std::hypot(x - c, y - c);
    if (d <= limb) {
        double t = d / limb;
        Rgb core = {1.0, 1.0, 0.86}, mid = {1.0, 0.87, 0.36}, rim = {1.0, 0.62, 0.12};
        Rgb col = t < 0.55 ? Mix(core, mid, SmoothStep(0, 0.55, t)) : Mix(mid, rim, SmoothStep(0.55, 1, t));
        return {col, 1};
    }
    double a = std::exp(-((d - limb) / glow) * ((d - limb) / glow)) * 0.9;
    if (a < 1.0 / 512) return kEmpty;  // corners stay exactly transparent
    return {Mix({1.0, 0.58, 0.1}, {1.0, 0.42, 0.05}, Clamp01((d - limb) / 3.5)), a};
}

// ---------------------------------------------------------------- Moon

const double kMoonCentre = 12, kMoonRadius = 11.3;

// Darkening of the maria on a disc of radius 1, north up, east (as seen) left.
double Maria(double u, double v) {
    struct Mare {
        double cu, cv, ru, rv, depth;
    };
    static const Mare maria[] = {
        {-0.33, -0.38, 0.34, 0.28, 0.30},  // Imbrium
        {-0.60, 0.02, 0.30, 0.52, 0.24},   // Procellarum
        {0.15, -0.40, 0.21, 0.19, 0.30},   // Serenitatis
        {0.33, -0.08, 0.26, 0.22, 0.28},   // Tranquillitatis
        {0.73, -0.30, 0.13, 0.15, 0.30},   // Crisium
        {0.58, 0.16, 0.15, 0.22, 0.20},    // Fecunditatis
        {0.37, 0.32, 0.12, 0.12, 0.18},    // Nectaris
        {-0.20, 0.36, 0.24, 0.18, 0.18},   // Nubium
        {-0.54, 0.40, 0.12, 0.12, 0.20},   // Humorum
        {-0.02, -0.70, 0.46, 0.09, 0.16},  // Frigoris
        {-0.02, -0.06, 0.16, 0.14, 0.14},  // Vaporum and Medii
    };
    // Summed with a ceiling so neighbouring maria run together as they do.
    double dark = 0;
    for (const Mare& m : maria) dark += 1.15 * m.depth * Blob(u, v, m.cu, m.cv, m.ru, m.rv, 0.8);
    return std::min(dark, 0.36);
}

bool InMoonDisc(double x, double y) {
    double u = x - kMoonCentre, v = y - kMoonCentre;
    return u * u + v * v <= kMoonRadius * kMoonRadius;
}

Sample MoonAt(double x, double y) {
    if (!InMoonDisc(x, y)) return kEmpty;
    double u = (x - kMoonCentre) / kMoonRadius, v = (y - kMoonCentre) / kMoonRadius;
    double rho = std::hypot(u, v);
    double albedo = 0.80 - Maria(u, v);
    albedo += 0.16 * Blob(u, v, -0.12, 0.74, 0.07, 0.07, 0.6);  // Tycho
    albedo *= 0.9 + 0.1 * Limb(rho, 0);
    return {{albedo, albedo, albedo * 0.96}, 1};
}

// Mask frame k shows the lit part at elongation 180 + k * 360 / 28 degrees:
// waning, lit on the left, the terminator an ellipse of semi-axis
// r * cos(k * pi / 14) (right of centre for k < 7, left after).
Sample MoonPhaseAt(int k, double x, double y) {
    if (!InMoonDisc(x, y)) return kEmpty;
    double u = (x - kMoonCentre) / kMoonRadius, v = (y - kMoonCentre) / kMoonRadius;
    double halfWidth = std::sqrt(std::max(0.0, 1 - v * v));
    bool lit = k == 0 || u < std::cos(k * kPi / 14) * halfWidth;
    return lit ? Sample{{1, 1, 1}, 1} : kEmpty;
}

// ---------------------------------------------------------------- planets

Sample MarsAt(double x, double y) {
    const double c = 8, r = 7.2;
    double u = (x - c) / r, v = (y - c) / r, rho = std::hypot(u, v);
    if (rho > 1) return kEmpty;
    Rgb col = {0.87, 0.45, 0.23};
    double dark = 0.55 * Blob(u, v, 0.14, -0.04, 0.26, 0.44, 0.8)      // Syrtis Major
                  + 0.50 * Blob(u, v, -0.10, 0.32, 0.90, 0.30, 0.8)    // the southern dark belt
                  + 0.40 * Blob(u, v, -0.32, -0.46, 0.36, 0.20, 0.8);  // Acidalium
    dark = std::min(dark, 0.65);
    col = Mix(col, {0.45, 0.20, 0.11}, dark);
    col = Mix(col, {1.0, 0.95, 0.92}, SmoothStep(-0.76, -0.86, v) * 0.95);  // polar cap
    return {Scale(col, Limb(rho, 0.45)), 1};
}

Sample JupiterAt(double x, double y) {
    const double c = 8, r = 7.45, flat = 0.935;
    double u = (x - c) / r, v = (y - c) / (r * flat), rho = std::hypot(u, v);
    if (rho > 1) return kEmpty;
    Rgb zone = {0.95, 0.90, 0.78}, belt = {0.70, 0.49, 0.34};
    auto band = [v](double from, double to) {
        return SmoothStep(from - 0.07, from + 0.03, v) * (1 - SmoothStep(to - 0.03, to + 0.07, v));
    };
    double b = std::max({band(-0.36, -0.10),         // north equatorial belt
                         band(0.12, 0.36),           // south equatorial belt
                         0.45 * band(-0.62, -0.50),  // north temperate belt
                         0.45 * band(0.54, 0.64)});  // south temperate belt
    Rgb col = Mix(zone, belt, b);
    col = Mix(col, {0.70, 0.67, 0.62}, SmoothStep(0.68, 0.9, std::fabs(v)));      // polar greys
    col = Mix(col, {0.86, 0.47, 0.33}, Blob(u, v, 0.30, 0.42, 0.17, 0.09, 0.5));  // red spot
    return {Scale(col, Limb(rho, 0.5)), 1};
}

// Saturn: globe radius 7.4 px, rings opened 27 degrees towards the viewer
// (north face seen), the whole planet turned a little in the image plane.
Sample SaturnAt(double x, double y) {
    const double c = 18, r = 7.4, flat = 0.9;
    const double opening = 27 * kPi / 180, turn = -8 * kPi / 180;
    const double sb = std::sin(opening), cb = std::cos(opening);
    double px = (x - c) / r, py = (y - c) / r;
    double u = px * std::cos(turn) + py * std::sin(turn);  // into the planet's frame
    double v = -px * std::sin(turn) + py * std::cos(turn);

    Sample globe = kEmpty;
    double gv = v / flat, rho = std::hypot(u, gv);
    if (rho <= 1) {
        double z = std::sqrt(1 - rho * rho);
        double lat = -gv * cb + z * sb;  // sine of the latitude, pole tipped towards us
        Rgb col = {0.93, 0.84, 0.60};
        double belt = SmoothStep(0.25, 0.32, lat) * (1 - SmoothStep(0.46, 0.54, lat));
        col = Mix(col, {0.76, 0.64, 0.44}, 0.8 * belt);                         // north temperate belt
        col = Mix(col, {0.74, 0.70, 0.58}, 0.6 * SmoothStep(0.7, 0.92, lat));   // polar hood
        col = Mix(col, {0.80, 0.70, 0.50}, 0.6 * SmoothStep(-0.3, -0.5, lat));  // southern tan
        globe = {Scale(col, Limb(rho, 0.55)), 1};
    }

    // Ring plane: radius in globe radii of the point that projects here.
    double rr = std::hypot(u, v / sb);
    Sample ring = kEmpty;
    if (rr >= 1.24 && rr <= 2.27) {
        if (rr < 1.53)
            ring = {{0.60, 0.55, 0.46}, 0.35};  // C ring
        else if (rr < 1.95)
            ring = {{0.95, 0.88, 0.70}, 0.97};  // B ring
        else if (rr < 2.03)
            ring = {{0.40, 0.36, 0.30}, 0.25};  // Cassini division
        else
            ring = {{0.80, 0.73, 0.58}, 0.85};  // A ring
    }
    if (v > 0) return Over(ring, globe);  // near half of the ring crosses the globe
    return Over(globe, ring);
}

Sample CrossAt(Rgb colour, double x, double y) {
    const double c = 6, arm = 5.0, half = 1.5, soft = 1.0;
    double dx = std::fabs(x - c), dy = std::fabs(y - c);
    auto box = [](double px, double py, double bx, double by) {
        double qx = px - bx, qy = py - by;
        return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0);
    };
    double d = std::min(box(dx, dy, arm, half), box(dx, dy, half, arm));
    double a = Clamp01(0.5 - d / soft);
    if (a <= 0) return kEmpty;
    double core = std::exp(-(dx * dx + dy * dy) / 3.0);
    return {Mix(colour, {1, 1, 1}, 0.6 * core), a};
}

}  // namespace

DefaultPicture DrawSun() { return Single(kPictureNames[kPictureSun], 24, SunAt); }

DefaultPicture DrawMoon() {
    const int side = 24, frames = 14;
    DefaultPicture p;
    p.name = kPictureNames[kPictureMoon];
    p.picture = Blank(side, side);
    RenderFrame(MoonAt, side, 0, &p.picture, nullptr);
    p.mask = Blank(side * frames, side);
    for (int k = 0; k < frames; ++k)
        RenderFrame([k](double x, double y) { return MoonPhaseAt(k, x, y); }, side, k, nullptr, &p.mask);
    return p;
}

DefaultPicture DrawMars() { return Single(kPictureNames[kPictureMars], 16, MarsAt); }
DefaultPicture DrawJupiter() { return Single(kPictureNames[kPictureJupiter], 16, JupiterAt); }
DefaultPicture DrawSaturn() { return Single(kPictureNames[kPictureSaturn], 36, SaturnAt); }

DefaultPicture DrawCross(char colour) {
    Rgb rgb;
    PictureIndex name;
    switch (colour) {
        case 'y':
            rgb = {1.0, 0.84, 0.22};
            name = kPictureCrossYellow;
            break;
        case 'w':
            rgb = {0.86, 0.86, 0.88};
            name = kPictureCrossWhite;
            break;
        case 'r':
            rgb = {1.0, 0.30, 0.24};
            name = kPictureCrossRed;
            break;
        default:
            rgb = {0.34, 0.58, 1.0};
            name = kPictureCrossBlue;
            break;
    }
    return Single(kPictureNames[name], 12, [rgb](double x, double y) { return CrossAt(rgb, x, y); });
}

std::vector<DefaultPicture> DrawAll() {
    std::vector<DefaultPicture> all;
    all.push_back(DrawSun());
    all.push_back(DrawMoon());
    all.push_back(DrawMars());
    all.push_back(DrawJupiter());
    all.push_back(DrawSaturn());
    for (char c : {'b', 'y', 'w', 'r'}) all.push_back(DrawCross(c));
    return all;
}

bool WriteAll(const std::string& dir) {
    std::string base = dir;
    if (!base.empty() && base.back() != '/' && base.back() != '\\') base += '/';
    bool ok = true;
    for (const DefaultPicture& p : DrawAll()) {
        ok = WritePngFile(base + p.name + ".png", p.picture) && ok;
        ok = WritePngFile(base + p.name + ".msk", p.mask) && ok;
    }
    return ok;
}

}  // namespace pictures
}  // namespace velkaro
