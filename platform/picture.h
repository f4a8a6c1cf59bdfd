// Picture loading seam. Win32 decodes with WIC (by content, so ".msk" masks
// load too); the native build serves pictures that tests registered.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace velkaro {

struct DecodedPicture {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;  // top-down rows, 0x00RRGGBB

    uint32_t At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
};

// False (and *out emptied) when the file is missing, unreadable or not a picture.
// A path starting with a single "\" is a device path; Win32 reads it from the
// drive the plug-in is installed on.
bool LoadPicture(const std::wstring& path, DecodedPicture* out);

// Native build only: the table LoadPicture serves from.
void RegisterNativePicture(const std::wstring& path, const DecodedPicture& picture);
void ClearNativePictures();

}  // namespace velkaro
