#include "resources/png_file.h"

#include <png.h>

#include <cstdio>
#include <cstring>

namespace velkaro {
namespace pictures {

bool WritePngFile(const std::string& path, const Raster& raster) {
    if (raster.width <= 0 || raster.height <= 0 ||
        raster.pixels.size() != static_cast<size_t>(raster.width) * raster.height)
        return false;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(raster.width);
    image.height = static_cast<png_uint_32>(raster.height);
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(static_cast<size_t>(raster.width) * raster.height * 3);
    for (size_t i = 0; i < raster.pixels.size(); ++i) {
        const std::uint32_t p = raster.pixels[i];
        rgb[3 * i] = static_cast<png_byte>(p >> 16);
        rgb[3 * i + 1] = static_cast<png_byte>(p >> 8);
        rgb[3 * i + 2] = static_cast<png_byte>(p);
    }
    const bool ok = png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
    if (!ok) std::remove(path.c_str());
    png_image_free(&image);
    return ok;
}

bool ReadPngFile(const std::string& path, Raster* raster) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    raster->width = static_cast<int>(image.width);
    raster->height = static_cast<int>(image.height);
    raster->pixels.resize(static_cast<size_t>(raster->width) * raster->height);
    for (size_t i = 0; i < raster->pixels.size(); ++i)
        raster->pixels[i] = static_cast<std::uint32_t>(rgb[3 * i]) << 16 |
                            static_cast<std::uint32_t>(rgb[3 * i + 1]) << 8 | rgb[3 * i + 2];
    return true;
}

}  // namespace pictures
}  // namespace velkaro
