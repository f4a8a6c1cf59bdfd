// The built-in body pictures and their opacity masks, drawn in code so that
// the generator and the tests see the same pixels.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace velkaro {
namespace pictures {

struct Raster {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, rows top-down

    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

struct DefaultPicture {
    std::string name;  // file name without extension
    Raster picture;    // horizontal strip of square frames
    Raster mask;       // grey opacity, 0x000000 transparent ... 0xFFFFFF opaque
};

// Frame sides: Sun and Moon 24, Mars and Jupiter 16, Saturn 36 (content in
// the middle 18 rows), crosses 12.
DefaultPicture DrawSun();
DefaultPicture DrawMoon();  // one-frame picture, 14-frame waning phase mask
DefaultPicture DrawMars();
DefaultPicture DrawJupiter();
DefaultPicture DrawSaturn();
// colour: 'b' blue, 'y' yellow, 'w' white, 'r' red.
DefaultPicture DrawCross(char colour);

// Every default picture, in a fixed order.
std::vector<DefaultPicture> DrawAll();

// Writes <dir>/<name>.png and <dir>/<name>.msk (both PNG) for every picture.
bool WriteAll(const std::string& dir);

}  // namespace pictures
}  // namespace velkaro
