// The page's icons, drawn from the Sun's picture and mask over the page's
// colour: velkaro-192.png and velkaro-512.png in the directory given.
#include <cstdio>
#include <string>

#include "resources/pictures.h"
#include "resources/png_file.h"
#include "today/pixels.h"
#include "today/web/page.h"

using namespace velkaro;

namespace {

// The Sun fills the middle 60 %, inside the safe zone of a maskable icon.
pictures::Raster Icon(const pictures::DefaultPicture& sun, int side) {
    pictures::Raster r;
    r.width = r.height = side;
    r.pixels.assign(static_cast<size_t>(side) * side, kPageBackground);
    const int s = sun.picture.height;
    const int size = side * 3 / 5, origin = (side - size) / 2;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int sx = x * s / size, sy = y * s / size;
            const uint32_t weight = sun.mask.At(sx, sy) & 0xFFu;
            uint32_t& p = r.pixels[static_cast<size_t>(origin + y) * side + origin + x];
            p = MixPixel(p, sun.picture.At(sx, sy), weight == 255 ? 256 : weight);
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
