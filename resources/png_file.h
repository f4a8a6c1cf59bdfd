// PNG files of the generator, through libpng.
#pragma once
#include <string>

#include "resources/pictures.h"

namespace velkaro {
namespace pictures {

// Writes an 8-bit RGB PNG of the raster; false (and no file left) when it cannot.
bool WritePngFile(const std::string& path, const Raster& raster);
// Reads any PNG into 0x00RRGGBB pixels; false when the file is missing or no PNG.
bool ReadPngFile(const std::string& path, Raster* raster);

}  // namespace pictures
}  // namespace velkaro
