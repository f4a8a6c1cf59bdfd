// The page's icons, drawn from the Sun's picture and mask over the page's
// colour: velkaro-192.png and velkaro-512.png in the directory given.
#include <algorithm>
#include <cstdio>
#include <string>

#include "resources/pictures.h"
#include "resources/png_file.h"
#include "today/pixels.h"
#include "today/web/page.h"

using namespace velkaro;

namespace {

// One channel of a raster at a point between pixels, weighted by distance.
double Sample(const pictures::Raster& r, int frameSide, double x, double y, int shift) {
    x = std::min(std::max(x, 0.0), frameSide - 1.0);
    y = std::min(std::max(y, 0.0), frameSide - 1.0);
    const int x0 = static_cast<int>(x), y0 = static_cast<int>(y);
    const int x1 = std::min(x0 + 1, frameSide - 1), y1 = std::min(y0 + 1, frameSide - 1);
    const double fx = x - x0, fy = y - y0;
    auto c = [&](int px, int py) { return static_cast<double>((r.At(px, py) >> shift) & 0xFFu); };
    return (c(x0, y0) * (1 - fx) + c(x1, y0) * fx) * (1 - fy) + (c(x0, y1) * (1 - fx) + c(x1, y1) * fx) * fy;
}

// The Sun fills the middle 60 %, inside the safe zone of a maskable icon,
// enlarged smoothly from its first frame.
pictures::Raster Icon(const pictures::DefaultPicture& sun, int side) {
    pictures::Raster r;
    r.width = r.height = side;
    r.pixels.assign(static_cast<size_t>(side) * side, kPageBackground);
    const int s = sun.picture.height;
    const int size = side * 3 / 5, origin = (side - size) / 2;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double sx = (x + 0.5) * s / size - 0.5, sy = (y + 0.5) * s / size - 0.5;
            uint32_t colour = 0;
            for (int shift : {16, 8, 0})
                colour |= static_cast<uint32_t>(Sample(sun.picture, s, sx, sy, shift) + 0.5) << shift;
            const uint32_t weight = static_cast<uint32_t>(Sample(sun.mask, s, sx, sy, 0) + 0.5);
            uint32_t& p = r.pixels[static_cast<size_t>(origin + y) * side + origin + x];
            p = MixPixel(p, colour, weight >= 255 ? 256 : weight);
        }
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIRECTORY\n", argv[0]);
        return 2;
    }
    const pictures::DefaultPicture sun = pictures::DrawSun();
    for (int side : {192, 512}) {
        const std::string path = std::string(argv[1]) + "/velkaro-" + std::to_string(side) + ".png";
        if (!pictures::WritePngFile(path, Icon(sun, side))) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], path.c_str());
            return 1;
        }
    }
    return 0;
}
