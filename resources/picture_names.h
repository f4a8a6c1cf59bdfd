// The built-in body pictures by name: each is drawn into <name>.png with its
// opacity mask <name>.msk and installed beside velkaro.dll. The build takes
// the files to make from the list below (resources/CMakeLists.txt), so each
// name stands on a line of its own.
#pragma once

namespace velkaro {

enum PictureIndex {
    kPictureSun,
    kPictureMoon,
    kPictureMars,
    kPictureJupiter,
    kPictureSaturn,
    kPictureCrossBlue,
    kPictureCrossYellow,
    kPictureCrossWhite,
    kPictureCrossRed,
    kPictureCount
};

// File names without extension, by PictureIndex.
constexpr const char* kPictureNames[kPictureCount] = {
    "velkaro_sun",
    "velkaro_moon",
    "velkaro_mars",
    "velkaro_jupiter",
    "velkaro_saturn",
    "velkaro_crossb",
    "velkaro_crossy",
    "velkaro_crossw",
    "velkaro_crossr",
};

// The picture each body shows by default, by body number (Sun, Moon, Mars,
// Mercury, Jupiter, Venus, Saturn, Uranus, Neptune, Pluto).
constexpr PictureIndex kBodyPictures[] = {
    kPictureSun,     kPictureMoon,        kPictureMars,       kPictureCrossBlue, kPictureJupiter,
    kPictureCrossYellow, kPictureSaturn,  kPictureCrossWhite, kPictureCrossBlue, kPictureCrossRed};

}  // namespace velkaro
